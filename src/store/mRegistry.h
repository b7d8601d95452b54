// The four operations through which every setting is read and written, under the
// product's settings path, one section per owner. A getter that finds no value
// answers its default and writes nothing.
#pragma once

#include <QString>
#include <cstdint>

class Context;

namespace mRegistry {
// Root key and settings path from the product name and version; every call below runs it first.
void InitRegPath(Context &ctx);
void SetRegString(Context &ctx, const QString &section, const QString &name, const QString &value);
QString GetRegString(Context &ctx, const QString &section, const QString &name, const QString &defaultValue);
void SetRegInteger(Context &ctx, const QString &section, const QString &name, std::int16_t value);
// A stored value that is not a 16-bit number (text, a number beyond 16 bits, bytes)
// reads as unset: the default is returned and the user is told, once per run, which
// value of which file it was.
std::int16_t GetRegInteger(Context &ctx, const QString &section, const QString &name, std::int16_t defaultValue);
// The same read for a caller that handles a wrong value itself: raises the overflow
// error for a stored number outside 16 bits and the type-mismatch error for anything
// else that is not a number; tells nobody.
std::int16_t ReadRegInteger(Context &ctx, const QString &section, const QString &name, std::int16_t defaultValue);
// True when the stored value is damaged: it reads as absent, so its getter gives the
// default, until the next setter replaces it.
bool RegValueDamaged(Context &ctx, const QString &section, const QString &name);
} // namespace mRegistry

#include "store/cRegistry.h"

#include "shell/Context.h"
#include "store/mRegistry.h"

cRegistry::cRegistry(Context &ctx) : ctx_(ctx) {}

namespace mRegistry {
namespace {
QString key(const QString &section, const QString &name)
{
    return (section + QLatin1Char('\\') + name).toLower();
}
} // namespace
void InitRegPath(Context &) {}
void SetRegString(Context &ctx, const QString &section, const QString &name, const QString &value)
{
    ctx.registry().values[key(section, name)] = value;
}
QString GetRegString(Context &ctx, const QString &section, const QString &name, const QString &defaultValue)
{
    return ctx.registry().values.value(key(section, name), defaultValue).toString();
}
void SetRegInteger(Context &ctx, const QString &section, const QString &name, std::int16_t value)
{
    ctx.registry().values[key(section, name)] = int(value);
}
std::int16_t GetRegInteger(Context &ctx, const QString &section, const QString &name, std::int16_t defaultValue)
{
    return static_cast<std::int16_t>(ctx.registry().values.value(key(section, name), int(defaultValue)).toInt());
}
} // namespace mRegistry

#include "store/mRegistry.h"

#include <QLocale>
#include <cmath>

#include "core/AppError.h"
#include "core/Numbers.h"
#include "app/Context.h"
#include "store/cData.h"
#include "store/cRegistry.h"

namespace {

// Text as a 16-bit integer, the way the settings have always converted it: blanks
// around it ignored, decimals rounded halves to even; anything else is a type mismatch.
std::int16_t textToInt16(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        raiseError(err::TypeMismatch);
    bool ok = false;
    const qlonglong whole = t.toLongLong(&ok);
    if (ok)
        return toInt16(whole);
    const double d = QLocale::c().toDouble(t, &ok);
    if (!ok)
        raiseError(err::TypeMismatch);
    if (!std::isfinite(d) || std::fabs(d) > 65536.0)
        raiseError(err::Overflow);
    return toInt16(roundHalfEven(d));
}

cRegistry &select(Context &ctx, const QString &section, const QString &name, std::int32_t type)
{
    mRegistry::InitRegPath(ctx);
    cRegistry &r = ctx.registry();
    r.setSectionKey(r.RegPath() + QLatin1Char('\\') + section);
    r.setValueKey(name);
    r.setValueType(type);
    return r;
}

} // namespace

namespace mRegistry {

void InitRegPath(Context &ctx)
{
    cRegistry &r = ctx.registry();
    r.setClassKey(reg::HKeyLocalMachine);
    // Without product data the path has empty parts, which no setter can create.
    const QString prodName = ctx.gData ? ctx.data().ProdName() : QString();
    const QString version = ctx.gData ? ctx.data().Version() : QString();
    r.setRegPath(QStringLiteral("Software\\Quillmere Technologies\\") + prodName + QLatin1Char('\\') + version);
}

void SetRegString(Context &ctx, const QString &section, const QString &name, const QString &value)
{
    select(ctx, section, name, reg::REG_SZ).setValue(value);
}

QString GetRegString(Context &ctx, const QString &section, const QString &name, const QString &defaultValue)
{
    const QVariant v = select(ctx, section, name, reg::REG_SZ).Value();
    if (!v.isValid())
        return defaultValue;
    return cRegistry::toText(v);
}

void SetRegInteger(Context &ctx, const QString &section, const QString &name, std::int16_t value)
{
    select(ctx, section, name, reg::REG_DWORD).setValue(QVariant::fromValue<short>(value));
}

std::int16_t ReadRegInteger(Context &ctx, const QString &section, const QString &name, std::int16_t defaultValue)
{
    const QVariant v = select(ctx, section, name, reg::REG_DWORD).Value();
    if (!v.isValid())
        return defaultValue;
    switch (v.typeId()) {
    case QMetaType::Int: return toInt16(v.toInt());
    case QMetaType::QString: return textToInt16(v.toString());
    default: raiseError(err::TypeMismatch);
    }
}

std::int16_t GetRegInteger(Context &ctx, const QString &section, const QString &name, std::int16_t defaultValue)
{
    try {
        return ReadRegInteger(ctx, section, name, defaultValue);
    } catch (const AppError &e) {
        if (e.number() != err::TypeMismatch && e.number() != err::Overflow)
            throw;
    }
    // The registry still names the value just read.
    ctx.registry().ReportWrongValue();
    return defaultValue;
}

bool RegValueDamaged(Context &ctx, const QString &section, const QString &name)
{
    return select(ctx, section, name, reg::REG_SZ).ValueDamaged();
}

} // namespace mRegistry

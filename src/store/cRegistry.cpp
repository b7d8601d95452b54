#include "store/cRegistry.h"

#include <QDir>
#include <QScopedValueRollback>
#include <utility>

#include "core/AppError.h"
#include "app/Context.h"
#include "platform/Guard.h"

QString cRegistry::SettingsFolder(const IShellFolders &folders)
{
    const QString config = folders.configFolder();
    if (config.isEmpty() || QDir::isRelativePath(config))
        return {};
    return config + QStringLiteral("/Brackenfold");
}

QString cRegistry::SettingsPath(const IShellFolders &folders)
{
    // Without a known config folder nothing is kept: every setter then fails.
    const QString folder = SettingsFolder(folders);
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/registry.json");
}

cRegistry::cRegistry(Context &ctx) : ctx_(ctx), file_(SettingsPath(ctx.shellFolders()))
{
    file_.setCorruptNotice([this](const QString &file, const QString &keptAs) {
        settingsLost_ = true;
        const QString text =
            keptAs.isEmpty()
                ? QStringLiteral("The settings file \"%1\" is damaged and cannot be read. The default settings are "
                                 "used; settings cannot be saved until the file is repaired or removed.")
                      .arg(QDir::toNativeSeparators(file))
                : QStringLiteral("The settings file \"%1\" is damaged and cannot be read. It has been kept as \"%2\" "
                                 "and the default settings are used.")
                      .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(keptAs));
        ctx_.messages().show(text, MsgButtons::Ok, MsgIcon::Exclamation);
    });
    file_.setDamagedNotice([this](const QString &file, const QList<QPair<QString, QString>> &values) {
        QStringList names;
        for (const auto &[key, name] : values)
            names.append(QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(settingName(key, name))));
        const QString text =
            QStringLiteral("The settings file \"%1\" holds %2 that cannot be read: %3. %4 until %5 again; every "
                           "other setting is kept.")
                .arg(QDir::toNativeSeparators(file),
                     names.size() == 1 ? QStringLiteral("a setting") : QStringLiteral("settings"),
                     names.join(QStringLiteral(", ")),
                     names.size() == 1 ? QStringLiteral("Its default is used")
                                       : QStringLiteral("Their defaults are used"),
                     names.size() == 1 ? QStringLiteral("it is set") : QStringLiteral("they are set"));
        ctx_.messages().show(text, MsgButtons::Ok, MsgIcon::Exclamation);
    });
}

QString cRegistry::settingName(const QString &key, const QString &name) const
{
    // Settings of this product are named by section, as their owners know them.
    const QString product = storeKey(reg::HKeyLocalMachine, regPath_);
    const QString section = !product.isEmpty() && key.startsWith(product + QLatin1Char('\\'), Qt::CaseInsensitive)
                                ? key.mid(product.size() + 1)
                                : key;
    return section + QLatin1Char('\\') + name;
}

bool cRegistry::ValueDamaged()
{
    const QString key = storeKey(classKey_, sectionKey_);
    return !key.isEmpty() && file_.isDamaged(key, valueKey_);
}

void cRegistry::ReportWrongValue()
{
    const QString key = storeKey(classKey_, sectionKey_);
    const QString told = (key + QLatin1Char('\\') + valueKey_).toCaseFolded();
    if (key.isEmpty() || toldWrongValues_.contains(told))
        return;
    toldWrongValues_.insert(told);
    const QString text =
        QStringLiteral("The settings file \"%1\" holds a setting that is not a whole number from "
                       "-32768 to 32767 where one belongs: \"%2\". Its default is used until it is "
                       "set again; every other setting is kept.")
            .arg(QDir::toNativeSeparators(file_.path()), QDir::toNativeSeparators(settingName(key, valueKey_)));
    if (holds_ > 0) {
        heldReport_ += heldReport_.isEmpty() ? text : QStringLiteral("\r\n\r\n") + text;
        return;
    }
    ctx_.messages().show(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

QString cRegistry::WriteFailureText(const QString &errorText) const
{
    const QString reason = file_.lastError().isEmpty() ? errorText : file_.lastError();
    return QStringLiteral("the settings cannot be saved to the file \"%1\": %2")
        .arg(QDir::toNativeSeparators(file_.path()), reason);
}

void cRegistry::ReportWriteFailure(const QString &errorText)
{
    if (writeFailureReported_)
        return;
    writeFailureReported_ = true;
    // The reason is taken now: a later write may change it.
    QString text = WriteFailureText(errorText);
    text[0] = text[0].toUpper();
    text += QStringLiteral(".\r\nSettings changed from now on may not be kept.");
    if (holds_ > 0) {
        heldReport_ = text;
        return;
    }
    ctx_.messages().show(text, MsgButtons::Ok, MsgIcon::Exclamation);
}

void cRegistry::ReportHold::release()
{
    if (released_)
        return;
    released_ = true;
    if (--registry_.holds_ > 0 || registry_.heldReport_.isEmpty())
        return;
    const QString text = std::exchange(registry_.heldReport_, QString());
    ignoreErrors([&] { registry_.ctx_.messages().show(text, MsgButtons::Ok, MsgIcon::Exclamation); });
}

bool cRegistry::IsWriteFailure(const AppError &error)
{
    return error.number() == reg::ErrSetValue || error.number() == reg::ErrWriteFailed;
}

bool cRegistry::KeepSetting(const std::function<void()> &write, const std::function<void(const QString &)> &tell)
{
    try {
        write();
        return true;
    } catch (const AppError &e) {
        if (!IsWriteFailure(e))
            throw;
        if (tell)
            tell(WriteFailureText(e.description()));
        else
            ReportWriteFailure(e.description());
        return false;
    }
}

bool cRegistry::KeepChoice(const std::function<void()> &write)
{
    const QScopedValueRollback holding(holdRefused_, true);
    return KeepSetting(write);
}

QString cRegistry::rootName(std::int32_t classKey)
{
    switch (classKey) {
    case reg::HKeyClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
    case reg::HKeyCurrentUser: return QStringLiteral("HKEY_CURRENT_USER");
    case reg::HKeyLocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case reg::HKeyUsers: return QStringLiteral("HKEY_USERS");
    case reg::HKeyCurrentConfig: return QStringLiteral("HKEY_CURRENT_CONFIG");
    default: return {};
    }
}

QString cRegistry::storeKey(std::int32_t classKey, const QString &sectionKey)
{
    const QString root = rootName(classKey);
    if (root.isEmpty())
        return {};
    const QString key = sectionKey.isEmpty() ? root : root + QLatin1Char('\\') + sectionKey;
    return SettingsFile::isValidKeyPath(key) ? key : QString();
}

bool cRegistry::holdsReference(const QString &text)
{
    const qsizetype first = text.indexOf(QLatin1Char('%'));
    return first >= 0 && text.indexOf(QLatin1Char('%'), first + 2) >= 0;
}

QString cRegistry::expandEnvironment(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == QLatin1Char('%')) {
            const qsizetype end = text.indexOf(QLatin1Char('%'), i + 1);
            if (end > i + 1) {
                const QString name = text.mid(i + 1, end - i - 1);
                const QByteArray local = name.toLocal8Bit();
                if (!name.contains(QLatin1Char('=')) && !name.contains(QChar(0)) &&
                    qEnvironmentVariableIsSet(local.constData())) {
                    out += qEnvironmentVariable(local.constData());
                    i = end + 1;
                    continue;
                }
            }
        }
        out += text[i];
        ++i;
    }
    return out;
}

QString cRegistry::toText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(value.toByteArray());
    return value.toString();
}

QVariant cRegistry::Value()
{
    const QString key = storeKey(classKey_, sectionKey_);
    if (key.isEmpty())
        return default_;
    const auto held = heldChoices_.constFind((key + QLatin1Char('\\') + valueKey_).toCaseFolded());
    const std::optional<SettingsValue> v =
        held != heldChoices_.constEnd() ? std::optional<SettingsValue>(*held) : file_.value(key, valueKey_);
    if (!v)
        return default_;
    valueType_ = static_cast<std::int32_t>(v->type);
    switch (v->type) {
    case SettingsValue::String: return v->text;
    case SettingsValue::ExpandString: return expandEnvironment(v->text);
    case SettingsValue::MultiString: {
        // The stored bytes less the list's final zero: every string keeps its own.
        QString joined;
        for (const QString &s : v->strings)
            joined += s + QChar(0);
        return joined;
    }
    case SettingsValue::DWord:
    case SettingsValue::DWordBigEndian: return static_cast<int>(static_cast<std::int32_t>(v->number));
    default: return v->bytes;
    }
}

void cRegistry::setValue(const QVariant &value)
{
    const QString key = storeKey(classKey_, sectionKey_);
    if (key.isEmpty())
        raiseSetError(reg::ErrSetValue, value);

    SettingsValue stored;
    switch (valueType_) {
    case reg::REG_SZ:
    case reg::REG_EXPAND_SZ: {
        const QString text = toText(value);
        stored =
            SettingsValue::string(text, holdsReference(text) ? SettingsValue::ExpandString : SettingsValue::String);
        break;
    }
    case reg::REG_BINARY:
        if (value.typeId() != QMetaType::QByteArray)
            raiseError(reg::ErrSetValue);
        stored = SettingsValue::binary(value.toByteArray());
        break;
    case reg::REG_DWORD:
    case reg::REG_DWORD_BIG_ENDIAN:
        switch (value.typeId()) {
        case QMetaType::Short:
        case QMetaType::Int: stored = SettingsValue::dword(static_cast<std::uint32_t>(value.toInt())); break;
        case QMetaType::UShort:
        case QMetaType::UInt: stored = SettingsValue::dword(value.toUInt()); break;
        default: return; // not a 16- or 32-bit integer: nothing is written
        }
        break;
    default:
        // A type the store cannot write: the write fails as invalid data.
        raiseSetError(reg::ErrWriteFailed, value);
    }

    const QString held = (key + QLatin1Char('\\') + valueKey_).toCaseFolded();
    const SettingsFile::Status status = file_.setValue(key, valueKey_, stored);
    if (status == SettingsFile::Status::Ok) {
        heldChoices_.remove(held);
        return;
    }
    if (holdRefused_)
        heldChoices_.insert(held, stored);
    raiseSetError(status == SettingsFile::Status::KeyNotCreated ? reg::ErrSetValue : reg::ErrWriteFailed, value);
}

void cRegistry::raiseSetError(int number, const QVariant &value) const
{
    raiseError(number, QStringLiteral("Failed to set registry value Key: '") + QString::number(classKey_) +
                           QStringLiteral("',Section: '") + sectionKey_ + QStringLiteral("',Key: '") + valueKey_ +
                           QStringLiteral("' to value: '") + toText(value) + QStringLiteral("'"));
}

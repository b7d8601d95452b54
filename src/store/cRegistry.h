// The registry class: one shared object whose root key, section key, value name and
// type are set before each access, then `Value` is read or written. It keeps the
// registry's rules over the program's own settings file: a read of anything absent
// yields `Default` and writes nothing, a write that fails raises an error and keeps
// nothing, and the type of every value is kept as written.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>

#include "platform/SettingsFile.h"

class AppError;
class Context;

namespace reg {
// Root keys, as the 32-bit handle values the registry gives them.
constexpr std::int32_t HKeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
constexpr std::int32_t HKeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
constexpr std::int32_t HKeyLocalMachine = static_cast<std::int32_t>(0x80000002u);
constexpr std::int32_t HKeyUsers = static_cast<std::int32_t>(0x80000003u);
constexpr std::int32_t HKeyCurrentConfig = static_cast<std::int32_t>(0x80000005u);

// Value types.
constexpr std::int32_t REG_SZ = 1;
constexpr std::int32_t REG_EXPAND_SZ = 2;
constexpr std::int32_t REG_BINARY = 3;
constexpr std::int32_t REG_DWORD = 4;
constexpr std::int32_t REG_DWORD_BIG_ENDIAN = 5;
constexpr std::int32_t REG_MULTI_SZ = 7;

// The key could not be created or opened, or a binary value was not bytes.
constexpr int ErrSetValue = 26001;
// The value could not be written (0x800469A9).
constexpr int ErrWriteFailed = static_cast<int>(0x800469A9u);
} // namespace reg

class IShellFolders;

class cRegistry {
public:
    // The settings file lies in the user's config folder, "Brackenfold/registry.json".
    explicit cRegistry(Context &ctx);
    // The folder of the settings file and the file itself; "" without a known config folder.
    static QString SettingsFolder(const IShellFolders &folders);
    static QString SettingsPath(const IShellFolders &folders);
    cRegistry(const cRegistry &) = delete;
    cRegistry &operator=(const cRegistry &) = delete;

    std::int32_t ClassKey() const { return classKey_; }
    void setClassKey(std::int32_t value) { classKey_ = value; }
    QString SectionKey() const { return sectionKey_; }
    void setSectionKey(const QString &value) { sectionKey_ = value; }
    QString ValueKey() const { return valueKey_; }
    void setValueKey(const QString &value) { valueKey_ = value; }
    // A read replaces it with the type found.
    std::int32_t ValueType() const { return valueType_; }
    void setValueType(std::int32_t value) { valueType_ = value; }

    // Reads the value named by ClassKey, SectionKey and ValueKey: text for the string
    // types (expanded for REG_EXPAND_SZ; each string followed by a zero for REG_MULTI_SZ),
    // a 32-bit int for the number types, bytes for any other type; `Default` when absent.
    QVariant Value();
    // Writes the value as ValueType says. Text is stored as REG_EXPAND_SZ when it holds an
    // environment reference, else REG_SZ; the number types take 16- and 32-bit integers
    // (short, unsigned short, int, unsigned int) and ignore anything else; REG_BINARY takes
    // bytes only. Raises reg::ErrSetValue or reg::ErrWriteFailed naming the key and value.
    void setValue(const QVariant &value);

    QVariant Default() const { return default_; }
    void setDefault(const QVariant &value) { default_ = value; }

    // The settings path that mRegistry keeps, rebuilt by mRegistry::InitRegPath.
    const QString &RegPath() const { return regPath_; }
    void setRegPath(const QString &value) { regPath_ = value; }

    // True once a damaged settings file was found in this run: every value it held is unknown.
    bool SettingsLost() const { return settingsLost_; }
    // True while the value named by ClassKey, SectionKey and ValueKey is stored damaged:
    // it reads as absent until it is written again.
    bool ValueDamaged();
    // Tells the user, once per run for each value, that the value named by ClassKey,
    // SectionKey and ValueKey holds no number where one belongs, so its default is used.
    void ReportWrongValue();
    // Tells the user, once per run, that a setting could not be kept: the settings file and
    // why (the store's reason, else the error's text). Play goes on. While a ReportHold
    // stands the report waits for it.
    void ReportWriteFailure(const QString &errorText);
    // The failure in words, for a window that must say why its own action failed:
    // "the settings cannot be saved to the file ...: <reason>".
    QString WriteFailureText(const QString &errorText) const;
    // True for the errors a settings write raises when the store refuses it.
    static bool IsWriteFailure(const AppError &error);
    // Runs settings writes; when the store refuses one, the failure is reported as above
    // instead of raised, so the caller's action goes on. False when a write failed; any
    // other error passes. A window that must say why its own action failed gives `tell`:
    // it then gets WriteFailureText at every failure instead of the one report.
    bool KeepSetting(const std::function<void()> &write, const std::function<void(const QString &)> &tell = {});
    // KeepSetting for a choice the user sees at once (a card back, a background): a value
    // the store refuses is still held for the rest of the run, so every read gives the
    // user's choice until a write is kept again.
    bool KeepChoice(const std::function<void()> &write);

    // Holds the report of a failed write while a window is in the middle of the user's
    // gesture (a double click whose first click wrote a setting); shown when released.
    class ReportHold {
    public:
        explicit ReportHold(cRegistry &registry) : registry_(registry) { ++registry_.holds_; }
        ~ReportHold() { release(); }
        ReportHold(const ReportHold &) = delete;
        ReportHold &operator=(const ReportHold &) = delete;
        // Shows a held report now; later failures are held no more.
        void release();

    private:
        cRegistry &registry_;
        bool released_ = false;
    };

    // The store underneath, for tests and tools (writer seam, direct access).
    SettingsFile &settingsFile() { return file_; }

    // The store's name of a root key, "" for a handle that names none.
    static QString rootName(std::int32_t classKey);
    // The store's key for a root key and section path, "" when no such key can exist.
    static QString storeKey(std::int32_t classKey, const QString &sectionKey);
    // True when text is stored as REG_EXPAND_SZ: a "%" and a further "%" at least two
    // characters after it.
    static bool holdsReference(const QString &text);
    // Replaces each %NAME% by the environment variable NAME; a name that is not set is
    // left as it stands, and its closing "%" may open the next reference.
    static QString expandEnvironment(const QString &text);
    // A read value as text: numbers in decimal, bytes one character each.
    static QString toText(const QVariant &value);

private:
    // A stored value as the user knows it: section and name below the settings path.
    QString settingName(const QString &key, const QString &name) const;
    [[noreturn]] void raiseSetError(int number, const QVariant &value) const;

    Context &ctx_;
    SettingsFile file_;
    std::int32_t classKey_ = reg::HKeyLocalMachine;
    QString sectionKey_;
    QString valueKey_;
    std::int32_t valueType_ = reg::REG_SZ;
    QVariant default_;
    QString regPath_;
    bool settingsLost_ = false;
    bool writeFailureReported_ = false;
    QSet<QString> toldWrongValues_; // folded key path and name of every wrong value told of
    bool holdRefused_ = false;
    QHash<QString, SettingsValue> heldChoices_; // refused choices by folded key path and name
    int holds_ = 0;
    QString heldReport_;
};

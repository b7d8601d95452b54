// A typed store of keys and values persisted as one JSON file: the program's own
// stand-in for the system registry. Key paths and value names are case-insensitive
// and keep the spelling they were first written with; every value keeps its type.
// Reads are served from memory: a file watcher marks the file changed (another copy's
// write is seen after the next turn of the event loop) and only then is it looked at
// again; without a watcher (no event loop, no folder yet) every read looks at the file.
// every write re-reads the file under a lock file and replaces it atomically, so two
// running copies never lose each other's writes, and a failed write changes nothing.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>

// One stored value: its registry type and the data that type holds.
struct SettingsValue {
    enum Type : std::uint32_t {
        String = 1,
        ExpandString = 2,
        Binary = 3,
        DWord = 4,
        DWordBigEndian = 5,
        MultiString = 7,
    };

    std::uint32_t type = String;
    QString text;             // String and ExpandString
    QStringList strings;      // MultiString
    std::uint32_t number = 0; // DWord and DWordBigEndian, as the number it stands for
    QByteArray bytes;         // Binary and every type without a decoding of its own

    static SettingsValue string(const QString &text, std::uint32_t type = String);
    static SettingsValue dword(std::uint32_t number, std::uint32_t type = DWord);
    static SettingsValue binary(const QByteArray &bytes, std::uint32_t type = Binary);
    static SettingsValue multiString(const QStringList &strings);

    bool isText() const { return type == String || type == ExpandString; }
    bool isNumber() const { return type == DWord || type == DWordBigEndian; }
    bool operator==(const SettingsValue &other) const;
};

// Writes the file's new content. The default replaces the file atomically; tests
// inject writers that fail.
class SettingsWriter {
public:
    virtual ~SettingsWriter() = default;
    // Returns false when the content could not be put in place; the old file must then be intact.
    virtual bool write(const QString &path, const QByteArray &bytes) = 0;
    // Why the last write failed, in words for the user; "" when not known.
    virtual QString reason() const { return {}; }
};

// Writes a temporary file beside the target, syncs it to disk and renames it over the
// target; a full disk or any other failure leaves the old file as it was.
class AtomicFileWriter : public SettingsWriter {
public:
    bool write(const QString &path, const QByteArray &bytes) override;
    QString reason() const override { return reason_; }

private:
    QString reason_;
};

class SettingsFile {
public:
    enum class Status {
        Ok,
        KeyNotCreated, // the key path is invalid, or its folder or lock cannot be had
        WriteFailed,   // the new content could not be written; nothing changed
    };
    // Told once per damaged file found: the file's path and where it was kept ("" when it could not be).
    using CorruptNotice = std::function<void(const QString &file, const QString &keptAs)>;
    // Told once per run of each damaged value found in a file that is otherwise good: the
    // file's path and the damaged values as key path and value name.
    using DamagedNotice = std::function<void(const QString &file, const QList<QPair<QString, QString>> &values)>;

    // An empty path gives a store that holds nothing and refuses every write.
    explicit SettingsFile(QString path);
    ~SettingsFile();
    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    const QString &path() const { return path_; }
    // nullptr restores the atomic file writer. The writer is not owned.
    void setWriter(SettingsWriter *writer) { writer_ = writer ? writer : &atomicWriter_; }
    void setCorruptNotice(CorruptNotice notice) { notice_ = std::move(notice); }
    void setDamagedNotice(DamagedNotice notice) { damagedNotice_ = std::move(notice); }
    void setLockTimeout(int milliseconds) { lockTimeoutMs_ = milliseconds; }

    // The value, or nothing when the key or the value is absent.
    std::optional<SettingsValue> value(const QString &key, const QString &name);
    bool keyExists(const QString &key);
    // Value names of a key as they are spelt, sorted ignoring case.
    QStringList valueNames(const QString &key);
    // The key's path as it is spelt in the store, "" when absent.
    QString keySpelling(const QString &key);
    // True while the file holds the value in a shape the store cannot read: it reads as
    // absent, is written back as it stands, and the next setValue of it replaces it.
    bool isDamaged(const QString &key, const QString &name);

    // Creates the key (and stores nothing else) when it is missing, then sets the value.
    // A value already stored as given takes no lock and leaves the file untouched.
    Status setValue(const QString &key, const QString &name, const SettingsValue &value);
    Status removeValue(const QString &key, const QString &name);
    // Why the last setValue or removeValue failed, in words for the user; "" after one that succeeded.
    const QString &lastError() const { return lastError_; }

    // How often the file was looked at (stat or read): a seam for tests of the memory reads.
    int diskChecks() const { return diskChecks_; }

    // A key path is names separated by "\"; no name may be empty.
    static bool isValidKeyPath(const QString &key);

private:
    struct Entry {
        QString name;
        SettingsValue value;
    };
    struct Damaged {
        QString name;
        QJsonValue raw;
    };
    struct Key {
        QString path;
        QHash<QString, Entry> values;    // by case-folded name
        QHash<QString, Damaged> damaged; // by case-folded name, never also in values
    };
    using Keys = QHash<QString, Key>; // by case-folded path

    // What stat says of the file; equal signatures mean an unchanged file unless racy.
    struct Signature {
        bool exists = false;
        std::uint64_t device = 0, inode = 0;
        std::int64_t size = 0;
        timespec mtime{}, ctime{};
        bool operator==(const Signature &other) const;
    };

    enum class Load { Unchanged, Loaded, Corrupt, Unreadable };

    static QString fold(const QString &name) { return name.toCaseFolded(); }
    static Signature statFile(const QString &path);
    static bool isRacy(const Signature &signature);

    // Brings memory up to the file when the file changed (or may have).
    void refresh();
    // Watches the file and its folder anew; false when no watch could be set.
    bool watch();
    // Marks every other store of the same file in this process changed, after a write.
    void touchSiblings();
    Signature stat();
    // Reads the file and takes its content into memory. Under the lock the file is always
    // read, and a damaged file is set aside (elsewhere the lock is taken for that).
    Load reload(bool underLock);
    void deliverNotice();
    // Queues the notice of damaged values not yet told in this run.
    void noteDamaged();

    Status modify(const std::function<bool(Keys &)> &change);
    Status fail(Status status, const QString &reason);
    QByteArray serialize(const Keys &keys, std::uint64_t generation) const;
    static bool parse(const QByteArray &bytes, Keys &keys, std::uint64_t &generation);
    // The path of a new key, taking the spelling of every leading part that already exists.
    QString spellNewKey(const Keys &keys, const QString &key) const;

    QString path_;
    AtomicFileWriter atomicWriter_;
    SettingsWriter *writer_ = &atomicWriter_;
    CorruptNotice notice_;
    DamagedNotice damagedNotice_;
    int lockTimeoutMs_ = 10000;

    Keys keys_;
    std::uint64_t generation_ = 0;
    bool loaded_ = false;
    // True when the file may have changed since memory was read from it.
    bool dirty_ = true;
    std::unique_ptr<class QFileSystemWatcher> watcher_;
    int diskChecks_ = 0;
    Signature signature_;
    bool racy_ = false;
    std::optional<std::size_t> hash_; // of the bytes memory was read from
    // A damaged file left in place (it could not be moved): it is never overwritten unless a copy was kept.
    std::optional<std::size_t> corruptHash_;
    bool corruptKept_ = false;
    std::optional<std::pair<QString, QString>> pendingNotice_;
    QList<QPair<QString, QString>> pendingDamaged_;
    QSet<QString> toldDamaged_; // folded key path and name of every damaged value told of
    QString loadError_;
    QString lastError_;
};

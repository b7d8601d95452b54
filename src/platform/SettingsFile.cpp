#include "platform/SettingsFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "core/DurableWrite.h"
#include "core/RegularFile.h"

namespace {

// Far beyond the few kilobytes the program's settings take.
constexpr qint64 kMaxSettingsBytes = 16 * 1024 * 1024;

const char *const kTypeNames[] = {
    nullptr, "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN", "REG_LINK", "REG_MULTI_SZ"};

QJsonValue typeToJson(std::uint32_t type)
{
    if (type != 0 && type < std::size(kTypeNames))
        return QLatin1String(kTypeNames[type]);
    return double(type);
}

bool typeFromJson(const QJsonValue &json, std::uint32_t &type)
{
    if (json.isString()) {
        for (std::uint32_t t = 1; t < std::size(kTypeNames); ++t) {
            if (json.toString() == QLatin1String(kTypeNames[t])) {
                type = t;
                return true;
            }
        }
        return false;
    }
    const double d = json.toDouble(-1);
    if (!json.isDouble() || d < 0 || d > 4294967295.0 || d != std::floor(d))
        return false;
    type = static_cast<std::uint32_t>(d);
    return true;
}

// Numbers are written signed, so that -1 reads as -1; both spellings are read.
bool numberFromJson(const QJsonValue &json, std::uint32_t &number)
{
    const double d = json.toDouble();
    if (!json.isDouble() || d < -2147483648.0 || d > 4294967295.0 || d != std::floor(d))
        return false;
    number = static_cast<std::uint32_t>(static_cast<std::int64_t>(d));
    return true;
}

QJsonValue dataToJson(const SettingsValue &v)
{
    if (v.isText())
        return v.text;
    if (v.isNumber())
        return double(static_cast<std::int32_t>(v.number));
    if (v.type == SettingsValue::MultiString)
        return QJsonArray::fromStringList(v.strings);
    return QString::fromLatin1(v.bytes.toBase64());
}

bool valueFromJson(const QJsonValue &json, SettingsValue &v)
{
    if (!json.isObject())
        return false;
    const QJsonObject o = json.toObject();
    if (!typeFromJson(o.value(QLatin1String("type")), v.type))
        return false;
    const QJsonValue data = o.value(QLatin1String("data"));
    if (v.isText()) {
        if (!data.isString())
            return false;
        v.text = data.toString();
        return true;
    }
    if (v.isNumber())
        return numberFromJson(data, v.number);
    if (v.type == SettingsValue::MultiString) {
        if (!data.isArray())
            return false;
        for (const auto &s : data.toArray()) {
            if (!s.isString())
                return false;
            v.strings.append(s.toString());
        }
        return true;
    }
    if (!data.isString())
        return false;
    auto decoded = QByteArray::fromBase64Encoding(data.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return false;
    v.bytes = *decoded;
    return true;
}

std::size_t hashOf(const QByteArray &bytes)
{
    return qHash(bytes, std::size_t(0x5bd1e995));
}

std::int64_t nanoseconds(const timespec &t)
{
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The system's reason a lock file cannot be made, which the lock does not tell: the folder
// or a lock file left there may not be written (a read-only file system, an immutable or
// foreign folder), or the file system is full. ": <reason>", or "" when none is seen.
QString whyNoLockFile(const QString &folder, const QString &lockFile)
{
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return QStringLiteral(": ") + qt_error_string(errno);
    const QByteArray lock = QFile::encodeName(lockFile);
    struct stat st {};
    if (::lstat(lock.constData(), &st) == 0 && ::access(lock.constData(), R_OK | W_OK) != 0)
        return QStringLiteral(": ") + qt_error_string(errno);
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(folder).constData(), &fs) == 0 && fs.f_bavail == 0)
        return QStringLiteral(": ") + qt_error_string(ENOSPC);
    return {};
}

QString lockPathOf(const QString &path)
{
    return path + QStringLiteral(".lock");
}

} // namespace

// --- SettingsValue ---------------------------------------------------------

SettingsValue SettingsValue::string(const QString &text, std::uint32_t type)
{
    SettingsValue v;
    v.type = type;
    v.text = text;
    return v;
}

SettingsValue SettingsValue::dword(std::uint32_t number, std::uint32_t type)
{
    SettingsValue v;
    v.type = type;
    v.number = number;
    return v;
}

SettingsValue SettingsValue::binary(const QByteArray &bytes, std::uint32_t type)
{
    SettingsValue v;
    v.type = type;
    v.bytes = bytes;
    return v;
}

SettingsValue SettingsValue::multiString(const QStringList &strings)
{
    SettingsValue v;
    v.type = MultiString;
    v.strings = strings;
    return v;
}

bool SettingsValue::operator==(const SettingsValue &other) const
{
    if (type != other.type)
        return false;
    if (isText())
        return text == other.text;
    if (isNumber())
        return number == other.number;
    if (type == MultiString)
        return strings == other.strings;
    return bytes == other.bytes;
}

// --- AtomicFileWriter ------------------------------------------------------

bool AtomicFileWriter::write(const QString &path, const QByteArray &bytes)
{
    reason_.clear();
    return DurableWrite::replaceFile(path, bytes, reason_);
}

// --- SettingsFile ----------------------------------------------------------

bool SettingsFile::Signature::operator==(const Signature &o) const
{
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           nanoseconds(mtime) == nanoseconds(o.mtime) && nanoseconds(ctime) == nanoseconds(o.ctime);
}

namespace {

// Every store alive in this process: a write through one marks the others of the same
// file changed at once, with no wait for the watcher.
// Never destroyed: a store in static storage may go after the exit handlers have run, and
// must still find the list to leave it.
QList<SettingsFile *> &liveStores()
{
    static auto *stores = new QList<SettingsFile *>;
    return *stores;
}

} // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path))
{
    liveStores().append(this);
}

SettingsFile::~SettingsFile()
{
    liveStores().removeOne(this);
}

void SettingsFile::touchSiblings()
{
    for (SettingsFile *other : liveStores()) {
        if (other != this && other->path_ == path_)
            other->dirty_ = true;
    }
}

SettingsFile::Signature SettingsFile::stat()
{
    ++diskChecks_;
    return statFile(path_);
}

bool SettingsFile::watch()
{
    // The watcher needs this thread's event loop to be told of changes.
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return false;
    if (!watcher_) {
        watcher_ = std::make_unique<QFileSystemWatcher>();
        const auto changed = [this] { dirty_ = true; };
        QObject::connect(watcher_.get(), &QFileSystemWatcher::fileChanged, changed);
        QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, changed);
    }
    // The file is replaced whole on every write, so its watch is set on the file now
    // in place; the folder's watch sees it created, replaced or removed.
    const QString folder = QFileInfo(path_).absolutePath();
    if (!watcher_->directories().contains(folder) && !watcher_->addPath(folder))
        return false;
    if (watcher_->files().contains(path_))
        watcher_->removePath(path_);
    if (QFileInfo::exists(path_))
        watcher_->addPath(path_);
    return true;
}

bool SettingsFile::isValidKeyPath(const QString &key)
{
    if (key.isEmpty())
        return false;
    const QStringList parts = key.split(QLatin1Char('\\'));
    for (const QString &part : parts) {
        if (part.isEmpty())
            return false;
    }
    return true;
}

SettingsFile::Signature SettingsFile::statFile(const QString &path)
{
    Signature s;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.mtime = st.st_mtim;
    s.ctime = st.st_ctim;
    return s;
}

// A file written within one tick of the file system's clock may be replaced by another
// of the same size, times and (reused) inode; until that tick has surely passed the
// content itself is compared. Whole-second times mean a coarse clock.
bool SettingsFile::isRacy(const Signature &s)
{
    if (!s.exists)
        return false;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t window = s.mtime.tv_nsec == 0 ? 2500000000LL : 100000000LL;
    const std::int64_t newest = std::max(nanoseconds(s.mtime), nanoseconds(s.ctime));
    return nanoseconds(now) - newest < window;
}

void SettingsFile::refresh()
{
    if (path_.isEmpty()) {
        loaded_ = true;
        return;
    }
    if (!dirty_ && loaded_) {
        deliverNotice();
        return;
    }
    // Watch before reading, so that a change made meanwhile marks memory stale again.
    // A file changed within the clock's tick may change again unseen by its times.
    dirty_ = !watch();
    reload(false);
    if (racy_ || !loaded_)
        dirty_ = true;
    deliverNotice();
}

SettingsFile::Load SettingsFile::reload(bool underLock)
{
    const Signature now = stat();
    if (!underLock && loaded_ && !racy_ && now == signature_)
        return Load::Unchanged;

    auto becomeEmpty = [&](const Signature &s) {
        keys_.clear();
        generation_ = 0;
        hash_.reset();
        signature_ = s;
        racy_ = isRacy(s);
        loaded_ = true;
    };

    if (!now.exists) {
        becomeEmpty(now);
        corruptHash_.reset();
        return Load::Loaded;
    }
    // Only a regular file is read, opened without waiting (a FIFO in its place would block),
    // and only up to a size far beyond any settings the program writes.
    const RegularFile::Content content = RegularFile::read(path_, kMaxSettingsBytes);
    if (content.status != RegularFile::Status::Ok) {
        const Signature again = stat();
        becomeEmpty(again);
        if (!again.exists) {
            corruptHash_.reset();
            return Load::Loaded;
        }
        switch (content.status) {
        case RegularFile::Status::Folder: loadError_ = QString::fromLocal8Bit(std::strerror(EISDIR)); break;
        case RegularFile::Status::NotRegular: loadError_ = QStringLiteral("it is not a regular file"); break;
        case RegularFile::Status::TooLarge:
            loadError_ = QStringLiteral("it is larger than %1 bytes").arg(kMaxSettingsBytes);
            break;
        default: loadError_ = QString::fromLocal8Bit(std::strerror(content.error)); break;
        }
        return Load::Unreadable;
    }
    const QByteArray &bytes = content.bytes;
    const std::size_t h = hashOf(bytes);
    if (corruptHash_ && *corruptHash_ == h) {
        // The damaged file that could not be moved: the user has been told already.
        becomeEmpty(now);
        return Load::Corrupt;
    }
    if (loaded_ && hash_ && *hash_ == h) {
        signature_ = now;
        racy_ = isRacy(now);
        return Load::Unchanged;
    }
    Keys parsed;
    std::uint64_t generation = 0;
    if (parse(bytes, parsed, generation)) {
        keys_ = std::move(parsed);
        generation_ = generation;
        hash_ = h;
        signature_ = now;
        racy_ = isRacy(now);
        loaded_ = true;
        corruptHash_.reset();
        noteDamaged();
        return Load::Loaded;
    }
    if (!underLock) {
        // Another copy may be replacing the file right now: look again under the lock
        // before setting anything aside.
        // A read waits only briefly: a writer holds the lock for milliseconds.
        QLockFile lock(lockPathOf(path_));
        if (!lock.tryLock(std::min(lockTimeoutMs_, 200))) {
            becomeEmpty(now);
            loaded_ = false; // try again on the next read
            return Load::Corrupt;
        }
        return reload(true);
    }
    // Under the lock: keep the damaged file aside, never drop it.
    QString keptAs;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString aside = path_ + QStringLiteral(".corrupt-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path_ + QStringLiteral(".corrupt-") + stamp + QLatin1Char('-') + QString::number(n);
    if (QFile::rename(path_, aside)) {
        keptAs = aside;
        becomeEmpty(stat());
        corruptHash_.reset();
    } else {
        QFile copy(aside);
        if (copy.open(QIODevice::NewOnly) && copy.write(bytes) == bytes.size() && copy.flush())
            keptAs = aside;
        else if (copy.isOpen())
            copy.remove();
        becomeEmpty(now);
        corruptHash_ = h;
        corruptKept_ = !keptAs.isEmpty();
    }
    pendingNotice_ = std::make_pair(path_, keptAs);
    return Load::Corrupt;
}

void SettingsFile::noteDamaged()
{
    for (const Key &k : keys_) {
        for (auto d = k.damaged.constBegin(); d != k.damaged.constEnd(); ++d) {
            const QString told = fold(k.path) + QLatin1Char('\\') + d.key();
            if (toldDamaged_.contains(told))
                continue;
            toldDamaged_.insert(told);
            pendingDamaged_.append({k.path, d->name});
        }
    }
}

void SettingsFile::deliverNotice()
{
    if (pendingNotice_) {
        const auto notice = *pendingNotice_;
        pendingNotice_.reset();
        if (notice_)
            notice_(notice.first, notice.second);
    }
    if (!pendingDamaged_.isEmpty()) {
        auto values = std::move(pendingDamaged_);
        pendingDamaged_.clear();
        std::sort(values.begin(), values.end(), [](const auto &a, const auto &b) {
            const int byKey = a.first.compare(b.first, Qt::CaseInsensitive);
            return byKey != 0 ? byKey < 0 : a.second.compare(b.second, Qt::CaseInsensitive) < 0;
        });
        if (damagedNotice_)
            damagedNotice_(path_, values);
    }
}

std::optional<SettingsValue> SettingsFile::value(const QString &key, const QString &name)
{
    refresh();
    const auto k = keys_.constFind(fold(key));
    if (k == keys_.constEnd())
        return std::nullopt;
    const auto v = k->values.constFind(fold(name));
    if (v == k->values.constEnd())
        return std::nullopt;
    return v->value;
}

bool SettingsFile::keyExists(const QString &key)
{
    refresh();
    return keys_.contains(fold(key));
}

QStringList SettingsFile::valueNames(const QString &key)
{
    refresh();
    QStringList names;
    const auto k = keys_.constFind(fold(key));
    if (k != keys_.constEnd()) {
        for (const Entry &e : k->values)
            names.append(e.name);
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

QString SettingsFile::keySpelling(const QString &key)
{
    refresh();
    const auto k = keys_.constFind(fold(key));
    return k == keys_.constEnd() ? QString() : k->path;
}

bool SettingsFile::isDamaged(const QString &key, const QString &name)
{
    refresh();
    const auto k = keys_.constFind(fold(key));
    return k != keys_.constEnd() && k->damaged.contains(fold(name));
}

QString SettingsFile::spellNewKey(const Keys &keys, const QString &key) const
{
    const QStringList parts = key.split(QLatin1Char('\\'));
    QStringList best;
    qsizetype bestCount = 0;
    for (const Key &k : keys) {
        const QStringList have = k.path.split(QLatin1Char('\\'));
        qsizetype n = 0;
        while (n < have.size() && n < parts.size() && have[n].compare(parts[n], Qt::CaseInsensitive) == 0)
            ++n;
        if (n > bestCount) {
            bestCount = n;
            best = have.mid(0, n);
        }
    }
    return (best + parts.mid(bestCount)).join(QLatin1Char('\\'));
}

SettingsFile::Status SettingsFile::setValue(const QString &key, const QString &name, const SettingsValue &value)
{
    if (!isValidKeyPath(key))
        return fail(Status::KeyNotCreated, QStringLiteral("the key path \"%1\" is not valid").arg(key));
    // A write is skipped when the file already holds the value: that is asked of the file
    // itself, not of memory, which a change the watcher has not told yet (or cannot tell,
    // as on a file system mounted over the folder) would leave behind.
    dirty_ = true;
    refresh();
    if (const auto k = keys_.constFind(fold(key)); k != keys_.constEnd()) {
        const auto v = k->values.constFind(fold(name));
        if (v != k->values.constEnd() && v->value == value) {
            deliverNotice();
            lastError_.clear();
            return Status::Ok;
        }
    }
    const Status status = modify([&](Keys &keys) {
        const QString folded = fold(key);
        auto k = keys.find(folded);
        if (k == keys.end())
            k = keys.insert(folded, Key{spellNewKey(keys, key), {}, {}});
        const QString foldedName = fold(name);
        // A damaged value of that name gives way to the new one.
        k->damaged.remove(foldedName);
        auto v = k->values.find(foldedName);
        if (v == k->values.end())
            k->values.insert(foldedName, Entry{name, value});
        else if (v->value == value)
            return false;
        else
            v->value = value;
        return true;
    });
    deliverNotice();
    return status;
}

SettingsFile::Status SettingsFile::removeValue(const QString &key, const QString &name)
{
    if (!isValidKeyPath(key))
        return fail(Status::KeyNotCreated, QStringLiteral("the key path \"%1\" is not valid").arg(key));
    const Status status = modify([&](Keys &keys) {
        auto k = keys.find(fold(key));
        if (k == keys.end())
            return false;
        const bool damaged = k->damaged.remove(fold(name));
        return k->values.remove(fold(name)) || damaged;
    });
    deliverNotice();
    return status;
}

SettingsFile::Status SettingsFile::fail(Status status, const QString &reason)
{
    lastError_ = reason;
    return status;
}

SettingsFile::Status SettingsFile::modify(const std::function<bool(Keys &)> &change)
{
    if (path_.isEmpty())
        return fail(Status::KeyNotCreated, QStringLiteral("no folder for the settings is known"));
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return fail(Status::KeyNotCreated,
                    QStringLiteral("the folder \"%1\" cannot be created").arg(QDir::toNativeSeparators(folder)));
    QLockFile lock(lockPathOf(path_));
    if (!lock.tryLock(lockTimeoutMs_)) {
        const QString lockFile = QDir::toNativeSeparators(lockPathOf(path_));
        return fail(Status::KeyNotCreated,
                    lock.error() == QLockFile::LockFailedError
                        ? QStringLiteral("another copy of the program holds the lock file \"%1\"").arg(lockFile)
                        : QStringLiteral("the lock file \"%1\" cannot be created%2")
                              .arg(lockFile, whyNoLockFile(folder, lockPathOf(path_))));
    }

    // Another copy may have written since we last looked: start from the file as it is now.
    const Load load = reload(true);
    if (load == Load::Unreadable)
        return fail(Status::WriteFailed, QStringLiteral("the file cannot be read: %1").arg(loadError_));
    if (load == Load::Corrupt && corruptHash_ && !corruptKept_)
        return fail(Status::WriteFailed, QStringLiteral("the file is damaged and could not be kept aside"));

    Keys next = keys_;
    lastError_.clear();
    if (!change(next))
        return Status::Ok;
    const QByteArray bytes = serialize(next, generation_ + 1);
    if (!writer_->write(path_, bytes)) {
        const QString reason = writer_->reason();
        return fail(Status::WriteFailed, reason.isEmpty() ? QStringLiteral("the file cannot be written") : reason);
    }
    keys_ = std::move(next);
    ++generation_;
    hash_ = hashOf(bytes);
    signature_ = stat();
    racy_ = isRacy(signature_);
    loaded_ = true;
    corruptHash_.reset();
    touchSiblings();
    return Status::Ok;
}

QByteArray SettingsFile::serialize(const Keys &keys, std::uint64_t generation) const
{
    QJsonObject keysJson;
    for (const Key &k : keys) {
        QJsonObject values;
        for (const Entry &e : k.values) {
            QJsonObject v;
            v.insert(QLatin1String("type"), typeToJson(e.value.type));
            v.insert(QLatin1String("data"), dataToJson(e.value));
            values.insert(e.name, v);
        }
        for (const Damaged &d : k.damaged)
            values.insert(d.name, d.raw);
        keysJson.insert(k.path, values);
    }
    QJsonObject root;
    root.insert(QLatin1String("generation"), double(generation));
    root.insert(QLatin1String("keys"), keysJson);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool SettingsFile::parse(const QByteArray &bytes, Keys &keys, std::uint64_t &generation)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject root = doc.object();
    const QJsonValue gen = root.value(QLatin1String("generation"));
    if (!gen.isUndefined()) {
        const double g = gen.toDouble(-1);
        if (!gen.isDouble() || g < 0 || g > 9007199254740992.0 || g != std::floor(g))
            return false;
        generation = static_cast<std::uint64_t>(g);
    }
    const QJsonValue keysJson = root.value(QLatin1String("keys"));
    if (keysJson.isUndefined())
        return true;
    if (!keysJson.isObject())
        return false;
    const QJsonObject keysObject = keysJson.toObject();
    for (auto k = keysObject.begin(); k != keysObject.end(); ++k) {
        if (!isValidKeyPath(k.key()) || !k.value().isObject())
            return false;
        auto &key = keys[fold(k.key())];
        if (key.path.isEmpty())
            key.path = k.key();
        const QJsonObject values = k.value().toObject();
        for (auto v = values.begin(); v != values.end(); ++v) {
            // A name spelt twice in other cases (a hand edit) keeps its first entry.
            const QString folded = fold(v.key());
            if (key.values.contains(folded) || key.damaged.contains(folded))
                continue;
            // One value of the wrong shape costs that value only: it is kept as it stands
            // and reads as absent, and every other value is read.
            SettingsValue value;
            if (valueFromJson(v.value(), value))
                key.values.insert(folded, Entry{v.key(), value});
            else
                key.damaged.insert(folded, Damaged{v.key(), v.value()});
        }
    }
    return true;
}

#include "store/SavedHeaders.h"

#include <QFile>
#include <sys/stat.h>

SavedHeaders::Stamp SavedHeaders::stampOf(const QString &path)
{
    // One stat gives what a kept header is checked against; the file's own time in
    // nanoseconds, with no conversion to local time for each of thousands of files.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return {static_cast<qint64>(st.st_size), static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::optional<SavedGameInfo> SavedHeaders::kept(const QString &path) const
{
    const auto found = entries_.constFind(path);
    if (found == entries_.constEnd())
        return std::nullopt;
    const Stamp now = stampOf(path);
    if (now.bytes < 0 || found->bytes != now.bytes || found->modifiedNs != now.modifiedNs)
        return std::nullopt;
    return found->info;
}

void SavedHeaders::keep(const QString &path, qint64 bytes, qint64 modifiedNs, const SavedGameInfo &info)
{
    if (bytes >= 0)
        entries_.insert(path, Entry{bytes, modifiedNs, info});
}

SavedGameInfo SavedHeaders::read(const QString &path)
{
    const Stamp stamp = stampOf(path);
    const bool regular = stamp.bytes >= 0;
    const qint64 bytes = stamp.bytes;
    const qint64 modified = stamp.modifiedNs;
    const auto found = entries_.constFind(path);
    if (found != entries_.constEnd() && regular && found->bytes == bytes && found->modifiedNs == modified)
        return found->info;
    // A file that cannot be read is forgotten, so it is tried again next time.
    entries_.remove(path);
    Entry entry{bytes, modified, mFile::ReadGameHeader(path)};
    if (regular)
        entries_.insert(path, entry);
    return entry.info;
}

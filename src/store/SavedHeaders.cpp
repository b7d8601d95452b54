#include "store/SavedHeaders.h"

#include <QDateTime>
#include <QFileInfo>

SavedGameInfo SavedHeaders::read(const QString &path)
{
    const QFileInfo file(path);
    const qint64 bytes = file.size();
    const qint64 modifiedMs = file.lastModified().toMSecsSinceEpoch();
    const auto found = entries_.constFind(path);
    if (found != entries_.constEnd() && file.isFile() && found->bytes == bytes && found->modifiedMs == modifiedMs)
        return found->info;
    // A file that cannot be read is forgotten, so it is tried again next time.
    entries_.remove(path);
    Entry entry{bytes, modifiedMs, mFile::ReadGameHeader(path)};
    if (file.isFile())
        entries_.insert(path, entry);
    return entry.info;
}

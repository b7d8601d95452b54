#include "store/SavedHeaders.h"

SavedGameInfo SavedHeaders::read(const QString &path)
{
    const RegularFile::Stamp stamp = RegularFile::stampOf(path);
    const auto found = entries_.constFind(path);
    if (found != entries_.constEnd() && found->stamp.sameFile(stamp))
        return found->info;
    // A file that cannot be read is forgotten, so it is tried again next time.
    entries_.remove(path);
    Entry entry{stamp, mFile::ReadGameHeader(path)};
    if (stamp.regular)
        entries_.insert(path, entry);
    return entry.info;
}

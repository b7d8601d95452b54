#include "store/SavedHeaders.h"

std::optional<SavedGameInfo> SavedHeaders::kept(const QString &path) const
{
    const auto found = entries_.constFind(path);
    if (found == entries_.constEnd() || !found->stamp.sameFile(RegularFile::stampOf(path)))
        return std::nullopt;
    return found->info;
}

void SavedHeaders::keep(const QString &path, const RegularFile::Stamp &stamp, const SavedGameInfo &info)
{
    if (stamp.regular)
        entries_.insert(path, Entry{stamp, info});
}

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

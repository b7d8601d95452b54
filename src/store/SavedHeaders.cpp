#include "store/SavedHeaders.h"

#include <QFile>
#include <sys/stat.h>

SavedGameInfo SavedHeaders::read(const QString &path)
{
    // One stat gives what a kept header is checked against; the file's own time in
    // nanoseconds, with no conversion to local time for each of thousands of files.
    struct stat st {};
    const bool regular = ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
    const qint64 bytes = regular ? static_cast<qint64>(st.st_size) : -1;
    const qint64 modified = regular ? static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec : 0;
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

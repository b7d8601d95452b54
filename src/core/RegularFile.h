// Reading a file that may be anything: only a regular file (or a link to one) is read,
// it is opened without ever waiting (a FIFO, a socket or a device in its place is seen
// after the open, by the opened descriptor, so nothing can take the name in between),
// and no more is read, or held, than a limit allows and the file holds.
#pragma once

#include <QByteArray>
#include <QString>

namespace RegularFile {

enum class Status {
    Ok,
    Missing,    // nothing has the name
    Folder,     // a folder has it
    NotRegular, // a FIFO, socket or device has it: it was not read
    TooLarge,   // the file holds more than the limit
    Failed,     // it could not be opened or read: error holds the system's number
};

// An open regular file: its descriptor (the caller closes it) and its size when opened.
struct Opened {
    Status status = Status::Failed;
    int fd = -1;
    qint64 size = 0;
    int error = 0;
};
Opened open(const QString &path);

struct Content {
    Status status = Status::Failed;
    QByteArray bytes;
    int error = 0;
    // True when the read stopped after maxLines line ends, with more of the file after them.
    bool cut = false;
};
enum class Limit {
    Whole, // the file must fit in maxBytes, else TooLarge
    Head,  // the first maxBytes, whatever the file's size
};
// The file's bytes. With maxLines >= 0 the read also stops once that many lines have
// ended and more follows (a line ends at CR LF, LF or CR).
Content read(const QString &path, qint64 maxBytes, Limit limit = Limit::Whole, qsizetype maxLines = -1);

// What a copy of a file kept in memory is checked against: whether it is a regular file,
// its size and its modification time in nanoseconds, all from one stat (no conversion to
// local time, which costs much for thousands of files).
struct Stamp {
    bool regular = false;
    qint64 bytes = -1;
    qint64 modifiedNs = 0;
    // Equal stamps of a regular file: the file is unchanged since the first was taken.
    bool sameFile(const Stamp &other) const
    {
        return regular && other.regular && bytes == other.bytes && modifiedNs == other.modifiedNs;
    }
};
Stamp stampOf(const QString &path);

} // namespace RegularFile

// A folder whose file system can be filled to the last byte. Where the test may mount
// (root), it is a small tmpfs of its own, mounted in a private mount namespace so that
// it never shows outside this test process; elsewhere a file-size limit of zero bytes on
// the process stands in, under which every write fails as it does on a full disk.
#pragma once

#include <QString>
#include <sys/resource.h>

class FullDisk {
public:
    // Puts an empty file system on the folder (an existing folder's content is hidden
    // until the end of the test).
    explicit FullDisk(const QString &folder);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // Fills the file system: a file of up to `room` bytes can still be written, any
    // bigger one fails for lack of space.
    void fill(qint64 room = 0);
    // Room again.
    void free();
    // True when the folder is a real file system of its own.
    bool mounted() const { return mounted_; }

private:
    QString folder_;
    QString filler_;
    bool mounted_ = false;
    bool limited_ = false;
    rlimit saved_{};
};

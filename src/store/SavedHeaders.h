// The saved-game headers read in this run, each kept with the size and modification time
// its file had when read, so lists of thousands of files are filled again from memory.
// Kept true: a header is served only while its file still has that size and time; a
// file changed, replaced or gone since is read anew (or raises as a first read does).
#pragma once

#include <QHash>
#include <QString>
#include <optional>

#include "store/mFile.h"

class SavedHeaders {
public:
    // The header of the file as mFile::ReadGameHeader gives it, with the same errors.
    SavedGameInfo read(const QString &path);
    // The kept header of the file while it still has the size and time it was read at;
    // none otherwise. Never reads the file.
    std::optional<SavedGameInfo> kept(const QString &path) const;
    // Keeps a header read elsewhere, with the size and time its file had then.
    void keep(const QString &path, qint64 bytes, qint64 modifiedNs, const SavedGameInfo &info);
    // How many headers are kept.
    qsizetype size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

    // What a kept header is checked against: a regular file's size and modification time.
    struct Stamp {
        qint64 bytes = -1; // -1: no regular file
        qint64 modifiedNs = 0;
        bool operator==(const Stamp &) const = default;
    };
    static Stamp stampOf(const QString &path);

private:
    struct Entry {
        qint64 bytes = -1;
        qint64 modifiedNs = 0;
        SavedGameInfo info;
    };
    QHash<QString, Entry> entries_;
};

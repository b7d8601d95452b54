// The saved-game headers read in this run, each kept with the size and modification time
// its file had when read, so lists of thousands of files are filled again from memory.
// Kept true: a header is served only while its file still has that size and time; a
// file changed, replaced or gone since is read anew (or raises as a first read does).
#pragma once

#include <QHash>
#include <QString>
#include <optional>

#include "core/RegularFile.h"
#include "store/mFile.h"

class SavedHeaders {
public:
    // The header of the file as mFile::ReadGameHeader gives it, with the same errors.
    SavedGameInfo read(const QString &path);
    // The kept header of the file while it still has the size and time it was read at;
    // none otherwise. Never reads the file.
    std::optional<SavedGameInfo> kept(const QString &path) const;
    // Keeps a header read elsewhere, with the stamp its file had then.
    void keep(const QString &path, const RegularFile::Stamp &stamp, const SavedGameInfo &info);
    // How many headers are kept.
    qsizetype size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

private:
    struct Entry {
        RegularFile::Stamp stamp;
        SavedGameInfo info;
    };
    QHash<QString, Entry> entries_;
};

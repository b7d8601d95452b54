// Reading and writing the program's text files. Two data styles share this module:
// the record style (quoted strings, bare numbers, commas) and the printed style
// (a leading blank or "-", the digits, a trailing blank). Every line written ends
// with CR LF and files are UTF-8; reading accepts CR LF, LF or CR and falls back to
// Windows-1252 for bytes that are not UTF-8. Every rewrite is atomic.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace TextFile {

// --- reading ---------------------------------------------------------------

// Reads never wait and never run unbounded: only regular files (or links to them) are
// opened, never a FIFO, socket or device, and a whole file is read only up to this size,
// far beyond any file the program writes (a saved game of 32,700 moves is under 2 MB).
constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

// The file's bytes; raises "File not found" (53) when it is missing and the access
// error (75), naming the file, when it cannot be read, is no regular file or is larger
// than MaxFileBytes.
QByteArray readBytes(const QString &path);
// At most the first maxBytes of the file, with the same errors but for the size.
QByteArray readHead(const QString &path, qint64 maxBytes);
// Raises the same errors as readHead when the file could not be read: for a file chosen
// in a dialog, so that a FIFO or device is refused by name rather than ignored.
void requireRegularFile(const QString &path);
// UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString decode(const QByteArray &bytes);
// Splits at CR LF, LF or CR. A final line end does not start another line.
QStringList splitLines(const QString &text);
QStringList readLines(const QString &path);
// At most maxLines lines and a part of the next, when the file has more: enough to tell
// that it has too many, without reading (or holding) the rest.
QStringList readLines(const QString &path, qsizetype maxLines);

// --- writing ---------------------------------------------------------------

// Replaces the file atomically, the new content synced to disk first: the old content
// stays when anything fails (a full disk included), and the failure raises the access
// error (75) naming the path and the reason.
void writeAtomic(const QString &path, const QByteArray &bytes);
// Each line followed by CR LF, UTF-8.
QByteArray joinLines(const QStringList &lines);
void writeLines(const QString &path, const QStringList &lines);
// Writes a new file only if nothing has that name yet: the content goes to a
// temporary file first and is moved into place without replacing anything.
// Returns false (and leaves no file behind) when the name was taken; any other failure
// raises the access error (75) and leaves no file either.
bool createExclusive(const QString &path, const QByteArray &bytes);

// --- record style ----------------------------------------------------------

// The text in double quotes. A quoted field runs to the next quote and a record to the
// line's end, so a text holding a double quote, a line break or any other control
// character could not be read back: it is refused with the invalid-argument error (5),
// which names the text, before anything is written.
QString quoted(const QString &text);
// True when quoted accepts the text.
bool isQuotable(const QString &text);

struct Field {
    QString text;
    bool quoted = false;
};
// Splits one record line into its comma-separated fields. A quoted field runs to
// its closing quote (commas inside it are kept); blanks around fields are dropped.
QList<Field> parseRecord(const QString &line);

// --- printed style ---------------------------------------------------------

// " 12 " for 12, "-3 " for -3.
QString printed(std::int64_t value);
// A whole number with optional blanks around it; raises the type-mismatch error (13)
// for anything else and the overflow error beyond 64 bits.
std::int64_t parseInteger(const QString &token);
std::int16_t parseInt16(const QString &token);
// The whole numbers of a printed line: separated by blanks or commas.
QList<std::int64_t> parseNumbers(const QString &line);

} // namespace TextFile

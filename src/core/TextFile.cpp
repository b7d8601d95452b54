#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QRegularExpression>
#include <algorithm>

#include <algorithm>

#include "core/AppError.h"
#include "core/DurableWrite.h"
#include "core/Numbers.h"
#include "core/RegularFile.h"

namespace TextFile {

namespace {
[[noreturn]] void refuseSpecial(const QString &path)
{
    raiseError(err::PathFileAccess,
               QStringLiteral("Path/File access error: %1 is not a regular file and is not read").arg(path));
}

[[noreturn]] void refuseSize(const QString &path)
{
    raiseError(err::PathFileAccess, QStringLiteral("Path/File access error: %1 is larger than %2 MB and is not read")
                                        .arg(path, QString::number(MaxFileBytes / (1024 * 1024))));
}

// The whole file, or its head: at most maxBytes, where a negative maxBytes asks for the
// whole file, which is refused beyond MaxFileBytes. With maxLines >= 0 the read stops
// once that many lines have ended and more follows.
QByteArray readUpTo(const QString &path, qint64 maxBytes, qsizetype maxLines = -1)
{
    const bool whole = maxBytes < 0;
    const RegularFile::Content content = RegularFile::read(
        path, whole ? MaxFileBytes : maxBytes, whole ? RegularFile::Limit::Whole : RegularFile::Limit::Head, maxLines);
    switch (content.status) {
    case RegularFile::Status::Ok: break;
    case RegularFile::Status::Missing:
    case RegularFile::Status::Folder: raiseError(err::FileNotFound, QStringLiteral("File not found: %1").arg(path));
    case RegularFile::Status::NotRegular: refuseSpecial(path);
    case RegularFile::Status::TooLarge: refuseSize(path);
    case RegularFile::Status::Failed:
        raiseError(err::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(path));
    }
    return content.bytes;
}
} // namespace

QByteArray readBytes(const QString &path)
{
    return readUpTo(path, -1);
}

void requireRegularFile(const QString &path)
{
    readUpTo(path, 0);
}

QByteArray readHead(const QString &path, qint64 maxBytes)
{
    return readUpTo(path, std::max<qint64>(maxBytes, 0));
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    // Windows-1252: Latin-1 except for the printable characters in 0x80..0x9F.
    static constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString result;
    result.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        result.append(b >= 0x80 && b < 0xA0 ? QChar(high[b - 0x80]) : QChar(b));
    }
    return result;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList readLines(const QString &path)
{
    return splitLines(decode(readBytes(path)));
}

QStringList readLines(const QString &path, qsizetype maxLines)
{
    return splitLines(decode(readUpTo(path, -1, maxLines)));
}

void writeAtomic(const QString &path, const QByteArray &bytes)
{
    QString reason;
    if (!DurableWrite::replaceFile(path, bytes, reason))
        raiseError(err::PathFileAccess, QStringLiteral("Could not write the file %1: %2").arg(path, reason));
}

QByteArray joinLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

void writeLines(const QString &path, const QStringList &lines)
{
    writeAtomic(path, joinLines(lines));
}

bool createExclusive(const QString &path, const QByteArray &bytes)
{
    QString reason;
    switch (DurableWrite::createFile(path, bytes, reason)) {
    case DurableWrite::Created::Yes: return true;
    case DurableWrite::Created::NameTaken: return false;
    case DurableWrite::Created::Failed: break;
    }
    raiseError(err::PathFileAccess, QStringLiteral("Could not write the file %1: %2").arg(path, reason));
}

bool isQuotable(const QString &text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u == u'"' || u < 0x20 || u == 0x7F;
    });
}

QString quoted(const QString &text)
{
    if (!isQuotable(text))
        raiseError(err::InvalidCall,
                   QStringLiteral("The text \u201c%1\u201d cannot be written to a file: it may not hold a double quote "
                                  "(\"), a line break or another control character.")
                       .arg(QString(text).replace(u'\r', u' ').replace(u'\n', u' ')));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QList<Field> parseRecord(const QString &line)
{
    QList<Field> fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (true) {
        while (i < n && (line[i] == u' ' || line[i] == u'\t'))
            ++i;
        Field field;
        if (i < n && line[i] == u'"') {
            field.quoted = true;
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            field.text = line.mid(i + 1, end - i - 1);
            i = close < 0 ? n : close + 1;
            while (i < n && line[i] != u',')
                ++i;
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            const qsizetype end = comma < 0 ? n : comma;
            field.text = line.mid(i, end - i).trimmed();
            i = end;
        }
        fields.append(field);
        if (i >= n)
            break;
        ++i; // the comma
    }
    return fields;
}

QString printed(std::int64_t value)
{
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
           QString::number(value < 0 ? -static_cast<unsigned long long>(value)
                                     : static_cast<unsigned long long>(value)) +
           QStringLiteral(" ");
}

std::int64_t parseInteger(const QString &token)
{
    const QString t = token.trimmed();
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok, 10);
    if (ok)
        return value;
    // A string of digits that does not fit is an overflow, anything else a mismatch.
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
    if (digits.match(t).hasMatch())
        raiseError(err::Overflow);
    raiseError(err::TypeMismatch);
}

std::int16_t parseInt16(const QString &token)
{
    return toInt16(parseInteger(token));
}

QList<std::int64_t> parseNumbers(const QString &line)
{
    QList<std::int64_t> numbers;
    static const QRegularExpression separators(QStringLiteral("[ \\t,]+"));
    const QStringList tokens = line.split(separators, Qt::SkipEmptyParts);
    for (const QString &token : tokens)
        numbers.append(parseInteger(token));
    return numbers;
}

} // namespace TextFile

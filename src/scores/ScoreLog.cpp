#include "scores/ScoreLog.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <unordered_map>
#include <sys/stat.h>
#include <unistd.h>

#include "core/AppError.h"
#include "core/DurableWrite.h"
#include "core/RegularFile.h"
#include "core/TextFile.h"
#include "scores/cScore.h"

namespace ScoreLog {
namespace {

struct RawField {
    std::string_view text;
    bool quoted = false;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Exactly seven fields; a quoted field runs to its closing quote, which only blanks
// may follow before the comma.
bool splitFields(std::string_view line, std::array<RawField, 7> &fields)
{
    std::size_t i = 0;
    const std::size_t n = line.size();
    std::size_t count = 0;
    while (true) {
        if (count == fields.size())
            return false;
        while (i < n && isBlank(line[i]))
            ++i;
        RawField &field = fields[count++];
        if (i < n && line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos)
                return false;
            field.text = line.substr(i + 1, close - i - 1);
            field.quoted = true;
            i = close + 1;
            while (i < n && isBlank(line[i]))
                ++i;
            if (i < n && line[i] != ',')
                return false;
        } else {
            std::size_t comma = line.find(',', i);
            if (comma == std::string_view::npos)
                comma = n;
            field.text = trimmed(line.substr(i, comma - i));
            field.quoted = false;
            i = comma;
        }
        if (i >= n)
            break;
        ++i; // the comma
    }
    return count == fields.size();
}

// A whole number within lo..hi: an optional sign and up to 18 digits.
bool readInteger(std::string_view s, std::int64_t lo, std::int64_t hi, std::int64_t &value)
{
    s = trimmed(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 18)
        return false;
    std::int64_t v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    v = negative ? -v : v;
    if (v < lo || v > hi)
        return false;
    value = v;
    return true;
}

QString decodeText(std::string_view bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return TextFile::decode(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

int digitsAt(std::string_view s, std::size_t pos, std::size_t count)
{
    if (pos + count > s.size())
        return -1;
    int v = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return -1;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}

// Reads 1 or 2 digits from pos; moves pos past them.
int shortNumber(std::string_view s, std::size_t &pos)
{
    int v = 0;
    std::size_t start = pos;
    while (pos < s.size() && pos - start < 2 && s[pos] >= '0' && s[pos] <= '9')
        v = v * 10 + (s[pos++] - '0');
    return pos == start ? -1 : v;
}

// Game names repeat on nearly every line: one string per name shares its text.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using NameCache = std::unordered_map<std::string, QString, NameHash, std::equal_to<>>;

bool parseInto(std::string_view line, ScoreRecord &record, NameCache *names)
{
    std::array<RawField, 7> f;
    if (!splitFields(line, f))
        return false;
    std::int64_t number = 0, time = 0, moves = 0, score = 0, won = 0;
    if (f[3].quoted || !readInteger(f[3].text, INT32_MIN, INT32_MAX, time))
        return false;
    if (f[4].quoted || !readInteger(f[4].text, INT32_MIN, INT32_MAX, moves))
        return false;
    if (f[5].quoted || !readInteger(f[5].text, INT32_MIN, INT32_MAX, score))
        return false;
    if (f[6].quoted || !readInteger(f[6].text, INT16_MIN, INT16_MAX, won))
        return false;
    constexpr std::int64_t kMaxGameNo = 999'999'999'999'999; // 15 digits
    if (!readInteger(f[2].text, -kMaxGameNo, kMaxGameNo, number))
        return false;
    if (f[2].quoted) {
        const std::string_view digits = trimmed(f[2].text);
        record.GameNo = GameNumber::fromText(QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size())));
    } else {
        record.GameNo = GameNumber::fromNumber(number);
    }
    record.Time = static_cast<std::int32_t>(time);
    record.Moves = static_cast<std::int32_t>(moves);
    record.Score = static_cast<std::int32_t>(score);
    record.Won = static_cast<std::int16_t>(won);
    record.DateText = decodeText(f[0].text);
    if (names) {
        auto it = names->find(f[1].text);
        if (it == names->end())
            it = names->emplace(std::string(f[1].text), decodeText(f[1].text)).first;
        record.GameName = it->second;
    } else {
        record.GameName = decodeText(f[1].text);
    }
    QDate date;
    if (ReadDate(f[0].text, date)) {
        record.DayNo = static_cast<std::int32_t>(date.toJulianDay());
        record.MonthNo = date.year() * 12 + date.month() - 1;
    } else {
        record.DayNo = ScoreRecord::kNoDate;
        record.MonthNo = 0;
    }
    return true;
}

[[noreturn]] void raiseLogError(const QString &what, const QString &path, const QFile &file)
{
    raiseError(err::PathFileAccess, QStringLiteral("%1 the score log %2: %3").arg(what, path, file.errorString()));
}

[[noreturn]] void raiseNotAFile(const QString &path)
{
    raiseError(err::PathFileAccess, QStringLiteral("The score log %1 is not a regular file").arg(path));
}

[[noreturn]] void raiseTooLarge(const QString &path)
{
    raiseError(err::PathFileAccess, QStringLiteral("The score log %1 is larger than %2 MB and is not read")
                                        .arg(path)
                                        .arg(kMaxLogBytes / 1'000'000));
}

} // namespace

QByteArray FormatLine(const ScoreRecord &r)
{
    QByteArray line;
    line.reserve(64);
    line += '"' + r.DateText.toUtf8() + "\",\"" + r.GameName.toUtf8() + "\",";
    // A number held as text keeps its text ("007"); a number is written as its digits.
    line += r.GameNo.isText() ? '"' + r.GameNo.text().toUtf8() + '"' : QByteArray::number(r.GameNo.value());
    line += ',' + QByteArray::number(r.Time) + ',' + QByteArray::number(r.Moves) + ',' + QByteArray::number(r.Score) +
            ',' + QByteArray::number(r.Won);
    return line;
}

bool ParseLine(std::string_view line, ScoreRecord &record)
{
    return parseInto(line, record, nullptr);
}

bool ReadDate(std::string_view text, QDate &date)
{
    text = trimmed(text);
    int y = -1, m = -1, d = -1;
    std::size_t end = 0;
    if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
        y = digitsAt(text, 0, 4);
        m = digitsAt(text, 5, 2);
        d = digitsAt(text, 8, 2);
        end = 10;
        // Only a time may follow the date: after a blank or ISO's "T".
        if (end < text.size() && text[end] != ' ' && text[end] != 'T')
            return false;
    } else {
        // M/d/yyyy, then an optional time.
        std::size_t pos = 0;
        m = shortNumber(text, pos);
        if (m < 0 || pos >= text.size() || text[pos++] != '/')
            return false;
        d = shortNumber(text, pos);
        if (d < 0 || pos >= text.size() || text[pos++] != '/')
            return false;
        y = digitsAt(text, pos, 4);
        end = pos + 4;
        if (end < text.size() && text[end] != ' ')
            return false;
    }
    if (y < 0 || m < 0 || d < 0)
        return false;
    // A time after the date must at least begin with a digit.
    if (end < text.size() && (end + 1 >= text.size() || text[end + 1] < '0' || text[end + 1] > '9'))
        return false;
    const QDate result(y, m, d);
    if (!result.isValid())
        return false;
    date = result;
    return true;
}

void SetDateNumbers(ScoreRecord &record)
{
    QDate date;
    const QByteArray text = record.DateText.toUtf8();
    if (ReadDate(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), date)) {
        record.DayNo = static_cast<std::int32_t>(date.toJulianDay());
        record.MonthNo = date.year() * 12 + date.month() - 1;
    } else {
        record.DayNo = ScoreRecord::kNoDate;
        record.MonthNo = 0;
    }
}

void AppendLine(const QString &path, const QByteArray &line)
{
    // Only a regular file is a log: a pipe or a device in its place would swallow the line.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        raiseNotAFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        raiseLogError(QStringLiteral("Could not open"), path, file);
    QByteArray bytes;
    bytes.reserve(line.size() + 4);
    const qint64 size = file.size();
    if (size > 0) {
        char last = 0;
        if (!file.seek(size - 1) || !file.getChar(&last))
            raiseLogError(QStringLiteral("Could not read"), path, file);
        if (last != '\n' && last != '\r')
            bytes += "\r\n";
    }
    bytes += line;
    bytes += "\r\n";
    // Written straight to the descriptor, which is opened for appending, so that a short
    // write is seen with the system's reason; the log is then cut back to its old length.
    const int fd = file.handle();
    int error = 0;
    if (!DurableWrite::writeAll(fd, bytes, error)) {
        struct stat st {};
        const bool partial = ::fstat(fd, &st) == 0 && st.st_size > size;
        if (partial && ::ftruncate(fd, static_cast<off_t>(size)) != 0)
            raiseError(err::PathFileAccess,
                       QStringLiteral("Could not write the score log %1: %2; its last line is incomplete")
                           .arg(path, DurableWrite::reasonOf(error)));
        raiseError(err::PathFileAccess,
                   QStringLiteral("Could not write the score log %1: %2").arg(path, DurableWrite::reasonOf(error)));
    }
    file.close();
}

void ReadLog(const QString &path, const QString &player, std::vector<ScoreRecord> &records)
{
    // Opened without waiting and read only as a regular file: a pipe would block, a device never ends.
    const RegularFile::Opened opened = RegularFile::open(path);
    switch (opened.status) {
    case RegularFile::Status::Ok: break;
    case RegularFile::Status::Missing: return;
    case RegularFile::Status::Folder:
    case RegularFile::Status::NotRegular: raiseNotAFile(path);
    case RegularFile::Status::TooLarge: raiseTooLarge(path);
    case RegularFile::Status::Failed:
        raiseError(
            err::PathFileAccess,
            QStringLiteral("Could not read the score log %1: %2").arg(path, DurableWrite::reasonOf(opened.error)));
    }
    QFile file;
    if (!file.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opened.fd);
        raiseLogError(QStringLiteral("Could not read"), path, file);
    }
    if (opened.size > kMaxLogBytes)
        raiseTooLarge(path);
    const std::size_t before = records.size();
    NameCache names;
    ScoreRecord record;
    record.Player = player;
    // Read in blocks, so a long log never stands in memory twice.
    constexpr qint64 kBlock = 1 << 20;
    // A line longer than this is no record (a name is at most a file name): it is dropped
    // as it comes, so that a log of zeros or garbage never piles up in memory.
    constexpr qsizetype kMaxLine = 64 * 1024;
    QByteArray buffer;
    qint64 total = 0;
    bool atEnd = false;
    bool skipping = false; // inside an overlong line, up to its line end
    while (!atEnd) {
        const QByteArray block = file.read(kBlock);
        if (block.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                records.resize(before);
                raiseLogError(QStringLiteral("Could not read"), path, file);
            }
            atEnd = true;
        }
        // A log that grows while it is read is held to the same bound.
        total += block.size();
        if (total > kMaxLogBytes) {
            records.resize(before);
            raiseTooLarge(path);
        }
        buffer += block;
        const std::string_view text(buffer.constData(), static_cast<std::size_t>(buffer.size()));
        std::size_t start = 0;
        if (skipping) {
            const std::size_t stop = text.find_first_of("\r\n");
            if (stop == std::string_view::npos) {
                buffer.clear();
                continue;
            }
            start = stop + 1;
            skipping = false;
        }
        while (start < text.size()) {
            const std::size_t stop = text.find_first_of("\r\n", start);
            if (stop == std::string_view::npos && !atEnd)
                break; // the rest comes with the next block
            const std::size_t end = stop == std::string_view::npos ? text.size() : stop;
            if (end > start && parseInto(text.substr(start, end - start), record, &names))
                records.push_back(record);
            start = end + 1;
        }
        buffer.remove(0, static_cast<qsizetype>(std::min(start, text.size())));
        if (buffer.size() > kMaxLine) {
            buffer.clear();
            skipping = true;
        }
    }
}

} // namespace ScoreLog

#include "store/mFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>

#include "core/AppError.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "shell/Context.h"
#include "store/cData.h"

namespace mFile {

QString FormatDate(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString FileDate(const QString &path)
{
    const QFileInfo info(path);
    QDateTime when = info.birthTime();
    if (!when.isValid())
        when = info.lastModified();
    return FormatDate(when);
}

SavedGameInfo ParseGameHeader(const QStringList &lines, const QString &path)
{
    if (lines.size() < 18)
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1 has %2 of the 18 header lines")
                                          .arg(path, QString::number(lines.size())));
    // A bad value raises its own error number, with the place it was found.
    auto at = [&](int line, auto read) {
        try {
            return read(lines[line - 1]);
        } catch (const AppError &e) {
            raiseError(e.number(), QStringLiteral("%1 in line %2 of %3")
                                       .arg(AppError::standardText(e.number()), QString::number(line), path));
        }
    };
    auto int16At = [&](int line) { return at(line, [](const QString &s) { return TextFile::parseInt16(s); }); };
    SavedGameInfo info;
    info.GameName = lines[0];
    info.GameNo = at(2, [](const QString &s) {
        const std::int64_t number = TextFile::parseInteger(s);
        if (number > 999999999999999LL || number < -999999999999999LL)
            raiseError(err::Overflow);
        return GameNumber::fromNumber(number);
    });
    info.Time = at(3, [](const QString &s) { return toInt32(TextFile::parseInteger(s)); });
    info.Moves = int16At(4);
    info.Score = int16At(5);
    info.Percentage = int16At(6);
    std::int16_t *const values[12] = {&info.GOrder, &info.GBase,  &info.GCards, &info.HOrder,
                                      &info.HSpace, &info.HPiles, &info.HAK,    &info.HMulti,
                                      &info.RPiles, &info.RCards, &info.MOrder, &info.Suits};
    for (int i = 0; i < 12; ++i)
        *values[i] = int16At(7 + i);
    return info;
}

SavedGameInfo ReadGameHeader(const QString &path)
{
    SavedGameInfo info = ParseGameHeader(TextFile::readLines(path), path);
    info.DatePlayed = FileDate(path);
    return info;
}

bool IsFinishedGameFile(const Context &ctx, const QString &path)
{
    const QString ext = ctx.data().FinExt();
    return path.size() >= ext.size() && path.right(ext.size()).compare(ext, Qt::CaseInsensitive) == 0;
}

FavoriteInfo ReadFavRecord(const QString &path)
{
    const QStringList lines = TextFile::readLines(path);
    if (lines.isEmpty())
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1").arg(path));
    const QList<TextFile::Field> fields = TextFile::parseRecord(lines.front());
    if (fields.size() < 4)
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1").arg(path));
    if (!fields[0].quoted || !fields[2].quoted)
        raiseError(err::TypeMismatch, QStringLiteral("Not a favourite: %1").arg(path));
    FavoriteInfo info;
    info.GameName = fields[0].text;
    info.GameNo = fields[1].quoted ? GameNumber::fromText(fields[1].text)
                                   : GameNumber::fromNumber(TextFile::parseInteger(fields[1].text));
    info.AddedBy = fields[2].text;
    QString date = fields[3].text.trimmed();
    if (date.size() < 2 || !date.startsWith(QLatin1Char('#')) || !date.endsWith(QLatin1Char('#')))
        raiseError(err::TypeMismatch, QStringLiteral("Not a favourite: %1").arg(path));
    info.DateCreated = date.mid(1, date.size() - 2);
    return info;
}

} // namespace mFile

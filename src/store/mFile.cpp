#include "store/mFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>

#include "core/AppError.h"
#include "core/Numbers.h"
#include "core/TextFile.h"

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

SavedGameInfo ReadGameHeader(const QString &path)
{
    const QStringList lines = TextFile::readLines(path);
    if (lines.size() < 18)
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1").arg(path));
    SavedGameInfo info;
    info.GameName = lines[0];
    const std::int64_t number = TextFile::parseInteger(lines[1]);
    if (number > 999999999999999LL || number < -999999999999999LL)
        raiseError(err::Overflow);
    info.GameNo = GameNumber::fromNumber(number);
    info.Time = toInt32(TextFile::parseInteger(lines[2]));
    info.Moves = TextFile::parseInt16(lines[3]);
    info.Score = TextFile::parseInt16(lines[4]);
    info.Percentage = TextFile::parseInt16(lines[5]);
    std::int16_t *const values[12] = {&info.GOrder, &info.GBase,  &info.GCards, &info.HOrder,
                                      &info.HSpace, &info.HPiles, &info.HAK,    &info.HMulti,
                                      &info.RPiles, &info.RCards, &info.MOrder, &info.Suits};
    for (int i = 0; i < 12; ++i)
        *values[i] = TextFile::parseInt16(lines[6 + i]);
    info.DatePlayed = FileDate(path);
    return info;
}

} // namespace mFile

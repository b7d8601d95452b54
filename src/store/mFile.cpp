#include "store/mFile.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <limits>

#include "core/AppError.h"
#include "core/FolderList.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "engine/ScratchBoard.h"
#include "engine/cEngine.h"
#include "engine/cCustom.h"
#include "engine/cPlay.h"
#include "library/mRecent.h"
#include "platform/FileDialog.h"
#include "app/Context.h"
#include "store/cRegistry.h"
#include "app/mGen1.h"
#include "store/cData.h"

namespace {

constexpr int kHeaderLines = 18;
// Every game is played with one pack: card ids and positions in a pile stay below it.
constexpr int kPackCards = 52;
// Bytes of a favourite file read: its one record line fits many times over.
constexpr qint64 kFavHeadBytes = 4096;
// Bytes read for a saved game's header: its 18 lines fit many times over, so the moves
// after it are not read when lists of many files are filled.
constexpr qint64 kGameHeadBytes = 4096;
// The most read for a header whose lines are padded beyond the usual head; a file whose
// first 18 lines do not fit in it is no saved game.
constexpr qint64 kGameHeadMaxBytes = 64 * 1024;

// The first lines of a saved-game file, from its head only. A head cut short ends at its
// last line end, so a character split at the cut cannot change how the head decodes.
QStringList headerLines(const QString &path)
{
    QStringList lines;
    for (const qint64 size : {kGameHeadBytes, kGameHeadMaxBytes}) {
        QByteArray head = TextFile::readHead(path, size);
        if (head.size() < size)
            return TextFile::splitLines(TextFile::decode(head));
        head.truncate(std::max(head.lastIndexOf('\n'), head.lastIndexOf('\r')) + 1);
        lines = TextFile::splitLines(TextFile::decode(head));
        if (lines.size() >= kHeaderLines)
            return lines;
    }
    return lines;
}

[[noreturn]] void refuse(const QString &path, int line, const QString &what, std::int64_t value, std::int64_t lo,
                         std::int64_t hi)
{
    raiseError(
        err::BadSavedGame,
        QStringLiteral("The saved game %1 cannot be opened: in line %2 %3 is %4, it must be %5 to %6.")
            .arg(path, QString::number(line), what, QString::number(value), QString::number(lo), QString::number(hi)));
}

void checkValue(const QString &path, int line, const char *what, std::int64_t value, std::int64_t lo, std::int64_t hi)
{
    if (value < lo || value > hi)
        refuse(path, line, QLatin1String(what), value, lo, hi);
}

// The definition of a game's name, as a new deal would load it; nothing for a name no
// game has, or one whose studio file cannot be read. The held definition is kept.
std::optional<GameDefinition> definitionByName(Context &ctx, const QString &name)
{
    cCustom &custom = ctx.custom();
    const GameDefinition held = custom.Definition();
    std::optional<GameDefinition> named;
    try {
        if (custom.Init(name))
            named = custom.Definition();
    } catch (const AppError &) {
        // A damaged studio file: the header's definition is tried instead.
    }
    custom.SetDefinition(held);
    return named;
}

// The definition the moves of a checked file fit on a scratch board.
GameDefinition fittingDefinition(Context &ctx, const LoadedGame &game, const QString &path)
{
    const SavedGameInfo &h = game.header;
    ScratchBoard board;
    const std::optional<GameDefinition> named = definitionByName(ctx, h.GameName);
    if (named && !board.Try(*named, h.GameNo, game.moves))
        return *named;
    const std::optional<ScratchBoard::Misfit> misfit = board.Try(h.Definition, h.GameNo, game.moves);
    if (!misfit)
        return h.Definition;
    if (misfit->move == 0)
        raiseError(err::BadSavedGame,
                   QStringLiteral("The saved game %1 cannot be opened: %2").arg(path, misfit->reason));
    const QString what = misfit->ruleBroken ? QStringLiteral("breaks the rules of the game")
                                            : QStringLiteral("does not fit the dealt game");
    raiseError(err::BadSavedGame, QStringLiteral("The saved game %1 cannot be opened: its move %2 (line %3) %4. %5")
                                      .arg(path, QString::number(misfit->move),
                                           QString::number(kHeaderLines + misfit->move), what, misfit->reason));
}

// Path separators, NUL and control characters become "_".
QString withoutSeparators(QString name)
{
    for (QChar &c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    return name;
}

QString incFilter(const cData &data)
{
    const QString ext = data.IncExt();
    return data.ProdName() + QStringLiteral(" InComplete Game (*") + ext + QStringLiteral(")|*") + ext;
}

QString finFilter(const cData &data)
{
    const QString ext = data.FinExt();
    return data.ProdName() + QStringLiteral(" Finished Game (*") + ext + QStringLiteral(")|*") + ext;
}

} // namespace

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

QString GeneralDate(const QDateTime &when)
{
    if (!when.isValid())
        return {};
    const QLocale locale;
    return when.time() == QTime(0, 0) ? locale.toString(when.date(), QLocale::ShortFormat)
                                      : locale.toString(when, QLocale::ShortFormat);
}

QString GeneralDate(const QString &stored)
{
    QDateTime when = QDateTime::fromString(stored, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!when.isValid()) {
        const QDate day = QDate::fromString(stored, QStringLiteral("yyyy-MM-dd"));
        if (day.isValid())
            when = QDateTime(day, QTime(0, 0));
    }
    return when.isValid() ? GeneralDate(when) : stored;
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
    info.GameNo = at(2, [](const QString &s) { return GameNumber::parseNumber(s); });
    info.Time = at(3, [](const QString &s) { return toInt32(TextFile::parseInteger(s)); });
    info.Moves = int16At(4);
    info.Score = int16At(5);
    info.Percentage = int16At(6);
    GameDefinition &d = info.Definition;
    d.GameName = info.GameName;
    std::int16_t *const values[12] = {&d.GOrder, &d.GBase,  &d.GCards, &d.HOrder, &d.HSpace, &d.HPiles,
                                      &d.HAK,    &d.HMulti, &d.RPiles, &d.RCards, &d.MOrder, &d.Suits};
    for (int i = 0; i < 12; ++i)
        *values[i] = int16At(7 + i);
    return info;
}

SavedGameInfo ReadGameHeader(const QString &path)
{
    SavedGameInfo info = ParseGameHeader(headerLines(path), path);
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
    // The record is one short line: only the file's head is read, so a large file that is
    // no favourite costs no more than a small one. The line is cut before decoding, so a
    // character split at the end of the head cannot change how the line decodes.
    QByteArray head = TextFile::readHead(path, kFavHeadBytes);
    const qsizetype end = head.indexOf('\n');
    const qsizetype cr = head.indexOf('\r');
    if (cr >= 0 && (end < 0 || cr < end))
        head.truncate(cr);
    else if (end >= 0)
        head.truncate(end);
    const QString line = TextFile::decode(head);
    if (line.trimmed().isEmpty())
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1").arg(path));
    const QList<TextFile::Field> fields = TextFile::parseRecord(line);
    if (fields.size() < 4)
        raiseError(err::InputPastEnd, QStringLiteral("Input past end of file: %1").arg(path));
    if (!fields[0].quoted || !fields[2].quoted)
        raiseError(err::TypeMismatch, QStringLiteral("Not a favourite: %1").arg(path));
    FavoriteInfo info;
    info.GameName = fields[0].text;
    info.GameNo = fields[1].quoted ? GameNumber::fromText(fields[1].text) : GameNumber::parseNumber(fields[1].text);
    info.AddedBy = fields[2].text;
    QString date = fields[3].text.trimmed();
    if (date.size() < 2 || !date.startsWith(QLatin1Char('#')) || !date.endsWith(QLatin1Char('#')))
        raiseError(err::TypeMismatch, QStringLiteral("Not a favourite: %1").arg(path));
    info.DateCreated = date.mid(1, date.size() - 2);
    // A date-time, or a date alone for midnight.
    if (!QDateTime::fromString(info.DateCreated, QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid() &&
        !QDate::fromString(info.DateCreated, QStringLiteral("yyyy-MM-dd")).isValid())
        raiseError(err::TypeMismatch, QStringLiteral("Not a favourite: %1").arg(path));
    return info;
}

QStringList ListGameFiles(const QString &folder, const QStringList &extensions)
{
    QStringList result{QStringLiteral("0")};
    for (const QString &name : FolderList::files(folder)) {
        for (const QString &ext : extensions) {
            if (name.size() >= ext.size() && name.right(ext.size()).compare(ext, Qt::CaseInsensitive) == 0) {
                result << FolderList::join(folder, name);
                break;
            }
        }
    }
    result[0] = QString::number(result.size() - 1);
    return result;
}

QStringList GetSavedGames(Context &ctx)
{
    const cData &data = ctx.data();
    return ListGameFiles(data.SavedFolder(), {data.FinExt(), data.IncExt()});
}

QString SafeFileName(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString(name.size(), QLatin1Char('_'));
    return FitFileName(withoutSeparators(name), {});
}

QString FitFileName(const QString &stem, const QString &tail)
{
    const qsizetype room = MaxFileNameBytes - tail.toUtf8().size();
    // Characters are taken whole: a surrogate pair is one character of four bytes.
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < stem.size()) {
        const char16_t c = stem[end].unicode();
        const bool pair = QChar::isHighSurrogate(c) && end + 1 < stem.size() && stem[end + 1].isLowSurrogate();
        const qsizetype size = pair ? 4 : c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        if (bytes + size > room)
            break;
        bytes += size;
        end += pair ? 2 : 1;
    }
    return stem.left(end) + tail;
}

QString GameFileName(const QString &gameName, const GameNumber &number, const QString &tail)
{
    return FitFileName(withoutSeparators(gameName), QStringLiteral("-") + number.toString() + withoutSeparators(tail));
}

void CheckSavedGame(const LoadedGame &game, const QString &path)
{
    const SavedGameInfo &h = game.header;
    constexpr int maxPile = cPlay::MaxPiles;
    checkValue(path, 3, "the time played", h.Time, 0, std::numeric_limits<std::int32_t>::max());
    checkValue(path, 4, "the number of moves", h.Moves, 0, std::numeric_limits<std::int16_t>::max());
    checkValue(path, 6, "the percentage", h.Percentage, 0, 100);
    if (const std::optional<DefinitionFault> f = FindDefinitionFault(h.Definition))
        refuse(path, 7 + f->index, f->what, f->value, f->lo, f->hi);

    for (qsizetype i = 0; i < game.moves.size(); ++i) {
        const TransRecord &r = game.moves[i];
        const int line = static_cast<int>(kHeaderLines + i + 1);
        checkValue(path, line, "the card", r.PicID, 0, kPackCards - 1);
        checkValue(path, line, "the source area", r.SCell, 0, cPlay::Areas - 1);
        checkValue(path, line, "the source pile", r.SPile, 0, maxPile - 1);
        checkValue(path, line, "the source position", r.SPos, 0, kPackCards - 1);
        checkValue(path, line, "the destination area", r.DCell, 0, cPlay::Areas - 1);
        checkValue(path, line, "the destination pile", r.DPile, 0, maxPile - 1);
        checkValue(path, line, "the destination position", r.DPos, 0, kPackCards - 1);
        checkValue(path, line, "the number of riding cards", r.mCards, -1, kPackCards - 1);
        checkValue(path, line, "the kind of move", r.TMod, cEngine::KindPlain, cEngine::KindUncovered);
        checkValue(path, line, "the group mark", r.Multi, 0, 1);
    }
}

LoadedGame ReadSavedGame(Context &ctx, const QString &path)
{
    const QStringList lines = cEngine::ReadSavedLines(path);
    LoadedGame game;
    game.header = ParseGameHeader(lines, path);
    game.moves = cEngine::ParseMoves(lines, path);
    CheckSavedGame(game, path);
    game.definition = fittingDefinition(ctx, game, path);
    game.header.DatePlayed = FileDate(path);
    return game;
}

void OpenGameDialog(Context &ctx)
{
    const cData &data = ctx.data();
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.folder = mGen1::GetSaveInitDir(ctx);
    request.filter = incFilter(data) + QStringLiteral("|") + finFilter(data);
    const QString path = ctx.fileDialogs().openFile(request);
    // A file deleted meanwhile or a folder does nothing; one that is no regular file (a FIFO, a link to
    // a device) is refused by the read, with its name.
    const QFileInfo chosen(path);
    if (path.isEmpty() || !chosen.exists() || chosen.isDir())
        return;
    OpenGameFile(ctx, path);
}

void OpenGameFile(Context &ctx, const QString &path)
{
    // The file is read whole before the game in play is ended, so a damaged file leaves it.
    const LoadedGame game = ReadSavedGame(ctx, path);
    ctx.session().PlayLoadedGame(path, game, true);
    // The game is open: a folder that cannot be remembered costs only the setting.
    ctx.registry().KeepSetting([&] { mGen1::SetSaveInitDir(ctx, QFileInfo(path).absolutePath()); });
}

void SaveGameDialog(Context &ctx, const QString &extension)
{
    const cData &data = ctx.data();
    const ISessionInfo &session = ctx.session();
    FileDialogRequest request;
    request.title = QStringLiteral("Save As");
    request.filter = extension.compare(data.IncExt(), Qt::CaseInsensitive) == 0 ? incFilter(data) : finFilter(data);
    request.defaultExt = extension;
    request.fileName = GameFileName(session.GameName(), session.GameNo(), extension);
    request.folder = mGen1::GetSaveInitDir(ctx);
    request.promptOverwrite = true;
    const QString path = ctx.fileDialogs().saveFile(request);
    // Cancel answers "", and a bare name has no folder to save in.
    const QFileInfo target(path);
    if (path.isEmpty() || target.isRelative() || !target.absoluteDir().exists())
        return;
    ctx.engine().SavetoFile(path);
    // The game is saved: settings that cannot be written cost only themselves.
    ctx.registry().KeepSetting([&] {
        mGen1::SetSaveInitDir(ctx, target.absolutePath());
        mRecent::AddRecent(ctx, mRecent::kSaved, path);
    });
}

} // namespace mFile

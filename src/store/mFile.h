// Reading saved-game headers: the first 18 lines of a saved-game file, as the library
// dialogs and the definition loader see them.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

#include "core/GameNumber.h"
#include "engine/GameDefinition.h"
#include "engine/cEngine.h"

class Context;
class QDateTime;

struct SavedGameInfo {
    QString GameName;
    GameNumber GameNo;
    std::int32_t Time = 0;
    std::int16_t Moves = 0;
    std::int16_t Score = 0;
    std::int16_t Percentage = 0;
    QString DatePlayed; // the file's creation date (its modification time where none is kept)
    // Lines 7 to 18, under the header's game name.
    GameDefinition Definition;
};

// A whole saved-game file as read and checked, kept apart from the session and the move
// record until the game is started from it.
struct LoadedGame {
    SavedGameInfo header;
    QVector<TransRecord> moves;
    // The definition every move was found to fit, the one the game is played with: the
    // definition of the game's name, else the header's.
    GameDefinition definition;
};

// A favourite as read from its file: one record of game name, number, player and date.
struct FavoriteInfo {
    QString GameName;
    GameNumber GameNo;
    QString AddedBy;
    QString DateCreated; // as written between the two "#"
};

namespace mFile {
// Raises "Input past end of file" for a short header, the type-mismatch error for text
// where a number belongs and the overflow error for a number outside its width.
SavedGameInfo ReadGameHeader(const QString &path);
// The header from the file's lines (the date is left empty), with the same errors; their
// texts name the file and the line.
SavedGameInfo ParseGameHeader(const QStringList &lines, const QString &path);
// True for a finished game's file: the path ends in the finished-game extension, in any
// letter case.
bool IsFinishedGameFile(const Context &ctx, const QString &path);
// Reads a favourite's one record line: quoted name, a bare or quoted number, quoted
// player, #date# (a date-time, or a date alone). Only the file's first line, within its
// first few KB, is read. Raises "Input past end of file" for a short record and the
// type-mismatch error for a field of the wrong kind.
FavoriteInfo ReadFavRecord(const QString &path);
// The saved games of the saved-games folder (not of its sub-folders): files whose last
// four characters are either saved-game extension, in any letter case. A list result:
// element 0 the count as text, then the full paths in listing order.
QStringList GetSavedGames(Context &ctx);
// The same list for any folder and set of extensions.
QStringList ListGameFiles(const QString &folder, const QStringList &extensions);

// The longest file name the file system takes, in bytes of its UTF-8 form.
constexpr int MaxFileNameBytes = 255;
// A file name made from text read in a file or typed by a user: path separators, NUL and
// every control character become "_", a name of only "." or ".." becomes underscores,
// so the name never leads out of its folder, and a name longer than the file system
// takes is cut. Other names are unchanged.
QString SafeFileName(const QString &name);
// stem + tail, the stem cut at a character boundary (never inside a UTF-8 sequence) so
// the whole name fits MaxFileNameBytes: a counter or extension in the tail is kept.
QString FitFileName(const QString &stem, const QString &tail);
// "name-number" and the tail (a counter, an extension), made safe and cut to fit: every
// file named after a game (auto-saves, the save proposal, the win dialog's file,
// pending games and favourites) is named here. Only the game name is ever cut.
QString GameFileName(const QString &gameName, const GameNumber &number, const QString &tail = {});

// Reads and checks a whole saved-game file without touching the session, the move
// record or the board: the read errors as for ReadGameHeader and the move lines (naming
// the line), then CheckSavedGame, then every move redone on a scratch board. The moves
// are tried on the definition of the game's name (a new deal of that name would use it),
// then, when they do not fit it (a studio game edited or deleted since the save), on the
// header's; when neither fits, err::BadSavedGame names the file and the first move that
// does not fit. DatePlayed is the file's date.
LoadedGame ReadSavedGame(Context &ctx, const QString &path);
// Refuses (err::BadSavedGame, naming the path, the line and the allowed range) a header
// value or a move field outside what a board can hold: tableau piles 1..21, free cells
// 0..21 with start cards up to their number, foundation start cards 0..4, base rank
// 0..12, suits 0..2, empty-pile rank -1..13, order codes 0..15, flags 0..1, no negative
// time or moves, a percentage 0..100; a move's card and positions within the pack, areas
// 0..4, piles 0..20, riders -1..51, kinds 0..3 and group marks 0..1.
void CheckSavedGame(const LoadedGame &game, const QString &path);

// The File menu's Open: the chosen saved game is read whole, then played; only then are
// its folder remembered and its path listed as recently opened. A cancelled dialog or a
// file deleted meanwhile does nothing; a damaged file raises and leaves the game in play.
void OpenGameDialog(Context &ctx);
// What Open does with the chosen file: reads and checks it whole, plays it (listed as
// recently opened) and remembers its folder for the next dialog.
void OpenGameFile(Context &ctx, const QString &path);
// The File menu's Save (extension IncExt) and the save of a finished game: proposes
// "name-number" and the extension; the folder is remembered and the path listed as
// recently saved only once the file is written. Write errors reach the caller.
void SaveGameDialog(Context &ctx, const QString &extension);

// The fixed date format of every date the program writes or shows.
QString FormatDate(const QDateTime &when);
// A file's creation date, or its modification time where the file system keeps none.
QString FileDate(const QString &path);
// A date as the system's general date-time form shows it: the locale's short date and
// time, the date alone at midnight; "" for an invalid date.
QString GeneralDate(const QDateTime &when);
// A date written in the fixed format (or a date alone) in the general form; any other
// text as it stands.
QString GeneralDate(const QString &stored);
} // namespace mFile

// The statistics report of cScore: a plain-text file laid out in print zones of 14
// columns, numbers printed with a blank (or "-") before and a blank after.
#include <QFileInfo>

#include "app/Context.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "core/TextFile.h"
#include "engine/mFunc.h"
#include "scores/cScore.h"
#include "scores/mPlayers.h"
#include "store/cData.h"
#include "store/mFile.h"

namespace {
constexpr int kZone = 14;

// One report line: items either directly adjacent or moved to the next print zone.
class PrintLine {
public:
    PrintLine &text(const QString &t)
    {
        line_ += t;
        return *this;
    }
    PrintLine &number(std::int64_t v) { return text(TextFile::printed(v)); }
    // Pads with blanks to the next multiple of 14 columns beyond the line's length.
    PrintLine &zone()
    {
        const qsizetype target = (line_.size() / kZone + 1) * kZone;
        line_ += QString(target - line_.size(), QLatin1Char(' '));
        return *this;
    }
    // Items one per zone.
    PrintLine &zones(const QStringList &items)
    {
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i > 0)
                zone();
            text(items[i]);
        }
        return *this;
    }
    // Played, won, lost, time, moves and score of a total, one per zone.
    PrintLine &totals(const ScoreStat &st)
    {
        number(st.Played).zone().number(st.Won).zone().number(st.Lost).zone();
        return text(mFunc::FormatTime(st.Time)).zone().number(st.Moves).zone().number(st.Score);
    }
    const QString &str() const { return line_; }

private:
    QString line_;
};

// A number held as text is printed as its text ("0042"), a number with its blanks.
QString gameNoAsHeld(const GameNumber &number)
{
    return number.isText() ? number.text() : TextFile::printed(number.value());
}
} // namespace

QByteArray cScore::StatReport() const
{
    QStringList out;
    const auto add = [&out](const PrintLine &line) { out.append(line.str()); };
    const QString blank = QStringLiteral(" ");
    cData &data = ctx_.data();
    out << data.ProdName() + QStringLiteral(" Score Board") << blank << QString(25, QLatin1Char('*')) << blank;
    add(PrintLine().text(QStringLiteral("Created By")).zone().text(mCustomize::GetCurPlayer(ctx_)));
    add(PrintLine().text(QStringLiteral("Created Date")).zone().text(mFile::FormatDate(ctx_.clock().now())));
    out << blank << QString(34, QLatin1Char('-')) << blank;

    out << QStringLiteral("General Statistics") << QString(18, QLatin1Char('-'));
    add(PrintLine().zones({"Played", "Won", "Lost", "Time", "Moves", "Score"}));
    add(PrintLine().totals(GetGenStat()));
    out << blank << blank;

    out << QStringLiteral("Player Statistics") << QString(17, QLatin1Char('-'));
    add(PrintLine().zones({"Player", "Played", "Won", "Lost", "Time", "Moves", "Score"}));
    for (const QString &player : mPlayers::PlayerList(ctx_))
        add(PrintLine().text(player).zone().totals(GetPlayerStat(player)));
    out << blank << blank;

    out << QStringLiteral("Games Statistics") << QString(16, QLatin1Char('-'));
    add(PrintLine()
            .text(QStringLiteral("Game") + QString(21, QLatin1Char(' ')))
            .zones({"Played", "Won", "Time", "Moves", "Score"}));
    for (std::int16_t g = 1; g <= data.TotalGames(); ++g) {
        const QString name = data.GetGName(g);
        const ScoreStat st = GetGameStat(name);
        // A name longer than the column is written whole, without padding.
        PrintLine line;
        line.text(name + QString(std::max<qsizetype>(0, 25 - name.size()), QLatin1Char(' ')));
        line.number(st.Played).zone().number(st.Won).zone().text(mFunc::FormatTime(st.Time)).zone();
        add(line.number(st.Moves).zone().number(st.Score));
    }
    out << blank << blank;

    out << QStringLiteral("Full Statistics") << QString(14, QLatin1Char('-'));
    add(PrintLine().zones({"Date", "Game", "Player", "Status", "Score", "Moves", "Time", "Game No"}));
    for (const ScoreRecord &r : records_) {
        PrintLine line;
        line.text(r.ShortDate()).zone().text(r.GameName.left(12)).zone().text(r.Player.left(12)).zone();
        line.text(r.Won == 1 ? QStringLiteral("Won") : QStringLiteral("Lost")).zone();
        line.number(r.Score).zone().number(r.Moves).zone();
        add(line.text(mFunc::FormatTime(r.Time) + QString(5, QLatin1Char(' ')) + gameNoAsHeld(r.GameNo)));
    }
    return TextFile::joinLines(out);
}

void cScore::ExportStat()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save As");
    request.fileName = QStringLiteral("Scoreboard");
    request.filter = QStringLiteral("Text File (*.txt) |*.txt");
    request.defaultExt = QStringLiteral("txt");
    // A report is a document: the dialog opens in the user's documents folder.
    request.folder = ctx_.shellFolders().documentsFolder();
    request.promptOverwrite = true;
    const QString path = ctx_.fileDialogs().saveFile(request);
    if (path.isEmpty())
        return;
    IMessageBox &box = ctx_.messages();
    try {
        OpenAllScore();
        TextFile::writeAtomic(path, StatReport());
    } catch (const AppError &e) {
        box.show(QStringLiteral("The statistics could not be exported to %1.\n\n%2").arg(path, e.description()),
                 MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    box.show(QStringLiteral("Statistics Successfully Exported to ") + path, MsgButtons::Ok, MsgIcon::Information);
}

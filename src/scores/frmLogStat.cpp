#include "scores/frmLogStat.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "platform/Clock.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "scores/LogRows.h"
#include "scores/cScore.h"
#include "scores/mPlayers.h"
#include "engine/mFunc.h"
#include "store/cData.h"

namespace {

// The small pictures of list and combos: 1 a game or a period, 2 a logged game, 3 a player.
QIcon picture(int index)
{
    switch (index) {
    case 2: return QIcon::fromTheme(QStringLiteral("games-highscores"));
    case 3: return QIcon::fromTheme(QStringLiteral("user-identity"));
    default: return QIcon::fromTheme(QStringLiteral("applications-games"));
    }
}

} // namespace

frmLogStat::frmLogStat(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Log Statistics"));
    rows_ = new LogRows(this);

    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    imcGames = new QComboBox(this);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    imcGames->setMaxVisibleItems(20);
    imcDate = new QComboBox(this);
    imcDate->setObjectName(QStringLiteral("imcDate"));

    lvLog = new QTreeView(this);
    lvLog->setObjectName(QStringLiteral("lvLog"));
    lvLog->setRootIsDecorated(false);
    // One row height, so a list of a hundred thousand games lays out at once.
    lvLog->setUniformRowHeights(true);
    lvLog->setAllColumnsShowFocus(true);
    lvLog->setSelectionMode(QAbstractItemView::SingleSelection);
    rows_->setIcon(picture(2));
    lvLog->setModel(rows_);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);

    auto *filters = new QHBoxLayout;
    filters->addWidget(imcPlayer, 1);
    filters->addWidget(imcGames, 1);
    filters->addWidget(imcDate, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(lvLog, 1);
    layout->addLayout(buttons);
    resize(760, 480);

    const auto refill = [this] { runGuarded(ctx_.messages(), [this] { FillLog(); }); };
    connect(imcPlayer, &QComboBox::currentIndexChanged, this, refill);
    connect(imcGames, &QComboBox::currentIndexChanged, this, refill);
    connect(imcDate, &QComboBox::currentIndexChanged, this, refill);
    connect(cmdClose, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdClose_Click(); }); });
    Form_Load();
}

frmLogStat::~frmLogStat()
{
    Form_Unload();
}

void frmLogStat::Form_Load()
{
    loaded_ = true;
    ctx_.score().OpenAllScore();
    LoadGames();
    LoadPlayers();
    LoadDates();
    FillLog();
    fitColumns();
    ctx_.sound().LogStat();
}

void frmLogStat::fitColumns()
{
    // Sized once over every loaded record, so the columns keep their widths whatever the
    // filters show; only the extremes are formatted, which keeps a million records quick.
    const cScore &score = ctx_.score();
    ScoreRecord low;
    ScoreRecord high;
    std::int64_t lowNo = 0;
    std::int64_t highNo = 0;
    for (std::int32_t i = 1; i <= score.ScoreTop(); ++i) {
        const ScoreRecord &r = score.GetScore(i);
        low.Score = std::min(low.Score, r.Score);
        high.Score = std::max(high.Score, r.Score);
        low.Moves = std::min(low.Moves, r.Moves);
        high.Moves = std::max(high.Moves, r.Moves);
        low.Time = std::min(low.Time, r.Time);
        high.Time = std::max(high.Time, r.Time);
        lowNo = std::min(lowNo, r.GameNo.value());
        highNo = std::max(highNo, r.GameNo.value());
    }
    QStringList games;
    for (int i = 0; i < imcGames->count(); ++i)
        games << imcGames->itemText(i);
    QStringList players;
    for (int i = 0; i < imcPlayer->count(); ++i)
        players << imcPlayer->itemText(i);
    const auto numbers = [](std::int64_t a, std::int64_t b) {
        return QStringList{QString::number(a), QString::number(b)};
    };
    QtListFit::fitColumn(lvLog, 0, {}, true);
    QtListFit::fitColumn(lvLog, 1, players);
    QtListFit::fitColumn(lvLog, 2, games);
    QtListFit::fitColumn(lvLog, 3, numbers(low.Score, high.Score));
    QtListFit::fitColumn(lvLog, 4, {mFunc::FormatTime(low.Time), mFunc::FormatTime(high.Time)});
    QtListFit::fitColumn(lvLog, 5, numbers(low.Moves, high.Moves));
    QtListFit::fitColumn(lvLog, 6, {QStringLiteral("Lost"), QStringLiteral("Won")});
    QtListFit::fitColumn(lvLog, 7, numbers(lowNo, highNo));
    // Wide enough for the columns where the screen allows.
    const QMargins margins = layout()->contentsMargins();
    int needed = margins.left() + margins.right() + 2 * lvLog->frameWidth() +
                 style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lvLog);
    for (int c = 0; c < LogRows::ColumnCount; ++c)
        needed += lvLog->columnWidth(c);
    resize(std::clamp(needed, width(), std::max(width(), screen()->availableGeometry().width())), height());
}

void frmLogStat::LoadGames()
{
    const QSignalBlocker quiet(imcGames);
    imcGames->clear();
    imcGames->addItem(picture(1), QStringLiteral("All Games"));
    const cData &data = ctx_.data();
    for (std::int16_t g = 1; g <= data.TotalGames(); ++g)
        imcGames->addItem(picture(1), data.GetGName(g));
    imcGames->setCurrentIndex(0);
}

void frmLogStat::LoadPlayers()
{
    const QSignalBlocker quiet(imcPlayer);
    imcPlayer->clear();
    imcPlayer->addItem(picture(3), QStringLiteral("All Players"));
    for (const QString &player : mPlayers::PlayerList(ctx_))
        imcPlayer->addItem(picture(3), player);
    imcPlayer->setCurrentIndex(0);
}

void frmLogStat::LoadDates()
{
    const QSignalBlocker quiet(imcDate);
    imcDate->clear();
    const char *const items[][2] = {
        {"Show Today", "t"},     {"Last 3 Days", "3d"},   {"Last 7 Days", "7d"}, {"Last 30 Days", "30d"},
        {"Last 3 Months", "3m"}, {"Last 5 Months", "5m"}, {"Show All", ""},
    };
    for (const auto &item : items)
        imcDate->addItem(picture(1), QString::fromLatin1(item[0]), QString::fromLatin1(item[1]));
    imcDate->setCurrentIndex(imcDate->count() - 1);
}

void frmLogStat::FillLog()
{
    const QString player = imcPlayer->currentIndex() > 0 ? imcPlayer->currentText() : QString();
    const QString game = imcGames->currentIndex() > 0 ? imcGames->currentText() : QString();
    const QString key = imcDate->currentData().toString();
    rows_->fill(ctx_.score(), player, game, key, ctx_.clock().now().date());
}

void frmLogStat::cmdClose_Click()
{
    close();
}

void frmLogStat::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmLogStat::Form_Unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    rows_->clear();
    ctx_.score().CloseScore();
}

#include "scores/frmLogStat.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "platform/Clock.h"
#include "platform/Guard.h"
#include "scores/LogRows.h"
#include "scores/cScore.h"
#include "scores/mPlayers.h"
#include "store/cData.h"

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
    lvLog->setModel(rows_);
    const int widths[LogRows::ColumnCount] = {90, 100, 150, 60, 70, 60, 60, 100};
    for (int c = 0; c < LogRows::ColumnCount; ++c)
        lvLog->setColumnWidth(c, widths[c]);

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
    ctx_.sound().LogStat();
}

void frmLogStat::LoadGames()
{
    const QSignalBlocker quiet(imcGames);
    imcGames->clear();
    imcGames->addItem(QStringLiteral("All Games"));
    const cData &data = ctx_.data();
    for (std::int16_t g = 1; g <= data.TotalGames(); ++g)
        imcGames->addItem(data.GetGName(g));
    imcGames->setCurrentIndex(0);
}

void frmLogStat::LoadPlayers()
{
    const QSignalBlocker quiet(imcPlayer);
    imcPlayer->clear();
    imcPlayer->addItem(QStringLiteral("All Players"));
    imcPlayer->addItems(mPlayers::PlayerList(ctx_));
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
        imcDate->addItem(QString::fromLatin1(item[0]), QString::fromLatin1(item[1]));
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

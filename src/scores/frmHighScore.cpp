#include "scores/frmHighScore.h"

#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Context.h"
#include "app/Seams.h"
#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "platform/QtWindowFit.h"
#include "scores/HighScoreLists.h"
#include "scores/cScore.h"
#include "scores/mPlayers.h"
#include "store/cData.h"

namespace {

const QColor kDarkRed(128, 0, 0);
constexpr int kCentredFrom = 1;
constexpr int kCentredTo = 6;

// A report list; with centred, the second to the seventh column are centred.
QTreeWidget *reportList(QWidget *parent, const char *name, const QStringList &columns, bool centred)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setColumnCount(static_cast<int>(columns.size()));
    auto *header = new QTreeWidgetItem(columns);
    for (int c = 0; c < columns.size(); ++c) {
        const bool middle = centred && c >= kCentredFrom && c <= kCentredTo;
        header->setTextAlignment(c, (middle ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    list->setHeaderItem(header);
    list->header()->setStretchLastSection(true);
    return list;
}

// A tab holding the combo box above its list.
QWidget *comboTab(QComboBox *combo, QTreeWidget *list)
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    auto *top = new QHBoxLayout;
    top->addWidget(combo);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(list, 1);
    return tab;
}

QComboBox *comboBox(const char *name)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    // As wide as the longest game or player name it lists.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

} // namespace

frmHighScore::frmHighScore(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("High Score"));
    ImageList1 = {QIcon::fromTheme(QStringLiteral("applications-games")),
                  QIcon::fromTheme(QStringLiteral("games-highscores")),
                  QIcon::fromTheme(QStringLiteral("user-identity"))};
    const QStringList tail = {QStringLiteral("Score"),  QStringLiteral("Time"), QStringLiteral("Moves"),
                              QStringLiteral("Status"), QStringLiteral("Date"), QStringLiteral("Game No.")};
    lvTop = reportList(this, "lvTop", QStringList{QStringLiteral("Game"), QStringLiteral("Player")} + tail, true);
    lvGames = reportList(this, "lvGames", QStringList{QStringLiteral("S No."), QStringLiteral("Player")} + tail, true);
    lvPlayer = reportList(this, "lvPlayer", QStringList{QStringLiteral("S No."), QStringLiteral("Game")} + tail, true);
    lvFin = reportList(this, "lvFin",
                       {QStringLiteral("S No."), QStringLiteral("Game"), QStringLiteral("Player"),
                        QStringLiteral("Score"), QStringLiteral("Time"), QStringLiteral("Moves"),
                        QStringLiteral("Date"), QStringLiteral("Game No.")},
                       false);
    imcGames = comboBox("imcGames");
    imcPlayer = comboBox("imcPlayer");
    imcFin = comboBox("imcFin");

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto *topTab = new QWidget;
    auto *topLayout = new QVBoxLayout(topTab);
    topLayout->addWidget(lvTop);
    SSTab1->addTab(topTab, QStringLiteral("Top Score"));
    SSTab1->addTab(comboTab(imcGames, lvGames), QStringLiteral("Game-wise"));
    SSTab1->addTab(comboTab(imcPlayer, lvPlayer), QStringLiteral("Player-wise"));
    SSTab1->addTab(comboTab(imcFin, lvFin), QStringLiteral("Finished Games"));

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);
    // Each list shows its twenty places without scrolling, a sideways scroll bar included,
    // unless the screen is too low for them.
    const QList<QTreeWidget *> lists = {lvTop, lvGames, lvPlayer, lvFin};
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, lvTop);
    for (QTreeWidget *list : lists)
        list->setMinimumHeight(QtListFit::heightForRows(list, cScore::kTopSlots, ImageList1.at(1)) + scrollBar);
    const int over = layout->totalMinimumSize().height() - QtWindowFit::usableArea(*this).height();
    if (over > 0 && !QtWindowFit::usableArea(*this).isEmpty()) {
        for (QTreeWidget *list : lists)
            list->setMinimumHeight(std::max(list->minimumHeight() - over, 0));
    }
    resize(760, 480);

    const auto guarded = [this](const std::function<void()> &body) { runGuarded(ctx_.messages(), body); };
    connect(cmdClose, &QPushButton::clicked, this, [this, guarded] { guarded([this] { cmdClose_Click(); }); });
    connect(imcGames, &QComboBox::activated, this,
            [this, guarded] { guarded([this] { FillGameTop(imcGames->currentText()); }); });
    connect(imcPlayer, &QComboBox::activated, this,
            [this, guarded] { guarded([this] { FillPlayerTop(imcPlayer->currentText()); }); });
    connect(imcFin, &QComboBox::activated, this,
            [this, guarded] { guarded([this] { FillFinished(imcFin->currentText()); }); });
    Form_Load();
    // As wide as the widest list's columns, as far as the screen allows.
    int columns = 0;
    for (QTreeWidget *list : lists)
        columns = std::max(columns, QtListFit::widthFor(list, list->header()->length()));
    const int margins = 4 * style()->pixelMetric(QStyle::PM_LayoutLeftMargin) + 8;
    QtWindowFit::resizeWithin(*this, {std::max(760, columns + margins), 480});
}

frmHighScore::~frmHighScore()
{
    Form_Unload();
}

void frmHighScore::Form_Load()
{
    SSTab1->setCurrentIndex(0);
    ctx_.score().OpenAllScore();
    FillTopScore();
    LoadGames();
    LoadPlayers();
    LoadFinOptions();
    ctx_.sound().HighScore();
}

void frmHighScore::Form_Unload()
{
    ctx_.score().CloseScore();
}

void frmHighScore::done(int result)
{
    // Escape, the close box and Close all end here: the logs are released at once.
    Form_Unload();
    QDialog::done(result);
}

void frmHighScore::showRows(QTreeWidget *list, const HighScoreList &rows)
{
    list->clear();
    QFont bold = list->font();
    bold.setBold(true);
    const bool centred = list != lvFin;
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.rows.size());
    for (const QStringList &cells : rows.rows) {
        auto *item = new QTreeWidgetItem(cells);
        item->setIcon(0, ImageList1.at(1));
        for (int c = 0; c < cells.size(); ++c) {
            const bool middle = centred && c >= kCentredFrom && c <= kCentredTo;
            item->setTextAlignment(c, (middle ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        }
        if (rows.boldColumn >= 0) {
            item->setFont(rows.boldColumn, bold);
            item->setForeground(rows.boldColumn, kDarkRed);
        }
        items << item;
    }
    list->addTopLevelItems(items);
    QtListFit::fitColumns(list);
}

void frmHighScore::FillTopScore()
{
    showRows(lvTop, HighScoreLists::TopScore(ctx_.score()));
}

void frmHighScore::LoadGames()
{
    const cData &data = ctx_.data();
    imcGames->clear();
    for (std::int16_t i = 1; i <= data.TotalGames(); ++i)
        imcGames->addItem(ImageList1.at(0), data.GetGName(i));
    imcGames->setCurrentIndex(imcGames->count() > 0 ? 0 : -1);
    // The game in play (also one being won or replayed); the first game when none is,
    // as after Close Game, which keeps the last game's name.
    const ISessionInfo &session = ctx_.session();
    const int playing = session.Game_Status() != 0 ? imcGames->findText(session.GameName()) : -1;
    if (playing >= 0)
        imcGames->setCurrentIndex(playing);
    FillGameTop(imcGames->currentText());
}

void frmHighScore::FillGameTop(const QString &game)
{
    showRows(lvGames, HighScoreLists::GameTop(ctx_.score(), game));
}

void frmHighScore::LoadPlayers()
{
    imcPlayer->clear();
    for (const QString &name : mPlayers::PlayerList(ctx_))
        imcPlayer->addItem(ImageList1.at(2), name);
    // A current player missing from the list would match everyone: show the first instead.
    const int current = imcPlayer->findText(mCustomize::GetCurPlayer(ctx_));
    imcPlayer->setCurrentIndex(current >= 0 ? current : (imcPlayer->count() > 0 ? 0 : -1));
    if (imcPlayer->currentIndex() >= 0)
        FillPlayerTop(imcPlayer->currentText());
    else
        lvPlayer->clear();
}

void frmHighScore::FillPlayerTop(const QString &player)
{
    showRows(lvPlayer, HighScoreLists::PlayerTop(ctx_.score(), player));
}

void frmHighScore::LoadFinOptions()
{
    imcFin->clear();
    for (const QString &choice : HighScoreLists::FinChoices())
        imcFin->addItem(ImageList1.at(0), choice);
    imcFin->setCurrentIndex(0);
    FillFinished(imcFin->currentText());
}

void frmHighScore::FillFinished(const QString &choice)
{
    showRows(lvFin, HighScoreLists::Finished(ctx_.score(), choice));
}

void frmHighScore::cmdClose_Click()
{
    close();
}

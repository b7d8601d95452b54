#include "studio/frmGameStudio.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Context.h"
#include "core/AppError.h"
#include "engine/cCustom.h"
#include "library/mFavorites.h"
#include "library/mRecent.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "store/cData.h"
#include "studio/StudioControlsView.h"
#include "studio/frmAddGame.h"
#include "studio/frmNewGameWizard.h"
#include "studio/mStudioForms.h"

namespace {
QTreeWidget *makeList(QWidget *parent, const char *name, const QString &column)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(1);
    list->setHeaderLabels({column});
    list->setRootIsDecorated(false);
    list->header()->setSectionsClickable(false);
    return list;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
} // namespace

frmGameStudio::frmGameStudio(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmGameStudio"));
    setWindowTitle(QStringLiteral("Game Editor"));
    setModal(true);
    showEditor = [this](const QString &name) { frmAddGame(ctx_, name, this).exec(); };

    lvGames = makeList(this, "lvGames", QStringLiteral("Created Games List"));
    QtListFit::showNamesWhole(lvGames);
    lvGames->setMinimumWidth(200);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Pic1 = new QLabel(Frame1);
    Pic1->setObjectName(QStringLiteral("Pic1"));
    Pic1->setFixedSize(ArtLibrary::BlankWidth, ArtLibrary::BlankHeight);
    lvWiz = makeList(Frame1, "lvWiz", QStringLiteral("Game Details"));
    lvWiz->setSelectionMode(QAbstractItemView::NoSelection);
    // Room for the ten rule lines of any game, whole and without a scroll bar.
    int widest = 0;
    for (std::int16_t order = 0; order <= 15; ++order) {
        GameDefinition d;
        d.HOrder = d.GOrder = order;
        d.HSpace = d.GBase = 13;
        for (const QString &line : mStudioForms::GameDetails(d))
            widest = std::max(widest, QtListFit::cellWidth(lvWiz, line, true));
    }
    lvWiz->setMinimumSize(widest + 2 * lvWiz->frameWidth(),
                          QtListFit::heightForRows(lvWiz, 10, StudioControlsView::RuleIcon()));
    auto *frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(Pic1, 0, Qt::AlignHCenter);
    frameLayout->addWidget(lvWiz, 1);

    cmdAdd = makeButton(this, "cmdAdd", QStringLiteral("New Game"));
    cmdEdit = makeButton(this, "cmdEdit", QStringLiteral("Edit Game"));
    cmdDelete = makeButton(this, "cmdDelete", QStringLiteral("Delete Game"));
    cmdRules = makeButton(this, "cmdRules", QStringLiteral("Rules"));
    cmdPlay = makeButton(this, "cmdPlay", QStringLiteral("Play"));
    cmdWizard = makeButton(this, "cmdWizard", QStringLiteral("New Game Wizard"));
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("Close"));
    const std::pair<QPushButton *, void (frmGameStudio::*)()> handlers[] = {
        {cmdAdd, &frmGameStudio::cmdAdd_Click},       {cmdEdit, &frmGameStudio::cmdEdit_Click},
        {cmdDelete, &frmGameStudio::cmdDelete_Click}, {cmdRules, &frmGameStudio::cmdRules_Click},
        {cmdPlay, &frmGameStudio::cmdPlay_Click},     {cmdWizard, &frmGameStudio::cmdWizard_Click},
        {cmdClose, &frmGameStudio::cmdClose_Click},
    };
    // Named copies, not a structured binding: clang-tidy's compiler cannot capture one.
    for (const auto &entry : handlers) {
        const auto handler = entry.second;
        connect(entry.first, &QPushButton::clicked, this,
                [this, handler] { runGuarded(ctx_.messages(), [&] { (this->*handler)(); }); });
    }
    // The current row drives the window, whether a click or the keyboard chose it.
    connect(lvGames, &QTreeWidget::currentItemChanged, this,
            [this] { runGuarded(ctx_.messages(), [this] { lvGames_Click(); }); });

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdAdd, cmdEdit, cmdDelete, cmdRules, cmdPlay, cmdWizard})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *top = new QHBoxLayout;
    top->addWidget(lvGames);
    top->addWidget(Frame1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    LoadGameList();
}

QString frmGameStudio::Open(Context &ctx, QWidget *parent, bool wizardOnly)
{
    ctx.art().BeginStudio();
    if (!wizardOnly) {
        frmGameStudio studio(ctx, parent);
        studio.exec();
        if (studio.next() == Next::Play)
            return studio.gameToPlay();
        if (studio.next() != Next::Wizard)
            return {};
    }
    frmNewGameWizard(ctx, parent).exec();
    return {};
}

QString frmGameStudio::selectedGame() const
{
    const QTreeWidgetItem *item = lvGames->currentItem();
    return item ? item->text(0) : QString();
}

void frmGameStudio::LoadGameList()
{
    const QStringList games = ctx_.custom().GetStudioGames();
    const int count = games.value(0).toInt();
    {
        // The game is shown once, below, not for every row the refill passes through.
        const QSignalBlocker quiet(lvGames);
        lvGames->clear();
        for (int i = 1; i <= count; ++i) {
            auto *item = new QTreeWidgetItem(lvGames, {games.value(i)});
            item->setIcon(0, StudioControlsView::GameIcon());
        }
        if (lvGames->topLevelItemCount() > 0)
            lvGames->setCurrentItem(lvGames->topLevelItem(0));
    }
    if (lvGames->topLevelItemCount() == 0) {
        enableGameButtons(false, false);
        ShowGame({});
        return;
    }
    ShowGame(selectedGame());
}

void frmGameStudio::enableGameButtons(bool deletable, bool readable)
{
    cmdDelete->setEnabled(deletable);
    cmdEdit->setEnabled(readable);
    cmdRules->setEnabled(readable);
    cmdPlay->setEnabled(readable);
}

void frmGameStudio::ShowGame(const QString &name)
{
    if (name.isEmpty()) {
        Pic1->clear();
        ShowGameDetails({});
        return;
    }
    // A file that cannot be read is still listed, so it can be deleted here.
    bool readable = false;
    ignoreErrors([&] { readable = ctx_.custom().Init(name); });
    enableGameButtons(true, readable);
    if (!readable) {
        Pic1->clear();
        lvWiz->clear();
        Frame1->setTitle(name);
        return;
    }
    Pic1->setPixmap(StudioControlsView::Preview(ctx_));
    ShowGameDetails(name);
}

void frmGameStudio::ShowGameDetails(const QString &name)
{
    lvWiz->clear();
    Frame1->setTitle(name);
    if (name.isEmpty() || lvGames->topLevelItemCount() == 0) {
        cmdEdit->setEnabled(false);
        cmdDelete->setEnabled(false);
        return;
    }
    for (const QString &line : mStudioForms::GameDetails(ctx_.custom().Definition())) {
        auto *item = new QTreeWidgetItem(lvWiz, {line});
        item->setIcon(0, StudioControlsView::RuleIcon());
    }
}

void frmGameStudio::lvGames_Click()
{
    ShowGame(selectedGame());
}

bool frmGameStudio::refuseGameInPlay(const QString &name, const QString &message)
{
    if (!mStudioForms::IsGameInPlay(ctx_, name))
        return false;
    ctx_.messages().show(message, MsgButtons::Ok, MsgIcon::Information);
    return true;
}

void frmGameStudio::cmdAdd_Click()
{
    showEditor({});
    LoadGameList();
}

void frmGameStudio::cmdEdit_Click()
{
    const QString name = selectedGame();
    if (name.isEmpty() ||
        refuseGameInPlay(name, QStringLiteral("You cannot edit the current playing game. To edit this game please "
                                              "close this game.")))
        return;
    showEditor(name);
    LoadGameList();
}

void frmGameStudio::cmdDelete_Click()
{
    const QString name = selectedGame();
    if (name.isEmpty() ||
        refuseGameInPlay(name, QStringLiteral("You cannot delete the current playing game. To delete this game "
                                              "please close this game.")))
        return;
    if (ctx_.messages().show(QStringLiteral("Are you sure you want to delete game : ") + name + QStringLiteral(" ?"),
                             MsgButtons::YesNo, MsgIcon::Critical) != MsgResult::Yes)
        return;
    const QString path = ctx_.custom().StudioFilePath(name);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        raiseError(err::PathFileAccess, QStringLiteral("The game %1 could not be deleted.").arg(name));
    LoadGameList();
    ctx_.data().Refresh_NewGames();
    mFavorites::BuildFavMenu(ctx_);
    mRecent::RefreshRecentMenus(ctx_);
}

void frmGameStudio::cmdRules_Click()
{
    const QString name = selectedGame();
    if (!name.isEmpty())
        ctx_.data().ShowRules(name, 1);
}

void frmGameStudio::cmdPlay_Click()
{
    const QString name = selectedGame();
    if (name.isEmpty())
        return;
    // The deal runs once this window has closed; the studio stays open for the picture component.
    next_ = Next::Play;
    gameToPlay_ = name;
    accept();
}

void frmGameStudio::cmdWizard_Click()
{
    next_ = Next::Wizard;
    accept();
}

void frmGameStudio::cmdClose_Click()
{
    reject();
}

void frmGameStudio::reject()
{
    ctx_.art().EndSelection();
    QDialog::reject();
}

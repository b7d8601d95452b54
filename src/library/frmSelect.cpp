#include "library/frmSelect.h"

#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "platform/QtWindowFit.h"
#include "store/SavedHeaders.h"
#include "store/cData.h"
#include "store/cRegistry.h"

namespace {

constexpr int kNodeRole = Qt::UserRole;
const QColor kClicked(200, 0, 0);

QIcon themed(const char *name)
{
    return QIcon::fromTheme(QString::fromLatin1(name));
}

QLabel *pictureLabel(QWidget *parent, const char *name, const QImage &image)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(QPixmap::fromImage(image));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QListWidget *lineList(QWidget *parent, const char *name)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    return list;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmSelect::frmSelect(Context &ctx, QWidget *parent)
    : QDialog(parent), ctx_(ctx), reportHold_(std::in_place, ctx.registry())
{
    setWindowTitle(QStringLiteral("Select a Game"));
    setObjectName(QStringLiteral("frmSelect"));

    // One set for the categories: the theme's action pictures, drawn alike at every size.
    const char *const mainIcons[][2] = {{"All", "view-list-details"},
                                        {"Fav", "bookmarks"},
                                        {"Inc", "document-open-recent"},
                                        {"Org", "games-config-custom"},
                                        {"rSave", "document-save"},
                                        {"rOpen", "document-open"},
                                        {"rPlay", "media-playback-start"},
                                        {"Pend", "media-playback-pause"},
                                        {"Save", "document-save-all"},
                                        {"Hot", "draw-star"},
                                        {"Fin", "dialog-ok"},
                                        {"Std", "games-config-board"}};
    for (const auto &icon : mainIcons)
        ilsMain.insert(QString::fromLatin1(icon[0]), themed(icon[1]));
    ilsIcons = {themed("media-playback-start"), themed("applications-games"),
                themed("user-identity"),        themed("folder"),
                themed("folder-open"),          themed("go-next")};

    lvMain = new QListWidget(this);
    lvMain->setObjectName(QStringLiteral("lvMain"));
    lvMain->setFixedWidth(190);
    // The chosen category is marked by its red caption; a selection bar would paint over it.
    lvMain->setSelectionMode(QAbstractItemView::NoSelection);
    tvRight = new QTreeWidget(this);
    tvRight->setObjectName(QStringLiteral("tvRight"));
    tvRight->setHeaderHidden(true);
    tvRight->setColumnCount(1);
    tvRight->setUniformRowHeights(true);
    tvRight->setMinimumWidth(260);
    QtListFit::showNamesWhole(tvRight);

    ArtLibrary &art = ctx_.art();
    imgMax = pictureLabel(this, "imgMax", art.MaxPicture());
    imgMin = pictureLabel(this, "imgMin", art.MinPicture());
    lbGame = new QLabel(this);
    lbGame->setObjectName(QStringLiteral("lbGame"));
    QFont bold = lbGame->font();
    bold.setBold(true);
    lbGame->setFont(bold);
    PicPreview = new QLabel(this);
    PicPreview->setObjectName(QStringLiteral("PicPreview"));
    PicPreview->setFixedSize(ArtLibrary::BlankWidth, ArtLibrary::BlankHeight);
    PicBlank = pictureLabel(this, "PicBlank", QImage());
    PicBlank->setFixedSize(ArtLibrary::BlankWidth, ArtLibrary::BlankHeight);
    lvDet = lineList(this, "lvDet");
    lvSub = lineList(this, "lvSub");
    PicBlankSub = pictureLabel(this, "PicBlankSub", QImage());
    PicBlankSub->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    imcPlayer->setMinimumWidth(160);
    lbPlay = button(this, "lbPlay", QStringLiteral("Play"));
    lbPlay->setDefault(true);
    lbRules = button(this, "lbRules", QStringLiteral("Rules"));
    lbCancel = button(this, "lbCancel", QStringLiteral("Cancel"));

    auto *title = new QHBoxLayout;
    title->addWidget(imgMax);
    title->addWidget(imgMin);
    title->addWidget(lbGame, 1);
    auto *right = new QVBoxLayout;
    right->addLayout(title);
    right->addWidget(PicPreview, 0, Qt::AlignHCenter);
    right->addWidget(PicBlank, 0, Qt::AlignHCenter);
    // The details hold at most seven lines, the rule summary ten.
    const int line = std::max(lvDet->fontMetrics().height(), 16) + 8;
    lvDet->setFixedHeight(7 * line + 6);
    lvSub->setMinimumHeight(10 * line + 6);
    right->addWidget(lvDet);
    right->addWidget(lvSub, 1);
    right->addWidget(PicBlankSub, 1);
    auto *rightPanel = new QWidget(this);
    rightPanel->setLayout(right);
    rightPanel->setFixedWidth(330);
    right->setContentsMargins(0, 0, 0, 0);

    auto *lists = new QHBoxLayout;
    lists->addWidget(lvMain);
    lists->addWidget(tvRight, 1);
    lists->addWidget(rightPanel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Player:"), this));
    buttons->addWidget(imcPlayer);
    buttons->addStretch(1);
    buttons->addWidget(lbPlay);
    buttons->addWidget(lbRules);
    buttons->addWidget(lbCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    // The headers of a file category's entries are read on a worker while the list is
    // already shown: the window opens at once on thousands of saved games.
    headers_ = new HeaderReader(this);
    connect(headers_, &HeaderReader::arrived, this, [this](const QList<HeaderReader::Result> &batch) {
        runGuarded(ctx_.messages(), [&] { headersArrived(batch); });
    });

    auto guarded = [this](auto body) { return [this, body] { runGuarded(ctx_.messages(), [&] { body(); }); }; };
    connect(lvMain, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item) { runGuarded(ctx_.messages(), [&] { lvMain_ItemClick(item); }); });
    connect(tvRight, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node) { runGuarded(ctx_.messages(), [&] { tvRight_NodeClick(node); }); });
    // A chosen game also plays on a double click.
    connect(tvRight, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *node) {
        if (node == tvRight->currentItem() && !ctx_.gSelectGameName.isEmpty())
            runGuarded(ctx_.messages(), [&] { lbPlay_Click(); });
    });
    connect(lbPlay, &QPushButton::clicked, this, guarded([this] { lbPlay_Click(); }));
    connect(lbRules, &QPushButton::clicked, this, guarded([this] { lbRules_Click(); }));
    connect(lbCancel, &QPushButton::clicked, this, &frmSelect::reject);

    runGuarded(ctx_.messages(), [this] { Form_Load(); });
    // As wide as the first category's entries need, as far as the screen allows; the
    // window keeps its size from then on and the list scrolls sideways where it must.
    const int entries = QtListFit::widthFor(tvRight, QtListFit::namesWidth(tvRight));
    const int others = layout->minimumSize().width() - tvRight->minimumWidth();
    QtWindowFit::resizeWithin(*this, {std::max(840, others + entries), 780});
}

void frmSelect::Form_Load()
{
    imcPlayer->clear();
    const std::int16_t players = mCustomize::GetPlayerCount(ctx_);
    const QIcon &playerIcon = ilsIcons.at(mSelect::GetIconIndex(QStringLiteral("Player")));
    for (std::int16_t i = 1; i <= players; ++i)
        imcPlayer->addItem(playerIcon, mCustomize::GetPlayer(ctx_, i));
    if (imcPlayer->count() > 0)
        imcPlayer->setCurrentIndex(0);
    const int current = imcPlayer->findText(mCustomize::GetCurPlayer(ctx_));
    if (current >= 0)
        imcPlayer->setCurrentIndex(current);

    const QString last = mSelect::GetLastCategory(ctx_);
    QListWidgetItem *chosen = nullptr;
    {
        const QSignalBlocker quiet(lvMain);
        lvMain->clear();
        for (const QString &key : mSelect::CategoryKeys()) {
            auto *item = new QListWidgetItem(ilsMain.value(key), mSelect::GetCategoryCaption(key), lvMain);
            item->setData(kNodeRole, key);
            if (key == last)
                chosen = item;
        }
        lvMain->setCurrentItem(chosen);
    }
    lvMain_ItemClick(chosen);
    ctx_.sound().SelectDialog();
    UpdatePreview();
    tvRight->setFocus();
}

void frmSelect::lvMain_ItemClick(QListWidgetItem *item)
{
    if (!item)
        return;
    for (int i = 0; i < lvMain->count(); ++i)
        lvMain->item(i)->setForeground(QColor(Qt::black));
    item->setForeground(kClicked);
    headers_->stop();
    tree_ = mSelect::FillCategory(ctx_, item->data(kNodeRole).toString(), mSelect::HeaderReads::Later);
    fillTree();
    pendingAt_.clear();
    for (qsizetype i = 0; i < tree_.nodes.size(); ++i)
        if (tree_.nodes.at(i).pending)
            pendingAt_.insert(tree_.nodes.at(i).key, static_cast<int>(i));
    if (!pendingAt_.isEmpty())
        headers_->start(mSelect::PendingPaths(tree_));
    if (tree_.nodes.size() > 1) {
        tvRight->topLevelItem(0)->setExpanded(true);
        tvRight_NodeClick(tvRight->currentItem());
    } else {
        // Nothing to choose: nothing of the previous category stays chosen either.
        mSelect::ClearChoice(ctx_);
        lvDet->clear();
        lvSub->clear();
        UpdatePreview();
    }
}

void frmSelect::fillTree()
{
    const QSignalBlocker quiet(tvRight);
    items_.clear();
    tvRight->clear();
    // An entry shows its selected image while it is the chosen one.
    QIcon entryIcon;
    for (const int size : {16, 22, 32}) {
        const QIcon &game = ilsIcons.at(mSelect::GetIconIndex(QStringLiteral("Game")));
        const QIcon &chosen = ilsIcons.at(mSelect::GetIconIndex(QStringLiteral("Game1")));
        entryIcon.addPixmap(game.pixmap(size), QIcon::Normal);
        entryIcon.addPixmap(chosen.pixmap(size), QIcon::Selected);
    }
    QList<QTreeWidgetItem *> items;
    items.reserve(tree_.nodes.size());
    for (qsizetype i = 0; i < tree_.nodes.size(); ++i) {
        const mSelect::SelectNode &node = tree_.nodes.at(i);
        auto *item = node.parent < 0 ? new QTreeWidgetItem : new QTreeWidgetItem(items.at(node.parent));
        item->setText(0, node.text);
        item->setIcon(0, node.selectedImage.isEmpty() ? ilsIcons.value(mSelect::GetIconIndex(node.image)) : entryIcon);
        item->setData(0, kNodeRole, static_cast<int>(i));
        if (node.bold) {
            QFont font = item->font(0);
            font.setBold(true);
            item->setFont(0, font);
        }
        items.append(item);
    }
    items_ = items;
    if (items.isEmpty())
        return;
    tvRight->addTopLevelItem(items.first());
    QTreeWidgetItem *selected = items.at(tree_.selected);
    tvRight->setCurrentItem(selected);
    tvRight->scrollToItem(selected);
}

void frmSelect::tvRight_NodeClick(QTreeWidgetItem *node)
{
    if (!node)
        return;
    const int index = node->data(0, kNodeRole).toInt();
    // An entry chosen before its header arrived is read now.
    if (tree_.nodes.at(index).pending) {
        mSelect::ResolveNode(ctx_, tree_, index);
        showResolved(index);
    }
    const std::optional<mSelect::NodeView> view = mSelect::NodeClick(ctx_, tree_.nodes.at(index));
    UpdatePreview();
    if (!view) {
        lvDet->clear();
        lvSub->clear();
        return;
    }
    showLines(lvDet, view->details);
    showLines(lvSub, view->rules);
}

void frmSelect::headersArrived(const QList<HeaderReader::Result> &batch)
{
    for (const HeaderReader::Result &r : batch) {
        // Kept with the stamp its file had when read: the model serves it only while the
        // file still has that stamp, else reads the file again.
        if (r.info)
            ctx_.savedHeaders().keep(r.path, r.stamp, *r.info);
        for (const int index : pendingAt_.values(r.path)) {
            if (!tree_.nodes.at(index).pending)
                continue;
            mSelect::ResolveNode(ctx_, tree_, index);
            showResolved(index);
        }
        pendingAt_.remove(r.path);
    }
}

void frmSelect::showResolved(int index)
{
    QTreeWidgetItem *item = items_.value(index);
    if (!item)
        return;
    const mSelect::SelectNode &node = tree_.nodes.at(index);
    const QSignalBlocker quiet(tvRight);
    item->setText(0, node.text);
    item->setHidden(node.gone);
}

void frmSelect::showLines(QListWidget *list, const QStringList &lines)
{
    list->clear();
    const QIcon &bullet = ilsIcons.at(mSelect::GetIconIndex(QStringLiteral("Bullet")));
    for (const QString &line : lines)
        new QListWidgetItem(bullet, line, list);
}

void frmSelect::UpdatePreview()
{
    const QString &name = ctx_.gSelectGameName;
    const bool chosen = !name.isEmpty();
    const QSize kept = size();
    if (chosen) {
        lbGame->setText(name);
        PicPreview->setPixmap(QPixmap::fromImage(mSelect::PreviewPicture(ctx_, name)));
    } else {
        lbGame->clear();
        PicBlank->setPixmap(QPixmap::fromImage(ctx_.art().BlankPicture()));
        PicBlankSub->setPixmap(QPixmap::fromImage(ctx_.art().BlankSubPicture()));
    }
    const QList<QWidget *> forChoice = {lbGame, PicPreview, lvSub, lvDet, imgMax, lbPlay, lbRules};
    const QList<QWidget *> forNone = {imgMin, PicBlank, PicBlankSub};
    // The widgets going away are hidden first: were both sets shown at once, the layout
    // would ask for both and grow the window.
    for (QWidget *w : chosen ? forNone : forChoice)
        w->hide();
    for (QWidget *w : chosen ? forChoice : forNone)
        w->show();
    // On a low screen the rules and details scroll rather than grow the window.
    QtWindowFit::fitMinimum(*this, kept);
}

void frmSelect::lbPlay_Click()
{
    if (ctx_.gSelectGameName.isEmpty())
        return;
    // The player is made current first: when that fails the error is shown and the window
    // stays, rather than the game being counted for another player.
    const QString player = imcPlayer->currentIndex() >= 0 ? imcPlayer->currentText() : QString();
    if (!player.isEmpty()) {
        if (!mCustomize::MakeCurrentOrSay(ctx_, player))
            return;
    }
    hide();
    ctx_.art().EndSelection();
    choice_ = SelectChoice{ctx_.gSelectCategory, ctx_.gSelectNodeKey, ctx_.gSelectGameName};
    // The choice stands even when the category cannot be remembered.
    runGuarded(ctx_.messages(),
               [&] { ctx_.registry().KeepSetting([&] { mSelect::SaveLastCategory(ctx_, ctx_.gSelectCategory); }); });
    accept();
}

void frmSelect::lbRules_Click()
{
    if (!ctx_.gSelectGameName.isEmpty())
        ctx_.data().ShowRules(ctx_.gSelectGameName, 1);
}

void frmSelect::reject()
{
    ctx_.art().EndSelection();
    QDialog::reject();
}

void frmSelect::done(int result)
{
    headers_->stop();
    QDialog::done(result);
    reportHold_.reset();
}

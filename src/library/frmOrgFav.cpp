#include "library/frmOrgFav.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "core/FolderList.h"
#include "library/FavEntries.h"
#include "library/mFavorites.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "platform/QtWindowFit.h"
#include "store/cData.h"
#include "store/mFile.h"

namespace {

const QString kRootTag = QStringLiteral("RFLD");
const QString kFolderTag = QStringLiteral("FLD");
const QString kFileTag = QStringLiteral("FL");

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString parentOf(const QString &path)
{
    return QFileInfo(path).path();
}

QString nameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

frmOrgFav::frmOrgFav(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Organize Favorites"));
    tvFav = new QTreeWidget(this);
    tvFav->setObjectName(QStringLiteral("tvFav"));
    tvFav->setHeaderHidden(true);
    tvFav->setSelectionMode(QAbstractItemView::SingleSelection);

    auto *moveFrame = new QGroupBox(QStringLiteral("Move to Folder"), this);
    icFav = new QComboBox(moveFrame);
    icFav->setObjectName(QStringLiteral("icFav"));
    cmdMove = makeButton(moveFrame, "cmdMove", QStringLiteral("Move "));
    auto *moveLayout = new QHBoxLayout(moveFrame);
    moveLayout->addWidget(icFav, 1);
    moveLayout->addWidget(cmdMove);

    auto *optionsFrame = new QGroupBox(QStringLiteral("Folder && Game Options"), this);
    cmdCreate = makeButton(optionsFrame, "cmdCreate", QStringLiteral("Create Folder"));
    cmdRename = makeButton(optionsFrame, "cmdRename", QStringLiteral("Rename"));
    cmdDelete = makeButton(optionsFrame, "cmdDelete", QStringLiteral("Delete"));
    cmdPlay = makeButton(optionsFrame, "cmdPlay", QStringLiteral("Play Now"));
    auto *optionsLayout = new QHBoxLayout(optionsFrame);
    for (QPushButton *b : {cmdCreate, cmdRename, cmdDelete, cmdPlay})
        optionsLayout->addWidget(b);

    frameGame = new QGroupBox(QStringLiteral("Game Details"), this);
    frameGame->setObjectName(QStringLiteral("frameGame"));
    lbGameName = makeLabel(frameGame, "lbGameName", QStringLiteral("Game Name :"));
    lbGameNo = makeLabel(frameGame, "lbGameNo", QStringLiteral("Game No :"));
    lbPlayer = makeLabel(frameGame, "lbPlayer", QStringLiteral("Added By :"));
    lbDate = makeLabel(frameGame, "lbDate", QStringLiteral("Date Added :"));
    auto *gameLayout = new QVBoxLayout(frameGame);
    for (QLabel *l : {lbGameName, lbGameNo, lbPlayer, lbDate})
        gameLayout->addWidget(l);

    frameFolder = new QGroupBox(QStringLiteral("Folder Details"), this);
    frameFolder->setObjectName(QStringLiteral("frameFolder"));
    lbfName = makeLabel(frameFolder, "lbfName", QStringLiteral("Folder Name :"));
    lbfDate = makeLabel(frameFolder, "lbfDate", QStringLiteral("Date Created : "));
    lbfAccessed = makeLabel(frameFolder, "lbfAccessed", QStringLiteral("Last Accessed :"));
    lbfModified = makeLabel(frameFolder, "lbfModified", QStringLiteral("Last Modified :"));
    auto *folderLayout = new QVBoxLayout(frameFolder);
    for (QLabel *l : {lbfName, lbfDate, lbfAccessed, lbfModified})
        folderLayout->addWidget(l);

    cmdClose = makeButton(this, "cmdClose", QStringLiteral("Close"));
    auto *right = new QVBoxLayout;
    right->addWidget(moveFrame);
    right->addWidget(optionsFrame);
    right->addWidget(frameGame);
    right->addWidget(frameFolder);
    right->addStretch(1);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(cmdClose);
    right->addLayout(closeRow);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(tvFav, 1);
    layout->addLayout(right);
    tvFav->setMinimumWidth(220);
    QtListFit::showNamesWhole(tvFav);

    const auto guarded = [this](void (frmOrgFav::*handler)()) {
        return [this, handler] { runGuarded(ctx_.messages(), [this, handler] { (this->*handler)(); }); };
    };
    connect(tvFav, &QTreeWidget::currentItemChanged, this, guarded(&frmOrgFav::tvFav_NodeClick));
    connect(cmdMove, &QPushButton::clicked, this, guarded(&frmOrgFav::cmdMove_Click));
    connect(cmdCreate, &QPushButton::clicked, this, guarded(&frmOrgFav::cmdCreate_Click));
    connect(cmdRename, &QPushButton::clicked, this, guarded(&frmOrgFav::cmdRename_Click));
    connect(cmdDelete, &QPushButton::clicked, this, guarded(&frmOrgFav::cmdDelete_Click));
    connect(cmdPlay, &QPushButton::clicked, this, guarded(&frmOrgFav::cmdPlay_Click));
    connect(cmdClose, &QPushButton::clicked, this, guarded(&frmOrgFav::cmdClose_Click));
    runGuarded(ctx_.messages(), [this] { Form_Load(); });
    // The tree as wide as its names need beside the buttons, as far as the screen allows.
    const int names = QtListFit::widthFor(tvFav, QtListFit::namesWidth(tvFav));
    const int others = layout->minimumSize().width() - tvFav->minimumWidth();
    QtWindowFit::resizeWithin(*this, {std::max(640, others + names), 420});
}

void frmOrgFav::Form_Load()
{
    FillFavTree();
    ctx_.sound().OrgFav();
}

void frmOrgFav::FillFavTree()
{
    const QSignalBlocker quiet(tvFav);
    tvFav->clear();
    icFav->clear();
    const QString rootPath = ctx_.data().FavFolder();
    const QIcon folderIcon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    auto node = [&](QTreeWidgetItem *parent, const QString &text, const QString &path, const QString &tag) {
        auto *item = parent ? new QTreeWidgetItem(parent, {text}) : new QTreeWidgetItem(tvFav, {text});
        item->setData(0, kKeyRole, path);
        item->setData(0, kTagRole, tag);
        item->setIcon(0, tag == kFileTag ? fileIcon : folderIcon);
        return item;
    };
    QTreeWidgetItem *root = node(nullptr, QStringLiteral("Favorites"), rootPath, kRootTag);
    icFav->addItem(folderIcon, QStringLiteral("Favorites"), rootPath);
    const QStringList folders = mFavorites::GetFavFolders(ctx_);
    for (qsizetype i = 1; i < folders.size(); ++i) {
        QTreeWidgetItem *folder = node(root, nameOf(folders[i]), folders[i], kFolderTag);
        icFav->addItem(folderIcon, QStringLiteral("    ") + nameOf(folders[i]), folders[i]);
        const QStringList files = mFavorites::GetFavFiles(ctx_, folders[i]);
        for (qsizetype j = 1; j < files.size(); ++j)
            node(folder, nameOf(files[j]), files[j], kFileTag);
    }
    const QStringList top = mFavorites::GetFavFiles(ctx_, rootPath);
    for (qsizetype j = 1; j < top.size(); ++j)
        node(root, nameOf(top[j]), top[j], kFileTag);
    root->setExpanded(true);
    tvFav->setCurrentItem(root);
    icFav->setCurrentIndex(0);
    tvFav_NodeClick();
}

std::int32_t frmOrgFav::GetSelectedKind() const
{
    const QTreeWidgetItem *item = tvFav->currentItem();
    const QString tag = item ? item->data(0, kTagRole).toString() : QString();
    if (tag == kRootTag)
        return kRoot;
    if (tag == kFolderTag)
        return kFolder;
    if (tag == kFileTag)
        return kFavourite;
    return 0;
}

QString frmOrgFav::GetSelectedPath() const
{
    const QTreeWidgetItem *item = tvFav->currentItem();
    return item ? item->data(0, kKeyRole).toString() : QString();
}

QString frmOrgFav::GetTargetFolder() const
{
    return icFav->currentData().toString();
}

void frmOrgFav::tvFav_NodeClick()
{
    updateButtons();
    const std::int32_t kind = GetSelectedKind();
    if (kind == kFavourite)
        showGame(GetSelectedPath());
    else if (kind != 0)
        showFolder(GetSelectedPath());
}

void frmOrgFav::updateButtons()
{
    const std::int32_t kind = GetSelectedKind();
    for (QWidget *w : {static_cast<QWidget *>(cmdMove), static_cast<QWidget *>(icFav), static_cast<QWidget *>(cmdPlay)})
        w->setEnabled(kind == kFavourite);
    cmdDelete->setEnabled(kind != kRoot);
    cmdRename->setEnabled(kind != kRoot);
}

void frmOrgFav::showGame(const QString &path)
{
    frameFolder->hide();
    frameGame->show();
    const FavoriteInfo fav = mFile::ReadFavRecord(path);
    lbGameName->setText(QStringLiteral("Game Name : ") + fav.GameName);
    lbGameNo->setText(QStringLiteral("Game No : ") + fav.GameNo.text());
    lbPlayer->setText(QStringLiteral("Added By : ") + fav.AddedBy);
    lbDate->setText(QStringLiteral("Date Created : ") + mFile::GeneralDate(fav.DateCreated));
}

void frmOrgFav::showFolder(const QString &path)
{
    frameGame->hide();
    frameFolder->show();
    const QFileInfo info(path);
    const QDateTime created = info.birthTime().isValid() ? info.birthTime() : info.lastModified();
    lbfName->setText(QStringLiteral("Folder Name : ") +
                     (GetSelectedKind() == kRoot ? QStringLiteral("Favorites") : info.fileName()));
    lbfDate->setText(QStringLiteral("Date Created : ") + mFile::GeneralDate(created));
    lbfAccessed->setText(QStringLiteral("Last Accessed : ") + mFile::GeneralDate(info.lastRead()));
    lbfModified->setText(QStringLiteral("Last Modified : ") + mFile::GeneralDate(info.lastModified()));
}

void frmOrgFav::change(const std::function<void()> &body)
{
    runGuarded(ctx_.messages(), body);
    FillFavTree();
}

void frmOrgFav::cmdCreate_Click()
{
    const QString name = ctx_.messages().input(QStringLiteral("Please enter a name for the new folder"),
                                               QStringLiteral("Create a Folder"), QStringLiteral("New Folder"));
    const QString root = ctx_.data().FavFolder();
    if (!mFavorites::ValidateFavName(ctx_, name, mFavorites::kFolderName, root))
        return;
    change([&] { FavEntries::CreateFolder(FolderList::join(root, name)); });
}

void frmOrgFav::cmdRename_Click()
{
    const std::int32_t kind = GetSelectedKind();
    if (kind != kFavourite && kind != kFolder)
        return;
    const QString path = GetSelectedPath();
    const QString current = nameOf(path);
    const bool game = kind == kFavourite;
    const QString prompt = game ? QStringLiteral("Please enter a new name for the game:")
                                : QStringLiteral("Please enter a new name for the folder:");
    const QString name =
        ctx_.messages().input(prompt + QStringLiteral("\r\n") + current,
                              game ? QStringLiteral("Rename Game") : QStringLiteral("Rename Folder"), current);
    const QString folder = parentOf(path);
    if (!mFavorites::ValidateFavName(ctx_, name, game ? mFavorites::kFavouriteName : mFavorites::kFolderName, folder))
        return;
    change([&] { FavEntries::MoveEntry(path, FolderList::join(folder, name)); });
}

void frmOrgFav::cmdDelete_Click()
{
    const std::int32_t kind = GetSelectedKind();
    if (kind != kFavourite && kind != kFolder)
        return;
    const QString path = GetSelectedPath();
    const bool game = kind == kFavourite;
    const QString question =
        game ? QStringLiteral("Are you sure you want to delele the Game ") + nameOf(path) + QStringLiteral(" ?")
             : QStringLiteral("Are you sure you want to remove the Folder ") + nameOf(path) +
                   QStringLiteral(" and all its contents ?");
    const MsgResult answer =
        ctx_.messages().show(question, MsgButtons::YesNo, MsgIcon::Critical,
                             game ? QStringLiteral("Delete Game") : QStringLiteral("Delete Folder"));
    if (answer != MsgResult::Yes)
        return;
    change([&] {
        if (game)
            FavEntries::DeleteFile(path);
        else
            FavEntries::DeleteFolder(path);
    });
}

void frmOrgFav::cmdMove_Click()
{
    if (GetSelectedKind() != kFavourite)
        return;
    const QString file = GetSelectedPath();
    const QString target = GetTargetFolder();
    // Exact comparison: on this system "Games" and "games" are two folders.
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(parentOf(file)).canonicalFilePath()) {
        ctx_.messages().show(QStringLiteral("Same Source and Destination Folders !"), MsgButtons::Ok,
                             MsgIcon::Critical);
        return;
    }
    if (mFavorites::NameTaken(target, nameOf(file))) {
        ctx_.messages().show(QStringLiteral("Game Already Exists in the destination Folder."), MsgButtons::Ok,
                             MsgIcon::Critical);
        return;
    }
    change([&] { FavEntries::MoveEntry(file, FolderList::join(target, nameOf(file))); });
}

void frmOrgFav::cmdPlay_Click()
{
    if (GetSelectedKind() != kFavourite)
        return;
    // Played by the opener once the window has gone.
    chosen_ = GetSelectedPath();
    hide();
    accept();
}

void frmOrgFav::cmdClose_Click()
{
    reject();
}

void frmOrgFav::done(int result)
{
    ignoreErrors([this] { mFavorites::BuildFavMenu(ctx_); });
    QDialog::done(result);
}

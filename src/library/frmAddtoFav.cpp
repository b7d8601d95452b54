#include "library/frmAddtoFav.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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

frmAddtoFav::frmAddtoFav(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Add to Favorites"));
    txFav = new QLineEdit(this);
    txFav->setObjectName(QStringLiteral("txFav"));
    tvFav = new QTreeWidget(this);
    tvFav->setObjectName(QStringLiteral("tvFav"));
    tvFav->setHeaderHidden(true);
    tvFav->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCreate = new QPushButton(QStringLiteral("New Folder"), this);
    cmdCreate->setObjectName(QStringLiteral("cmdCreate"));
    cmdCreate->setAutoDefault(false);

    auto *name = new QLabel(QStringLiteral("Name :"), this);
    name->setBuddy(txFav);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdCreate);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(txFav);
    layout->addWidget(new QLabel(QStringLiteral("Create in :"), this));
    layout->addWidget(tvFav, 1);
    layout->addLayout(buttons);
    QtListFit::showNamesWhole(tvFav);

    const auto guarded = [this](void (frmAddtoFav::*handler)()) {
        return [this, handler] { runGuarded(ctx_.messages(), [this, handler] { (this->*handler)(); }); };
    };
    connect(cmdOK, &QPushButton::clicked, this, guarded(&frmAddtoFav::cmdOK_Click));
    connect(cmdCancel, &QPushButton::clicked, this, guarded(&frmAddtoFav::cmdCancel_Click));
    connect(cmdCreate, &QPushButton::clicked, this, guarded(&frmAddtoFav::cmdCreate_Click));
    runGuarded(ctx_.messages(), [this] { Form_Load(); });
    // As wide as the folder names need, as far as the screen allows.
    const QMargins margins = layout->contentsMargins();
    const int names = QtListFit::widthFor(tvFav, QtListFit::namesWidth(tvFav)) + margins.left() + margins.right();
    QtWindowFit::resizeWithin(*this, {std::max(380, names), 360});
}

void frmAddtoFav::Form_Load()
{
    FillFolderTree();
    const ISessionInfo &session = ctx_.session();
    txFav->setText(mFavorites::DefaultFavName(session.GameName(), session.GameNo()));
    txFav->selectAll();
    ctx_.sound().AddFav();
}

void frmAddtoFav::FillFolderTree()
{
    tvFav->clear();
    const QIcon folderIcon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    auto *root = new QTreeWidgetItem(tvFav, {QStringLiteral("Favorites")});
    root->setData(0, kKeyRole, ctx_.data().FavFolder());
    root->setIcon(0, folderIcon);
    const QStringList folders = mFavorites::GetFavFolders(ctx_);
    for (qsizetype i = 1; i < folders.size(); ++i) {
        auto *node = new QTreeWidgetItem(root, {QFileInfo(folders[i]).fileName()});
        node->setData(0, kKeyRole, folders[i]);
        node->setIcon(0, folderIcon);
    }
    root->setExpanded(true);
    tvFav->setCurrentItem(root);
    mFavorites::BuildFavMenu(ctx_);
}

void frmAddtoFav::cmdOK_Click()
{
    const QString name = txFav->text();
    QTreeWidgetItem *node = tvFav->currentItem();
    const QString folder = node ? node->data(0, kKeyRole).toString() : ctx_.data().FavFolder();
    if (!mFavorites::ValidateFavName(ctx_, name, mFavorites::kFavouriteName, folder))
        return;
    mFavorites::SaveFavorite(ctx_, FolderList::join(folder, name));
    accept();
}

void frmAddtoFav::cmdCancel_Click()
{
    reject();
}

void frmAddtoFav::cmdCreate_Click()
{
    const QString name =
        ctx_.messages().input(QStringLiteral("Please Enter a Folder Name"), QString(), QStringLiteral("New Folder"));
    const QString root = ctx_.data().FavFolder();
    if (!mFavorites::ValidateFavName(ctx_, name, mFavorites::kFolderName, root))
        return;
    // A failed create is reported by the guard; the tree shows what is on disk either way.
    const QString path = FolderList::join(root, name);
    const bool created = runGuarded(ctx_.messages(), [&] { FavEntries::CreateFolder(path); });
    FillFolderTree();
    // Folders are listed by name, so the new one can stand anywhere: it is chosen by its path.
    if (QTreeWidgetItem *node = created ? folderNode(path) : nullptr)
        tvFav->setCurrentItem(node);
}

QTreeWidgetItem *frmAddtoFav::folderNode(const QString &path) const
{
    QTreeWidgetItem *root = tvFav->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        if (root->child(i)->data(0, kKeyRole).toString() == path)
            return root->child(i);
    }
    return nullptr;
}

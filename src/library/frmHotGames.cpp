#include "library/frmHotGames.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "library/HotGameLists.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "store/cRegistry.h"

namespace {
QTreeWidget *makeList(QWidget *parent, const char *name, const QString &heading)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHeaderLabels({heading});
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    QtListFit::showNamesWhole(list);
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

frmHotGames::frmHotGames(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Hot Games"));
    lvLeft = makeList(this, "lvLeft", QString());
    lvRight = makeList(this, "lvRight", QStringLiteral("Hot Games List"));
    cmdAdd = makeButton(this, "cmdAdd", QStringLiteral(">>"));
    cmdRemove = makeButton(this, "cmdRemove", QStringLiteral("<<"));
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("Close"));

    auto *middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(cmdAdd);
    middle->addWidget(cmdRemove);
    middle->addStretch(1);
    auto *lists = new QHBoxLayout;
    lists->addWidget(lvLeft, 1);
    lists->addLayout(middle);
    lists->addWidget(lvRight, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    resize(520, 400);

    const auto guarded = [this](void (frmHotGames::*handler)()) {
        return [this, handler] { runGuarded(ctx_.messages(), [this, handler] { (this->*handler)(); }); };
    };
    connect(cmdAdd, &QPushButton::clicked, this, guarded(&frmHotGames::cmdAdd_Click));
    connect(cmdRemove, &QPushButton::clicked, this, guarded(&frmHotGames::cmdRemove_Click));
    connect(cmdClose, &QPushButton::clicked, this, guarded(&frmHotGames::cmdClose_Click));
    connect(lvLeft, &QTreeWidget::itemDoubleClicked, this, guarded(&frmHotGames::cmdAdd_Click));
    connect(lvRight, &QTreeWidget::itemDoubleClicked, this, guarded(&frmHotGames::cmdRemove_Click));
    runGuarded(ctx_.messages(), [this] { Form_Load(); });
}

void frmHotGames::Form_Load()
{
    FillOtherGames();
    FillHotGames();
    EnableButtons();
    ctx_.sound().Hot();
}

void frmHotGames::FillOtherGames()
{
    fill(lvLeft, HotGameLists::OtherGames(ctx_));
}

void frmHotGames::FillHotGames()
{
    fill(lvRight, HotGameLists::HotGames(ctx_));
}

void frmHotGames::EnableButtons()
{
    cmdAdd->setEnabled(lvLeft->topLevelItemCount() > 0);
    cmdRemove->setEnabled(lvRight->topLevelItemCount() > 0);
}

void frmHotGames::cmdAdd_Click()
{
    moveSelected(lvLeft, lvRight, true);
}

void frmHotGames::cmdRemove_Click()
{
    moveSelected(lvRight, lvLeft, false);
}

void frmHotGames::cmdClose_Click()
{
    accept();
}

void frmHotGames::fill(QTreeWidget *list, const QStringList &names)
{
    list->clear();
    for (const QString &name : names)
        append(list, name);
    if (list->topLevelItemCount() > 0)
        list->setCurrentItem(list->topLevelItem(0));
}

void frmHotGames::append(QTreeWidget *list, const QString &name)
{
    auto *item = new QTreeWidgetItem(list, {name});
    const QStyle::StandardPixmap picture = list == lvRight ? QStyle::SP_DialogYesButton : QStyle::SP_FileIcon;
    item->setIcon(0, QApplication::style()->standardIcon(picture));
}

void frmHotGames::moveSelected(QTreeWidget *from, QTreeWidget *to, bool hot)
{
    QTreeWidgetItem *item = from->currentItem();
    if (!item)
        return;
    const QString name = item->text(0);
    // Stored first: a failed write is reported once and leaves both lists as they were.
    if (!ctx_.registry().KeepSetting([&] { HotGameLists::Mark(ctx_, name, hot); }))
        return;
    delete from->takeTopLevelItem(from->indexOfTopLevelItem(item));
    append(to, name);
    EnableButtons();
}

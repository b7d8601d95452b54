#include "library/frmPending.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "library/mPending.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"

namespace {
QPushButton *makeButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
} // namespace

frmPending::frmPending(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Pending List Manager"));
    lvPend = new QTreeWidget(this);
    lvPend->setObjectName(QStringLiteral("lvPend"));
    lvPend->setRootIsDecorated(false);
    lvPend->setUniformRowHeights(true);
    lvPend->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPend->setAllColumnsShowFocus(true);
    lvPend->setHeaderLabels({QStringLiteral("Game (% Completed)"), QStringLiteral("Time"), QStringLiteral("Moves"),
                             QStringLiteral("Score")});
    lvPend->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvPend->header()->setStretchLastSection(false);
    for (int column = 1; column <= 3; ++column)
        lvPend->setColumnWidth(column, 80);
    QtListFit::showNamesWhole(lvPend);

    cmdPlay = makeButton(this, "cmdPlay", QStringLiteral("Play Now"));
    cmdDelete = makeButton(this, "cmdDelete", QStringLiteral("Delete "));
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("Close"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdPlay);
    buttons->addWidget(cmdDelete);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lvPend, 1);
    layout->addLayout(buttons);
    resize(560, 360);

    connect(lvPend, &QTreeWidget::itemDoubleClicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdPlay_Click(); }); });
    connectClick(cmdPlay, &frmPending::cmdPlay_Click);
    connectClick(cmdDelete, &frmPending::cmdDelete_Click);
    connectClick(cmdClose, &frmPending::cmdClose_Click);

    runGuarded(ctx_.messages(), [this] { Form_Load(); });
}

void frmPending::connectClick(QPushButton *button, void (frmPending::*handler)())
{
    connect(button, &QPushButton::clicked, this,
            [this, handler] { runGuarded(ctx_.messages(), [this, handler] { (this->*handler)(); }); });
}

void frmPending::fillList()
{
    lvPend->clear();
    const QIcon icon = QIcon::fromTheme(QStringLiteral("user-identity"));
    QList<QTreeWidgetItem *> items;
    for (const mPending::PendingRow &row : mPending::PendingRows(ctx_)) {
        auto *item = new QTreeWidgetItem({row.text, row.time, row.moves, row.score});
        item->setIcon(0, icon);
        item->setData(0, kKeyRole, row.key);
        items << item;
    }
    lvPend->addTopLevelItems(items);
    if (!items.isEmpty())
        lvPend->setCurrentItem(items.front());
}

void frmPending::Form_Load()
{
    fillList();
    const bool any = lvPend->topLevelItemCount() > 0;
    cmdPlay->setEnabled(any);
    cmdDelete->setEnabled(any);
    ctx_.sound().OrgPend();
}

void frmPending::cmdPlay_Click()
{
    QTreeWidgetItem *item = lvPend->currentItem();
    if (!item)
        return;
    hide();
    chosen_ = item->data(0, kKeyRole).toString();
    accept();
}

void frmPending::cmdDelete_Click()
{
    QTreeWidgetItem *item = lvPend->currentItem();
    if (!item)
        return;
    // The file goes first: a file that cannot be deleted keeps its row, and the guard
    // reports why.
    mPending::DeletePendingFile(item->data(0, kKeyRole).toString());
    delete item;
    lvPend->setFocus();
    mPending::BuildPendMenu(ctx_);
}

void frmPending::cmdClose_Click()
{
    accept();
}

#include "library/frmAutoSave.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "core/AppError.h"
#include "library/AutoSaveRows.h"
#include "library/mAutoSave.h"
#include "platform/Guard.h"
#include "platform/QtListFit.h"
#include "store/cRegistry.h"

namespace {
QTreeWidget *makeList(QWidget *parent, const char *name, const QStringList &columns)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->setHeaderLabels(columns);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setStretchLastSection(false);
    list->setColumnWidth(1, 150);
    list->setColumnWidth(2, 70);
    list->setColumnWidth(3, 60);
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

frmAutoSave::frmAutoSave(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Auto Save"));
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    lvInc = makeList(
        SSTab1, "lvInc",
        {QStringLiteral("Game"), QStringLiteral("Date Played"), QStringLiteral("Time"), QStringLiteral("Perc")});
    lvFin = makeList(
        SSTab1, "lvFin",
        {QStringLiteral("Game "), QStringLiteral("Date Played"), QStringLiteral("Time"), QStringLiteral("Score")});
    SSTab1->addTab(lvInc, QStringLiteral("Incomplete Games"));
    SSTab1->addTab(lvFin, QStringLiteral("Finished Games"));
    cmdPlay = makeButton(this, "cmdPlay", QStringLiteral("Play"));
    cmdDelete = makeButton(this, "cmdDelete", QStringLiteral("Delete"));
    cmdEmpInc = makeButton(this, "cmdEmpInc", QStringLiteral("Empty Incomplete Games"));
    cmdEmpFin = makeButton(this, "cmdEmpFin", QStringLiteral("Empty Finished Games"));
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("Close"));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdPlay, cmdDelete, cmdEmpInc, cmdEmpFin})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(buttons);
    resize(640, 420);

    for (QTreeWidget *list : {lvInc, lvFin}) {
        connect(list, &QTreeWidget::itemSelectionChanged, this, [this] { lv_ItemClick(); });
        connect(list, &QTreeWidget::itemDoubleClicked, this,
                [this] { runGuarded(ctx_.messages(), [this] { cmdPlay_Click(); }); });
    }
    connectClick(cmdPlay, &frmAutoSave::cmdPlay_Click);
    connectClick(cmdDelete, &frmAutoSave::cmdDelete_Click);
    connectClick(cmdEmpInc, &frmAutoSave::cmdEmpInc_Click);
    connectClick(cmdEmpFin, &frmAutoSave::cmdEmpFin_Click);
    connectClick(cmdClose, &frmAutoSave::cmdClose_Click);

    runGuarded(ctx_.messages(), [this] { Form_Load(); });
    connect(SSTab1, &QTabWidget::currentChanged, this, [this] { SSTab1_Click(); });
}

void frmAutoSave::connectClick(QPushButton *button, void (frmAutoSave::*handler)())
{
    connect(button, &QPushButton::clicked, this,
            [this, handler] { runGuarded(ctx_.messages(), [this, handler] { (this->*handler)(); }); });
}

void frmAutoSave::Form_Load()
{
    RefreshLists();
    std::int16_t tab = 0;
    // A stored tab that cannot be read or names no tab opens the first.
    ignoreErrors([&] { tab = mAutoSave::GetAutoSaveTab(ctx_); });
    SSTab1->setCurrentIndex(tab == 1 ? 1 : 0);
    ctx_.sound().AutoSave();
}

void frmAutoSave::fillList(QTreeWidget *list, bool finished)
{
    const QSignalBlocker block(list);
    list->clear();
    const QIcon icon = QIcon::fromTheme(finished ? QStringLiteral("emblem-checked") : QStringLiteral("document-save"));
    QList<QTreeWidgetItem *> items;
    for (const AutoSaveRow &row : AutoSaveRows::List(ctx_, finished)) {
        auto *item = new QTreeWidgetItem({row.text, row.date, row.time, row.value});
        item->setIcon(0, icon);
        item->setData(0, kKeyRole, row.key);
        item->setData(0, kTagRole, row.tag);
        items << item;
    }
    list->addTopLevelItems(items);
}

void frmAutoSave::RefreshLists()
{
    cmdEmpInc->setEnabled(false);
    cmdEmpFin->setEnabled(false);
    fillList(lvInc, false);
    fillList(lvFin, true);
    cmdEmpInc->setEnabled(lvInc->topLevelItemCount() > 0);
    cmdEmpFin->setEnabled(lvFin->topLevelItemCount() > 0);
    setPlayDelete(false);
}

void frmAutoSave::setPlayDelete(bool on)
{
    cmdPlay->setEnabled(on);
    cmdDelete->setEnabled(on);
}

QTreeWidget *frmAutoSave::currentList() const
{
    return SSTab1->currentIndex() == 1 ? lvFin : lvInc;
}

void frmAutoSave::SSTab1_Click()
{
    // A row is chosen afresh on the tab now shown, so its click always counts.
    for (QTreeWidget *list : {lvInc, lvFin}) {
        const QSignalBlocker block(list);
        list->clearSelection();
        list->setCurrentItem(nullptr);
    }
    setPlayDelete(false);
}

void frmAutoSave::lv_ItemClick()
{
    setPlayDelete(!currentList()->selectedItems().isEmpty());
}

void frmAutoSave::cmdPlay_Click()
{
    const QList<QTreeWidgetItem *> selected = currentList()->selectedItems();
    if (selected.isEmpty())
        return;
    chosen_ = selected.front()->data(0, kKeyRole).toString();
    hide();
    keepTab();
    accept();
}

void frmAutoSave::cmdDelete_Click()
{
    const QList<QTreeWidgetItem *> selected = currentList()->selectedItems();
    if (selected.isEmpty())
        return;
    const QString tag = selected.front()->data(0, kTagRole).toString();
    const QString path = selected.front()->data(0, kKeyRole).toString();
    const MsgResult answer =
        ctx_.messages().show(QStringLiteral("Are you sure you want to delete ") + tag + QStringLiteral(" ?"),
                             MsgButtons::YesNo, MsgIcon::Critical);
    // The lists show what is on disk afterwards, also when the delete failed; the
    // failure then reaches the guard, which reports it.
    try {
        if (answer == MsgResult::Yes)
            AutoSaveRows::DeleteFile(path);
    } catch (const AppError &) {
        RefreshLists();
        throw;
    }
    RefreshLists();
}

void frmAutoSave::emptyKind(bool finished)
{
    bool emptied = false;
    try {
        emptied = mAutoSave::DeleteAllAutoSaves(ctx_, finished);
    } catch (const AppError &) {
        // Some files may be gone already: show what is left, then report.
        RefreshLists();
        throw;
    }
    if (emptied)
        RefreshLists();
}

void frmAutoSave::cmdEmpInc_Click()
{
    emptyKind(false);
}

void frmAutoSave::cmdEmpFin_Click()
{
    emptyKind(true);
}

void frmAutoSave::cmdClose_Click()
{
    keepTab();
    accept();
}

void frmAutoSave::keepTab()
{
    // A tab that cannot be remembered costs the setting, never the Play or the Close.
    ignoreErrors([this] {
        ctx_.registry().KeepSetting(
            [this] { mAutoSave::SetAutoSaveTab(ctx_, static_cast<std::int16_t>(SSTab1->currentIndex())); });
    });
}

#include "scores/frmPlayers.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "platform/Guard.h"
#include "scores/mPlayers.h"
#include "store/cData.h"
#include "store/cRegistry.h"

namespace {

QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QLatin1String(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmPlayers::frmPlayers(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Players"));
    lvPlayer = new QListWidget(this);
    lvPlayer->setObjectName(QStringLiteral("lvPlayer"));
    lvPlayer->setSelectionMode(QAbstractItemView::SingleSelection);
    cmdAdd = button(this, "cmdAdd", "New");
    cmdEdit = button(this, "cmdEdit", "Edit");
    cmdDelete = button(this, "cmdDelete", "Delete");
    cmdSelect = button(this, "cmdSelect", "Select");
    cmdCancel = button(this, "cmdCancel", "Cancel");

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdAdd, cmdEdit, cmdDelete})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdSelect);
    buttons->addWidget(cmdCancel);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(lvPlayer, 1);
    layout->addLayout(buttons);
    resize(360, 300);

    const auto guarded = [this](void (frmPlayers::*handler)()) {
        return [this, handler] { runGuarded(ctx_.messages(), [this, handler] { (this->*handler)(); }); };
    };
    connect(cmdAdd, &QPushButton::clicked, this, guarded(&frmPlayers::cmdAdd_Click));
    connect(cmdEdit, &QPushButton::clicked, this, guarded(&frmPlayers::cmdEdit_Click));
    connect(cmdDelete, &QPushButton::clicked, this, guarded(&frmPlayers::cmdDelete_Click));
    connect(cmdSelect, &QPushButton::clicked, this, guarded(&frmPlayers::cmdSelect_Click));
    connect(cmdCancel, &QPushButton::clicked, this, guarded(&frmPlayers::cmdCancel_Click));
    connect(lvPlayer, &QListWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    Form_Load();
}

void frmPlayers::Form_Load()
{
    LoadPlayers();
    ctx_.sound().Players();
}

void frmPlayers::LoadPlayers()
{
    const QSignalBlocker quiet(lvPlayer);
    lvPlayer->clear();
    const QIcon user = QIcon::fromTheme(QStringLiteral("user-identity"));
    const QString current = mCustomize::GetCurPlayer(ctx_);
    for (const QString &name : mPlayers::PlayerList(ctx_)) {
        auto *row = new QListWidgetItem(user, name, lvPlayer);
        if (name == current) {
            lvPlayer->setCurrentItem(row);
            row->setSelected(true);
        }
    }
    updateButtons();
}

void frmPlayers::CompactPlayers()
{
    mPlayers::CompactPlayers(ctx_);
}

QString frmPlayers::selectedName() const
{
    const QList<QListWidgetItem *> rows = lvPlayer->selectedItems();
    return rows.isEmpty() ? QString() : rows.first()->text();
}

void frmPlayers::updateButtons()
{
    const QString name = selectedName();
    cmdEdit->setEnabled(!name.isEmpty());
    cmdSelect->setEnabled(!name.isEmpty());
    cmdDelete->setEnabled(!name.isEmpty() && name != mCustomize::GetCurPlayer(ctx_));
}

void frmPlayers::cmdAdd_Click()
{
    if (mPlayers::PlayerList(ctx_).size() >= mCustomize::kMaxPlayers) {
        ctx_.messages().show(QStringLiteral("Maximum 20 Players Only!"), MsgButtons::Ok, MsgIcon::Information,
                             ctx_.data().ProdName());
        return;
    }
    mPlayers::ShowInputDialog(ctx_, QStringLiteral("Add Player"), QString());
    LoadPlayers();
}

void frmPlayers::cmdEdit_Click()
{
    const QString name = selectedName();
    // Without a row the box would add a player instead.
    if (name.isEmpty())
        return;
    mPlayers::ShowInputDialog(ctx_, QStringLiteral("Edit Player"), name);
    LoadPlayers();
}

void frmPlayers::cmdDelete_Click()
{
    const QString name = selectedName();
    if (name.isEmpty() || name == mCustomize::GetCurPlayer(ctx_))
        return;
    if (ctx_.messages().show(QStringLiteral("Are you sure you want to delete this player"), MsgButtons::YesNo,
                             MsgIcon::Critical, ctx_.data().ProdName()) != MsgResult::Yes)
        return;
    // A log that cannot be deleted raises before anything has changed; a refused store is
    // reported once and the list shows who is stored.
    ctx_.registry().KeepSetting([&] { mPlayers::DeletePlayer(ctx_, name); });
    LoadPlayers();
}

void frmPlayers::cmdSelect_Click()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    // A player who cannot be made current is said so in words and the window stays, rather
    // than the next games being counted for another player.
    if (!mCustomize::MakeCurrentOrSay(ctx_, name))
        return;
    accept();
}

void frmPlayers::cmdCancel_Click()
{
    reject();
}

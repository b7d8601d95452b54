#include "shell/frmToolbar.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <exception>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "platform/Guard.h"
#include "platform/kMenu.h"
#include "shell/mMenu.h"
#include "shell/mToolbar.h"
#include "store/cRegistry.h"

namespace {
// The row's key, kept on its list item.
constexpr int kKeyRole = Qt::UserRole;

QIcon buttonImage(Context &ctx, const QString &key)
{
    const QList<QIcon> &images = ctx.menu().ImageList();
    const int index = mMenu::GetMenuImageIndex(key) - 1;
    return index >= 0 && index < images.size() ? images.at(index) : QIcon();
}
} // namespace

frmToolbar::frmToolbar(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmToolbar"));
    setWindowTitle(QStringLiteral("Customize Toolbar"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lvTool = new QListWidget(this);
    lvTool->setObjectName(QStringLiteral("lvTool"));
    lvTool->setIconSize(QSize(16, 16));
    lvTool->setMinimumSize(260, 360);

    auto makeButton = [this](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    cmdSelectAll = makeButton("cmdSelectAll", QStringLiteral("Select All"));
    cmdDefault = makeButton("cmdDefault", QStringLiteral("Load Defaults"));
    Command1 = makeButton("Command1", QStringLiteral("Close"));

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdSelectAll);
    buttons->addWidget(cmdDefault);
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(lvTool, 1);
    layout->addLayout(buttons);

    connect(lvTool, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { runGuarded(ctx_.messages(), [&] { lvTool_ItemCheck(item); }); });
    connect(cmdSelectAll, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [&] { cmdSelectAll_Click(); }); });
    connect(cmdDefault, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [&] { cmdDefault_Click(); }); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Form_Load();
}

void frmToolbar::Form_Load()
{
    {
        const QScopedValueRollback<bool> filling(filling_, true);
        lvTool->clear();
        for (int n = 1; n <= mToolbar::kButtonCount; ++n) {
            const mToolbar::ButtonDef def = mToolbar::GetButtonDef(n);
            auto *item = new QListWidgetItem(buttonImage(ctx_, def.Key), def.Text, lvTool);
            item->setData(kKeyRole, def.Key);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    }
    recheck();
    ctx_.sound().Toolbar();
}

void frmToolbar::recheck()
{
    const QScopedValueRollback<bool> filling(filling_, true);
    for (int n = 1; n <= mToolbar::kButtonCount && n <= lvTool->count(); ++n) {
        const bool shown = mToolbar::GetButtonVisible(ctx_, n) != 0;
        lvTool->item(n - 1)->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
    }
}

void frmToolbar::store(const std::function<void()> &write)
{
    // A refused write is reported once the list and the toolbar show what is stored again,
    // never a choice that was not kept; any other error still reaches the guard.
    const cRegistry::ReportHold hold(ctx_.registry());
    std::exception_ptr other;
    try {
        ctx_.registry().KeepSetting(write);
    } catch (...) {
        other = std::current_exception();
    }
    recheck();
    mToolbar::ApplyToolbar(ctx_);
    if (other)
        std::rethrow_exception(other);
}

void frmToolbar::lvTool_ItemCheck(QListWidgetItem *item)
{
    if (filling_ || !item)
        return;
    const QString key = item->data(kKeyRole).toString();
    const std::int16_t value = item->checkState() == Qt::Checked ? 1 : 0;
    store([&] { mToolbar::SetButtonVisible(ctx_, key, value); });
}

void frmToolbar::cmdSelectAll_Click()
{
    store([&] { mToolbar::SelectAll(ctx_); });
}

void frmToolbar::cmdDefault_Click()
{
    store([&] { mToolbar::LoadDefaults(ctx_); });
}

void frmToolbar::Command1_Click()
{
    close();
}

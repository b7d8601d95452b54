#include "appearance/frmSounds.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "core/TextFile.h"
#include "platform/Guard.h"
#include "store/cRegistry.h"

namespace {
constexpr int kTagRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kKeyRole = Qt::UserRole + 2;

struct EventDef {
    const char *caption;
    const char *tag;
};

struct GroupDef {
    const char *key;
    const char *text;
    const char *icon; // the freedesktop icon that pictures the group
    std::initializer_list<EventDef> events;
};

const std::initializer_list<GroupDef> &groups()
{
    static const std::initializer_list<GroupDef> kGroups = {
        {"Game",
         "Game",
         "applications-games",
         {{"Select Dialog", "Select"},
          {"Start", "Start"},
          {"Move Card", "Move"},
          {"Undo", "Undo"},
          {"Redo", "Redo"},
          {"AutoPlay", "AutoPlay"},
          {"Pause Game", "Pause"},
          {"Close Game", "Close"},
          {"Win", "Win"}}},
        {"Fav", "Favorites", "bookmarks", {{"Add to Favorites", "AddFav"}, {"Organize Favorites", "OrgFav"}}},
        {"Pend",
         "Pending List",
         "view-list-details",
         {{"Move to Pending List", "AddPend"}, {"Organize Pending List", "OrgPend"}}},
        {"Statistics",
         "Statistics",
         "office-chart-bar",
         {{"Game Statistics", "GameStat"},
          {"Session Statistics", "SessionStat"},
          {"High Score", "HighScore"},
          {"Log Statistics", "LogStat"}}},
        {"Customize",
         "Customize",
         "preferences-desktop",
         {{"Toolbar", "Toolbar"},
          {"Sounds", "Sounds"},
          {"Animation", "Animation"},
          {"Background", "Background"},
          {"Deck", "Deck"}}},
        {"Tools",
         "Tools",
         "tools",
         {{"Players", "Players"},
          {"AutoSave", "AutoSave"},
          {"Hot Games", "Hot"},
          {"Game History", "History"},
          {"Options", "Options"}}},
        {"Help", "Help", "help-contents", {{"Rules", "Rules"}, {"Contents", "Contents"}, {"About", "About"}}},
    };
    return kGroups;
}

QIcon imageIcon(int image)
{
    switch (image) {
    case frmSounds::SoundSet: return QIcon::fromTheme(QStringLiteral("audio-volume-high"));
    case frmSounds::SoundNone: return QIcon::fromTheme(QStringLiteral("audio-volume-muted"));
    default: return QIcon::fromTheme(QStringLiteral("preferences-desktop-sound"));
    }
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
} // namespace

frmSounds::frmSounds(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Sounds"));
    tvSound = new QTreeWidget(this);
    tvSound->setObjectName(QStringLiteral("tvSound"));
    tvSound->setHeaderHidden(true);
    tvSound->setColumnCount(1);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    // The path comes from Browse only: a file that was never chosen is never stored.
    Text1->setReadOnly(true);
    cmdBrowse = makeButton(this, "cmdBrowse", QStringLiteral("Browse"));
    cmdPlay = makeButton(this, "cmdPlay", QStringLiteral("Play"));
    cmdRemove = makeButton(this, "cmdRemove", QStringLiteral("Remove"));
    cmdApply = makeButton(this, "cmdApply", QStringLiteral("Apply"));
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("Close"));
    cmdClose->setDefault(true);
    for (QPushButton *b : {cmdBrowse, cmdPlay, cmdRemove, cmdApply})
        b->setAutoDefault(false);

    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(Text1, 1);
    pathRow->addWidget(cmdBrowse);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdPlay);
    buttons->addWidget(cmdRemove);
    buttons->addWidget(cmdApply);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tvSound, 1);
    layout->addLayout(pathRow);
    layout->addLayout(buttons);
    resize(420, 460);

    connect(tvSound, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *node) { runGuarded(ctx_.messages(), [this, node] { tvSound_NodeClick(node); }); });
    // Keyboard moves through the tree choose a node as a click does.
    connect(tvSound, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *node) {
        if (node)
            runGuarded(ctx_.messages(), [this, node] { tvSound_NodeClick(node); });
    });
    connectClick(cmdBrowse, &frmSounds::cmdBrowse_Click);
    connectClick(cmdPlay, &frmSounds::cmdPlay_Click);
    connectClick(cmdRemove, &frmSounds::cmdRemove_Click);
    connectClick(cmdApply, &frmSounds::cmdApply_Click);
    connectClick(cmdClose, &frmSounds::cmdClose_Click);

    loaded_ = runGuarded(ctx_.messages(), [this] { Form_Load(); });
}

void frmSounds::connectClick(QPushButton *button, void (frmSounds::*handler)())
{
    connect(button, &QPushButton::clicked, this,
            [this, handler] { runGuarded(ctx_.messages(), [this, handler] { (this->*handler)(); }); });
}

void frmSounds::Form_Load()
{
    {
        // Selecting the root while the tree fills is not a user's click.
        const QSignalBlocker block(tvSound);
        FillSoundTree();
        QTreeWidgetItem *root = tvSound->topLevelItem(0);
        tvSound->setCurrentItem(root);
        root->setExpanded(true);
    }
    cmdApply->setEnabled(false);
    cmdPlay->setEnabled(false);
    cmdRemove->setEnabled(false);
    ctx_.sound().Sounds();
}

void frmSounds::FillSoundTree()
{
    tvSound->clear();
    auto *root = new QTreeWidgetItem(tvSound, {QStringLiteral("Sound Schemes")});
    root->setData(0, kKeyRole, QStringLiteral("m"));
    setNodeImage(root, Root);
    for (const GroupDef &group : groups()) {
        auto *node = new QTreeWidgetItem(root, {QLatin1String(group.text)});
        node->setData(0, kKeyRole, QLatin1String(group.key));
        node->setIcon(0, QIcon::fromTheme(QLatin1String(group.icon)));
        for (const EventDef &event : group.events) {
            const QString tag = QLatin1String(event.tag);
            auto *leaf = new QTreeWidgetItem(node, {QLatin1String(event.caption)});
            leaf->setData(0, kTagRole, tag);
            setNodeImage(leaf, GetSoundImage(tag));
        }
    }
}

int frmSounds::GetSoundImage(const QString &tag)
{
    return ctx_.sound().GetSound(tag).isEmpty() ? SoundNone : SoundSet;
}

QString frmSounds::nodeTag(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kTagRole).toString() : QString();
}

int frmSounds::nodeImage(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kImageRole).toInt() : 0;
}

void frmSounds::setNodeImage(QTreeWidgetItem *node, int image)
{
    node->setData(0, kImageRole, image);
    node->setIcon(0, imageIcon(image));
}

void frmSounds::tvSound_NodeClick(QTreeWidgetItem *node)
{
    const QString tag = nodeTag(node);
    if (tag.isEmpty()) {
        Text1->clear();
        cmdBrowse->setEnabled(false);
        cmdPlay->setEnabled(false);
        cmdRemove->setEnabled(false);
        return;
    }
    Text1->setText(ctx_.sound().GetSound(tag));
    const bool any = !Text1->text().isEmpty();
    cmdPlay->setEnabled(any);
    cmdRemove->setEnabled(any);
    cmdBrowse->setEnabled(true);
}

void frmSounds::cmdBrowse_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Open");
    request.filter = QStringLiteral("Sound Files (*.wav)|*.wav");
    const QString path = ctx_.fileDialogs().openFile(request);
    // A file deleted meanwhile or a folder does nothing; a FIFO or device is refused by name.
    const QFileInfo chosen(path);
    if (path.isEmpty() || !chosen.exists() || chosen.isDir())
        return;
    TextFile::requireRegularFile(path);
    Text1->setText(path);
    cmdApply->setEnabled(true);
    cmdPlay->setEnabled(true);
}

void frmSounds::cmdPlay_Click()
{
    ctx_.sound().Play(Text1->text());
}

void frmSounds::cmdApply_Click()
{
    // Whatever happens, Apply is spent: a refused store is reported once, and the node
    // shows what is stored.
    cmdApply->setEnabled(false);
    QTreeWidgetItem *node = tvSound->currentItem();
    const QString tag = nodeTag(node);
    if (tag.isEmpty() || !QFileInfo(Text1->text()).isFile())
        return;
    ctx_.registry().KeepSetting([&] { ctx_.sound().SetSound(tag, Text1->text()); });
    setNodeImage(node, GetSoundImage(tag));
}

void frmSounds::cmdRemove_Click()
{
    QTreeWidgetItem *node = tvSound->currentItem();
    const QString tag = nodeTag(node);
    if (tag.isEmpty())
        return;
    // An empty path silences the event; its default does not come back. A refused store is
    // reported once and leaves the event as it was.
    if (!ctx_.registry().KeepSetting([&] { ctx_.sound().SetSound(tag, QString()); }))
        return;
    Text1->clear();
    setNodeImage(node, SoundNone);
    cmdRemove->setEnabled(false);
    cmdPlay->setEnabled(false);
}

void frmSounds::cmdClose_Click()
{
    accept();
}

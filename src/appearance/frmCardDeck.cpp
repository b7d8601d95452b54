#include "appearance/frmCardDeck.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Context.h"
#include "appearance/DeckPreviews.h"
#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "engine/cPlay.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "store/cRegistry.h"

namespace {
constexpr int kTagRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;
} // namespace

frmCardDeck::frmCardDeck(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Customize Card Deck"));
    tvDeck = new QTreeWidget(this);
    tvDeck->setObjectName(QStringLiteral("tvDeck"));
    tvDeck->setHeaderHidden(true);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Picture1 = new QFrame(Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::StyledPanel);
    PicDeck = new QLabel(Picture1);
    PicDeck->setObjectName(QStringLiteral("PicDeck"));
    PicDeck->setAlignment(Qt::AlignCenter);
    PicDeck->setMinimumSize(ArtLibrary::CardWidth * 2, ArtLibrary::CardHeight * 2);
    auto *pictureLayout = new QVBoxLayout(Picture1);
    pictureLayout->addWidget(PicDeck);
    auto *frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(Picture1);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *top = new QHBoxLayout;
    top->addWidget(tvDeck, 1);
    top->addWidget(Frame1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(460, 340);

    previews_ =
        std::make_unique<DeckPreviews>(ctx_.art().decksFolder(), ctx_.art().devicePixelRatio(), this,
                                       [this](int index, const QImage &picture) { previewReady(index, picture); });

    connect(tvDeck, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *node) { runGuarded(ctx_.messages(), [this, node] { tvDeck_NodeClick(node); }); });
    // Moving through the tree with the keys chooses a design as a click does.
    connect(tvDeck, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *node) {
        if (node)
            runGuarded(ctx_.messages(), [this, node] { tvDeck_NodeClick(node); });
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] { runGuarded(ctx_.messages(), [this] { cmdOK_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this,
            [this] { runGuarded(ctx_.messages(), [this] { cmdCancel_Click(); }); });

    loaded_ = runGuarded(ctx_.messages(), [this] {
        FillDecks();
        ShowDeck();
        ctx_.sound().Deck();
    });
}

frmCardDeck::~frmCardDeck() = default;

void frmCardDeck::FillDecks()
{
    chosen_ = mCustomize::GetDeckIndex(ctx_);
    storedIndex_ = chosen_;
    ArtLibrary &art = ctx_.art();
    const QSignalBlocker block(tvDeck);
    tvDeck->clear();
    auto *root = new QTreeWidgetItem(tvDeck, {QStringLiteral("Card Decks")});
    root->setData(0, kKeyRole, QStringLiteral("Main0"));
    root->setIcon(0, QIcon::fromTheme(QStringLiteral("folder")));
    const QStringList categories = art.DeckCategories();
    const int categoryCount = categories.value(0).toInt();
    const int deckCount = art.DeckCount();
    for (int c = 1; c <= categoryCount && c < categories.size(); ++c) {
        const QString &name = categories[c];
        auto *category = new QTreeWidgetItem(root, {name});
        category->setData(0, kKeyRole, name);
        category->setIcon(0, QIcon::fromTheme(QStringLiteral("folder")));
        int j = 0;
        for (int d = 1; d <= deckCount; ++d) {
            if (art.DeckCategory(d) != c)
                continue;
            auto *design = new QTreeWidgetItem(category, {name + QLatin1Char(' ') + QString::number(++j)});
            design->setData(0, kTagRole, d);
            design->setIcon(0, QIcon::fromTheme(QStringLiteral("image-x-generic")));
            if (d == chosen_) {
                category->setExpanded(true);
                tvDeck->setCurrentItem(design);
            }
        }
    }
    root->setExpanded(true);
}

void frmCardDeck::ShowDeck()
{
    const auto found = rendered_.constFind(chosen_);
    if (found != rendered_.constEnd()) {
        PicDeck->setPixmap(QPixmap::fromImage(*found));
        shown_ = chosen_;
        return;
    }
    previews_->request(chosen_);
}

void frmCardDeck::previewReady(int index, const QImage &picture)
{
    rendered_.insert(index, picture);
    // A picture for a design clicked away from meanwhile is kept for later, not shown.
    if (index == chosen_)
        ShowDeck();
}

void frmCardDeck::tvDeck_NodeClick(QTreeWidgetItem *node)
{
    const int tag = nodeTag(node);
    if (tag == 0)
        return;
    chosen_ = tag;
    ShowDeck();
}

void frmCardDeck::cmdOK_Click()
{
    hide();
    // The design shown already needs neither storing nor redrawing.
    if (chosen_ != storedIndex_) {
        // The back the preview shows is the one the board needs: it is not rendered twice.
        const auto rendered = rendered_.constFind(chosen_);
        if (rendered != rendered_.constEnd())
            ctx_.art().KeepDeckPicture(chosen_, *rendered);
        // A choice that cannot be stored is reported once and still shows for the run; OK still closes.
        ctx_.registry().KeepChoice([&] { mCustomize::SetDeckIndex(ctx_, static_cast<std::int16_t>(chosen_)); });
        ctx_.play().ChangeDecks();
    }
    ctx_.art().EndCustomize();
    accept();
}

void frmCardDeck::cmdCancel_Click()
{
    ctx_.art().EndCustomize();
    reject();
}

int frmCardDeck::nodeTag(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kTagRole).toInt() : 0;
}

#include "platform/ArtLibrary.h"

#include "core/RgbColor.h"
#include "platform/ArtCards.h"
#include "platform/ArtDecks.h"
#include "platform/ArtPaint.h"
#include "platform/ArtPreviews.h"
#include "platform/ArtScenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <array>
#include <cmath>

namespace {

const QString kDefaultDeck = QStringLiteral("svg-standard");

struct NamedColor {
    const char *name;
    int red, green, blue;
};

// Colour 7 is the default table.
const std::array<NamedColor, 12> kColors = {{
    {"Midnight Blue", 24, 34, 72},
    {"Royal Blue", 32, 64, 136},
    {"Teal", 0, 96, 102},
    {"Burgundy", 112, 22, 38},
    {"Plum", 82, 38, 84},
    {"Slate", 60, 70, 82},
    {"Felt Green", 22, 102, 48},
    {"Forest Green", 26, 70, 36},
    {"Olive", 92, 96, 42},
    {"Sand", 190, 166, 116},
    {"Chocolate", 86, 52, 30},
    {"Charcoal", 46, 46, 50},
}};
constexpr int kDefaultColor = 7;

// Element ids of the decks: "<rank>_<suit>" with ranks 1..10, jack, queen, king.
QString faceElement(int suit, int rank)
{
    static const char *const suits[] = {"club", "diamond", "spade", "heart"};
    static const char *const courts[] = {"jack", "queen", "king"};
    const QString r = rank < 10 ? QString::number(rank + 1) : QString::fromLatin1(courts[rank - 10]);
    return r + QLatin1Char('_') + QLatin1String(suits[suit]);
}

QStringList listResult(const QStringList &items)
{
    QStringList result{QString::number(items.size())};
    result += items;
    return result;
}

// The size in logical pixels the painter works in: images and pixmaps report device pixels,
// other devices (widgets) already report logical ones.
QSizeF logicalSize(QPaintDevice &target)
{
    switch (target.devType()) {
    case QInternal::Image: return static_cast<QImage &>(target).deviceIndependentSize();
    case QInternal::Pixmap: return static_cast<QPixmap &>(target).deviceIndependentSize();
    default: return QSizeF(target.width(), target.height());
    }
}

} // namespace

struct ArtLibrary::Impl {
    explicit Impl(QString folder) : decksFolder(std::move(folder)), decks(decksFolder) {}

    // The deck faces are taken from: the chosen one if it reads, else the standard deck,
    // else -1 (painted faces). Parses the deck on first call.
    int faceDeckIndex()
    {
        const int chosen = decks.indexOf(faceDeck);
        if (chosen >= 0 && decks.readable(chosen))
            return chosen;
        const int standard = decks.indexOf(kDefaultDeck);
        if (standard >= 0 && decks.readable(standard))
            return standard;
        return -1;
    }

    void clear()
    {
        for (QImage &face : faces)
            face = QImage();
        backs.clear();
        slotImages.clear();
        textures.clear();
        largeIndex = 0;
        large = QImage();
    }

    QString decksFolder;
    ArtDecks decks;
    QString faceDeck = kDefaultDeck;
    std::array<QImage, 53> faces; // 1..52; element 0 unused
    QHash<int, QImage> backs;
    QHash<int, QImage> slotImages;
    QHash<int, QImage> textures;
    int lastTexture = 0; // the texture asked for last: the table's, once a background is painted
    int largeIndex = 0;  // large pictures are big: only the last one is kept
    QImage large;
};

ArtLibrary::ArtLibrary(QString decksFolder) : d_(std::make_unique<Impl>(std::move(decksFolder))) {}

ArtLibrary::~ArtLibrary() = default;

QString ArtLibrary::decksFolder() const
{
    return d_->decksFolder;
}

void ArtLibrary::setDevicePixelRatio(qreal ratio)
{
    const qreal sane = artPaint::saneRatio(ratio);
    if (sane == ratio_)
        return;
    ratio_ = sane;
    d_->clear();
}

void ArtLibrary::EndCustomize()
{
    // The dialogs that browse textures, pictures and backs have closed: keep only what the
    // board shows every deal and the texture and picture asked for last, which the table's
    // background has just been painted with (a background change or a resize paints it
    // again without drawing it anew).
    const QImage texture = d_->textures.value(d_->lastTexture);
    d_->textures.clear();
    if (!texture.isNull())
        d_->textures.insert(d_->lastTexture, texture);
    d_->decks.release(d_->decks.indexOf(d_->faceDeck));
}

QImage ArtLibrary::SplashPicture()
{
    // Ten to Ace across the fan, from the current deck.
    const QList<QImage> fan = {FacePicture(2 * 13 + 9 + 1), FacePicture(1 * 13 + 10 + 1), FacePicture(0 * 13 + 11 + 1),
                               FacePicture(3 * 13 + 12 + 1), FacePicture(2 * 13 + 0 + 1)};
    return artScenes::splash(ratio_, fan);
}

QImage ArtLibrary::MaxPicture()
{
    return artPreviews::maxButton(ratio_);
}

QImage ArtLibrary::MinPicture()
{
    return artPreviews::minButton(ratio_);
}

QImage ArtLibrary::FacePicture(int i)
{
    if (i < 1 || i > 52)
        return artCards::blankCard(ratio_);
    QImage &cached = d_->faces[static_cast<std::size_t>(i)];
    if (!cached.isNull())
        return cached;
    const int suit = (i - 1) / 13;
    const int rank = (i - 1) % 13;
    const int deck = d_->faceDeckIndex();
    QImage face;
    if (deck >= 0)
        face = d_->decks.render(deck, faceElement(suit, rank), CardWidth, CardHeight, ratio_);
    if (face.isNull())
        face = artCards::face(suit, rank, ratio_);
    cached = face;
    return face;
}

void ArtLibrary::EndCards()
{
    // Once every face is drawn the parsed deck is only memory.
    for (int i = 1; i <= 52; ++i)
        if (d_->faces[static_cast<std::size_t>(i)].isNull())
            return;
    d_->decks.release(-1);
}

QImage ArtLibrary::SlotPicture(int n)
{
    if (n < 0 || n >= SlotCount)
        return artCards::slot(14, ratio_);
    auto found = d_->slotImages.constFind(n);
    if (found != d_->slotImages.constEnd())
        return *found;
    QImage image = artCards::slot(n, ratio_);
    d_->slotImages.insert(n, image);
    return image;
}

void ArtLibrary::EndSlots() {}

QImage ArtLibrary::ResPicture(int freeCells, int freeCellCards)
{
    return artPreviews::res(freeCells, freeCellCards, ratio_);
}

QImage ArtLibrary::GoalPicture(int baseRank, int startCards)
{
    return artPreviews::goal(baseRank, startCards, ratio_);
}

QImage ArtLibrary::TableauPicture(int tableauPiles, int suitCode)
{
    return artPreviews::tableau(tableauPiles, suitCode, ratio_);
}

QImage ArtLibrary::BlankPicture()
{
    return artPreviews::blank(ratio_);
}

QImage ArtLibrary::BlankSubPicture()
{
    return artPreviews::blankSub(ratio_);
}

void ArtLibrary::EndSelection() {}

void ArtLibrary::BeginStudio() {}

QImage ArtLibrary::TexturePicture(int i)
{
    if (i < 1 || i > TextureCount())
        return artScenes::texture(0, ratio_);
    d_->lastTexture = i;
    auto found = d_->textures.constFind(i);
    if (found != d_->textures.constEnd())
        return *found;
    QImage image = artScenes::texture(i, ratio_);
    d_->textures.insert(i, image);
    return image;
}

int ArtLibrary::TextureCategory(int i)
{
    return artScenes::textureCategory(i);
}

QString ArtLibrary::TextureName(int i)
{
    return artScenes::textureName(i);
}

QStringList ArtLibrary::TextureCategories()
{
    return listResult(artScenes::textureCategoryNames());
}

int ArtLibrary::TextureCount()
{
    return artScenes::textureCount();
}

// Backs 1..painted are ours, so a stored choice keeps its meaning whatever decks are
// installed; the decks' own backs follow in listing order.
QImage ArtLibrary::DeckPicture(int i)
{
    if (i < 1 || i > DeckCount())
        return artCards::plainBack(ratio_);
    auto found = d_->backs.constFind(i);
    if (found != d_->backs.constEnd())
        return *found;
    QImage image;
    const int painted = artCards::backCount();
    if (i <= painted) {
        image = artCards::back(i, ratio_);
    } else {
        const int deck = i - painted - 1;
        image = d_->decks.render(deck, QStringLiteral("back"), CardWidth, CardHeight, ratio_);
        // A deck parsed only for its back is not kept.
        if (d_->decks.indexOf(d_->faceDeck) != deck)
            d_->decks.release(d_->decks.indexOf(d_->faceDeck));
        if (image.isNull())
            image = artCards::plainBack(ratio_);
    }
    d_->backs.insert(i, image);
    return image;
}

void ArtLibrary::KeepDeckPicture(int i, const QImage &picture)
{
    const QSize logical = picture.deviceIndependentSize().toSize();
    if (i < 1 || i > DeckCount() || picture.devicePixelRatio() != ratio_ || logical != QSize(CardWidth, CardHeight))
        return;
    d_->backs.insert(i, picture);
}

int ArtLibrary::DeckCategory(int i)
{
    if (i < 1 || i > DeckCount())
        return 0;
    if (i <= artCards::backCount())
        return artCards::backCategory(i);
    return static_cast<int>(artCards::backCategoryNames().size()) + 1;
}

QString ArtLibrary::DeckName(int i)
{
    if (i < 1 || i > DeckCount())
        return {};
    if (i <= artCards::backCount())
        return artCards::backName(i);
    return d_->decks.deck(i - artCards::backCount() - 1).name;
}

QStringList ArtLibrary::DeckCategories()
{
    QStringList names = artCards::backCategoryNames();
    // The category of the decks' own backs exists only when a deck was found.
    if (d_->decks.count() > 0)
        names.append(QStringLiteral("Decks"));
    return listResult(names);
}

int ArtLibrary::DeckCount()
{
    return artCards::backCount() + d_->decks.count();
}

QImage ArtLibrary::LargePicture(int i, int flags)
{
    Q_UNUSED(flags);
    if (i < 1 || i > PictureCount())
        return artScenes::picture(0, ratio_);
    if (d_->largeIndex != i || d_->large.isNull()) {
        d_->large = artScenes::picture(i, ratio_);
        d_->largeIndex = i;
    }
    return d_->large;
}

QString ArtLibrary::PictureName(int i)
{
    return artScenes::pictureName(i);
}

int ArtLibrary::PictureCount()
{
    return artScenes::pictureCount();
}

QString ArtLibrary::ColorName(int i)
{
    if (i < 1 || i > ColorCount())
        return {};
    return QString::fromLatin1(kColors[static_cast<std::size_t>(i - 1)].name);
}

std::uint32_t ArtLibrary::ColorValue(int i)
{
    if (i < 1 || i > ColorCount())
        i = kDefaultColor;
    const NamedColor &c = kColors[static_cast<std::size_t>(i - 1)];
    return rgbValue(c.red, c.green, c.blue);
}

int ArtLibrary::ColorCount()
{
    return static_cast<int>(kColors.size());
}

QImage ArtLibrary::DefaultCustomPicture()
{
    return artScenes::defaultCustom();
}

void ArtLibrary::PaintGradient(QPaintDevice &target, std::uint32_t topRgb, std::uint32_t bottomRgb)
{
    const QSizeF size = logicalSize(target);
    if (size.isEmpty())
        return;
    QPainter painter(&target);
    if (!painter.isActive())
        return;
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, colorFromRgbValue(topRgb));
    gradient.setColorAt(1, colorFromRgbValue(bottomRgb));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRectF(QPointF(0, 0), size), gradient);
}

void ArtLibrary::PaintTile(QPaintDevice &target, const QImage &picture)
{
    const QSizeF size = logicalSize(target);
    const QSizeF tile = picture.deviceIndependentSize();
    if (size.isEmpty() || picture.isNull() || tile.width() < 1 || tile.height() < 1)
        return;
    // A tiny picture is first repeated into a block, so a wide target takes few draws.
    QImage block = picture;
    QSizeF step = tile;
    if (tile.width() < 64 || tile.height() < 64) {
        const int nx = static_cast<int>(std::ceil(64 / tile.width()));
        const int ny = static_cast<int>(std::ceil(64 / tile.height()));
        block = QImage(picture.width() * nx, picture.height() * ny, QImage::Format_ARGB32_Premultiplied);
        block.setDevicePixelRatio(picture.devicePixelRatio());
        block.fill(Qt::transparent);
        QPainter bp(&block);
        bp.setCompositionMode(QPainter::CompositionMode_Source);
        for (int y = 0; y < ny; ++y)
            for (int x = 0; x < nx; ++x)
                bp.drawImage(QPointF(x * tile.width(), y * tile.height()), picture);
        bp.end();
        step = QSizeF(tile.width() * nx, tile.height() * ny);
    }
    // An opaque target takes the block in its own format: each draw is then a plain copy.
    if (target.devType() == QInternal::Image && static_cast<QImage &>(target).format() == QImage::Format_RGB32)
        block = block.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&target);
    if (!painter.isActive())
        return;
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (qreal y = 0; y < size.height(); y += step.height())
        for (qreal x = 0; x < size.width(); x += step.width())
            painter.drawImage(QPointF(x, y), block);
}

void ArtLibrary::setFaceDeck(const QString &deckName)
{
    const int index = d_->decks.indexOf(deckName);
    const QString chosen = index >= 0 ? d_->decks.deck(index).folder : kDefaultDeck;
    if (chosen == d_->faceDeck)
        return;
    d_->decks.release(-1);
    d_->faceDeck = chosen;
    for (QImage &face : d_->faces)
        face = QImage();
}

QString ArtLibrary::faceDeck() const
{
    return d_->faceDeck;
}

QStringList ArtLibrary::faceDecks() const
{
    QStringList names;
    for (int k = 0; k < d_->decks.count(); ++k)
        names.append(d_->decks.deck(k).folder);
    return names;
}

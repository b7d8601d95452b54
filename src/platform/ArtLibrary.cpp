#include "platform/ArtLibrary.h"

#include <QPainter>

struct ArtLibrary::Impl {
    QString decksFolder;
    QString faceDeck = QStringLiteral("svg-standard");
};

namespace {
QImage plain(int w, int h, qreal ratio)
{
    QImage img(qRound(w * ratio), qRound(h * ratio), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::white);
    return img;
}
} // namespace

ArtLibrary::ArtLibrary(QString decksFolder) : d_(std::make_unique<Impl>())
{
    d_->decksFolder = std::move(decksFolder);
}
ArtLibrary::~ArtLibrary() = default;
void ArtLibrary::setDevicePixelRatio(qreal ratio)
{
    ratio_ = ratio;
}
void ArtLibrary::EndCustomize() {}
QImage ArtLibrary::SplashPicture()
{
    return plain(400, 300, ratio_);
}
QImage ArtLibrary::MaxPicture()
{
    return plain(16, 16, ratio_);
}
QImage ArtLibrary::MinPicture()
{
    return plain(16, 16, ratio_);
}
QImage ArtLibrary::FacePicture(int)
{
    return plain(CardWidth, CardHeight, ratio_);
}
void ArtLibrary::EndCards() {}
QImage ArtLibrary::SlotPicture(int)
{
    return plain(CardWidth, CardHeight, ratio_);
}
void ArtLibrary::EndSlots() {}
QImage ArtLibrary::ResPicture(int, int)
{
    return plain(125, 36, ratio_);
}
QImage ArtLibrary::GoalPicture(int, int)
{
    return plain(125, 36, ratio_);
}
QImage ArtLibrary::TableauPicture(int, int)
{
    return plain(250, 100, ratio_);
}
QImage ArtLibrary::BlankPicture()
{
    return plain(250, 136, ratio_);
}
QImage ArtLibrary::BlankSubPicture()
{
    return plain(125, 36, ratio_);
}
void ArtLibrary::EndSelection() {}
void ArtLibrary::BeginStudio() {}
QImage ArtLibrary::TexturePicture(int)
{
    return plain(64, 64, ratio_);
}
int ArtLibrary::TextureCategory(int)
{
    return 1;
}
QStringList ArtLibrary::TextureCategories()
{
    return {QStringLiteral("1"), QStringLiteral("Plain")};
}
int ArtLibrary::TextureCount()
{
    return 1;
}
QImage ArtLibrary::DeckPicture(int)
{
    return plain(CardWidth, CardHeight, ratio_);
}
int ArtLibrary::DeckCategory(int)
{
    return 1;
}
QStringList ArtLibrary::DeckCategories()
{
    return {QStringLiteral("1"), QStringLiteral("Plain")};
}
int ArtLibrary::DeckCount()
{
    return 1;
}
QImage ArtLibrary::LargePicture(int, int)
{
    return plain(640, 480, ratio_);
}
QString ArtLibrary::PictureName(int)
{
    return QStringLiteral("Plain");
}
int ArtLibrary::PictureCount()
{
    return 1;
}
QString ArtLibrary::ColorName(int)
{
    return QStringLiteral("Green");
}
std::uint32_t ArtLibrary::ColorValue(int)
{
    return 0x008000;
}
int ArtLibrary::ColorCount()
{
    return 1;
}
QImage ArtLibrary::DefaultCustomPicture()
{
    return plain(320, 240, ratio_);
}
void ArtLibrary::PaintGradient(QPaintDevice &, std::uint32_t, std::uint32_t) {}
void ArtLibrary::PaintTile(QPaintDevice &, const QImage &) {}
void ArtLibrary::setFaceDeck(const QString &deckName)
{
    d_->faceDeck = deckName;
}
QString ArtLibrary::faceDeck() const
{
    return d_->faceDeck;
}

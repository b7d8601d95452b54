// The picture component: every card face, card back, empty-slot picture, texture,
// large picture and named colour the program shows, plus gradient and tile painting.
// Pictures are QImages at their logical size times the device pixel ratio. Lists hold
// their count in element 0; category numbers start at 1. An index outside a count
// answers a plain picture instead of failing, so a hand-edited file never aborts a deal.
#pragma once

#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class ArtLibrary {
public:
    // Logical size of a card picture in pixels (1065 x 1440 twips).
    static constexpr int CardWidth = 71;
    static constexpr int CardHeight = 96;

    // decksFolder holds the SVG card decks, one sub-folder per deck.
    explicit ArtLibrary(QString decksFolder = QStringLiteral(BRACKENFOLD_CARDDECKS_DIR));
    ~ArtLibrary();
    ArtLibrary(const ArtLibrary &) = delete;
    ArtLibrary &operator=(const ArtLibrary &) = delete;

    // Pictures are rendered at this ratio; changing it empties the caches.
    void setDevicePixelRatio(qreal ratio);
    qreal devicePixelRatio() const { return ratio_; }

    void EndCustomize();
    QImage SplashPicture();
    QImage MaxPicture();
    QImage MinPicture();
    // Face of suit s and rank n for i = s x 13 + n + 1 (1..52). Suits 0 and 2 share one
    // colour, 1 and 3 the other.
    QImage FacePicture(int i);
    void EndCards();
    // 0..12 the rank that may fill the slot, 13 any card, 14 plain empty slot,
    // 15 stock without redeals left, 16 stock with redeals left.
    QImage SlotPicture(int n);
    void EndSlots();
    QImage ResPicture(int freeCells, int freeCellCards);
    QImage GoalPicture(int baseRank, int startCards);
    QImage TableauPicture(int tableauPiles, int suitCode);
    QImage BlankPicture();
    QImage BlankSubPicture();
    void EndSelection();
    void BeginStudio();

    QImage TexturePicture(int i);
    int TextureCategory(int i);
    QStringList TextureCategories();
    int TextureCount();

    QImage DeckPicture(int i);
    int DeckCategory(int i);
    QStringList DeckCategories();
    int DeckCount();

    QImage LargePicture(int i, int flags = 0);
    QString PictureName(int i);
    int PictureCount();

    QString ColorName(int i);
    std::uint32_t ColorValue(int i);
    int ColorCount();

    QImage DefaultCustomPicture();

    // Fills the whole target, top colour at the top edge to bottom colour at the bottom.
    void PaintGradient(QPaintDevice &target, std::uint32_t topRgb, std::uint32_t bottomRgb);
    // Repeats the picture over the whole target from its top left corner.
    void PaintTile(QPaintDevice &target, const QImage &picture);

    // Which deck the faces come from: a sub-folder name of the decks folder.
    // The default is "svg-standard"; an unknown or unreadable deck falls back to it.
    void setFaceDeck(const QString &deckName);
    QString faceDeck() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
    qreal ratio_ = 1.0;
};

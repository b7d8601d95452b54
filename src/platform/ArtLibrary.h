// The picture component: every card face, card back, empty-slot picture, texture,
// large picture and named colour the program shows, plus gradient and tile painting.
// Pictures are QImages at their logical size times the device pixel ratio, never null.
// Lists hold their count in element 0; category numbers start at 1 and every category
// holds at least one item. An index outside a count answers a plain picture of the
// right size instead of failing, so a hand-edited file never aborts a deal. Faces and
// deck backs come from the SVG decks, parsed on first use; the rest is painted by us.
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
    // Logical sizes of the other pictures.
    static constexpr int TextureSize = 128; // textures are square
    static constexpr int LargeWidth = 1024;
    static constexpr int LargeHeight = 768;
    static constexpr int SplashWidth = 480;
    static constexpr int SplashHeight = 300;
    static constexpr int CustomWidth = 640; // the default custom picture, always at ratio 1
    static constexpr int CustomHeight = 480;
    static constexpr int PreviewWidth = 125; // ResPicture, GoalPicture, BlankSubPicture
    static constexpr int PreviewHeight = 36;
    static constexpr int TableauWidth = 250;
    static constexpr int TableauHeight = 100;
    static constexpr int BlankWidth = 250; // the whole preview area: two previews over the tableau
    static constexpr int BlankHeight = 136;
    static constexpr int ButtonSize = 16; // MaxPicture, MinPicture
    // Number of slot pictures (0..16).
    static constexpr int SlotCount = 17;

    // decksFolder holds the SVG card decks, one sub-folder per deck.
    explicit ArtLibrary(QString decksFolder = QStringLiteral(BRACKENFOLD_CARDDECKS_DIR));
    ~ArtLibrary();
    ArtLibrary(const ArtLibrary &) = delete;
    ArtLibrary &operator=(const ArtLibrary &) = delete;

    // The folder the SVG decks were looked for in.
    QString decksFolder() const;

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
    int TextureCategory(int i); // 0 outside the count
    QString TextureName(int i); // "" outside the count
    QStringList TextureCategories();
    int TextureCount();

    QImage DeckPicture(int i);
    // Takes the back of design i as rendered by another component at this ratio (a
    // preview worker), so that it is not rendered again here. A picture of another size
    // or ratio, or for an index outside the count, is not taken.
    void KeepDeckPicture(int i, const QImage &picture);
    int DeckCategory(int i); // 0 outside the count
    QString DeckName(int i); // "" outside the count
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
    // The default is "svg-standard"; an unknown or unreadable deck falls back to it, and
    // without it the faces are painted. Changing the deck empties the face cache.
    void setFaceDeck(const QString &deckName);
    QString faceDeck() const;
    // The sub-folder names of the decks found, in listing order.
    QStringList faceDecks() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
    qreal ratio_ = 1.0;
};

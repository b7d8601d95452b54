// The picture component: every picture of every list has its size, lists and categories
// keep their shape, faces come from the SVG deck (or are painted when it is missing), and
// the painting services cover their whole target.
#include "platform/ArtLibrary.h"

#include "core/RgbColor.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString kDecks = QStringLiteral(BRACKENFOLD_CARDDECKS_DIR);

bool haveStandardDeck()
{
    return QFile::exists(kDecks + QStringLiteral("/svg-standard/standard.svgz"));
}

// The size a picture covers in logical pixels, and its device pixels for the ratio.
void expectSize(const QImage &image, int width, int height, qreal ratio, const char *what, int index = 0)
{
    SCOPED_TRACE(testing::Message() << what << " " << index << " at ratio " << ratio);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.deviceIndependentSize().toSize(), QSize(width, height));
    EXPECT_EQ(image.size(), QSize(qRound(width * ratio), qRound(height * ratio)));
    EXPECT_DOUBLE_EQ(image.devicePixelRatio(), ratio);
}

// Pixels of strong red ink: how a red suit shows on a card.
int redInk(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            if (qAlpha(p) > 200 && qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90)
                ++count;
        }
    return count;
}

// Pixels of dark ink.
int darkInk(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            if (qAlpha(p) > 200 && qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80)
                ++count;
        }
    return count;
}

void expectCategories(const QStringList &list, int items, const std::function<int(int)> &categoryOf)
{
    ASSERT_FALSE(list.isEmpty());
    bool ok = false;
    const int count = list[0].toInt(&ok);
    ASSERT_TRUE(ok) << "element 0 holds the count as text";
    ASSERT_EQ(list.size(), count + 1);
    ASSERT_GE(count, 1);
    QSet<QString> names;
    for (int k = 1; k <= count; ++k) {
        EXPECT_FALSE(list[k].trimmed().isEmpty()) << "category " << k;
        EXPECT_FALSE(names.contains(list[k])) << "duplicate category " << list[k].toStdString();
        names.insert(list[k]);
    }
    QSet<int> used;
    for (int i = 1; i <= items; ++i) {
        const int c = categoryOf(i);
        EXPECT_GE(c, 1) << "item " << i;
        EXPECT_LE(c, count) << "item " << i;
        used.insert(c);
    }
    for (int k = 1; k <= count; ++k)
        EXPECT_TRUE(used.contains(k)) << "category " << list[k].toStdString() << " holds nothing";
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(ArtLibrary, EveryPictureOfEveryCountHasItsSize)
{
    ArtLibrary art(kDecks);
    for (qreal ratio : {1.0, 2.0}) {
        art.setDevicePixelRatio(ratio);
        for (int i = 1; i <= 52; ++i)
            expectSize(art.FacePicture(i), 71, 96, ratio, "face", i);
        for (int i = 1; i <= art.DeckCount(); ++i)
            expectSize(art.DeckPicture(i), 71, 96, ratio, "back", i);
        for (int n = 0; n < ArtLibrary::SlotCount; ++n)
            expectSize(art.SlotPicture(n), 71, 96, ratio, "slot", n);
        for (int i = 1; i <= art.TextureCount(); ++i)
            expectSize(art.TexturePicture(i), ArtLibrary::TextureSize, ArtLibrary::TextureSize, ratio, "texture", i);
        for (int i = 1; i <= art.PictureCount(); ++i)
            expectSize(art.LargePicture(i, 0), ArtLibrary::LargeWidth, ArtLibrary::LargeHeight, ratio, "large", i);
        expectSize(art.SplashPicture(), ArtLibrary::SplashWidth, ArtLibrary::SplashHeight, ratio, "splash");
        expectSize(art.MaxPicture(), 16, 16, ratio, "max");
        expectSize(art.MinPicture(), 16, 16, ratio, "min");
        expectSize(art.BlankPicture(), 250, 136, ratio, "blank");
        expectSize(art.BlankSubPicture(), 125, 36, ratio, "blank sub");
        expectSize(art.ResPicture(4, 0), 125, 36, ratio, "res");
        expectSize(art.GoalPicture(0, 0), 125, 36, ratio, "goal");
        expectSize(art.TableauPicture(8, 2), 250, 100, ratio, "tableau");
        // Written to a file once, so the same pixels whatever the screen.
        expectSize(art.DefaultCustomPicture(), 640, 480, 1.0, "default custom");
    }
}

TEST(ArtLibrary, ListsHoldTheirCountAndEveryCategoryIsNamedUniqueAndUsed)
{
    ArtLibrary art(kDecks);
    EXPECT_GE(art.TextureCount(), 1);
    expectCategories(art.TextureCategories(), art.TextureCount(), [&](int i) { return art.TextureCategory(i); });
    EXPECT_GE(art.DeckCount(), 7);
    expectCategories(art.DeckCategories(), art.DeckCount(), [&](int i) { return art.DeckCategory(i); });
    for (int i = 1; i <= art.DeckCount(); ++i)
        EXPECT_FALSE(art.DeckName(i).isEmpty()) << "back " << i;
    for (int i = 1; i <= art.TextureCount(); ++i)
        EXPECT_FALSE(art.TextureName(i).isEmpty()) << "texture " << i;
    EXPECT_GE(art.PictureCount(), 1);
    for (int i = 1; i <= art.PictureCount(); ++i)
        EXPECT_FALSE(art.PictureName(i).isEmpty()) << "picture " << i;
    EXPECT_GE(art.ColorCount(), 7);
    QSet<QString> colours;
    for (int i = 1; i <= art.ColorCount(); ++i) {
        EXPECT_FALSE(art.ColorName(i).isEmpty());
        colours.insert(art.ColorName(i));
    }
    EXPECT_EQ(colours.size(), art.ColorCount());
}

TEST(ArtLibrary, WithoutDecksThereAreStillSevenBacksAndNoEmptyDeckCategory)
{
    QTemporaryDir empty;
    ArtLibrary art(empty.path());
    EXPECT_GE(art.DeckCount(), 7);
    expectCategories(art.DeckCategories(), art.DeckCount(), [&](int i) { return art.DeckCategory(i); });
    EXPECT_FALSE(art.DeckCategories().contains(QStringLiteral("Decks")));
    // The painted backs are all different designs.
    QSet<QByteArray> seen;
    for (int i = 1; i <= art.DeckCount(); ++i) {
        const QImage back = art.DeckPicture(i);
        seen.insert(QByteArray(reinterpret_cast<const char *>(back.constBits()), back.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), art.DeckCount());
}

TEST(ArtLibrary, PaintedBacksKeepTheirIndexesWhenDecksAreInstalled)
{
    if (!haveStandardDeck())
        FAIL() << "the card decks of kdegames-card-data-kf5 are not installed";
    QTemporaryDir empty;
    ArtLibrary bare(empty.path());
    ArtLibrary full(kDecks);
    ASSERT_GT(full.DeckCount(), bare.DeckCount());
    for (int i = 1; i <= bare.DeckCount(); ++i) {
        EXPECT_EQ(full.DeckName(i), bare.DeckName(i));
        EXPECT_EQ(full.DeckPicture(i), bare.DeckPicture(i)) << "back " << i;
    }
    EXPECT_EQ(full.DeckCategory(full.DeckCount()), static_cast<int>(full.DeckCategories().size()) - 1)
        << "the decks' own backs come last, in the last category";
}

TEST(ArtLibrary, AllFiftyTwoFacesComeFromTheStandardDeckInTwoColours)
{
    if (!haveStandardDeck())
        FAIL() << "the card decks of kdegames-card-data-kf5 are not installed";
    QTemporaryDir empty;
    ArtLibrary art(kDecks);
    ArtLibrary painted(empty.path());
    EXPECT_EQ(art.faceDeck(), QStringLiteral("svg-standard"));
    QSet<QByteArray> distinct;
    for (int i = 1; i <= 52; ++i) {
        const QImage face = art.FacePicture(i);
        EXPECT_NE(face, painted.FacePicture(i)) << "face " << i << " is the painted stand-in";
        EXPECT_NE(face, art.FacePicture(0)) << "face " << i << " is blank";
        distinct.insert(QByteArray(reinterpret_cast<const char *>(face.constBits()), face.sizeInBytes()));
    }
    EXPECT_EQ(distinct.size(), 52);
    // Suits 1 and 3 are red, 0 and 2 black (number cards: courts carry every colour).
    for (int n = 0; n < 10; ++n)
        for (int red : {1, 3})
            for (int black : {0, 2}) {
                const QImage r = art.FacePicture(red * 13 + n + 1);
                const QImage b = art.FacePicture(black * 13 + n + 1);
                EXPECT_GT(redInk(r), 20) << "suit " << red << " rank " << n;
                EXPECT_EQ(redInk(b), 0) << "suit " << black << " rank " << n;
                EXPECT_GT(darkInk(b), darkInk(r) + 20) << "suits " << black << "/" << red << " rank " << n;
            }
}

TEST(ArtLibrary, PaintedFacesStandInWhenTheDecksAreMissing)
{
    QTemporaryDir empty;
    ArtLibrary art(empty.path() + QStringLiteral("/none"));
    art.setFaceDeck(QStringLiteral("svg-oxygen"));
    EXPECT_EQ(art.faceDeck(), QStringLiteral("svg-standard"));
    const QImage blank = art.FacePicture(0);
    for (int i = 1; i <= 52; ++i) {
        const QImage face = art.FacePicture(i);
        expectSize(face, 71, 96, 1.0, "painted face", i);
        EXPECT_NE(face, blank) << "face " << i;
    }
    EXPECT_GT(redInk(art.FacePicture(1 * 13 + 4 + 1)), 20);
    EXPECT_EQ(redInk(art.FacePicture(2 * 13 + 4 + 1)), 0);
    EXPECT_GT(darkInk(art.FacePicture(2 * 13 + 4 + 1)), 20);
    EXPECT_NE(art.FacePicture(1), art.FacePicture(2)) << "ranks differ";
}

TEST(ArtLibrary, ABrokenOrIncompleteDeckFallsBackWithoutFailing)
{
    if (!haveStandardDeck())
        FAIL() << "the card decks of kdegames-card-data-kf5 are not installed";
    QTemporaryDir folder;
    QDir root(folder.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("svg-standard")));
    ASSERT_TRUE(QFile::copy(kDecks + QStringLiteral("/svg-standard/standard.svgz"),
                            root.filePath(QStringLiteral("svg-standard/standard.svgz"))));
    ASSERT_TRUE(root.mkpath(QStringLiteral("svg-broken")));
    writeFile(root.filePath(QStringLiteral("svg-broken/broken.svgz")), QByteArray("this is not a picture"));
    ASSERT_TRUE(root.mkpath(QStringLiteral("svg-partial")));
    writeFile(root.filePath(QStringLiteral("svg-partial/index.desktop")),
              "[KDE Backdeck]\nName=Partial\nName[de]=Teilweise\nSVG=partial.svg\n");
    writeFile(root.filePath(QStringLiteral("svg-partial/partial.svg")),
              "<svg xmlns='http://www.w3.org/2000/svg' width='200' height='100'>"
              "<rect id='1_club' x='0' y='0' width='71' height='96' fill='#ff0000'/>"
              "<rect id='back' x='100' y='0' width='71' height='96' fill='#0000ff'/></svg>");
    ArtLibrary standard(kDecks);
    ArtLibrary painted(folder.path() + QStringLiteral("/none"));
    ArtLibrary art(folder.path());
    EXPECT_EQ(art.faceDecks(), (QStringList{"svg-broken", "svg-partial", "svg-standard"}));

    art.setFaceDeck(QStringLiteral("svg-broken"));
    EXPECT_EQ(art.FacePicture(1), standard.FacePicture(1)) << "an unreadable deck gives way to the standard one";

    art.setFaceDeck(QStringLiteral("SVG-PARTIAL"));
    EXPECT_EQ(art.faceDeck(), QStringLiteral("svg-partial"));
    const QImage ace = art.FacePicture(1).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(ace.pixel(35, 48), qRgb(255, 0, 0)) << "the element the deck has is drawn from it";
    EXPECT_EQ(art.FacePicture(2), painted.FacePicture(2)) << "a missing element is painted";

    const int painedBacks = painted.DeckCount();
    ASSERT_EQ(art.DeckCount(), painedBacks + 3);
    EXPECT_EQ(art.DeckName(painedBacks + 2), QStringLiteral("Partial"));
    const QImage brokenBack = art.DeckPicture(painedBacks + 1);
    expectSize(brokenBack, 71, 96, 1.0, "back of the broken deck");
    const QImage partialBack = art.DeckPicture(painedBacks + 2).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(partialBack.pixel(35, 48), qRgb(0, 0, 255));
}

TEST(ArtLibrary, TheLicenceBoundDeckIsLeftOut)
{
    ArtLibrary art(kDecks);
    EXPECT_FALSE(art.faceDecks().contains(QStringLiteral("svg-konqi-modern")));
    art.setFaceDeck(QStringLiteral("svg-konqi-modern"));
    EXPECT_EQ(art.faceDeck(), QStringLiteral("svg-standard"));
}

TEST(ArtLibrary, AnIndexOutsideACountAnswersAPlainPictureOrNothing)
{
    ArtLibrary art(kDecks);
    for (qreal ratio : {1.0, 2.0}) {
        art.setDevicePixelRatio(ratio);
        for (int i : {INT_MIN, -1, 0, 53, 32767, INT_MAX})
            expectSize(art.FacePicture(i), 71, 96, ratio, "face", i);
        for (int i : {INT_MIN, -1, 17, 999})
            expectSize(art.SlotPicture(i), 71, 96, ratio, "slot", i);
        for (int i : {INT_MIN, 0, art.DeckCount() + 1, INT_MAX}) {
            expectSize(art.DeckPicture(i), 71, 96, ratio, "back", i);
            EXPECT_EQ(art.DeckCategory(i), 0);
            EXPECT_EQ(art.DeckName(i), QString());
        }
        for (int i : {INT_MIN, 0, art.TextureCount() + 1, 999}) {
            expectSize(art.TexturePicture(i), ArtLibrary::TextureSize, ArtLibrary::TextureSize, ratio, "texture", i);
            EXPECT_EQ(art.TextureCategory(i), 0);
        }
        for (int i : {INT_MIN, 0, art.PictureCount() + 1})
            expectSize(art.LargePicture(i, 0), ArtLibrary::LargeWidth, ArtLibrary::LargeHeight, ratio, "large", i);
    }
    EXPECT_EQ(art.SlotPicture(-1), art.SlotPicture(14)) << "outside the slots: the plain empty slot";
    EXPECT_EQ(art.ColorName(0), QString());
    EXPECT_EQ(art.ColorName(art.ColorCount() + 1), QString());
    EXPECT_EQ(art.PictureName(0), QString());
    EXPECT_EQ(art.PictureName(art.PictureCount() + 1), QString());
    EXPECT_EQ(art.ColorValue(0), art.ColorValue(7)) << "outside the colours: the default table";
    EXPECT_EQ(art.ColorValue(INT_MAX), art.ColorValue(7));
}

TEST(ArtLibrary, PreviewsDrawAnyArguments)
{
    ArtLibrary art(kDecks);
    const int values[] = {INT_MIN, -32768, -1, 0, 1, 2, 4, 10, 12, 13, 14, 21, 22, 32767, INT_MAX};
    for (int a : values)
        for (int b : values) {
            expectSize(art.ResPicture(a, b), 125, 36, 1.0, "res", a);
            expectSize(art.GoalPicture(a, b), 125, 36, 1.0, "goal", a);
            expectSize(art.TableauPicture(a, b), 250, 100, 1.0, "tableau", a);
        }
    // The previews follow their arguments.
    EXPECT_NE(art.ResPicture(4, 0), art.ResPicture(2, 0));
    EXPECT_NE(art.ResPicture(4, 0), art.ResPicture(4, 4));
    EXPECT_NE(art.GoalPicture(0, 0), art.GoalPicture(1, 0));
    EXPECT_NE(art.GoalPicture(0, 0), art.GoalPicture(0, 4));
    EXPECT_NE(art.TableauPicture(8, 2), art.TableauPicture(7, 2));
    EXPECT_NE(art.TableauPicture(8, 2), art.TableauPicture(8, 0));
    // One suit shows no red card at all.
    EXPECT_EQ(redInk(art.TableauPicture(8, 0)), 0);
    EXPECT_GT(redInk(art.TableauPicture(8, 2)), 0);
}

TEST(ArtLibrary, SlotPicturesTellTheirMeaningsApart)
{
    ArtLibrary art(kDecks);
    QSet<QByteArray> seen;
    for (int n = 0; n < ArtLibrary::SlotCount; ++n) {
        const QImage slot = art.SlotPicture(n);
        seen.insert(QByteArray(reinterpret_cast<const char *>(slot.constBits()), slot.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), ArtLibrary::SlotCount);
}

TEST(ArtLibrary, ColourSevenIsAFeltGreenAndColoursKeepRedInTheLowByte)
{
    ArtLibrary art(kDecks);
    const std::uint32_t felt = art.ColorValue(7);
    const auto red = static_cast<int>(felt & 0xFF);
    const auto green = static_cast<int>((felt >> 8) & 0xFF);
    const auto blue = static_cast<int>((felt >> 16) & 0xFF);
    EXPECT_GT(green, red + 30);
    EXPECT_GT(green, blue + 30);
    EXPECT_EQ(felt >> 24, 0u);
    for (int i = 1; i <= art.ColorCount(); ++i) {
        if (art.ColorName(i) == QStringLiteral("Burgundy")) {
            const std::uint32_t v = art.ColorValue(i);
            EXPECT_GT(v & 0xFF, (v >> 16) & 0xFF) << "red sits in the low byte";
        }
    }
}

TEST(ArtLibrary, GradientFillsTheWholeTargetTopToBottom)
{
    ArtLibrary art(kDecks);
    for (qreal ratio : {1.0, 2.0}) {
        QImage target(qRound(40 * ratio), qRound(100 * ratio), QImage::Format_ARGB32);
        target.setDevicePixelRatio(ratio);
        target.fill(Qt::magenta);
        art.PaintGradient(target, rgbValue(255, 0, 0), rgbValue(0, 0, 255));
        const int w = target.width();
        const int h = target.height();
        for (int x : {0, w / 2, w - 1}) {
            const QColor top = target.pixelColor(x, 0);
            const QColor bottom = target.pixelColor(x, h - 1);
            EXPECT_GE(top.red(), 245) << "ratio " << ratio;
            EXPECT_LE(top.blue(), 10);
            EXPECT_GE(bottom.blue(), 245);
            EXPECT_LE(bottom.red(), 10);
            const QColor middle = target.pixelColor(x, h / 2);
            EXPECT_NEAR(middle.red(), 128, 12);
            EXPECT_NEAR(middle.blue(), 128, 12);
        }
        for (int y = 0; y < h; ++y)
            ASSERT_NE(target.pixelColor(w - 1, y), QColor(Qt::magenta)) << "row " << y << " left unpainted";
    }
}

TEST(ArtLibrary, TileRepeatsThePictureOverTheWholeTarget)
{
    ArtLibrary art(kDecks);
    QImage tile(3, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            tile.setPixel(x, y, qRgb(x * 80, y * 50, 200));
    QImage target(301, 203, QImage::Format_ARGB32);
    target.fill(Qt::black);
    art.PaintTile(target, tile);
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x)
            ASSERT_EQ(target.pixel(x, y), tile.pixel(x % 3, y % 5)) << x << "," << y;

    // A texture at ratio 2 tiles in logical pixels: it repeats every TextureSize.
    art.setDevicePixelRatio(2.0);
    const QImage texture = art.TexturePicture(1);
    QImage board(600, 600, QImage::Format_ARGB32_Premultiplied);
    board.setDevicePixelRatio(2.0);
    art.PaintTile(board, texture);
    const int period = 2 * ArtLibrary::TextureSize;
    for (int y = 0; y + period < board.height(); y += 7)
        for (int x = 0; x + period < board.width(); x += 7) {
            ASSERT_EQ(board.pixel(x, y), texture.pixel(x % period, y % period));
            ASSERT_EQ(board.pixel(x + period, y), board.pixel(x, y));
        }

    // Nothing to tile leaves the target as it was.
    QImage untouched(20, 20, QImage::Format_ARGB32);
    untouched.fill(Qt::cyan);
    art.PaintTile(untouched, QImage());
    EXPECT_EQ(untouched.pixelColor(10, 10), QColor(Qt::cyan));
}

TEST(ArtLibrary, TexturesJoinWithoutSeams)
{
    ArtLibrary art(kDecks);
    for (int i = 1; i <= art.TextureCount(); ++i) {
        const QImage t = art.TexturePicture(i).convertToFormat(QImage::Format_ARGB32);
        auto diff = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        };
        double inside = 0;
        double seam = 0;
        for (int k = 0; k < t.height(); ++k) {
            inside += diff(t.pixel(t.width() / 2, k), t.pixel(t.width() / 2 + 1, k));
            inside += diff(t.pixel(k, t.height() / 2), t.pixel(k, t.height() / 2 + 1));
            seam += diff(t.pixel(t.width() - 1, k), t.pixel(0, k));
            seam += diff(t.pixel(k, t.height() - 1), t.pixel(k, 0));
        }
        EXPECT_LE(seam, inside * 2 + t.height()) << art.TextureName(i).toStdString();
    }
}

TEST(ArtLibrary, ChangingTheRatioRedrawsAtTheNewSize)
{
    ArtLibrary art(kDecks);
    EXPECT_EQ(art.FacePicture(1).size(), QSize(71, 96));
    EXPECT_EQ(art.DeckPicture(1).size(), QSize(71, 96));
    art.setDevicePixelRatio(2.0);
    EXPECT_EQ(art.FacePicture(1).size(), QSize(142, 192));
    EXPECT_EQ(art.DeckPicture(1).size(), QSize(142, 192));
    EXPECT_EQ(art.SlotPicture(3).size(), QSize(142, 192));
    art.setDevicePixelRatio(1.5);
    EXPECT_EQ(art.FacePicture(1).size(), QSize(107, 144));
    // A nonsense ratio is taken as 1 rather than allocating nothing or everything.
    art.setDevicePixelRatio(std::nan(""));
    EXPECT_DOUBLE_EQ(art.devicePixelRatio(), 1.0);
    art.setDevicePixelRatio(-3);
    EXPECT_DOUBLE_EQ(art.devicePixelRatio(), 1.0);
    EXPECT_EQ(art.FacePicture(1).size(), QSize(71, 96));
}

TEST(ArtLibrary, TheNoticesKeepEveryPictureAvailable)
{
    ArtLibrary art(kDecks);
    const QImage face = art.FacePicture(5);
    const QImage back = art.DeckPicture(art.DeckCount());
    for (int i = 1; i <= 52; ++i)
        art.FacePicture(i);
    art.EndCards();
    art.EndSlots();
    art.EndCustomize();
    art.EndSelection();
    art.BeginStudio();
    EXPECT_EQ(art.FacePicture(5), face);
    EXPECT_EQ(art.DeckPicture(art.DeckCount()), back);
    art.setFaceDeck(QStringLiteral("svg-standard"));
    EXPECT_EQ(art.FacePicture(5), face) << "the deck parses again after being released";
}

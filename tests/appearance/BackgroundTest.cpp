// The table background: the stored settings with their read checks, the colour-scheme
// file, the change timer, and what each kind paints, checked by the pixels of the main
// window's background picture.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include "appearance/BackgroundDecoder.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "core/RgbColor.h"
#include "platform/ArtLibrary.h"
#include "store/cData.h"
#include "store/mRegistry.h"
#include "support/Errors.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"

namespace {
constexpr int kWidth = 64;
constexpr int kHeight = 48;

// A context whose main window has a small background picture, its outer size in twips
// matching it.
struct Table : GameContext {
    Table()
    {
        QImage &picture = nullWindow.backgroundPicture();
        picture = QImage(kWidth, kHeight, QImage::Format_RGB32);
        picture.fill(Qt::black);
        nullWindow.setOuterSize(QSizeF(kWidth * 15, kHeight * 15));
    }
    QImage &picture() { return nullWindow.backgroundPicture(); }
    QColor at(int x, int y) { return picture().pixelColor(x, y); }
    void paintPlain(const QColor &color) { picture().fill(color); }
    QString file(const QString &name, const QByteArray &bytes) const
    {
        const QString path = QDir(home.path()).filePath(name);
        writeBytes(path, bytes);
        return path;
    }
    QString pictureFile(const QString &name, const QColor &color, const char *format, QSize size = {16, 8}) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        const QString path = QDir(home.path()).filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
};

QString stored(Context &ctx, const char *name)
{
    return mRegistry::GetRegString(ctx, "BackGround", name, "<absent>");
}

// Gradients may round a step off the exact colour.
::testing::AssertionResult near(const QColor &got, const QColor &want)
{
    if (std::abs(got.red() - want.red()) <= 2 && std::abs(got.green() - want.green()) <= 2 &&
        std::abs(got.blue() - want.blue()) <= 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got.name().toStdString() << " is not " << want.name().toStdString();
}

void setInt(Context &ctx, const char *name, int value)
{
    mRegistry::SetRegInteger(ctx, "BackGround", name, static_cast<std::int16_t>(value));
}
} // namespace

TEST(BackgroundSettings, OutOfRangeIndicesReadAsTheirFallbackWithoutBeingStored)
{
    Table t;
    ArtLibrary &art = t.ctx.art();
    EXPECT_EQ(mCustomize::GetColorIndex(t.ctx), 7);
    for (int bad : {0, art.ColorCount() + 1}) {
        setInt(t.ctx, "ColorIndex", bad);
        EXPECT_EQ(mCustomize::GetColorIndex(t.ctx), 1) << bad;
    }
    setInt(t.ctx, "ImageIndex", 0);
    EXPECT_EQ(mCustomize::GetImageIndex(t.ctx), 1);
    setInt(t.ctx, "TextureIndex", art.TextureCount() + 1);
    EXPECT_EQ(mCustomize::GetTextureIndex(t.ctx), 1);
    setInt(t.ctx, "TextureIndex", art.TextureCount());
    EXPECT_EQ(mCustomize::GetTextureIndex(t.ctx), art.TextureCount());
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "BackGround", "ImageIndex", -1), 0);
}

TEST(BackgroundSettings, MissingFilesReadAsTheDefaultsAndTheDefaultSchemeIsWrittenAgain)
{
    Table t;
    cData &data = t.ctx.data();
    const QString scheme = t.file("Mine", " 1  2  3  4  5  6 \r\n");
    mCustomize::SetSchemeFile(t.ctx, scheme);
    EXPECT_EQ(mCustomize::GetSchemeFile(t.ctx), scheme);
    QFile::remove(scheme);
    ASSERT_TRUE(QFile::remove(data.DefaultSchemeFile()));
    EXPECT_EQ(mCustomize::GetSchemeFile(t.ctx), data.DefaultSchemeFile());
    EXPECT_EQ(bytesOf(data.DefaultSchemeFile()), QByteArray(" 0  128  0  128  0  0 \r\n"));
    EXPECT_EQ(stored(t.ctx, "SchemeFile"), scheme);

    // A custom image that exists but is not in the custom-image list is not used.
    const QString own = t.pictureFile("Own.png", Qt::red, "PNG");
    mCustomize::SetCustImageFile(t.ctx, own);
    EXPECT_EQ(mCustomize::GetCustImageFile(t.ctx), data.DefaultCustImageFile());

    mCustomize::SetImageFolderFile(t.ctx, own);
    EXPECT_EQ(mCustomize::GetImageFolderFile(t.ctx), own);
    QFile::remove(own);
    EXPECT_EQ(mCustomize::GetImageFolderFile(t.ctx), data.DefaultCustImageFile());

    mCustomize::SetCustImageInitDir(t.ctx, QDir(t.home.path()).filePath("gone"));
    EXPECT_NE(mCustomize::GetCustImageInitDir(t.ctx), QDir(t.home.path()).filePath("gone"));
    EXPECT_TRUE(QDir(mCustomize::GetCustImageInitDir(t.ctx)).exists());
}

TEST(SchemeFile, IsWrittenByteExactAndReadTolerantly)
{
    Table t;
    EXPECT_EQ(mCustomize::SchemeFileBytes({0, 128, 0, 128, 0, 0}), QByteArray(" 0  128  0  128  0  0 \r\n"));
    EXPECT_EQ(mCustomize::SchemeFileBytes({-1, 255, 7, 0, 0, 300}), QByteArray("-1  255  7  0  0  300 \r\n"));

    const mCustomize::SchemeColors c = mCustomize::ReadSchemeFile(t.file("a", "10,20,30\n40\r\n50 60 70 junk"));
    EXPECT_EQ(std::vector<int>({c.TopR, c.TopG, c.TopB, c.BotR, c.BotG, c.BotB}),
              std::vector<int>({10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(errorOf([&] { mCustomize::ReadSchemeFile(t.file("b", " 1  2  3  4  5 \r\n")); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { mCustomize::ReadSchemeFile(t.file("c", " 1  2  x  4  5  6 \r\n")); }), err::TypeMismatch);
    // A value outside 0..255 makes the file no scheme, like any other damage.
    EXPECT_EQ(errorOf([&] { mCustomize::ReadSchemeFile(t.file("d", "-64 2 3 4 5 6")); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { mCustomize::ReadSchemeFile(t.file("e", "1 2 3 4 5 6640")); }), err::TypeMismatch);
    EXPECT_NO_THROW(mCustomize::ReadSchemeFile(t.file("f", "0 255 0 255 0 255")));

    // Values out of colour range are held to 0..255 for painting.
    EXPECT_EQ(mCustomize::SchemeTop({-1, 300, 7, 0, 0, 0}), rgbValue(0, 255, 7));
}

TEST(WallpaperTimer, FollowsTheChangeMode)
{
    Table t;
    AppTimer &timer = t.nullWindow.wallPaperTimer();
    for (const auto &[mode, interval] : {std::pair{1, 5000}, std::pair{2, 15000}, std::pair{3, 60000}}) {
        mCustomize::SetWPTimerValue(t.ctx, static_cast<std::int16_t>(mode));
        mCustomize::SetWallpaperTimer(t.ctx);
        EXPECT_TRUE(timer.enabled()) << mode;
        EXPECT_EQ(timer.interval(), interval) << mode;
    }
    mCustomize::SetWPTimerValue(t.ctx, 9);
    mCustomize::SetWallpaperTimer(t.ctx);
    EXPECT_TRUE(timer.enabled());
    mCustomize::SetWPTimerValue(t.ctx, 4);
    mCustomize::SetWallpaperTimer(t.ctx);
    EXPECT_FALSE(timer.enabled());
}

TEST(BackgroundPainting, NothingStoredPaintsColourSevenFadedToBlack)
{
    Table t;
    t.nullWindow.wallPaperTimer().setInterval(5000);
    t.nullWindow.wallPaperTimer().setEnabled(true);
    mCustomize::ApplyBackground(t.ctx);
    EXPECT_TRUE(near(t.at(5, 0), colorFromRgbValue(t.ctx.art().ColorValue(7))));
    EXPECT_LT(t.at(5, kHeight - 1).value(), 12);
    EXPECT_FALSE(t.nullWindow.wallPaperTimer().enabled());

    mCustomize::SetFadeIndex(t.ctx, false);
    mCustomize::ApplyBackground(t.ctx);
    EXPECT_TRUE(near(t.at(5, kHeight - 1), colorFromRgbValue(t.ctx.art().ColorValue(7))));
}

TEST(BackgroundPainting, APictureIsCentredFromTheOuterSizeOrTiled)
{
    EXPECT_EQ(mCustomize::CentredAt({12000, 9000}, {3000, 2000}), QPointF(4500, 3500));
    EXPECT_EQ(mCustomize::CentredAt({12000, 9000}, {12001, 9500}), QPointF(-0.5, -250));

    Table t;
    QImage picture(16, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    mCustomize::SetEnableTile(t.ctx, false);
    mCustomize::PaintPicture(t.ctx, picture);
    EXPECT_EQ(t.at(24, 20), QColor(Qt::red));
    EXPECT_EQ(t.at(39, 27), QColor(Qt::red));
    EXPECT_EQ(t.at(23, 20), QColor(Qt::black));
    EXPECT_EQ(t.at(40, 28), QColor(Qt::black));

    mCustomize::SetEnableTile(t.ctx, true);
    picture.setPixelColor(0, 0, Qt::blue);
    mCustomize::PaintPicture(t.ctx, picture);
    EXPECT_EQ(t.at(48, 40), QColor(Qt::blue));
    EXPECT_EQ(t.at(63, 47), QColor(Qt::red));
}

TEST(BackgroundPainting, ABigPictureFileIsDecodedWhereItShows)
{
    Table t;
    QImage big(200, 100, QImage::Format_RGB32);
    big.fill(Qt::blue);
    for (int y = 40; y < 60; ++y)
        for (int x = 90; x < 110; ++x)
            big.setPixelColor(x, y, Qt::red);
    const QString path = QDir(t.home.path()).filePath("big.png");
    ASSERT_TRUE(big.save(path, "PNG"));
    mCustomize::SetEnableTile(t.ctx, false);
    ASSERT_TRUE(mCustomize::PaintPictureFile(t.ctx, path));
    // The picture's centre lands on the table's centre.
    EXPECT_EQ(t.at(31, 23), QColor(Qt::red));
    EXPECT_EQ(t.at(0, 0), QColor(Qt::blue));
    EXPECT_EQ(t.at(21, 13), QColor(Qt::blue));
    EXPECT_EQ(t.at(22, 14), QColor(Qt::red));
    EXPECT_EQ(t.at(41, 33), QColor(Qt::red));
    EXPECT_EQ(t.at(42, 34), QColor(Qt::blue));
}

TEST(ChangeBackground, PicksFromTheWholeRangeAndStoresNothing)
{
    Table t;
    ArtLibrary &art = t.ctx.art();
    mCustomize::ChangeBackground(t.ctx, [] { return 0.0; });
    EXPECT_TRUE(near(t.at(0, 0), colorFromRgbValue(art.ColorValue(1))));
    mCustomize::ChangeBackground(t.ctx, [] { return 0.9999999; });
    EXPECT_TRUE(near(t.at(0, 0), colorFromRgbValue(art.ColorValue(art.ColorCount()))));
    // A generator that answers 1 still picks within the range.
    mCustomize::ChangeBackground(t.ctx, [] { return 1.0; });
    EXPECT_TRUE(near(t.at(0, 0), colorFromRgbValue(art.ColorValue(art.ColorCount()))));
    EXPECT_EQ(stored(t.ctx, "ColorIndex"), "<absent>");

    // Schemes in listing order; the default scheme is among them.
    mCustomize::SetBackIndex(t.ctx, mCustomize::Scheme);
    mCustomize::GetSchemeFile(t.ctx);
    const QString folder = t.ctx.data().SchemeFolder();
    writeBytes(folder + "/a first", " 200  0  0  0  0  0 \r\n");
    writeBytes(folder + "/Zed", " 0  0  200  0  0  0 \r\n");
    mCustomize::ChangeBackground(t.ctx, [] { return 0.0; });
    EXPECT_TRUE(near(t.at(0, 0), QColor(200, 0, 0)));
    mCustomize::ChangeBackground(t.ctx, [] { return 0.9999999; });
    EXPECT_TRUE(near(t.at(0, 0), QColor(0, 0, 200)));
}

TEST(ChangeBackground, ADamagedOrMissingFileOrAnEmptyListPaintsNothingAndNeverFails)
{
    Table t;
    const QString folder = t.ctx.data().SchemeFolder();
    QFile::remove(t.ctx.data().DefaultSchemeFile());
    writeBytes(folder + "/broken", " 1  2  3 \r\n");
    mCustomize::SetBackIndex(t.ctx, mCustomize::Scheme);
    t.paintPlain(Qt::green);
    // A damaged file is named once, however often the timer picks it again.
    t.box.expect(MsgResult::Ok, "broken\" could not be shown");
    EXPECT_NO_THROW(mCustomize::ChangeBackground(t.ctx, [] { return 0.0; }));
    EXPECT_NO_THROW(mCustomize::ChangeBackground(t.ctx, [] { return 0.0; }));
    EXPECT_EQ(t.at(3, 3), QColor(Qt::green));
    EXPECT_EQ(t.box.prompts().size(), 1);
    EXPECT_NO_THROW(mCustomize::ApplyBackground(t.ctx));
    // The stored scheme damaged: named once over two applies.
    mCustomize::SetSchemeFile(t.ctx, t.file("stored", "1 2 3 4 5 300"));
    t.box.expect(MsgResult::Ok, "stored\" could not be shown");
    mCustomize::ApplyBackground(t.ctx);
    mCustomize::ApplyBackground(t.ctx);
    EXPECT_EQ(t.box.prompts().size(), 2);

    // An image folder holding a damaged picture, then an empty one.
    QDir(t.home.path()).mkpath("pics");
    const QString pics = QDir(t.home.path()).filePath("pics");
    writeBytes(pics + "/bad.JPG", "not a picture");
    mCustomize::SetImageFolderFile(t.ctx, pics + "/bad.JPG");
    mCustomize::SetBackIndex(t.ctx, mCustomize::ImageFolder);
    t.paintPlain(Qt::green);
    t.box.expect(MsgResult::Ok, "bad.JPG\" could not be shown");
    EXPECT_NO_THROW(mCustomize::ChangeBackground(t.ctx, [] { return 0.0; }));
    EXPECT_NO_THROW(mCustomize::ChangeBackground(t.ctx, [] { return 0.0; }));
    EXPECT_EQ(t.at(3, 3), QColor(Qt::green));
    EXPECT_EQ(t.box.prompts().size(), 3);

    // Patterns ignore letter case; other files are not pictures of the folder.
    writeBytes(pics + "/notes.txt", "x");
    EXPECT_EQ(mCustomize::ListFiles(pics, "*.bmp;*.gif;*.jpg;*.jpeg"), QStringList({pics + "/bad.JPG"}));
    const QString good = t.pictureFile("pics/good.Jpeg", Qt::red, "JPEG");
    mCustomize::ChangeBackground(t.ctx, [] { return 0.9999999; });
    EXPECT_EQ(t.at(3, 3).red() > 200 && t.at(3, 3).green() < 50, true) << good.toStdString();

    mCustomize::SetBackIndex(t.ctx, mCustomize::CustImage);
    t.paintPlain(Qt::green);
    EXPECT_NO_THROW(mCustomize::ChangeBackground(t.ctx, [] { return 0.5; }));
    EXPECT_EQ(t.at(3, 3), QColor(Qt::green));
    EXPECT_EQ(t.box.prompts().size(), 3);
}

namespace {
// A main window that decodes the pictures of background changes on its worker.
struct DecodingWindow : NullMainWindow {
    BackgroundDecoder *backgroundDecoder() override { return &decoder; }
    bool waitForPictures()
    {
        QElapsedTimer clock;
        clock.start();
        while (decoder.delivered() != decoder.requested() && clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return decoder.delivered() == decoder.requested();
    }
    BackgroundDecoder decoder;
};
} // namespace

TEST(ChangeBackground, AFolderPictureArrivesFromTheWorkerUnlessTheTableWasPaintedMeanwhile)
{
    DecodingWindow window;
    Table t;
    window.backgroundPicture() = QImage(kWidth, kHeight, QImage::Format_RGB32);
    window.backgroundPicture().fill(Qt::black);
    window.setOuterSize(QSizeF(kWidth * 15, kHeight * 15));
    t.ctx.setMainWindow(&window);
    mCustomize::SetImageFolderFile(t.ctx, t.pictureFile("big.bmp", Qt::red, "BMP", {200, 100}));
    mCustomize::SetBackIndex(t.ctx, mCustomize::ImageFolder);
    mCustomize::SetEnableTile(t.ctx, false);

    mCustomize::ChangeBackground(t.ctx, [] { return 0.0; });
    EXPECT_EQ(window.backgroundPicture().pixelColor(3, 3), QColor(Qt::black)) << "the game start did not wait";
    ASSERT_TRUE(window.waitForPictures());
    EXPECT_EQ(window.backgroundPicture().pixelColor(3, 3), QColor(Qt::red));

    mCustomize::ChangeBackground(t.ctx, [] { return 0.0; });
    mCustomize::PaintColor(t.ctx, 1);
    ASSERT_TRUE(window.waitForPictures());
    EXPECT_TRUE(near(window.backgroundPicture().pixelColor(3, 0), colorFromRgbValue(t.ctx.art().ColorValue(1))));
}

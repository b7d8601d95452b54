// The background settings of mCustomize and their painting into the main window's
// background picture.
#include "appearance/mCustomize.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "app/Context.h"
#include "app/mGen1.h"
#include "appearance/BackgroundDecoder.h"
#include "core/AppError.h"
#include "core/FolderList.h"
#include "core/RgbColor.h"
#include "core/TextFile.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"
#include "library/mFavorites.h"
#include "store/cData.h"
#include "store/cFunc.h"
#include "store/mRegistry.h"

namespace mCustomize {
namespace {
const QString kSection = QStringLiteral("BackGround");
constexpr double kTwipsPerPixel = 15.0;
// How much of a scheme file is read at most: far more than six values with blanks need.
constexpr qsizetype kSchemeBytes = 4096;

std::int16_t getInt(Context &ctx, const char *name, std::int16_t fallback)
{
    return mRegistry::GetRegInteger(ctx, kSection, QLatin1String(name), fallback);
}

void setInt(Context &ctx, const char *name, std::int16_t value)
{
    mRegistry::SetRegInteger(ctx, kSection, QLatin1String(name), value);
}

QString getText(Context &ctx, const char *name, const QString &fallback)
{
    return mRegistry::GetRegString(ctx, kSection, QLatin1String(name), fallback);
}

void setText(Context &ctx, const char *name, const QString &value)
{
    mRegistry::SetRegString(ctx, kSection, QLatin1String(name), value);
}

std::int16_t inRange(std::int16_t value, int count)
{
    return value < 1 || value > count ? std::int16_t{1} : value;
}

bool isFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

std::uint32_t rgb(int r, int g, int b)
{
    return rgbValue(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

// n in 1..count from a random value in [0, 1); the value is held below 1 so a generator
// that answers 1 still picks the last.
int pickFromOne(int count, double r)
{
    return std::clamp(static_cast<int>(std::floor(count * r + 1)), 1, count);
}

int pickFromZero(int count, double r)
{
    return std::clamp(static_cast<int>(std::floor(count * r)), 0, count - 1);
}

// The background picture in logical pixels.
QSizeF logicalSize(const QImage &target)
{
    return target.deviceIndependentSize();
}

void changed(Context &ctx)
{
    ctx.mainWindow().backgroundChanged();
}

// The files that could not be shown on the table; each is named to the user once, and
// again only after it was shown meanwhile, so a change timer never repeats the message.
QSet<QString> &unshownFiles()
{
    static QSet<QString> files;
    return files;
}

void couldNotShow(Context &ctx, const QString &path, const QString &text)
{
    if (unshownFiles().contains(path))
        return;
    unshownFiles().insert(path);
    ctx.messages().show(text.arg(QDir::toNativeSeparators(path)), MsgButtons::Ok, MsgIcon::Exclamation);
}

void pictureNotShown(Context &ctx, const QString &path)
{
    couldNotShow(ctx, path, QStringLiteral("The background picture \"%1\" could not be shown."));
}

void schemeNotShown(Context &ctx, const QString &path)
{
    couldNotShow(ctx, path, QStringLiteral("The color scheme \"%1\" could not be shown."));
}

// A scheme painted, or one that could not be read named once; nothing is raised. A missing
// file paints nothing without a word, like a missing picture.
void paintSchemeOrSay(Context &ctx, const QString &path)
{
    if (!isFile(path))
        return;
    try {
        PaintScheme(ctx, path);
        unshownFiles().remove(path);
    } catch (const AppError &) {
        schemeNotShown(ctx, path);
    }
}
} // namespace

std::int16_t GetBackIndex(Context &ctx)
{
    return getInt(ctx, "BackIndex", Color);
}

void SetBackIndex(Context &ctx, std::int16_t kind)
{
    setInt(ctx, "BackIndex", kind);
}

std::int16_t GetTextureIndex(Context &ctx)
{
    return inRange(getInt(ctx, "TextureIndex", 1), ctx.art().TextureCount());
}

void SetTextureIndex(Context &ctx, std::int16_t index)
{
    setInt(ctx, "TextureIndex", index);
}

std::int16_t GetColorIndex(Context &ctx)
{
    return inRange(getInt(ctx, "ColorIndex", 7), ctx.art().ColorCount());
}

void SetColorIndex(Context &ctx, std::int16_t index)
{
    setInt(ctx, "ColorIndex", index);
}

std::int16_t GetImageIndex(Context &ctx)
{
    return inRange(getInt(ctx, "ImageIndex", 1), ctx.art().PictureCount());
}

void SetImageIndex(Context &ctx, std::int16_t index)
{
    setInt(ctx, "ImageIndex", index);
}

QString GetSchemeFile(Context &ctx)
{
    const QString fallback = ctx.data().DefaultSchemeFile();
    const QString path = getText(ctx, "SchemeFile", fallback);
    ctx.data().CreateDefaultSchemeFile();
    return isFile(path) ? path : fallback;
}

void SetSchemeFile(Context &ctx, const QString &path)
{
    setText(ctx, "SchemeFile", path);
}

QString GetCustImageFile(Context &ctx)
{
    const QString fallback = ctx.data().DefaultCustImageFile();
    const QString path = getText(ctx, "CustImageFile", fallback);
    return isFile(path) && IsCustomImage(ctx, path) ? path : fallback;
}

void SetCustImageFile(Context &ctx, const QString &path)
{
    setText(ctx, "CustImageFile", path);
}

QString GetImageFolderFile(Context &ctx)
{
    const QString fallback = ctx.data().DefaultCustImageFile();
    const QString path = getText(ctx, "ImageFolderFile", fallback);
    return isFile(path) ? path : fallback;
}

void SetImageFolderFile(Context &ctx, const QString &path)
{
    setText(ctx, "ImageFolderFile", path);
}

bool GetFadeIndex(Context &ctx)
{
    return getInt(ctx, "FadeIndex", 1) != 0;
}

void SetFadeIndex(Context &ctx, bool fade)
{
    setInt(ctx, "FadeIndex", fade ? 1 : 0);
}

bool GetEnableTile(Context &ctx)
{
    return getInt(ctx, "EnableTile", 1) != 0;
}

void SetEnableTile(Context &ctx, bool tile)
{
    setInt(ctx, "EnableTile", tile ? 1 : 0);
}

QString GetCustImageInitDir(Context &ctx)
{
    const QString documents = mGen1::GetDocumentsFolder(ctx);
    const QString folder = getText(ctx, "CustImageInitDir", documents);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : documents;
}

void SetCustImageInitDir(Context &ctx, const QString &folder)
{
    setText(ctx, "CustImageInitDir", folder);
}

std::int16_t GetWPTimerValue(Context &ctx)
{
    return getInt(ctx, "WPTimerValue", 4);
}

void SetWPTimerValue(Context &ctx, std::int16_t mode)
{
    setInt(ctx, "WPTimerValue", mode);
}

QStringList CustomImages(Context &ctx)
{
    return ctx.func().GetLIST(kCustomImageList);
}

bool IsCustomImage(Context &ctx, const QString &path)
{
    return ctx.func().IsExists(kCustomImageList, path);
}

// --- colour schemes -------------------------------------------------------------

SchemeColors ReadSchemeFile(const QString &path)
{
    const auto notAScheme = [&] {
        raiseError(err::TypeMismatch, QStringLiteral("\"%1\" is not a colour scheme.").arg(path));
    };
    // Only a regular file is opened: a pipe or a device would block or never end.
    if (!isFile(path))
        notAScheme();
    // A scheme is one short line; a long file is read only as far as its sixth value can
    // reach, and a number cut at that point is no value.
    QByteArray bytes = TextFile::readHead(path, kSchemeBytes + 1);
    if (bytes.size() > kSchemeBytes) {
        bytes.truncate(kSchemeBytes);
        const qsizetype end = std::max({bytes.lastIndexOf(' '), bytes.lastIndexOf(','), bytes.lastIndexOf('\n'),
                                        bytes.lastIndexOf('\r'), bytes.lastIndexOf('\t')});
        bytes.truncate(std::max<qsizetype>(end, 0));
    }
    const QString text = TextFile::decode(bytes);
    const QStringList tokens = text.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    if (tokens.size() < 6)
        notAScheme();
    std::array<std::int16_t, 6> v{};
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = TextFile::parseInt16(tokens[static_cast<int>(i)]);
        if (v[i] < 0 || v[i] > 255)
            notAScheme();
    }
    return {v[0], v[1], v[2], v[3], v[4], v[5]};
}

std::optional<SchemeColors> TryReadSchemeFile(const QString &path)
{
    if (!isFile(path))
        return std::nullopt;
    try {
        return ReadSchemeFile(path);
    } catch (const AppError &) {
        return std::nullopt;
    }
}

void WriteSchemeFile(const QString &path, const SchemeColors &colors)
{
    TextFile::writeAtomic(path, SchemeFileBytes(colors));
}

bool IsSchemeName(const QString &name)
{
    // "." and ".." name folders, not files.
    return mFavorites::IsValidFileName(name) && name != QLatin1String(".") && name != QLatin1String("..");
}

QByteArray SchemeFileBytes(const SchemeColors &c)
{
    QString line;
    for (const std::int16_t v : {c.TopR, c.TopG, c.TopB, c.BotR, c.BotG, c.BotB})
        line += TextFile::printed(v);
    return TextFile::joinLines({line});
}

std::uint32_t SchemeTop(const SchemeColors &c)
{
    return rgb(c.TopR, c.TopG, c.TopB);
}

std::uint32_t SchemeBottom(const SchemeColors &c)
{
    return rgb(c.BotR, c.BotG, c.BotB);
}

// --- painting -------------------------------------------------------------------

void PaintTexture(Context &ctx, std::int16_t index)
{
    ctx.art().PaintTile(ctx.mainWindow().backgroundPicture(), ctx.art().TexturePicture(index));
    changed(ctx);
}

void PaintColor(Context &ctx, std::int16_t index)
{
    const std::uint32_t top = ctx.art().ColorValue(index);
    const std::uint32_t bottom = GetFadeIndex(ctx) ? 0 : top;
    ctx.art().PaintGradient(ctx.mainWindow().backgroundPicture(), top, bottom);
    changed(ctx);
}

QPointF CentredAt(const QSizeF &outerTwips, const QSizeF &pictureTwips)
{
    return {(outerTwips.width() - pictureTwips.width()) / 2, (outerTwips.height() - pictureTwips.height()) / 2};
}

void PaintPicture(Context &ctx, const QImage &picture)
{
    QImage &target = ctx.mainWindow().backgroundPicture();
    if (picture.isNull() || target.isNull())
        return;
    if (GetEnableTile(ctx)) {
        ctx.art().PaintTile(target, picture);
    } else {
        const QPointF at = CentredAt(ctx.mainWindow().outerSize(), picture.deviceIndependentSize() * kTwipsPerPixel);
        QPainter painter(&target);
        painter.drawImage(at / kTwipsPerPixel, picture);
    }
    changed(ctx);
}

void PaintScheme(Context &ctx, const QString &path)
{
    const SchemeColors colors = ReadSchemeFile(path);
    ctx.art().PaintGradient(ctx.mainWindow().backgroundPicture(), SchemeTop(colors), SchemeBottom(colors));
    changed(ctx);
}

namespace {
// Where a picture file lands on the table and which part of it to decode.
struct PicturePlan {
    QRect clip;     // the part to decode; null: the whole picture
    QPointF origin; // where the clip's top left corner is drawn, in logical pixels
    bool nothingShows = false;
};

// A picture larger than the table is decoded only where it can show: from the top left
// when tiled (a tile that fills the table never repeats), around its centre otherwise.
PicturePlan planPicture(Context &ctx, const QString &path)
{
    PicturePlan plan;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    const QSizeF area = logicalSize(ctx.mainWindow().backgroundPicture());
    if (!full.isValid() || !reader.supportsOption(QImageIOHandler::ClipRect) || area.isEmpty())
        return plan;
    const QSizeF twips = QSizeF(full) * kTwipsPerPixel;
    const bool tile = GetEnableTile(ctx);
    QRectF shown;
    QPointF origin;
    if (tile) {
        if (full.width() >= area.width() && full.height() >= area.height())
            shown = QRectF(QPointF(0, 0), area);
    } else {
        origin = CentredAt(ctx.mainWindow().outerSize(), twips) / kTwipsPerPixel;
        shown = QRectF(-origin, area);
    }
    const QRect clip = shown.toAlignedRect().intersected(QRect(QPoint(0, 0), full));
    if (shown.isNull() || clip == QRect(QPoint(0, 0), full))
        return plan;
    plan.nothingShows = clip.isEmpty();
    plan.clip = clip;
    plan.origin = origin + QPointF(clip.topLeft());
    return plan;
}

// Paints what was decoded by the plan; false for a picture that could not be read.
bool paintDecoded(Context &ctx, const PicturePlan &plan, const QImage &picture)
{
    if (picture.isNull())
        return false;
    if (plan.clip.isNull()) {
        PaintPicture(ctx, picture);
        return true;
    }
    QPainter painter(&ctx.mainWindow().backgroundPicture());
    painter.drawImage(plan.origin, picture);
    painter.end();
    changed(ctx);
    return true;
}

// Decodes the file on the window's worker when it has one, else here.
bool paintFile(Context &ctx, const QString &path, bool offThread)
{
    if (!isFile(path))
        return false;
    const PicturePlan plan = planPicture(ctx, path);
    if (plan.nothingShows)
        return true;
    BackgroundDecoder *decoder = offThread ? ctx.mainWindow().backgroundDecoder() : nullptr;
    if (!decoder) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        if (!plan.clip.isNull())
            reader.setClipRect(plan.clip);
        if (!paintDecoded(ctx, plan, reader.read())) {
            pictureNotShown(ctx, path);
            return false;
        }
        unshownFiles().remove(path);
        return true;
    }
    // Whatever paints the table meanwhile (the stored background applied, a resize, a later
    // change) wins over this picture, which then arrives too late and is dropped.
    const qint64 before = ctx.mainWindow().backgroundPicture().cacheKey();
    decoder->request(path, plan.clip, [&ctx, plan, before, path](const QImage &picture) {
        if (picture.isNull()) {
            pictureNotShown(ctx, path);
            return;
        }
        unshownFiles().remove(path);
        if (ctx.mainWindow().backgroundPicture().cacheKey() == before)
            ignoreErrors([&] { paintDecoded(ctx, plan, picture); });
    });
    return true;
}
} // namespace

bool PaintPictureFile(Context &ctx, const QString &path)
{
    return paintFile(ctx, path, false);
}

QStringList ListFiles(const QString &folder, const QString &patterns)
{
    QList<QRegularExpression> matchers;
    for (QString pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        // "*.*" names every file, with or without an extension.
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
        matchers << QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                       QRegularExpression::CaseInsensitiveOption);
    }
    QStringList out;
    if (folder.isEmpty())
        return out;
    for (const QString &name : FolderList::files(folder)) {
        if (std::any_of(matchers.cbegin(), matchers.cend(),
                        [&](const QRegularExpression &m) { return m.match(name).hasMatch(); }))
            out << FolderList::join(folder, name);
    }
    return out;
}

// --- the stored background and its changes --------------------------------------

void ApplyBackground(Context &ctx)
{
    QImage &target = ctx.mainWindow().backgroundPicture();
    if (!target.isNull())
        target.fill(Qt::black);
    changed(ctx);
    switch (GetBackIndex(ctx)) {
    case Texture: PaintTexture(ctx, GetTextureIndex(ctx)); break;
    case Color: PaintColor(ctx, GetColorIndex(ctx)); break;
    case Picture: PaintPicture(ctx, ctx.art().LargePicture(GetImageIndex(ctx), 0)); break;
    case Scheme: paintSchemeOrSay(ctx, GetSchemeFile(ctx)); break;
    case CustImage: PaintPictureFile(ctx, GetCustImageFile(ctx)); break;
    case ImageFolder: PaintPictureFile(ctx, GetImageFolderFile(ctx)); break;
    default: break;
    }
    ctx.art().EndCustomize();
    SetWallpaperTimer(ctx);
}

void ChangeBackground(Context &ctx)
{
    std::mt19937_64 generator(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()) ^ std::random_device{}());
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    ChangeBackground(ctx, [&] { return unit(generator); });
}

void ChangeBackground(Context &ctx, const std::function<double()> &random)
{
    // Nothing here may fail its caller: a game start and the timer run it between other work.
    try {
        ArtLibrary &art = ctx.art();
        switch (GetBackIndex(ctx)) {
        case Texture: PaintTexture(ctx, static_cast<std::int16_t>(pickFromOne(art.TextureCount(), random()))); break;
        case Color: PaintColor(ctx, static_cast<std::int16_t>(pickFromOne(art.ColorCount(), random()))); break;
        case Picture: PaintPicture(ctx, art.LargePicture(pickFromOne(art.PictureCount(), random()), 0)); break;
        case Scheme: {
            const QStringList files = ListFiles(ctx.data().SchemeFolder(), QStringLiteral("*.*"));
            if (!files.isEmpty())
                paintSchemeOrSay(ctx, files[pickFromZero(static_cast<int>(files.size()), random())]);
            break;
        }
        case CustImage: {
            const QStringList list = CustomImages(ctx);
            const int count = list.value(0).toInt();
            if (count > 0)
                paintFile(ctx, list[pickFromOne(count, random())], true);
            break;
        }
        case ImageFolder: {
            const QString folder = QFileInfo(GetImageFolderFile(ctx)).absolutePath();
            const QStringList files = ListFiles(folder, QStringLiteral("*.bmp;*.gif;*.jpg;*.jpeg"));
            if (!files.isEmpty())
                paintFile(ctx, files[pickFromZero(static_cast<int>(files.size()), random())], true);
            break;
        }
        default: break;
        }
    } catch (const std::exception &) {
        // An unreadable scheme or picture counts as missing: the table keeps what it shows.
        return;
    }
}

void SetWallpaperTimer(Context &ctx)
{
    AppTimer &timer = ctx.mainWindow().wallPaperTimer();
    switch (GetWPTimerValue(ctx)) {
    case 1:
    case 2:
    case 3: {
        static constexpr int kIntervals[] = {5000, 15000, 60000};
        timer.setInterval(kIntervals[GetWPTimerValue(ctx) - 1]);
        timer.setEnabled(true);
        break;
    }
    case 0:
    case 4:
    case 5: timer.setEnabled(false); break;
    default: break;
    }
}

} // namespace mCustomize

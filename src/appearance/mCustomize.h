// The user's customising settings: players (section "Players"), animation speeds
// (section "Animation"), the card back, and the table background with its painting
// into the main window's background picture. Settings are read at every use; no copy
// is kept.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class Context;

namespace mCustomize {
// Players: slots 1..20 of names and the current player.
constexpr std::int16_t kMaxPlayers = 20;
std::int16_t GetPlayerCount(Context &ctx);
QString GetPlayer(Context &ctx, std::int16_t slot);
void SetPlayer(Context &ctx, std::int16_t slot, const QString &name, bool makeCurrent);
QString GetCurPlayer(Context &ctx);
void SetCurPlayer(Context &ctx, const QString &name);
// Makes the player current; when the settings refuse it, says so in words for a window
// that then stays open, and gives false. Any other error passes.
bool MakeCurrentOrSay(Context &ctx, const QString &name);

// Animation speeds: the steps of a card's move (0 places it at once).
std::int16_t GetCardSpeed(Context &ctx);
std::int16_t GetUndoSpeed(Context &ctx);
std::int16_t GetUndoallSpeed(Context &ctx);
std::int16_t GetReplaySpeed(Context &ctx);
void SetCardSpeed(Context &ctx, std::int16_t speed);
void SetUndoSpeed(Context &ctx, std::int16_t speed);
void SetUndoallSpeed(Context &ctx, std::int16_t speed);
void SetReplaySpeed(Context &ctx, std::int16_t speed);
// The slowest speed the dialog offers; a card move never takes more steps than this.
constexpr int kMaxSpeed = 50;

// Card back design, 1..ArtLibrary::DeckCount; anything else stored reads as 7.
constexpr std::int16_t kDefaultDeck = 7;
std::int16_t GetDeckIndex(Context &ctx);
void SetDeckIndex(Context &ctx, std::int16_t index);

// Background kinds ("BackIndex"), also the tabs of the Background dialog.
enum BackKind : std::int16_t { Texture = 0, Color = 1, Picture = 2, Scheme = 3, CustImage = 4, ImageFolder = 5 };

// Background settings (section "BackGround"). Read checks answer a fallback, never store it.
std::int16_t GetBackIndex(Context &ctx);
void SetBackIndex(Context &ctx, std::int16_t kind);
std::int16_t GetTextureIndex(Context &ctx); // 1..TextureCount, else 1
void SetTextureIndex(Context &ctx, std::int16_t index);
std::int16_t GetColorIndex(Context &ctx); // absent 7; outside 1..ColorCount 1
void SetColorIndex(Context &ctx, std::int16_t index);
std::int16_t GetImageIndex(Context &ctx); // 1..PictureCount, else 1
void SetImageIndex(Context &ctx, std::int16_t index);
// The scheme file; the default scheme when the stored one is gone. Recreates the default
// scheme file whenever it is missing.
QString GetSchemeFile(Context &ctx);
void SetSchemeFile(Context &ctx, const QString &path);
// The stored custom image when its file exists and it is in the custom-image list, else
// the default custom image.
QString GetCustImageFile(Context &ctx);
void SetCustImageFile(Context &ctx, const QString &path);
QString GetImageFolderFile(Context &ctx); // the default custom image when the file is gone
void SetImageFolderFile(Context &ctx, const QString &path);
bool GetFadeIndex(Context &ctx);
void SetFadeIndex(Context &ctx, bool fade);
bool GetEnableTile(Context &ctx);
void SetEnableTile(Context &ctx, bool tile);
QString GetCustImageInitDir(Context &ctx); // the documents folder when the folder is gone
void SetCustImageInitDir(Context &ctx, const QString &folder);
// "WPTimerValue": 0 never, 1..3 every 5 s, 15 s, 1 min, 4 every game, 5 once a session.
std::int16_t GetWPTimerValue(Context &ctx);
void SetWPTimerValue(Context &ctx, std::int16_t mode);

// The custom-image list: list 0 of gFunc's keyed lists, full paths of the user's pictures
// as chosen (letter case kept), compared ignoring case. A list result: count first.
constexpr std::int32_t kCustomImageList = 0;
QStringList CustomImages(Context &ctx);
bool IsCustomImage(Context &ctx, const QString &path);

// A colour scheme: a gradient from the top colour to the bottom one.
struct SchemeColors {
    std::int16_t TopR = 0, TopG = 0, TopB = 0;
    std::int16_t BotR = 0, BotG = 0, BotB = 0;
};
// The six values of a scheme file, separated by blanks, commas or line ends; anything
// after the sixth is ignored. Raises the type-mismatch error when six numbers from 0 to
// 255 are not there, or when the path is no regular file (a pipe is never opened).
SchemeColors ReadSchemeFile(const QString &path);
// The scheme of a file; none when the file is missing or is not a scheme.
std::optional<SchemeColors> TryReadSchemeFile(const QString &path);
// Replaces the file's content with the scheme, atomically; raises when it is not written.
void WriteSchemeFile(const QString &path, const SchemeColors &colors);
// A name a scheme file may take: no \ / : * ? " < > | nor control characters, not "." or "..".
bool IsSchemeName(const QString &name);
// One printed line of the six values and CR LF: " 0  128  0  128  0  0 \r\n".
QByteArray SchemeFileBytes(const SchemeColors &colors);
// 0x00BBGGRR colours of a scheme, each part held to 0..255.
std::uint32_t SchemeTop(const SchemeColors &colors);
std::uint32_t SchemeBottom(const SchemeColors &colors);

// Paints the stored background into the main window's picture and re-arms the change timer.
// A scheme or picture file that cannot be shown paints nothing and is named to the user,
// once until it shows again.
void ApplyBackground(Context &ctx);
// Paints a random background of the stored kind over the present one and stores nothing.
// Never fails: an unreadable scheme or picture (named once, as above), an empty folder or
// list paint nothing.
void ChangeBackground(Context &ctx);
// The same with the random values in [0, 1) taken from random.
void ChangeBackground(Context &ctx, const std::function<double()> &random);
// Sets tmrWallPaper from "WPTimerValue".
void SetWallpaperTimer(Context &ctx);

// Painting one background into the main window's picture.
void PaintTexture(Context &ctx, std::int16_t index);
void PaintColor(Context &ctx, std::int16_t index);
// Tiled from the top left when "EnableTile" is on, else centred at its natural size.
void PaintPicture(Context &ctx, const QImage &picture);
// Raises when the file is not a scheme.
void PaintScheme(Context &ctx, const QString &path);
// Where a picture is drawn centred: twips from the top left, unrounded.
QPointF CentredAt(const QSizeF &outerTwips, const QSizeF &pictureTwips);
// A picture file painted as PaintPicture would; only the part that can show is decoded.
// False, painting nothing, when the file is missing or is no picture (then named once).
bool PaintPictureFile(Context &ctx, const QString &path);
// Files of a folder matching any of the patterns (";"-separated, letter case ignored), in
// listing order, as full paths.
QStringList ListFiles(const QString &folder, const QString &patterns);
} // namespace mCustomize

// The table pictures painted by our own code: seamless textures in categories, the large
// background pictures with their names, the splash picture and the default custom picture.
// Indexes start at 1; an index outside a list answers a plain picture of the list's size.
#pragma once

#include "platform/ArtLibrary.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace artScenes {

constexpr int TextureSize = ArtLibrary::TextureSize;
constexpr int LargeWidth = ArtLibrary::LargeWidth;
constexpr int LargeHeight = ArtLibrary::LargeHeight;
constexpr int SplashWidth = ArtLibrary::SplashWidth;
constexpr int SplashHeight = ArtLibrary::SplashHeight;
constexpr int CustomWidth = ArtLibrary::CustomWidth;
constexpr int CustomHeight = ArtLibrary::CustomHeight;

// Textures 1..textureCount(), each TextureSize square and seamless when tiled.
int textureCount();
QString textureName(int i);
int textureCategory(int i);
QStringList textureCategoryNames();
QImage texture(int i, qreal ratio);

// Large pictures 1..pictureCount(), LargeWidth x LargeHeight.
int pictureCount();
QString pictureName(int i);
QImage picture(int i, qreal ratio);

// The splash picture with the product title; cards are fanned across it (any may be null).
QImage splash(qreal ratio, const QList<QImage> &cards);
// The default custom picture, CustomWidth x CustomHeight at ratio 1: it is written to a file,
// so its pixels must not depend on the screen it was first made on.
QImage defaultCustom();

} // namespace artScenes

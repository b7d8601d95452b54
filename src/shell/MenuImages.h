// The menu image list: one icon per image key, from the desktop's icon theme (Breeze
// as the fallback theme) where a standard icon fits, else a small icon painted here,
// so every key has a picture whatever theme is installed.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>

namespace MenuImages {
QIcon Icon(const QString &key);
// The icons of mMenu::ImageKeys, in that order.
QList<QIcon> ImageList();
} // namespace MenuImages

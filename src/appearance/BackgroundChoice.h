// The Background dialog's working copy of the background settings. It is loaded from the
// settings' getters and changed freely; Apply stores all of it in one fixed order and
// repaints, so the table never shows half a choice.
#pragma once

#include <QString>
#include <cstdint>

#include "appearance/mCustomize.h"

class Context;

struct BackgroundChoice {
    std::int16_t kind = mCustomize::Color;
    bool tile = true;
    std::int16_t texture = 1;
    std::int16_t color = 7;
    bool fade = true;
    std::int16_t picture = 1;
    QString schemePath;              // the real path, letter case as on disk
    mCustomize::SchemeColors scheme; // what the sliders show
    QString custImage;               // the real path
    QString folderImage;             // the real path
    std::int16_t mode = 4;           // "WPTimerValue"

    // The stored settings; the scheme colours stay at 0 (they come from the scheme file).
    static BackgroundChoice Load(Context &ctx);
    // Stores each value that differs from before, in this order: "BackIndex", "EnableTile",
    // "TextureIndex", "ColorIndex", "FadeIndex", "ImageIndex", the scheme colours into the
    // scheme file (only when writeScheme), "SchemeFile", "CustImageFile", "ImageFolderFile",
    // "WPTimerValue"; then paints the stored background. A value the user left alone is
    // never written, so a fallback read from a damaged setting is not stored over it. A
    // scheme file that cannot be written does not stop the rest: its error is raised once
    // everything else is stored and painted. A setting the store refuses is reported once
    // and raises nothing; the choice still holds for the rest of the run.
    void Apply(Context &ctx, const BackgroundChoice &before, bool writeScheme) const;
};

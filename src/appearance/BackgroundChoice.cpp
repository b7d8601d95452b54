#include "appearance/BackgroundChoice.h"

#include <exception>

#include "app/Context.h"
#include "store/cRegistry.h"

BackgroundChoice BackgroundChoice::Load(Context &ctx)
{
    BackgroundChoice c;
    c.kind = mCustomize::GetBackIndex(ctx);
    c.tile = mCustomize::GetEnableTile(ctx);
    c.texture = mCustomize::GetTextureIndex(ctx);
    c.color = mCustomize::GetColorIndex(ctx);
    c.fade = mCustomize::GetFadeIndex(ctx);
    c.picture = mCustomize::GetImageIndex(ctx);
    c.schemePath = mCustomize::GetSchemeFile(ctx);
    c.custImage = mCustomize::GetCustImageFile(ctx);
    c.folderImage = mCustomize::GetImageFolderFile(ctx);
    c.mode = mCustomize::GetWPTimerValue(ctx);
    return c;
}

void BackgroundChoice::Apply(Context &ctx, const BackgroundChoice &before, bool writeScheme) const
{
    // A setting the store refuses is reported once and still holds for the run; the others
    // are still written and the background the user chose is painted.
    cRegistry &registry = ctx.registry();
    if (kind != before.kind)
        registry.KeepChoice([&] { mCustomize::SetBackIndex(ctx, kind); });
    if (tile != before.tile)
        registry.KeepChoice([&] { mCustomize::SetEnableTile(ctx, tile); });
    if (texture != before.texture)
        registry.KeepChoice([&] { mCustomize::SetTextureIndex(ctx, texture); });
    if (color != before.color)
        registry.KeepChoice([&] { mCustomize::SetColorIndex(ctx, color); });
    if (fade != before.fade)
        registry.KeepChoice([&] { mCustomize::SetFadeIndex(ctx, fade); });
    if (picture != before.picture)
        registry.KeepChoice([&] { mCustomize::SetImageIndex(ctx, picture); });
    std::exception_ptr failedWrite;
    if (writeScheme) {
        try {
            mCustomize::WriteSchemeFile(schemePath, scheme);
        } catch (...) {
            failedWrite = std::current_exception();
        }
    }
    if (schemePath != before.schemePath)
        registry.KeepChoice([&] { mCustomize::SetSchemeFile(ctx, schemePath); });
    if (custImage != before.custImage)
        registry.KeepChoice([&] { mCustomize::SetCustImageFile(ctx, custImage); });
    if (folderImage != before.folderImage)
        registry.KeepChoice([&] { mCustomize::SetImageFolderFile(ctx, folderImage); });
    if (mode != before.mode)
        registry.KeepChoice([&] { mCustomize::SetWPTimerValue(ctx, mode); });
    mCustomize::ApplyBackground(ctx);
    if (failedWrite)
        std::rethrow_exception(failedWrite);
}

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
    // A setting the store refuses is reported once; the others are still written and the
    // background is still painted.
    cRegistry &registry = ctx.registry();
    if (kind != before.kind)
        registry.KeepSetting([&] { mCustomize::SetBackIndex(ctx, kind); });
    if (tile != before.tile)
        registry.KeepSetting([&] { mCustomize::SetEnableTile(ctx, tile); });
    if (texture != before.texture)
        registry.KeepSetting([&] { mCustomize::SetTextureIndex(ctx, texture); });
    if (color != before.color)
        registry.KeepSetting([&] { mCustomize::SetColorIndex(ctx, color); });
    if (fade != before.fade)
        registry.KeepSetting([&] { mCustomize::SetFadeIndex(ctx, fade); });
    if (picture != before.picture)
        registry.KeepSetting([&] { mCustomize::SetImageIndex(ctx, picture); });
    std::exception_ptr failedWrite;
    if (writeScheme) {
        try {
            mCustomize::WriteSchemeFile(schemePath, scheme);
        } catch (...) {
            failedWrite = std::current_exception();
        }
    }
    if (schemePath != before.schemePath)
        registry.KeepSetting([&] { mCustomize::SetSchemeFile(ctx, schemePath); });
    if (custImage != before.custImage)
        registry.KeepSetting([&] { mCustomize::SetCustImageFile(ctx, custImage); });
    if (folderImage != before.folderImage)
        registry.KeepSetting([&] { mCustomize::SetImageFolderFile(ctx, folderImage); });
    if (mode != before.mode)
        registry.KeepSetting([&] { mCustomize::SetWPTimerValue(ctx, mode); });
    mCustomize::ApplyBackground(ctx);
    if (failedWrite)
        std::rethrow_exception(failedWrite);
}

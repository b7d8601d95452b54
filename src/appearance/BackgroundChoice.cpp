#include "appearance/BackgroundChoice.h"

#include <exception>

#include "app/Context.h"

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
    if (kind != before.kind)
        mCustomize::SetBackIndex(ctx, kind);
    if (tile != before.tile)
        mCustomize::SetEnableTile(ctx, tile);
    if (texture != before.texture)
        mCustomize::SetTextureIndex(ctx, texture);
    if (color != before.color)
        mCustomize::SetColorIndex(ctx, color);
    if (fade != before.fade)
        mCustomize::SetFadeIndex(ctx, fade);
    if (picture != before.picture)
        mCustomize::SetImageIndex(ctx, picture);
    std::exception_ptr failedWrite;
    if (writeScheme) {
        try {
            mCustomize::WriteSchemeFile(schemePath, scheme);
        } catch (...) {
            failedWrite = std::current_exception();
        }
    }
    if (schemePath != before.schemePath)
        mCustomize::SetSchemeFile(ctx, schemePath);
    if (custImage != before.custImage)
        mCustomize::SetCustImageFile(ctx, custImage);
    if (folderImage != before.folderImage)
        mCustomize::SetImageFolderFile(ctx, folderImage);
    if (mode != before.mode)
        mCustomize::SetWPTimerValue(ctx, mode);
    mCustomize::ApplyBackground(ctx);
    if (failedWrite)
        std::rethrow_exception(failedWrite);
}

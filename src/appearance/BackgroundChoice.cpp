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

void BackgroundChoice::Apply(Context &ctx) const
{
    mCustomize::SetBackIndex(ctx, kind);
    mCustomize::SetEnableTile(ctx, tile);
    mCustomize::SetTextureIndex(ctx, texture);
    mCustomize::SetColorIndex(ctx, color);
    mCustomize::SetFadeIndex(ctx, fade);
    mCustomize::SetImageIndex(ctx, picture);
    std::exception_ptr failedWrite;
    try {
        mCustomize::WriteSchemeFile(schemePath, scheme);
    } catch (...) {
        failedWrite = std::current_exception();
    }
    mCustomize::SetSchemeFile(ctx, schemePath);
    mCustomize::SetCustImageFile(ctx, custImage);
    mCustomize::SetImageFolderFile(ctx, folderImage);
    mCustomize::SetWPTimerValue(ctx, mode);
    mCustomize::ApplyBackground(ctx);
    if (failedWrite)
        std::rethrow_exception(failedWrite);
}

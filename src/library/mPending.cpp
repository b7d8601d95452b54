#include "library/mPending.h"

#include "engine/cEngine.h"
#include "app/Context.h"

namespace mPending {

void UpdatePendingFile(Context &ctx, const QString &path)
{
    ctx.engine().SavetoFile(path);
    BuildPendMenu(ctx);
}

void BuildPendMenu(Context &) {}

} // namespace mPending

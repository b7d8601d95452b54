#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "app/Context.h"

namespace mStudio {

bool CheckOrder(Context &ctx, int cardA, int cardB, int code, bool wrap)
{
    const OrderRule rule = GetOrderRule(code);
    if (!rule.valid)
        return false;
    if (rule.anyCard)
        return true;
    return ctx.play().CheckNum(cardA, cardB, rule.direction, rule.suitRule, wrap);
}

} // namespace mStudio

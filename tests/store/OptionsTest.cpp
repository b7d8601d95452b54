#include <gtest/gtest.h>

#include "store/mOptions.h"
#include "store/mRegistry.h"
#include "support/TestContext.h"

namespace {
struct OptionDef {
    const char *name;
    std::int16_t defaultValue;
    std::int16_t (*get)(Context &);
    void (*set)(Context &, std::int16_t);
};

const std::vector<OptionDef> &allOptions()
{
    static const std::vector<OptionDef> options = {
        {"GameSave", 1, mOptions::GetGameSave, mOptions::SetGameSave},
        {"EnableInc", 1, mOptions::GetEnableInc, mOptions::SetEnableInc},
        {"EnableFin", 1, mOptions::GetEnableFin, mOptions::SetEnableFin},
        {"ShowTime", 1, mOptions::GetShowTime, mOptions::SetShowTime},
        {"ShowScore", 1, mOptions::GetShowScore, mOptions::SetShowScore},
        {"ShowMoves", 1, mOptions::GetShowMoves, mOptions::SetShowMoves},
        {"ShowCardsLeft", 1, mOptions::GetShowCardsLeft, mOptions::SetShowCardsLeft},
        {"RangeIndex", 6, mOptions::GetRangeIndex, mOptions::SetRangeIndex},
        {"ShowToolbar", 1, mOptions::GetShowToolbar, mOptions::SetShowToolbar},
        {"AutoPlay", 1, mOptions::GetAutoPlay, mOptions::SetAutoPlay},
    };
    return options;
}
} // namespace

TEST(Options, FreshHomeGivesTheDefaultsAndWritesNothing)
{
    TestContext t;
    for (const OptionDef &o : allOptions()) {
        EXPECT_EQ(o.get(t.ctx), o.defaultValue) << o.name;
        EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Options", o.name, "absent"), "absent") << o.name;
    }
}

TEST(Options, EachSetterWritesItsOwnName)
{
    // Distinct values, so a setter or getter that reaches another option's name shows.
    TestContext t;
    std::int16_t value = 20;
    for (const OptionDef &o : allOptions())
        o.set(t.ctx, value++);
    value = 20;
    for (const OptionDef &o : allOptions()) {
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", o.name, -99), value) << o.name;
        EXPECT_EQ(o.get(t.ctx), value++) << o.name;
    }
}

TEST(Options, StoredValuesAreReadBackAsStored)
{
    TestContext t;
    mRegistry::SetRegInteger(t.ctx, "Options", "RangeIndex", 1);
    EXPECT_EQ(mOptions::GetRangeIndex(t.ctx), 1);
    mRegistry::SetRegInteger(t.ctx, "Options", "AutoPlay", 0);
    EXPECT_EQ(mOptions::GetAutoPlay(t.ctx), 0);
    mOptions::SetAutoPlay(t.ctx, 1);
    EXPECT_EQ(mOptions::GetAutoPlay(t.ctx), 1);
}

TEST(Options, RangeLimitIsTenToTheIndexLessOne)
{
    EXPECT_EQ(mOptions::RangeLimit(1), 9);
    EXPECT_EQ(mOptions::RangeLimit(6), 999999);
    EXPECT_EQ(mOptions::RangeLimit(15), 999999999999999LL);
    EXPECT_EQ(mOptions::RangeLimit(0), 0);
    EXPECT_EQ(mOptions::RangeLimit(16), 0);
}

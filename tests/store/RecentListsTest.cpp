// The recent and keyed lists over the real settings store in a temporary home: order,
// the two compare rules, gaps left by a crash or a hand-edited file, and full lists.
#include <gtest/gtest.h>

#include "store/cFunc.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"
#include "support/QtPrint.h"
#include "support/TestContext.h"
#include "support/RefusingWriter.h"

namespace {

struct Lists : TestContext {
    cFunc &func() const { return ctx.func(); }
    // The ten slots of a section as stored.
    QStringList slotsOf(const QString &section)
    {
        QStringList values;
        for (int slot = 1; slot <= 10; ++slot)
            values.append(mRegistry::GetRegString(ctx, section, QString::number(slot), QStringLiteral("<absent>")));
        return values;
    }
    // Writes slots the way a hand edit would, "" for an empty slot.
    void storeSlots(const QString &section, const QStringList &values)
    {
        for (int slot = 1; slot <= values.size(); ++slot)
            mRegistry::SetRegString(ctx, section, QString::number(slot), values[slot - 1]);
    }
    // Elements 1 to count of a list result.
    static QStringList entries(const QStringList &result) { return result.mid(1, result[0].toInt()); }
};

QStringList numbered(int from, int to)
{
    QStringList values;
    for (int i = from; i <= to; ++i)
        values.append(QStringLiteral("E%1").arg(i));
    return values;
}

} // namespace

TEST(RecentList, NewestFirstAnEntryListedKeepsItsPlaceAndTheEleventhDropsTheFirst)
{
    Lists t;
    const QStringList never = t.func().GetMRU(2);
    ASSERT_EQ(never.size(), 11);
    EXPECT_EQ(never[0], "0");
    EXPECT_EQ(never.mid(1), QStringList(10));

    for (const char *entry : {"C", "B", "A"})
        t.func().AddtoMRU(1, entry);
    t.func().AddtoMRU(1, "B");
    EXPECT_EQ(Lists::entries(t.func().GetMRU(1)), QStringList({"A", "B", "C"}));
    // Exact compare: another letter case is another entry.
    t.func().AddtoMRU(1, "b");
    t.func().AddtoMRU(1, "D");
    EXPECT_EQ(Lists::entries(t.func().GetMRU(1)), QStringList({"D", "b", "A", "B", "C"}));
    EXPECT_EQ(t.func().GetMRUCount(1), 5);
    EXPECT_EQ(t.slotsOf("MRU1").mid(5), QStringList(5));

    for (const QString &entry : numbered(1, 11))
        t.func().AddtoMRU(0, entry);
    QStringList expected = numbered(2, 11);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(t.slotsOf("MRU0"), expected);
    EXPECT_EQ(t.func().GetMRU(0).mid(1), expected);

    // An empty entry on a full list hides nothing.
    t.func().AddtoMRU(0, "");
    EXPECT_EQ(t.slotsOf("MRU0"), expected);

    t.func().ClearMRU(0);
    EXPECT_EQ(t.slotsOf("MRU0"), QStringList(10));
    EXPECT_EQ(t.func().GetMRUCount(0), 0);
    EXPECT_EQ(t.slotsOf("MRU1").first(5), QStringList({"D", "b", "A", "B", "C"}));
}

TEST(RecentList, AGapHidesNoEntryAndANewEntryClosesIt)
{
    Lists t;
    t.storeSlots("MRU2", {"A", "", "C", "", "", "", "", "", "", "J"});
    const QStringList read = t.func().GetMRU(2);
    EXPECT_EQ(read[0], "3");
    EXPECT_EQ(Lists::entries(read), QStringList({"A", "C", "J"}));
    // Already listed behind the gap: nothing moves.
    t.func().AddtoMRU(2, "J");
    EXPECT_EQ(t.slotsOf("MRU2")[9], "J");
    t.func().AddtoMRU(2, "N");
    EXPECT_EQ(t.slotsOf("MRU2"), QStringList({"N", "A", "C", "J", "", "", "", "", "", ""}));
}

TEST(KeyedList, EntriesTakeTheFirstEmptySlotAndDuplicatesAreRefusedWhereverTheyStand)
{
    Lists t;
    t.storeSlots("LIST0", {"/p/one.png", "", "/p/three.png"});
    const QStringList read = t.func().GetLIST(0);
    EXPECT_EQ(read[0], "2");
    EXPECT_EQ(Lists::entries(read), QStringList({"/p/one.png", "/p/three.png"}));

    EXPECT_FALSE(t.func().AddtoLIST(0, "/p/three.png"));
    EXPECT_FALSE(t.func().AddtoLIST(0, ""));
    EXPECT_TRUE(t.func().AddtoLIST(0, "/p/two.png"));
    EXPECT_EQ(t.slotsOf("LIST0").first(3), QStringList({"/p/one.png", "/p/two.png", "/p/three.png"}));

    // Capitals are stored as a second entry, though the path counts as present already.
    EXPECT_TRUE(t.func().IsExists(0, "/P/ONE.PNG"));
    EXPECT_TRUE(t.func().AddtoLIST(0, "/P/ONE.PNG"));
    EXPECT_EQ(t.slotsOf("LIST0")[3], "/P/ONE.PNG");
    EXPECT_FALSE(t.func().IsExists(0, "/p/four.png"));
}

TEST(KeyedList, AFullListRefusesWithoutWriting)
{
    Lists t;
    const QStringList full = numbered(1, 10);
    t.storeSlots("LIST3", full);
    RefusingWriter refusing;
    t.ctx.registry().settingsFile().setWriter(&refusing);
    EXPECT_FALSE(t.func().AddtoLIST(3, "E11"));
    t.ctx.registry().settingsFile().setWriter(nullptr);
    EXPECT_EQ(t.slotsOf("LIST3"), full);
}

TEST(KeyedList, RemovingTakesTheExactEntryBeforeOneInAnotherLetterCase)
{
    Lists t;
    t.storeSlots("LIST0", {"/x/A.png", "/x/a.png", "/x/b.png"});
    EXPECT_TRUE(t.func().RemoveListItem(0, "/x/a.png"));
    EXPECT_EQ(t.slotsOf("LIST0").first(3), QStringList({"/x/A.png", "", "/x/b.png"}));
    // Without an exact match, capitals remove the entry in small letters.
    EXPECT_TRUE(t.func().RemoveListItem(0, "/X/B.PNG"));
    EXPECT_EQ(t.slotsOf("LIST0").first(3), QStringList({"/x/A.png", "", ""}));
    EXPECT_FALSE(t.func().RemoveListItem(0, "/x/c.png"));
    EXPECT_FALSE(t.func().RemoveListItem(0, ""));
    EXPECT_EQ(Lists::entries(t.func().GetLIST(0)), QStringList({"/x/A.png"}));
}

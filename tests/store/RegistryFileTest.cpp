// The settings file underneath the registry class: failed writes, two running copies
// and damaged files.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "support/Errors.h"
#include "support/FileBytes.h"

#include "core/AppError.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"
#include "support/TestContext.h"
#include "support/SettingsKey.h"

namespace {

class FailingWriter : public SettingsWriter {
public:
    bool write(const QString &, const QByteArray &) override
    {
        ++calls;
        return false;
    }
    int calls = 0;
};

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A second running copy of the program: its own context and registry over the same home.
struct SecondCopy {
    explicit SecondCopy(TestContext &first) : ctx(services(first))
    {
        ctx.gData = std::make_unique<cData>(ctx);
        ctx.data().InitCD("Brackenfold", "6.0", 12, "brackenfold.chm", "qx");
        ctx.gRegistry = std::make_unique<cRegistry>(ctx);
    }
    Services services(TestContext &first)
    {
        Services s;
        s.messages = &box;
        s.shellFolders = &first.home.folders();
        return s;
    }
    ScriptedMessageBox box;
    Context ctx;
};

} // namespace

TEST(RegistryFile, AFailedWriteLeavesMemoryAndFileUnchanged)
{
    TestContext t;
    mRegistry::SetRegInteger(t.ctx, "Options", "RangeIndex", 6);
    mRegistry::SetRegString(t.ctx, "General", "LastGName", "Freecell");
    const QString path = t.ctx.registry().settingsFile().path();
    const QByteArray before = contentOf(path);

    FailingWriter failing;
    t.ctx.registry().settingsFile().setWriter(&failing);
    QString text;
    EXPECT_EQ(errorOf([&] { mRegistry::SetRegInteger(t.ctx, "Options", "RangeIndex", 9); }, &text), -2147194455);
    EXPECT_EQ(text, "Failed to set registry value Key: '-2147483646',Section: 'Software\\Quillmere "
                    "Technologies\\Brackenfold 6.0\\6.0\\Options',Key: 'RangeIndex' to value: '9'");
    EXPECT_EQ(errorOf([&] { mRegistry::SetRegString(t.ctx, "General", "NewValue", "x"); }), -2147194455);
    EXPECT_EQ(failing.calls, 2);

    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", 0), 6);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "General", "NewValue", "absent"), "absent");
    EXPECT_EQ(contentOf(path), before);

    // The same file read fresh holds the old values too.
    SettingsFile fresh(path);
    EXPECT_FALSE(fresh.value(settingsKey(QStringLiteral("General")), "NewValue"));

    t.ctx.registry().settingsFile().setWriter(nullptr);
    mRegistry::SetRegInteger(t.ctx, "Options", "RangeIndex", 9);
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", 0), 9);
}

TEST(RegistryFile, TwoRunningCopiesKeepEachOthersWrites)
{
    TestContext t;
    SecondCopy other(t);
    // Both copies read (and so cache) the file before either writes.
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "AutoPlay", 1), 1);
    EXPECT_EQ(mRegistry::GetRegInteger(other.ctx, "Options", "AutoPlay", 1), 1);

    for (int i = 0; i < 20; ++i) {
        mRegistry::SetRegInteger(t.ctx, "Players", QString::number(i), std::int16_t(i));
        mRegistry::SetRegInteger(other.ctx, "MRU0", QString::number(i), std::int16_t(100 + i));
        // The same value from both: the later write wins and is seen by both.
        mRegistry::SetRegInteger(t.ctx, "Options", "RangeIndex", std::int16_t(i));
        mRegistry::SetRegInteger(other.ctx, "Options", "RangeIndex", std::int16_t(i + 1));
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", -1), i + 1);
    }
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Players", QString::number(i), -1), i);
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "MRU0", QString::number(i), -1), 100 + i);
        EXPECT_EQ(mRegistry::GetRegInteger(other.ctx, "Players", QString::number(i), -1), i);
        EXPECT_EQ(mRegistry::GetRegInteger(other.ctx, "MRU0", QString::number(i), -1), 100 + i);
    }
    // And a third copy that starts afterwards finds everything.
    SettingsFile fresh(t.ctx.registry().settingsFile().path());
    EXPECT_EQ(fresh.valueNames(settingsKey(QStringLiteral("Players"))).size(), 20);
}

TEST(RegistryFile, ADamagedFileIsKeptAsideAndTheUserToldOnce)
{
    TestContext t;
    const QString path = t.ctx.registry().settingsFile().path();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    const QByteArray damaged = "{\"keys\": {\"HKEY_LOCAL_MACHINE\\\\Software\": {\"x\": {\"type\": 4, \"dat";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(damaged);
    }

    t.box.expect(MsgResult::Ok, "damaged");
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", 6), 6);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "General", "LastGName", "none"), "none");
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "AutoPlay", 1), 1);
    ASSERT_EQ(t.box.prompts().size(), 1);
    EXPECT_EQ(t.box.last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(t.box.last().title, "Brackenfold 6.0");

    const QStringList aside = QDir(QFileInfo(path).absolutePath()).entryList({"registry.json.corrupt-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    const QString keptAs = QFileInfo(path).absolutePath() + "/" + aside.front();
    EXPECT_EQ(contentOf(keptAs), damaged);
    EXPECT_TRUE(t.box.last().text.contains(aside.front()));
    EXPECT_FALSE(QFileInfo::exists(path));

    // The next setter starts a sound file; the damaged copy stays.
    mRegistry::SetRegInteger(t.ctx, "Options", "RangeIndex", 4);
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", 6), 4);
    EXPECT_EQ(contentOf(keptAs), damaged);
    EXPECT_EQ(t.box.prompts().size(), 1);
}

TEST(RegistryFile, AFileOfTheWrongShapeIsDamagedNotGuessed)
{
    const char *const damaged[] = {
        "[]",
        "",
        R"({"keys": []})",
        R"({"keys": {"HKEY_LOCAL_MACHINE\\\\Software": {}}})",
    };
    for (const char *text : damaged) {
        SCOPED_TRACE(text);
        TestContext t;
        const QString path = t.ctx.registry().settingsFile().path();
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        t.box.expect(MsgResult::Ok, "damaged");
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", 6), 6);
        EXPECT_EQ(t.box.pending(), 0);
        EXPECT_FALSE(QFileInfo::exists(path));
    }
}

TEST(RegistryFile, TheFileKeepsEveryTypeAndReadsBackInAFreshCopy)
{
    TestContext t;
    mRegistry::SetRegInteger(t.ctx, "Options", "AutoPlay", -1);
    mRegistry::SetRegString(t.ctx, "General", "LastGName", "Seven By Four");
    mRegistry::SetRegString(t.ctx, "General", "SaveInitDir", "%HOME%/Saved");
    mRegistry::SetRegString(t.ctx, "General", "Empty", "");
    const QString path = t.ctx.registry().settingsFile().path();
    EXPECT_EQ(path, t.home.path() + "/.config/Brackenfold/registry.json");

    const QByteArray json = contentOf(path);
    EXPECT_TRUE(json.contains("\"REG_EXPAND_SZ\""));
    EXPECT_TRUE(json.contains("\"data\": -1"));

    SecondCopy other(t);
    EXPECT_EQ(mRegistry::GetRegInteger(other.ctx, "Options", "AutoPlay", 0), -1);
    EXPECT_EQ(mRegistry::GetRegString(other.ctx, "General", "LastGName", ""), "Seven By Four");
    EXPECT_EQ(mRegistry::GetRegString(other.ctx, "General", "Empty", "x"), "");
    const auto v = other.ctx.registry().settingsFile().value(settingsKey(QStringLiteral("General")), "SaveInitDir");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, SettingsValue::ExpandString);
    EXPECT_EQ(v->text, "%HOME%/Saved");
}

TEST(RegistryFile, OneDamagedValueCostsThatValueOnly)
{
    const QString options = settingsKey(QStringLiteral("Options"));
    // A number stored as text, a fraction, text stored as a number, a misspelt type, no data.
    const QList<QByteArray> damagedValues = {
        R"({"type": "REG_DWORD", "data": "3"})",
        R"({"type": "REG_DWORD", "data": 1.5})",
        R"({"type": "REG_SZ", "data": 1})",
        R"({"type": "REG_DWROD", "data": 3})",
        R"({"type": "REG_DWORD"})",
    };
    for (const QByteArray &damaged : damagedValues) {
        SCOPED_TRACE(damaged.toStdString());
        TestContext t;
        const QString path = t.ctx.registry().settingsFile().path();
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        writeBytes(path, R"({"generation": 4, "keys": {")" + options.toUtf8().replace("\\", "\\\\") +
                             R"(": {"AutoPlay": {"type": "REG_DWORD", "data": 0}, "RangeIndex": )" + damaged +
                             R"(, "ShowTime": {"type": "REG_DWORD", "data": 0}}}})");

        // Told once, naming the value; every other value is read as stored.
        t.box.expect(MsgResult::Ok, "\"Options\\RangeIndex\"");
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "AutoPlay", 1), 0);
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", 6), 6);
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "ShowTime", 1), 0);
        EXPECT_TRUE(mRegistry::RegValueDamaged(t.ctx, "Options", "RangeIndex"));
        EXPECT_FALSE(mRegistry::RegValueDamaged(t.ctx, "Options", "AutoPlay"));
        EXPECT_EQ(t.box.prompts().size(), 1);
        EXPECT_FALSE(t.ctx.registry().SettingsLost());

        // Another value written keeps the damaged one as it stands; its own setter replaces it.
        mRegistry::SetRegInteger(t.ctx, "Options", "ShowMoves", 0);
        EXPECT_TRUE(SettingsFile(path).isDamaged(options, "RangeIndex"));
        mRegistry::SetRegInteger(t.ctx, "Options", "RangeIndex", 4);
        EXPECT_FALSE(mRegistry::RegValueDamaged(t.ctx, "Options", "RangeIndex"));
        SettingsFile fresh(path);
        EXPECT_EQ(fresh.value(options, "RangeIndex"), SettingsValue::dword(4));
        EXPECT_EQ(fresh.value(options, "AutoPlay"), SettingsValue::dword(0));
        EXPECT_EQ(fresh.value(options, "ShowMoves"), SettingsValue::dword(0));
        EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList({"registry.json.corrupt-*"}).size(), 0);
        EXPECT_EQ(t.box.prompts().size(), 1);
    }
}

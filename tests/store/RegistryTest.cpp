// The settings semantics every owner of a setting relies on: defaults, types,
// conversions, names and environment references.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "core/AppError.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"
#include "support/TestContext.h"
#include "support/SettingsKey.h"

namespace {

const QString kOptionsKey = settingsKey(QStringLiteral("Options"));

struct Raised {
    int number = 0;
    QString text;
};

Raised raisedBy(const std::function<void()> &f)
{
    try {
        f();
    } catch (const AppError &e) {
        return {e.number(), e.description()};
    }
    return {};
}

// Puts a value into the store the way another program would, behind this copy's back.
void storeDirectly(TestContext &t, const QString &key, const QString &name, const SettingsValue &value)
{
    SettingsFile other(t.ctx.registry().settingsFile().path());
    ASSERT_EQ(other.setValue(key, name, value), SettingsFile::Status::Ok);
}

} // namespace

TEST(Registry, FirstRunAnswersDefaultsAndCreatesNothingUntilTheFirstSetter)
{
    TestContext t;
    const QString file = t.ctx.registry().settingsFile().path();
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", 6), 6);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "General", "LastGName", "Freecell"), "Freecell");
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(file).absolutePath()));

    mRegistry::SetRegInteger(t.ctx, "Options", "AutoPlay", 1);
    EXPECT_TRUE(QFileInfo::exists(file));
    const auto stored = t.ctx.registry().settingsFile().value(kOptionsKey, "AutoPlay");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, SettingsValue::DWord);
    EXPECT_EQ(stored->number, 1u);
}

TEST(Registry, InitRegPathBuildsTheKeyFromTheProductEveryCall)
{
    TestContext t;
    cRegistry &r = t.ctx.registry();
    r.setClassKey(0);
    mRegistry::InitRegPath(t.ctx);
    EXPECT_EQ(r.ClassKey(), reg::HKeyLocalMachine);
    EXPECT_EQ(r.ClassKey(), -2147483646);
    EXPECT_EQ(r.RegPath(), "Software\\Quillmere Technologies\\Brackenfold 6.0\\6.0");

    t.ctx.data().InitCD("Other", "7.1", 12, "x.chm", "qx");
    mRegistry::SetRegString(t.ctx, "General", "LastGName", "Mania");
    EXPECT_EQ(r.SectionKey(), "Software\\Quillmere Technologies\\Other 7.1\\7.1\\General");
    EXPECT_EQ(r.ValueKey(), "LastGName");
}

TEST(Registry, AbsentAndEmptyStringsAreDistinct)
{
    TestContext t;
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "General", "SaveInitDir", "default"), "default");
    mRegistry::SetRegString(t.ctx, "General", "SaveInitDir", "");
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "General", "SaveInitDir", "default"), "");
    // An empty text is not a number.
    EXPECT_EQ(raisedBy([&] { mRegistry::ReadRegInteger(t.ctx, "General", "SaveInitDir", 3); }).number,
              err::TypeMismatch);
}

TEST(Registry, IntegersAreStoredAsSignExtendedDwords)
{
    TestContext t;
    for (const std::int16_t v :
         {std::int16_t(0), std::int16_t(1), std::int16_t(-1), std::int16_t(32767), std::int16_t(-32768)}) {
        mRegistry::SetRegInteger(t.ctx, "Animation", "CardSpeed", v);
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Animation", "CardSpeed", 99), v);
        EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Animation", "CardSpeed", "x"), QString::number(v));
    }
    const auto stored = t.ctx.registry().settingsFile().value(settingsKey(QStringLiteral("Animation")), "CardSpeed");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->number, 0xFFFF8000u);
}

TEST(Registry, TypedReadsConvertAsTheSettingsAlwaysHave)
{
    TestContext t;
    t.box.allowNotices();
    struct Case {
        SettingsValue stored;
        int number; // 0 = no error expected
        std::int16_t integer;
        QString text;
    };
    const Case cases[] = {
        {SettingsValue::dword(7), 0, 7, "7"},
        {SettingsValue::dword(0xFFFFFFFFu), 0, -1, "-1"},
        {SettingsValue::dword(40000), err::Overflow, 0, "40000"},
        {SettingsValue::dword(static_cast<std::uint32_t>(-40000)), err::Overflow, 0, "-40000"},
        {SettingsValue::dword(32768), err::Overflow, 0, "32768"},
        {SettingsValue::dword(12, SettingsValue::DWordBigEndian), 0, 12, "12"},
        {SettingsValue::string("12"), 0, 12, "12"},
        {SettingsValue::string(" -5 "), 0, -5, " -5 "},
        {SettingsValue::string("2.5"), 0, 2, "2.5"},
        {SettingsValue::string("3.5"), 0, 4, "3.5"},
        {SettingsValue::string("40000"), err::Overflow, 0, "40000"},
        {SettingsValue::string("1e9"), err::Overflow, 0, "1e9"},
        {SettingsValue::string("abc"), err::TypeMismatch, 0, "abc"},
        {SettingsValue::string(""), err::TypeMismatch, 0, ""},
        {SettingsValue::binary("ab"), err::TypeMismatch, 0, "ab"},
    };
    for (const Case &c : cases) {
        storeDirectly(t, kOptionsKey, "Value", c.stored);
        SCOPED_TRACE(c.text.toStdString());
        std::int16_t got = 0;
        const Raised r = raisedBy([&] { got = mRegistry::ReadRegInteger(t.ctx, "Options", "Value", 99); });
        EXPECT_EQ(r.number, c.number);
        if (c.number == 0) {
            EXPECT_EQ(got, c.integer);
        }
        // The getter every owner uses takes a value that is no 16-bit number as unset.
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "Value", 99), c.number == 0 ? c.integer : 99);
        EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Options", "Value", "default"), c.text);
    }
    // Told once per run for the value, naming the file and the value.
    ASSERT_EQ(t.box.prompts().size(), 1);
    EXPECT_TRUE(t.box.last().text.contains(QDir::toNativeSeparators(t.ctx.registry().settingsFile().path())));
    EXPECT_TRUE(t.box.last().text.contains(QStringLiteral("\"Options\\Value\"")));
    EXPECT_FALSE(t.box.last().text.contains(QStringLiteral("Type mismatch")));
}

TEST(Registry, AReadReplacesValueTypeWithTheTypeFoundAndDecodesByIt)
{
    TestContext t;
    cRegistry &r = t.ctx.registry();
    r.setClassKey(reg::HKeyLocalMachine);
    r.setSectionKey("Software\\Test");
    r.setValueKey("v");

    storeDirectly(t, "HKEY_LOCAL_MACHINE\\Software\\Test", "v", SettingsValue::multiString({"a", "b"}));
    r.setValueType(reg::REG_SZ);
    EXPECT_EQ(r.Value().toString(), QString("a") + QChar(0) + "b" + QChar(0));
    EXPECT_EQ(r.ValueType(), reg::REG_MULTI_SZ);

    storeDirectly(t, "HKEY_LOCAL_MACHINE\\Software\\Test", "v", SettingsValue::binary("\x01\x02", 3));
    EXPECT_EQ(r.Value().toByteArray(), QByteArray("\x01\x02"));
    EXPECT_EQ(r.ValueType(), reg::REG_BINARY);

    // Nothing found: Default, and the type stays as set.
    r.setValueKey("absent");
    r.setValueType(reg::REG_DWORD);
    EXPECT_FALSE(r.Value().isValid());
    EXPECT_EQ(r.ValueType(), reg::REG_DWORD);
    r.setDefault(5);
    EXPECT_EQ(r.Value().toInt(), 5);
}

TEST(Registry, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling)
{
    TestContext t;
    mRegistry::SetRegInteger(t.ctx, "Options", "AutoPlay", 1);
    mRegistry::SetRegInteger(t.ctx, "OPTIONS", "AUTOPLAY", 0);
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "options", "autoplay", 5), 0);

    SettingsFile &store = t.ctx.registry().settingsFile();
    EXPECT_EQ(store.valueNames(kOptionsKey), QStringList{"AutoPlay"});
    EXPECT_EQ(store.keySpelling(kOptionsKey.toUpper()), kOptionsKey);

    // A new section below the same path takes the spelling of the parts that exist.
    mRegistry::SetRegString(t.ctx, "General", "LastGName", "Luxury");
    t.ctx.registry().setClassKey(reg::HKeyLocalMachine);
    t.ctx.registry().setSectionKey("SOFTWARE\\QUILLMERE TECHNOLOGIES\\Tools");
    t.ctx.registry().setValueKey("x");
    t.ctx.registry().setValueType(reg::REG_SZ);
    t.ctx.registry().setValue("y");
    EXPECT_EQ(store.keySpelling("HKEY_LOCAL_MACHINE\\software\\quillmere technologies\\tools"),
              "HKEY_LOCAL_MACHINE\\Software\\Quillmere Technologies\\Tools");
}

TEST(Registry, EnvironmentReferencesAreStoredExpandableAndReadExpanded)
{
    TestContext t;
    qputenv("BRACKENFOLD_REG_TEST", "/home/player");
    qunsetenv("BRACKENFOLD_NO_SUCH_NAME");
    struct Case {
        QString text;
        std::uint32_t type;
        QString read;
    };
    const Case cases[] = {
        {"100% sure", SettingsValue::String, "100% sure"},
        {"%%", SettingsValue::String, "%%"},
        {"a%%b", SettingsValue::String, "a%%b"},
        {"%a%", SettingsValue::ExpandString, "%a%"},
        {"%BRACKENFOLD_REG_TEST%/Games", SettingsValue::ExpandString, "/home/player/Games"},
        {"x%BRACKENFOLD_REG_TEST%%BRACKENFOLD_REG_TEST%", SettingsValue::ExpandString, "x/home/player/home/player"},
        {"%BRACKENFOLD_NO_SUCH_NAME%/Games", SettingsValue::ExpandString, "%BRACKENFOLD_NO_SUCH_NAME%/Games"},
        // An unknown name's closing "%" opens the next reference.
        {"%BRACKENFOLD_NO_SUCH_NAME%BRACKENFOLD_REG_TEST%", SettingsValue::ExpandString,
         "%BRACKENFOLD_NO_SUCH_NAME/home/player"},
        {"/games/50% off/100% sure", SettingsValue::ExpandString, "/games/50% off/100% sure"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        mRegistry::SetRegString(t.ctx, "General", "SaveInitDir", c.text);
        const auto stored =
            t.ctx.registry().settingsFile().value(settingsKey(QStringLiteral("General")), "SaveInitDir");
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->type, c.type);
        EXPECT_EQ(stored->text, c.text);
        EXPECT_EQ(mRegistry::GetRegString(t.ctx, "General", "SaveInitDir", ""), c.read);
    }
    qunsetenv("BRACKENFOLD_REG_TEST");
}

TEST(Registry, AKeyThatCannotBeCreatedRaises26001NamingKeyAndValue)
{
    TestContext t;
    // A plain file where the settings folder should be: the key cannot be created.
    const QString folder = QFileInfo(t.ctx.registry().settingsFile().path()).absolutePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(folder).absolutePath()));
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const Raised r = raisedBy([&] { mRegistry::SetRegInteger(t.ctx, "Options", "AutoPlay", 1); });
    EXPECT_EQ(r.number, 26001);
    EXPECT_EQ(r.text, "Failed to set registry value Key: '-2147483646',Section: 'Software\\Quillmere "
                      "Technologies\\Brackenfold 6.0\\6.0\\Options',Key: 'AutoPlay' to value: '1'");
    // Getters go on answering defaults.
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "AutoPlay", 0), 0);

    const Raised s = raisedBy([&] { mRegistry::SetRegString(t.ctx, "General", "LastGName", "Baker's Game"); });
    EXPECT_EQ(s.number, 26001);
    EXPECT_TRUE(s.text.endsWith("Key: 'LastGName' to value: 'Baker's Game'"));
}

TEST(Registry, WritesThatCannotBeMadeRaiseTheirOwnErrors)
{
    TestContext t;
    cRegistry &r = t.ctx.registry();
    r.setSectionKey("Software\\Test");
    r.setValueKey("v");

    r.setClassKey(12345); // names no root key
    r.setValueType(reg::REG_SZ);
    const Raised unknownRoot = raisedBy([&] { r.setValue("x"); });
    EXPECT_EQ(unknownRoot.number, 26001);
    EXPECT_EQ(unknownRoot.text,
              "Failed to set registry value Key: '12345',Section: 'Software\\Test',Key: 'v' to value: 'x'");

    r.setClassKey(reg::HKeyLocalMachine);
    r.setValueType(reg::REG_BINARY);
    const Raised notBytes = raisedBy([&] { r.setValue("text"); });
    EXPECT_EQ(notBytes.number, 26001);
    EXPECT_EQ(notBytes.text, AppError::standardText(26001));

    r.setValueType(6);
    EXPECT_EQ(raisedBy([&] { r.setValue("x"); }).number, -2147194455);

    // A number type given something other than a 16- or 32-bit integer writes nothing.
    r.setValueType(reg::REG_DWORD);
    EXPECT_EQ(raisedBy([&] { r.setValue("12"); }).number, 0);
    EXPECT_EQ(raisedBy([&] { r.setValue(QVariant::fromValue<qint64>(12)); }).number, 0);
    EXPECT_FALSE(r.settingsFile().keyExists("HKEY_LOCAL_MACHINE\\Software\\Test"));
    r.setValue(QVariant::fromValue<unsigned>(40000));
    EXPECT_EQ(r.settingsFile().value("HKEY_LOCAL_MACHINE\\Software\\Test", "v")->number, 40000u);
}

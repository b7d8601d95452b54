// Opening the appearance windows from their commands: a window whose loading failed
// reports the error and is never shown, so nothing it would store is stored.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "appearance/mCustomize.h"
#include "store/cData.h"
#include "store/mRegistry.h"
#include "support/FileBytes.h"
#include "support/QtPrint.h"
#include "support/WindowContext.h"
#include "support/OnModal.h"

namespace {
// Runs the command; answers the title of any window it showed modally (closed at once).
QString shownBy(WindowContext &t, const char *key)
{
    const QString shown = titleOfModalRejected([&] { t.window->DoCommand(QLatin1String(key)); });
    QCoreApplication::processEvents();
    return shown;
}
} // namespace

TEST(Opening, AWindowThatFailedToLoadIsNotShownAndStoresNothing)
{
    WindowContext t;
    mCustomize::SetBackIndex(t.ctx, mCustomize::Texture);
    mCustomize::SetTextureIndex(t.ctx, 2);
    const QString schemes = t.ctx.data().AppDir() + QStringLiteral("/Color Schemes");
    ASSERT_TRUE(QDir(schemes).removeRecursively());
    writeBytes(schemes, "a file, not a folder");
    t.box.expect(MsgResult::Ok, schemes);
    EXPECT_EQ(shownBy(t, "Background"), QString());
    EXPECT_EQ(t.box.pending(), 0);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "BackGround", "TextureIndex", "<absent>"), "2");
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "BackGround", "WPTimerValue", "<absent>"), "<absent>");

    // A text where a speed belongs stops nothing: the value is named, the window shows its
    // default, and Cancel stores nothing.
    mRegistry::SetRegString(t.ctx, "Animation", "UndoSpeed", "fast");
    t.box.expect(MsgResult::Ok, QStringLiteral("\"Animation\\UndoSpeed\""));
    EXPECT_EQ(shownBy(t, "Animation"), QStringLiteral("Animation"));
    EXPECT_EQ(t.box.pending(), 0);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Animation", "CardSpeed", "<absent>"), "<absent>");

    // A window that loads is shown.
    EXPECT_EQ(shownBy(t, "Sounds"), "Sounds");
}

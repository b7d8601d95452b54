// The auto-save browser over a prepared auto-save folder: its rows, the buttons each
// action enables, deleting and emptying (also when a delete fails), the tab it keeps (or
// cannot keep), and Play through the main window. After every action the lists must show
// the folder.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "library/AutoSaveRows.h"
#include "library/frmAutoSave.h"
#include "library/mAutoSave.h"
#include "platform/SettingsFile.h"
#include "shell/cGamePlay.h"
#include "store/cRegistry.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "store/mRegistry.h"
#include "support/FileBytes.h"
#include "support/WindowContext.h"
#include "support/OnModal.h"
#include "support/RefusingWriter.h"

namespace {

template <typename Base> struct Prepared : Base {
    QString at(const QString &name) { return this->ctx.data().AutoSaveFolder() + "/" + name; }

    // Two incomplete games of Freecell 617, one damaged file, and a finished game whose
    // extension is in capitals.
    void prepare()
    {
        this->gp().PlayNumber("Freecell", GameNumber::fromNumber(617));
        this->moveToFreeCell(0);
        this->gp().setTime(3725);
        mAutoSave::AutoSaveGame(this->ctx, false);
        mAutoSave::AutoSaveGame(this->ctx, false);
        writeBytes(at("Broken.qx0"), "not a saved game\r\n");
        QFile::copy(at("Freecell-617.qx0"), at("Won-5.QX1"));
    }
};
using Browser = Prepared<GameContext>;

QStringList column(const QTreeWidget *list, int col, int role = Qt::DisplayRole)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->data(col, role).toString();
    return out;
}

QStringList keys(const QTreeWidget *list)
{
    return column(list, 0, frmAutoSave::kKeyRole);
}

QStringList pathsOnDisk(Context &ctx, bool finished)
{
    return mAutoSave::GetAutoSaveFiles(ctx, finished).mid(1);
}

// The lists show the folder, the Empty buttons follow them, Play and Delete follow the
// selection of the tab shown.
void expectWindowAgreesWithFolder(Context &ctx, const frmAutoSave &dlg)
{
    EXPECT_EQ(keys(dlg.lvInc), pathsOnDisk(ctx, false));
    EXPECT_EQ(keys(dlg.lvFin), pathsOnDisk(ctx, true));
    EXPECT_EQ(dlg.cmdEmpInc->isEnabled(), dlg.lvInc->topLevelItemCount() > 0);
    EXPECT_EQ(dlg.cmdEmpFin->isEnabled(), dlg.lvFin->topLevelItemCount() > 0);
    const bool selected = !dlg.currentList()->selectedItems().isEmpty();
    EXPECT_EQ(dlg.cmdPlay->isEnabled(), selected);
    EXPECT_EQ(dlg.cmdDelete->isEnabled(), selected);
}

void select(QTreeWidget *list, int row)
{
    list->setCurrentItem(list->topLevelItem(row));
}

} // namespace

TEST(AutoSaveBrowser, ListsEachKindWithItsDetailsAndADamagedFileByItsTitle)
{
    Browser t;
    t.prepare();
    frmAutoSave dlg(t.ctx);
    EXPECT_EQ(dlg.windowTitle(), "Auto Save");
    EXPECT_EQ(dlg.SSTab1->tabText(0), "Incomplete Games");
    EXPECT_EQ(dlg.SSTab1->tabText(1), "Finished Games");
    EXPECT_EQ(dlg.lvInc->headerItem()->text(0), "Game");
    EXPECT_EQ(dlg.lvInc->headerItem()->text(3), "Perc");
    EXPECT_EQ(dlg.lvFin->headerItem()->text(0), "Game ");
    EXPECT_EQ(dlg.lvFin->headerItem()->text(3), "Score");
    EXPECT_EQ(dlg.SSTab1->currentIndex(), 0);

    const SavedGameInfo header = mFile::ReadGameHeader(t.at("Freecell-617.qx0"));
    EXPECT_EQ(column(dlg.lvInc, 0), QStringList({"Broken", "Freecell-617-(1)", "Freecell-617"}));
    EXPECT_EQ(column(dlg.lvInc, 0, frmAutoSave::kTagRole), QStringList({"Broken", "Freecell - 617", "Freecell - 617"}));
    EXPECT_EQ(column(dlg.lvInc, 1), QStringList({"", header.DatePlayed, header.DatePlayed}));
    EXPECT_EQ(column(dlg.lvInc, 2), QStringList({"", "1:02:05", "1:02:05"}));
    const QString perc = QString::number(header.Percentage) + "%";
    EXPECT_EQ(column(dlg.lvInc, 3), QStringList({"", perc, perc}));
    EXPECT_EQ(column(dlg.lvFin, 0), QStringList{"Won-5"});
    EXPECT_EQ(column(dlg.lvFin, 3), QStringList{QString::number(header.Score)});
    expectWindowAgreesWithFolder(t.ctx, dlg);

    select(dlg.lvInc, 0);
    EXPECT_TRUE(dlg.cmdPlay->isEnabled());
    expectWindowAgreesWithFolder(t.ctx, dlg);
    dlg.SSTab1->setCurrentIndex(1);
    expectWindowAgreesWithFolder(t.ctx, dlg);
    EXPECT_FALSE(dlg.cmdPlay->isEnabled());
    select(dlg.lvFin, 0);
    expectWindowAgreesWithFolder(t.ctx, dlg);
}

TEST(AutoSaveBrowser, DeleteAsksByGameAndEmptyTakesOneKind)
{
    Browser t;
    t.prepare();
    frmAutoSave dlg(t.ctx);
    select(dlg.lvInc, 2);
    t.box.expect(MsgResult::No);
    dlg.cmdDelete_Click();
    EXPECT_EQ(t.box.last().text, "Are you sure you want to delete Freecell - 617 ?");
    EXPECT_EQ(t.box.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(QFile::exists(t.at("Freecell-617.qx0")));
    expectWindowAgreesWithFolder(t.ctx, dlg);

    select(dlg.lvInc, 0);
    t.box.expect(MsgResult::Yes, "Broken ?");
    dlg.cmdDelete_Click();
    EXPECT_FALSE(QFile::exists(t.at("Broken.qx0")));
    expectWindowAgreesWithFolder(t.ctx, dlg);

    t.box.expect(MsgResult::Yes, "delete all Games");
    dlg.cmdEmpInc_Click();
    EXPECT_EQ(dlg.lvInc->topLevelItemCount(), 0);
    EXPECT_EQ(dlg.lvFin->topLevelItemCount(), 1);
    expectWindowAgreesWithFolder(t.ctx, dlg);
}

TEST(AutoSaveBrowser, AFailedDeleteIsReportedAndTheListsStillShowTheFolder)
{
    Browser t;
    t.prepare();
    // A read-only file is not forced, whoever runs the program.
    QFile::setPermissions(t.at("Freecell-617.qx0"), QFileDevice::ReadOwner);
    frmAutoSave dlg(t.ctx);
    t.box.expect(MsgResult::Yes, "delete all Games");
    t.box.expect(MsgResult::Ok, "Freecell-617.qx0");
    dlg.cmdEmpInc->click();
    EXPECT_EQ(t.box.pending(), 0);
    // The files before the read-only one are gone and no longer listed.
    EXPECT_EQ(column(dlg.lvInc, 0), QStringList{"Freecell-617"});
    expectWindowAgreesWithFolder(t.ctx, dlg);

    // A folder standing where the listed file was cannot be deleted as a file.
    dlg.SSTab1->setCurrentIndex(1);
    select(dlg.lvFin, 0);
    ASSERT_TRUE(QFile::remove(t.at("Won-5.QX1")));
    ASSERT_TRUE(QDir().mkpath(t.at("Won-5.QX1") + "/inside"));
    t.box.expect(MsgResult::Yes, "Freecell - 617 ?");
    t.box.expect(MsgResult::Ok, "Won-5.QX1");
    dlg.cmdDelete->click();
    EXPECT_EQ(t.box.pending(), 0);
    EXPECT_EQ(dlg.lvFin->topLevelItemCount(), 0);
    expectWindowAgreesWithFolder(t.ctx, dlg);
}

TEST(AutoSaveBrowser, KeepsTheTabOnCloseAndPlayButNotOnTheFramesClose)
{
    Browser t;
    t.prepare();
    auto storedTab = [&] { return mRegistry::GetRegString(t.ctx, "Tools", "AutoSaveTab", "<absent>"); };
    {
        frmAutoSave dlg(t.ctx);
        dlg.SSTab1->setCurrentIndex(1);
        dlg.reject();
        EXPECT_EQ(storedTab(), "<absent>");
    }
    {
        frmAutoSave dlg(t.ctx);
        EXPECT_EQ(dlg.SSTab1->currentIndex(), 0);
        dlg.SSTab1->setCurrentIndex(1);
        dlg.cmdClose_Click();
        EXPECT_EQ(storedTab(), "1");
        EXPECT_TRUE(dlg.chosenPath().isEmpty());
    }
    {
        frmAutoSave dlg(t.ctx);
        EXPECT_EQ(dlg.SSTab1->currentIndex(), 1);
        dlg.SSTab1->setCurrentIndex(0);
        select(dlg.lvInc, 1);
        dlg.cmdPlay_Click();
        EXPECT_EQ(dlg.chosenPath(), t.at("Freecell-617-(1).qx0"));
        EXPECT_EQ(storedTab(), "0");
    }
    mAutoSave::SetAutoSaveTab(t.ctx, 7);
    frmAutoSave dlg(t.ctx);
    EXPECT_EQ(dlg.SSTab1->currentIndex(), 0);
}

TEST(AutoSaveBrowser, PlayFromTheMainWindowPlaysAGoodFileAndReportsADamagedOne)
{
    Prepared<WindowContext> w;
    w.prepare();
    w.gp().PlayNumber("Baker's Game", GameNumber::fromNumber(42));
    auto playRow = [&](int row) {
        const OnModal<frmAutoSave> answer([row](frmAutoSave &dlg) {
            select(dlg.lvInc, row);
            dlg.cmdPlay->click();
        });
        w.window->DoCommand("AutoSave");
        EXPECT_TRUE(answer.acted());
    };
    w.box.expect(MsgResult::Ok, "Broken.qx0");
    playRow(0);
    EXPECT_EQ(w.box.pending(), 0);
    EXPECT_EQ(w.gp().GameName(), "Baker's Game");
    EXPECT_EQ(w.gp().GameNo().value(), 42);

    playRow(2);
    EXPECT_EQ(w.gp().GameName(), "Freecell");
    EXPECT_EQ(w.gp().GameNo().value(), 617);
}

TEST(AutoSaveBrowser, ATabThatCannotBeKeptStopsNeitherPlayNorClose)
{
    Prepared<WindowContext> w;
    w.prepare();
    w.gp().PlayNumber("Baker's Game", GameNumber::fromNumber(42));
    RefusingWriter refusing;
    w.ctx.registry().settingsFile().setWriter(&refusing);
    w.box.expect(MsgResult::Ok, "The settings cannot be saved");
    {
        frmAutoSave dlg(w.ctx);
        dlg.show();
        dlg.SSTab1->setCurrentIndex(1);
        dlg.cmdClose->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    const OnModal<frmAutoSave> answer([](frmAutoSave &dlg) {
        select(dlg.lvInc, 2);
        dlg.cmdPlay->click();
    });
    w.window->DoCommand("AutoSave");
    EXPECT_TRUE(answer.acted());
    w.ctx.registry().settingsFile().setWriter(nullptr);
    // Reported once for the whole run, and the chosen game is on the table.
    EXPECT_EQ(w.box.pending(), 0);
    EXPECT_EQ(w.gp().GameName(), "Freecell");
    EXPECT_EQ(w.gp().GameNo().value(), 617);
}

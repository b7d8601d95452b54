// The Background dialog through its handlers: what opening selects and leaves disabled,
// the scheme and picture buttons with their prompts, and what Apply, OK and Cancel leave
// in the settings and on disk.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "appearance/frmBackGround.h"
#include "appearance/mCustomize.h"
#include "store/cData.h"
#include "store/cFunc.h"
#include "store/mRegistry.h"
#include "support/Errors.h"
#include "support/Fifo.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"

namespace {
struct Dialog : GameContext {
    Dialog()
    {
        nullWindow.backgroundPicture() = QImage(32, 24, QImage::Format_RGB32);
        QDir(home.path()).mkpath(QStringLiteral("Pics"));
    }
    QString picture(const QString &name) const
    {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = home.path() + QStringLiteral("/Pics/") + name;
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QString scheme(const QString &name, const QByteArray &bytes) const
    {
        const QString path = ctx.data().SchemeFolder() + u'/' + name;
        writeBytes(path, bytes);
        return path;
    }
    QString stored(const char *name) { return mRegistry::GetRegString(ctx, "BackGround", name, "<absent>"); }
    QStringList listed(const QListWidget *list) const
    {
        QStringList keys;
        for (int i = 0; i < list->count(); ++i)
            keys << frmBackGround::itemKey(list->item(i));
        return keys;
    }
    QString selected(const QListWidget *list) const { return frmBackGround::itemKey(list->currentItem()); }
    std::vector<int> sliders(const frmBackGround &dlg) const
    {
        std::vector<int> values;
        for (const QSlider *s : dlg.Slider)
            values.push_back(s->value());
        return values;
    }
};

void click(QListWidget *list, int row)
{
    list->setCurrentRow(row); // the dialog acts on the current item as on a click
}
} // namespace

TEST(BackgroundDialog, OpensOnTheStoredTabWithApplyDisabledUntilTheUserChangesSomething)
{
    Dialog t;
    mCustomize::SetBackIndex(t.ctx, mCustomize::Texture);
    mCustomize::SetTextureIndex(t.ctx, 2);
    frmBackGround dlg(t.ctx);
    EXPECT_EQ(dlg.windowTitle(), "Customize Background");
    EXPECT_EQ(dlg.SSTab1->currentIndex(), 0);
    EXPECT_FALSE(dlg.chkTile->isEnabled());
    EXPECT_FALSE(dlg.cmdApply->isEnabled());
    EXPECT_EQ(frmBackGround::nodeTag(dlg.tvTex->currentItem()), 2);
    EXPECT_EQ(dlg.imcTimer->currentText(), "Game");
    EXPECT_EQ(dlg.lbTopG->text(), "Green (128)");
    EXPECT_EQ(dlg.lbBotR->text(), "Red (128)");
    EXPECT_EQ(t.ctx.func().GetLIST(0).value(1), t.ctx.data().DefaultCustImageFile());

    dlg.SSTab1->setCurrentIndex(mCustomize::Picture);
    EXPECT_TRUE(dlg.chkTile->isEnabled());
    EXPECT_TRUE(dlg.cmdApply->isEnabled());
    dlg.SSTab1->setCurrentIndex(mCustomize::Texture);
    EXPECT_TRUE(dlg.cmdApply->isEnabled());

    // OK with nothing changed stores nothing and leaves the scheme file alone.
    const QString scheme = t.ctx.data().DefaultSchemeFile();
    writeBytes(scheme, "0,128,0,128,0,0");
    dlg.cmdOK_Click();
    EXPECT_EQ(t.stored("BackIndex"), "0");
    EXPECT_EQ(t.stored("TextureIndex"), "2");
    for (const char *name : {"EnableTile", "ColorIndex", "FadeIndex", "ImageIndex", "SchemeFile", "CustImageFile",
                             "ImageFolderFile", "WPTimerValue"})
        EXPECT_EQ(t.stored(name), "<absent>") << name;
    EXPECT_EQ(bytesOf(scheme), QByteArray("0,128,0,128,0,0"));
}

TEST(BackgroundDialog, ADamagedSchemeIsRewrittenOnlyWhenTheUserChangesItAndThenWithAWord)
{
    Dialog t;
    const QByteArray damaged(" 1  2  3  4  5  6666 \r\n");
    const QString broken = t.scheme("Broken", damaged);
    mCustomize::SetSchemeFile(t.ctx, broken);
    mCustomize::SetColorIndex(t.ctx, 0); // a damaged setting: reads as colour 1
    {
        frmBackGround dlg(t.ctx);
        click(dlg.lvLarge, 1);
        dlg.cmdApply_Click();
        dlg.cmdOK_Click();
    }
    EXPECT_EQ(bytesOf(broken), damaged);
    EXPECT_EQ(t.stored("ImageIndex"), "2");
    EXPECT_EQ(t.stored("ColorIndex"), "0");

    frmBackGround dlg(t.ctx);
    dlg.SSTab1->setCurrentIndex(mCustomize::Scheme);
    dlg.Slider[0]->setValue(7);
    t.box.expect(MsgResult::Ok, "\"Broken\" could not be read");
    dlg.cmdApply_Click();
    EXPECT_EQ(bytesOf(broken), QByteArray(" 7  0  0  0  0  0 \r\n"));
    dlg.cmdOK_Click(); // said once: the file is a scheme now
    EXPECT_EQ(t.stored("BackIndex"), "3");
}

TEST(BackgroundDialog, PathsKeepTheirLetterCaseFromTheListsToTheSettings)
{
    Dialog t;
    const QString mine = t.scheme("My Scheme", " 1  2  3  4  5  6 \r\n");
    mCustomize::SetSchemeFile(t.ctx, mine);
    const QString photo = t.picture("Photo.PNG");
    frmBackGround dlg(t.ctx);
    t.dialogs.expectOpen(photo);
    dlg.cmdAddPic_Click();
    EXPECT_EQ(t.selected(dlg.lvCustImg), photo);
    EXPECT_EQ(mCustomize::GetCustImageInitDir(t.ctx), t.home.path() + "/Pics");

    dlg.SSTab1->setCurrentIndex(mCustomize::Scheme);
    EXPECT_EQ(t.selected(dlg.lvScheme), mine);
    EXPECT_EQ(t.sliders(dlg), std::vector<int>({1, 2, 3, 4, 5, 6}));
    dlg.Slider[5]->setValue(200);
    EXPECT_EQ(dlg.lbBotB->text(), "Blue (200)");
    dlg.cmdApply_Click();
    EXPECT_FALSE(dlg.cmdApply->isEnabled());
    EXPECT_EQ(bytesOf(mine), QByteArray(" 1  2  3  4  5  200 \r\n"));
    EXPECT_EQ(mCustomize::GetSchemeFile(t.ctx), mine);
    EXPECT_EQ(mCustomize::GetCustImageFile(t.ctx), photo);
}

TEST(BackgroundDialog, OpensWhateverIsOnDiskWithBlankPreviewsForWhatCannotBeRead)
{
    Dialog t;
    const QString broken = t.scheme("Broken", " 1  2 \r\n");
    mCustomize::SetSchemeFile(t.ctx, broken);
    const QString first = t.picture("First.png");
    const QString chosen = t.picture("Chosen.png");
    const QString garbage = t.home.path() + "/Pics/Garbage.jpg";
    writeBytes(garbage, "not a picture");
    cFunc &list = t.ctx.func();
    list.AddtoLIST(0, t.home.path() + "/Pics/Gone.png");
    list.AddtoLIST(0, first);
    list.AddtoLIST(0, chosen);
    list.AddtoLIST(0, garbage);
    mCustomize::SetCustImageFile(t.ctx, chosen);
    mCustomize::SetBackIndex(t.ctx, mCustomize::Scheme);

    frmBackGround dlg(t.ctx); // an unexpected message fails the test
    EXPECT_EQ(t.listed(dlg.lvCustImg), QStringList({first, chosen, garbage}));
    EXPECT_EQ(t.selected(dlg.lvCustImg), chosen);
    EXPECT_FALSE(dlg.picCustImg->pixmap().isNull());
    EXPECT_EQ(t.selected(dlg.lvScheme), broken);
    EXPECT_EQ(t.sliders(dlg), std::vector<int>(6, 0));
    EXPECT_TRUE(dlg.PicCustCol->pixmap().isNull());
    EXPECT_FALSE(dlg.cmdApply->isEnabled());

    click(dlg.lvCustImg, 2);
    EXPECT_TRUE(dlg.picCustImg->pixmap().isNull());
    click(dlg.lvScheme, static_cast<int>(t.listed(dlg.lvScheme).indexOf(t.ctx.data().DefaultSchemeFile())));
    EXPECT_EQ(t.sliders(dlg), std::vector<int>({0, 128, 0, 128, 0, 0}));
    EXPECT_FALSE(dlg.PicCustCol->pixmap().isNull());
    click(dlg.lvScheme, static_cast<int>(t.listed(dlg.lvScheme).indexOf(broken)));
    EXPECT_TRUE(dlg.PicCustCol->pixmap().isNull());

    // The list's first entry has no file and the full list leaves the chosen picture out:
    // the first listed picture is chosen.
    for (int i = 5; i <= 10; ++i)
        list.AddtoLIST(0, t.picture(QStringLiteral("p%1.png").arg(i)));
    mCustomize::SetCustImageFile(t.ctx, t.picture("Unlisted.png"));
    frmBackGround again(t.ctx);
    EXPECT_EQ(t.selected(again.lvCustImg), first);
}

TEST(BackgroundDialog, SaveAsAsksAgainForABadNameAndBeforeOverwritingAndDeleteKeepsTheDefault)
{
    Dialog t;
    frmBackGround dlg(t.ctx);
    const QString fallback = t.ctx.data().DefaultSchemeFile();
    dlg.Slider[0]->setValue(9);
    dlg.cmdApply->setEnabled(false);

    t.box.expectInput("a/b", "Please Enter a Name");
    t.box.expect(MsgResult::Ok, "Name should not contain these characters : /\\:*?\"<>|");
    t.box.expectInput("..");
    t.box.expect(MsgResult::Ok, "Name should not contain");
    t.box.expectInput("Default Color Scheme");
    t.box.expect(MsgResult::No,
                 "A scheme already exists with the name \"Default Color Scheme\". Do you want to overwrite ?");
    dlg.cmdSave_Click();
    EXPECT_EQ(t.box.prompts()[0].title, "Color Schemes");
    EXPECT_EQ(t.box.prompts()[0].defaultText, "Color Scheme 1");
    EXPECT_EQ(t.box.prompts()[4].defaultText, "Color Scheme 1");
    EXPECT_EQ(t.box.prompts()[1].icon, MsgIcon::Critical);
    EXPECT_EQ(t.box.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(t.box.last().title, "Color Schemes");
    EXPECT_EQ(bytesOf(fallback), QByteArray(" 0  128  0  128  0  0 \r\n"));

    t.box.expectInput("Dusk");
    dlg.cmdSave_Click();
    const QString dusk = t.ctx.data().SchemeFolder() + "/Dusk";
    EXPECT_EQ(bytesOf(dusk), QByteArray(" 9  128  0  128  0  0 \r\n"));
    EXPECT_EQ(t.selected(dlg.lvScheme), dusk);
    EXPECT_FALSE(dlg.cmdApply->isEnabled());

    click(dlg.lvScheme, static_cast<int>(t.listed(dlg.lvScheme).indexOf(fallback)));
    const QStringList before = t.listed(dlg.lvScheme);
    t.box.expect(MsgResult::Ok, "Default Scheme cannot be deleted.");
    dlg.cmdDelete_Click();
    EXPECT_EQ(t.listed(dlg.lvScheme), before);

    click(dlg.lvScheme, static_cast<int>(before.indexOf(dusk)));
    dlg.cmdDelete_Click();
    dlg.cmdCancel_Click();
    EXPECT_FALSE(QFile::exists(dusk));
    EXPECT_EQ(t.selected(dlg.lvScheme), fallback);
    EXPECT_EQ(t.sliders(dlg), std::vector<int>({0, 128, 0, 128, 0, 0}));
}

TEST(BackgroundDialog, TheCustomImageListKeepsTenAndRemoveStaysAfterCancel)
{
    Dialog t;
    frmBackGround dlg(t.ctx);
    QString last;
    for (int i = 1; i <= 10; ++i) {
        last = t.picture(QStringLiteral("p%1.png").arg(i));
        t.dialogs.expectOpen(last);
        dlg.cmdAddPic_Click();
    }
    EXPECT_EQ(t.ctx.func().GetLIST(0).value(0), "10");
    EXPECT_EQ(t.dialogs.last().request.filter, "Pictures (*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif");
    EXPECT_FALSE(t.listed(dlg.lvCustImg).contains(last));
    dlg.cmdOK_Click();
    EXPECT_EQ(mCustomize::GetCustImageFile(t.ctx), t.ctx.data().DefaultCustImageFile());

    frmBackGround again(t.ctx);
    EXPECT_EQ(t.selected(again.lvCustImg), t.ctx.data().DefaultCustImageFile());
    t.box.expect(MsgResult::Ok, "Default Picture cannot be deleted.");
    again.cmdRemovePic_Click();
    const QString nine = t.home.path() + "/Pics/p9.png";
    click(again.lvCustImg, static_cast<int>(t.listed(again.lvCustImg).indexOf(nine)));
    again.cmdApply_Click();
    ASSERT_EQ(mCustomize::GetCustImageFile(t.ctx), nine);
    again.cmdRemovePic_Click();
    again.cmdCancel_Click();
    EXPECT_FALSE(t.ctx.func().IsExists(0, nine));
    EXPECT_TRUE(QFile::exists(nine));
    EXPECT_EQ(t.stored("CustImageFile"), t.ctx.data().DefaultCustImageFile());
}

TEST(BackgroundDialog, AFolderWithoutPicturesDisablesApplyAndAMissingFolderListsNothing)
{
    Dialog t;
    const QString pics = t.home.path() + "/Pics";
    const QString photo = t.picture("Photo.jpg");
    QDir(t.home.path()).mkpath("Empty");
    mCustomize::SetImageFolderFile(t.ctx, photo);
    mCustomize::SetWPTimerValue(t.ctx, 9);
    frmBackGround dlg(t.ctx);
    EXPECT_EQ(frmBackGround::drives().value(0), "/");
    EXPECT_EQ(dlg.dir1Path(), pics);
    EXPECT_EQ(dlg.File1->currentItem()->text(), "Photo.jpg");
    EXPECT_EQ(dlg.imcTimer->currentIndex(), -1);
    EXPECT_FALSE(dlg.cmdApply->isEnabled());

    dlg.setDir1Path(t.home.path() + "/Empty");
    EXPECT_EQ(dlg.File1->count(), 0);
    EXPECT_FALSE(dlg.cmdApply->isEnabled());
    dlg.setDir1Path(t.home.path() + "/No such folder");
    EXPECT_EQ(dlg.File1->count(), 0);
    dlg.setDir1Path(pics);
    EXPECT_TRUE(dlg.cmdApply->isEnabled());
    const QString other = t.picture("Zed.bmp");
    dlg.setDir1Path(pics);
    dlg.File1->setCurrentRow(dlg.File1->count() - 1);
    dlg.imcTimer->setCurrentIndex(0);
    dlg.imcTimer_Click();
    dlg.cmdOK_Click();
    EXPECT_EQ(t.stored("ImageFolderFile"), other);
    EXPECT_EQ(t.stored("WPTimerValue"), "0");
}

TEST(BackgroundDialog, ApplyReportsASchemeThatCannotBeWrittenAfterStoringTheRest)
{
    Dialog t;
    const QString mine = t.scheme("Mine", " 1  2  3  4  5  6 \r\n");
    mCustomize::SetSchemeFile(t.ctx, mine);
    frmBackGround dlg(t.ctx);
    dlg.SSTab1->setCurrentIndex(mCustomize::Scheme);
    dlg.Slider[2]->setValue(30);
    dlg.imcTimer->setCurrentIndex(dlg.imcTimer->findText("1 Minute"));
    dlg.imcTimer_Click();
    ASSERT_TRUE(QFile::remove(mine));
    ASSERT_TRUE(QDir().mkpath(mine)); // now a folder: the scheme cannot be written
    t.box.expect(MsgResult::Ok, "Mine");
    dlg.cmdOK->click();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(t.stored("BackIndex"), "3");
    EXPECT_EQ(t.stored("WPTimerValue"), "3");
    EXPECT_GT(t.nullWindow.backgroundChanges(), 0);
    // "1 Minute" changes the background every 60 s.
    EXPECT_TRUE(t.nullWindow.wallPaperTimer().enabled());
    EXPECT_EQ(t.nullWindow.wallPaperTimer().interval(), 60000);
}

TEST(BackgroundDialog, AFifoIsNeitherListedNorOpenedAndAddingOneIsRefusedByName)
{
    Dialog t;
    const QString schemePipe = t.ctx.data().SchemeFolder() + "/Pipe";
    const QString picturePipe = t.home.path() + "/Pics/Pipe.jpg";
    makeFifo(schemePipe);
    makeFifo(picturePipe);
    t.ctx.func().AddtoLIST(mCustomize::kCustomImageList, picturePipe);
    EXPECT_TRUE(runsWithoutOpening({schemePipe, picturePipe}, [&] {
        frmBackGround dlg(t.ctx);
        EXPECT_FALSE(t.listed(dlg.lvScheme).contains(schemePipe));
        EXPECT_FALSE(t.listed(dlg.lvCustImg).contains(picturePipe));
        t.dialogs.expectOpen(picturePipe);
        QString text;
        EXPECT_EQ(errorOf([&] { dlg.cmdAddPic_Click(); }, &text), err::PathFileAccess);
        EXPECT_TRUE(text.contains(picturePipe) && text.contains("not a regular file")) << text.toStdString();
        EXPECT_FALSE(t.listed(dlg.lvCustImg).contains(picturePipe));
    }));
}

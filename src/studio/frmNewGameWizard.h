// The new-game wizard: five pages (name, foundations, tableau, free cells, preview)
// over the shared definition gCustom, starting from "Freecell", moved through with four
// label-buttons and saved as a new studio game at the end. Like the editor it never
// writes over the game running on the table.
#pragma once

#include <QDialog>

#include "studio/mStudioForms.h"

class Context;
class QLabel;
class QLineEdit;
class QStackedWidget;
class StudioControlsView;

class frmNewGameWizard : public QDialog {
    Q_OBJECT
public:
    explicit frmNewGameWizard(Context &ctx, QWidget *parent = nullptr);

    // Shows the first page, loads "Freecell" and fills the controls; run by the constructor.
    void Form_Load();
    void UpdatePreview();
    void lbBack_Click();
    void lbNext_Click();
    void lbFinish_Click();
    void lbCancel_Click();

    QStackedWidget *SSTab1 = nullptr;
    QLabel *lbBack = nullptr;
    QLabel *lbNext = nullptr;
    QLabel *lbFinish = nullptr;
    QLabel *lbCancel = nullptr;
    QLineEdit *txtName = nullptr;
    StudioControlsView *controls = nullptr;
    QLabel *PicFound = nullptr;
    QLabel *PicTab = nullptr;
    QLabel *picRes = nullptr;
    QLabel *PicPreview = nullptr;

protected:
    // A press on an enabled label-button runs its handler: a left click, or Space or
    // Return while it has the focus.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void listChanged(mStudioForms::StudioList list);
    QWidget *buildPage(int index);

    Context &ctx_;
};

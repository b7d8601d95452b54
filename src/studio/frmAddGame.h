// The one-page editor of a studio game. It works on the shared definition gCustom:
// opening loads the game to edit (or "Freecell" to start a new one), every choice of
// the user writes one value, and Save writes gCustom to the game's studio file. The
// game running on the table is never written over.
#pragma once

#include <QDialog>

#include "studio/mStudioForms.h"

class Context;
class QLabel;
class QLineEdit;
class QPushButton;
class StudioControlsView;

class frmAddGame : public QDialog {
    Q_OBJECT
public:
    // An empty name creates a new game; any other edits the studio game of that name.
    frmAddGame(Context &ctx, const QString &editGameName, QWidget *parent = nullptr);

    // Loads the definition, fills the controls and paints the preview; run by the constructor.
    void Form_Load();
    void UpdatePreview();
    void cmdAdd_Click();
    void cmdCancel_Click();

    bool editMode() const { return !editGameName_.isEmpty(); }

    QLineEdit *txtName = nullptr;
    StudioControlsView *controls = nullptr;
    QLabel *Pic1 = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void listChanged(mStudioForms::StudioList list);

    Context &ctx_;
    QString editGameName_;
};

// The list of the games created in the studio, with the preview and the rule lines of
// the selected one. From here a game is created, edited, deleted, played or its rules
// read. The window deals nothing and opens no wizard itself: it closes and answers
// what the user asked for next, and the caller does it once the window is gone. The
// game running on the table is never edited or deleted here.
#pragma once

#include <QDialog>
#include <functional>

class Context;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

class frmGameStudio : public QDialog {
    Q_OBJECT
public:
    // What the user asked for when the window closed.
    enum class Next { Nothing, Play, Wizard };

    explicit frmGameStudio(Context &ctx, QWidget *parent = nullptr);

    // The commands "Editor" and "Wizard": tells the picture component the studio opens,
    // shows the studio (or only the wizard) modally, opens the wizard when the studio
    // asked for it, and returns the game to deal, "" for none.
    static QString Open(Context &ctx, QWidget *parent, bool wizardOnly);

    void LoadGameList();
    void ShowGame(const QString &name);
    void ShowGameDetails(const QString &name);

    // Shows the game of the current row; runs whenever the current row changes, by a
    // click or by the keyboard, so the details, the preview and the buttons always belong
    // to the row the buttons act on.
    void lvGames_Click();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdRules_Click();
    void cmdPlay_Click();
    void cmdWizard_Click();
    void cmdClose_Click();

    Next next() const { return next_; }
    // The game to play when next() is Play.
    QString gameToPlay() const { return gameToPlay_; }
    // The name of the selected row, "" without one.
    QString selectedGame() const;

    // Opens the editor for the game of that name ("" creates a new game) and returns
    // when it has closed; tests replace it.
    std::function<void(const QString &)> showEditor;

    QTreeWidget *lvGames = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Pic1 = nullptr;
    QTreeWidget *lvWiz = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdRules = nullptr;
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdWizard = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    void reject() override;

private:
    // Enables the buttons that need a readable game.
    void enableGameButtons(bool deletable, bool readable);
    // Shows the refusal and answers true when the game is the one on the table.
    bool refuseGameInPlay(const QString &name, const QString &message);

    Context &ctx_;
    Next next_ = Next::Nothing;
    QString gameToPlay_;
};

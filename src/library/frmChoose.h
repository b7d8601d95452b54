// "Select a Game Number": a game, a player and a deal number typed by the user, proposed
// at random. Select accepts only a number in the allowed range; the opener starts the
// deal once the window has gone.
#pragma once

#include <QDialog>
#include <cstdint>

class Context;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmChoose : public QDialog {
    Q_OBJECT
public:
    explicit frmChoose(Context &ctx, QWidget *parent = nullptr);

    void Form_Load();
    void LoadGames();
    // Every player; the current one selected, else the first.
    void LoadPlayers();
    void cmdSelect_Click();
    void ShowRangeError();

    // The game and number text Select accepted; empty when the window closed otherwise.
    const QString &chosenGame() const { return game_; }
    const QString &chosenNumber() const { return number_; }

    QLabel *lblName = nullptr;
    QLabel *lblRange = nullptr;
    QLineEdit *Text1 = nullptr;
    QComboBox *imcGames = nullptr;
    QComboBox *imcPlayer = nullptr;
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    Context &ctx_;
    std::int64_t max_ = 0;
    QString game_;
    QString number_;
};

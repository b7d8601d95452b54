// The Moves Manager: jumps the game to any recorded move by slider, single steps or a
// click in the move list, and starts or stops the main window's replay. Every jump is
// one board operation of the main window; afterwards exactly one list row, the current
// move's, is marked, and the slider and labels show the move the game reached.
#pragma once

#include <QDialog>

#include "platform/AppTimer.h"

class Context;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTreeWidget;
class QTreeWidgetItem;

class frmQuickMove : public QDialog {
    Q_OBJECT
public:
    explicit frmQuickMove(Context &ctx, QWidget *parent = nullptr);

    // Slider over the record, the move list, the last move shown, collapsed; run by the constructor.
    void Form_Load();

    void Slider1_Scroll();
    void cmdBack_Click();
    void cmdForward_Click();
    void cmdReplayBack_Click();
    void cmdReplayStop_Click();
    void cmdReplayForward_Click();
    void cmdMore_Click();
    // row counts from 1: row 1 is "Start" (move 0), row n + 1 is move n.
    void lvQuick_ItemClick(int row);
    void tmrMove_Timer();
    void tmrReplay_Timer();

    // Paints the row dark red and bold, or black and plain; select also selects it and
    // scrolls it into view.
    void MarkMoveItem(int row, bool mark, bool select);
    // The labels and the caption for move n (0: the game's name and number).
    void ShowMoveInfo(int n);

    // "Tableau (Pile 2, Card 5)": one end of a move, pile and position from 0.
    static QString PlaceText(int area, int pile, int pos);

    bool Expanded() const { return expanded_; }
    // The row marked now, 0 for none.
    int MarkedRow() const { return markedRow_; }

    QGroupBox *fraQuick = nullptr;
    QGroupBox *fraReplay = nullptr;
    QSlider *Slider1 = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdForward = nullptr;
    QPushButton *cmdReplayBack = nullptr;
    QPushButton *cmdReplayStop = nullptr;
    QPushButton *cmdReplayForward = nullptr;
    QLabel *lbText1 = nullptr;
    QLabel *lbText2 = nullptr;
    QLabel *lbText3 = nullptr;
    QPushButton *cmdMore = nullptr;
    QTreeWidget *lvQuick = nullptr;

    AppTimer tmrMove{300};
    AppTimer tmrReplay{50};

private:
    void fillList();
    // Widens the columns to their texts and the window to the columns.
    void fitColumns();
    // Jumps the game to the move as a board operation of the main window.
    void jump(int move);
    void setSliderValue(int value);
    void setReplayControls(bool replaying);
    void applyHeight();

    Context &ctx_;
    bool expanded_ = false;
    bool sliderBusy_ = false;
    bool listBusy_ = false;
    int markedRow_ = 0;
};

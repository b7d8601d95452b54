// The splash window shown at start-up: the splash picture with the version over it, a
// frameless window centred on the screen. The first key press, click or tick of its
// timer hands over to the main window exactly once and then lets the window go.
#pragma once

#include <QWidget>
#include <functional>

class Context;
class QLabel;
class QTimer;

class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Milliseconds the splash stays up when the user does nothing.
    static constexpr int kShowTime = 2000;

    // handOver is run once, by UnloadSplash; it shows the main window.
    frmSplash(Context &ctx, std::function<void()> handOver, QWidget *parent = nullptr);

    // Fills the picture and the version label; run by the constructor.
    void Form_Load();

    // The three ways the splash ends; each calls UnloadSplash.
    void Form_KeyPress();
    void Form_Click();
    void Timer1_Timer();

    // Hides the window, runs the hand-over and deletes the window later. Only the first
    // call does anything, so a click and a tick arriving together hand over once.
    void UnloadSplash();
    bool HandedOver() const { return handedOver_; }

    QLabel *imgWords = nullptr;
    QLabel *lblversion = nullptr;
    QLabel *Label1 = nullptr;
    QTimer *Timer1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void centreOnScreen();

    Context &ctx_;
    std::function<void()> handOver_;
    bool handedOver_ = false;
};

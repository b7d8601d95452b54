// The About window: the product's name and release, a picture and the notices of the
// program's licence and of the work it is built on. Opened modally; OK closes it.
#pragma once

#include <QDialog>

class Context;
class QFrame;
class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(Context &ctx, QWidget *parent);

    // Shows the product name and plays the About sound; run by the constructor.
    void Form_Load();
    // Closes the window.
    void cmdOK_Click();

    QLabel *lblName = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Image1 = nullptr;
    QFrame *Line1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QPushButton *cmdOK = nullptr;

private:
    Context &ctx_;
};

// The rules sheet of one game: fixed texts around the nine labels composed from the
// definition held by gCustom when the window loads. It has no buttons; the close box
// closes it. What it shows is decided by mStudioForms::RulesText.
#pragma once

#include <QDialog>

class Context;
class QLabel;
class QFrame;

class frmRules : public QDialog {
    Q_OBJECT
public:
    explicit frmRules(Context &ctx, QWidget *parent = nullptr);

    // Fills the nine game labels from gCustom; run by the constructor.
    void ShowRules();

    QLabel *lbGame = nullptr;
    QLabel *lbFound = nullptr;
    QLabel *lbTab = nullptr;
    QLabel *lbRes = nullptr;
    QLabel *lbGOrder = nullptr;
    QLabel *lbHOrder = nullptr;
    QLabel *lbSpace = nullptr;
    QLabel *lbMulti = nullptr;
    QLabel *lbHAK = nullptr;
    QFrame *Line1 = nullptr;

private:
    Context &ctx_;
};

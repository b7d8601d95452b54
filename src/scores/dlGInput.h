// The one-line name box: a prompt, the text box and OK / Cancel, captioned with the
// product name. It decides nothing: each OK goes to the check it was given, and the box
// closes only when the check accepts; a refused name leaves it open with the text focused.
#pragma once

#include <QDialog>
#include <functional>

class IMessageBox;
class QLabel;
class QLineEdit;
class QPushButton;

class dlGInput : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<bool(const QString &)>;
    // Errors raised by the check are reported in the box and keep the dialog open.
    dlGInput(IMessageBox &box, const QString &prompt, const QString &text, Check check, QWidget *parent = nullptr);

    void OKButton_Click();
    void CancelButton_Click();

    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    IMessageBox &box_;
    Check check_;
};

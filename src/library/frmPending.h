// The Pending List Manager: every pending game with its progress, time, moves and score,
// to resume one or delete one. A row leaves the list only once its file is deleted.
// Play Now only names the file: the opener resumes it once the window has gone.
#pragma once

#include <QDialog>

class Context;
class QPushButton;
class QTreeWidget;

class frmPending : public QDialog {
    Q_OBJECT
public:
    explicit frmPending(Context &ctx, QWidget *parent = nullptr);

    // Fills the list, disables Play Now and Delete without rows and plays the sound.
    void Form_Load();
    void cmdPlay_Click();
    void cmdDelete_Click();
    void cmdClose_Click();

    // The file Play Now chose; "" when the window closed otherwise.
    const QString &chosenPath() const { return chosen_; }

    // The full path of a row.
    static constexpr int kKeyRole = 0x0100; // Qt::UserRole

    QTreeWidget *lvPend = nullptr;
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void fillList();
    void connectClick(QPushButton *button, void (frmPending::*handler)());

    Context &ctx_;
    QString chosen_;
};

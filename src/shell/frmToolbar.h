// The Customize Toolbar window: one checkable row per customisable button. Checking or
// unchecking a row stores the choice and shows it on the toolbar at once; filling and
// re-checking the list store nothing. A row is checked when its stored value is non-zero,
// also after a choice that could not be stored.
#pragma once

#include <QDialog>
#include <functional>

class Context;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class frmToolbar : public QDialog {
    Q_OBJECT
public:
    explicit frmToolbar(Context &ctx, QWidget *parent = nullptr);

    // Fills the list from the stored choice, then plays the window's sound; run by the constructor.
    void Form_Load();

    void lvTool_ItemCheck(QListWidgetItem *item);
    void cmdSelectAll_Click();
    void cmdDefault_Click();
    void Command1_Click();

    QListWidget *lvTool = nullptr;
    QPushButton *cmdSelectAll = nullptr;
    QPushButton *cmdDefault = nullptr;
    QPushButton *Command1 = nullptr;

private:
    // Sets every row's check from the stored choice without storing anything.
    void recheck();
    // Runs the settings write, then shows the stored choice in the list and on the
    // toolbar; a write that fails is reported as failed settings writes are, and the
    // rows it would have changed go back.
    void store(const std::function<void()> &write);

    Context &ctx_;
    bool filling_ = false;
};

// The Options dialog: four tabs showing eight of the options and the three recent
// lists. There is no OK or Cancel: every change the user makes is stored the moment
// it is made, and filling the controls on load stores nothing.
#pragma once

#include <QDialog>
#include <cstdint>

class Context;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(Context &ctx, QWidget *parent = nullptr);

    // Fills every control from the stored options; run by the constructor.
    void Form_Load();

    // User actions: each stores its control's state through the matching setter.
    void chkTime_Click();
    void chkScore_Click();
    void chkMoves_Click();
    void chkCardsLeft_Click();
    void chkGameSave_Click();
    void chkInc_Click();
    void chkFin_Click();
    void imcRange_Click();
    void cmdrSave_Click();
    void cmdrOpen_Click();
    void cmdrPlay_Click();
    void cmdClose_Click();

    // Asks first; on Yes empties the recent list, says so and rebuilds the recent menus.
    void ClearRecentList(std::int32_t list);
    // A Clear Now button is enabled only while its list holds an entry.
    void UpdateClearButtons();
    // Selects the stored random range in the list.
    void showRange();

    // The text of range item n: 10^n - 1 with its thousands grouped ("9", "999,999").
    static QString RangeItemText(int n);

    QTabWidget *SSTab1 = nullptr;
    QCheckBox *chkTime = nullptr;
    QCheckBox *chkScore = nullptr;
    QCheckBox *chkMoves = nullptr;
    QCheckBox *chkCardsLeft = nullptr;
    QCheckBox *chkGameSave = nullptr;
    QComboBox *imcRange = nullptr;
    QCheckBox *chkInc = nullptr;
    QCheckBox *chkFin = nullptr;
    QPushButton *cmdrSave = nullptr;
    QPushButton *cmdrOpen = nullptr;
    QPushButton *cmdrPlay = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    QWidget *buildGeneralTab();
    QWidget *buildRandomTab();
    QWidget *buildAutoSaveTab();
    QWidget *buildRecentTab();
    // Runs a user action through the entry-point guard, so an error is reported, not thrown into Qt.
    void connectClick(QCheckBox *box, void (frmOptions::*handler)());
    void connectClick(QPushButton *button, void (frmOptions::*handler)());

    Context &ctx_;
};

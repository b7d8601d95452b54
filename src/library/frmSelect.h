// "Select a Game": the twelve categories, the tree of the chosen category's entries and,
// for the chosen entry, its details, rule summary and layout preview. The window only
// shows what mSelect answers; Play returns the choice and its opener starts the game
// once the window has gone. Play and Rules are shown exactly while a game is chosen.
#pragma once

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QList>
#include <optional>

#include "app/Seams.h"
#include "library/mSelect.h"
#include "store/HeaderReader.h"
#include "store/cRegistry.h"

class Context;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmSelect : public QDialog {
    Q_OBJECT
public:
    explicit frmSelect(Context &ctx, QWidget *parent = nullptr);

    void Form_Load();
    void lvMain_ItemClick(QListWidgetItem *item);
    void tvRight_NodeClick(QTreeWidgetItem *node);
    void UpdatePreview();
    void lbPlay_Click();
    void lbRules_Click();
    // Cancel, Esc and the close box.
    void reject() override;
    // Closes the window, then tells of a settings write that failed while it was open.
    void done(int result) override;

    // The game Play chose; none when the window closed otherwise.
    const std::optional<SelectChoice> &choice() const { return choice_; }
    // The tree shown, as the model filled it and the headers read since filled it in.
    const mSelect::SelectTree &tree() const { return tree_; }
    // True while the headers of the files listed are still being read.
    bool readingHeaders() const { return headers_->busy(); }

    QListWidget *lvMain = nullptr;
    QTreeWidget *tvRight = nullptr;
    QListWidget *lvDet = nullptr;
    QListWidget *lvSub = nullptr;
    QLabel *PicPreview = nullptr;
    QLabel *lbGame = nullptr;
    QComboBox *imcPlayer = nullptr;
    QLabel *imgMax = nullptr;
    QLabel *imgMin = nullptr;
    QLabel *PicBlank = nullptr;
    QLabel *PicBlankSub = nullptr;
    QPushButton *lbPlay = nullptr;
    QPushButton *lbRules = nullptr;
    QPushButton *lbCancel = nullptr;
    // The category icons by category key, and the entry icons in GetIconIndex order.
    QHash<QString, QIcon> ilsMain;
    QList<QIcon> ilsIcons;

private:
    void fillTree();
    void showLines(QListWidget *list, const QStringList &lines);
    // Fills in the entries whose headers have arrived.
    void headersArrived(const QList<HeaderReader::Result> &batch);
    // Shows a resolved entry as the model now has it.
    void showResolved(int index);

    Context &ctx_;
    // A failed settings write is told once the window has closed: a message box raised
    // by a click on an entry would swallow the rest of a double click.
    std::optional<cRegistry::ReportHold> reportHold_;
    mSelect::SelectTree tree_;
    QList<QTreeWidgetItem *> items_;     // the tree's items by node index
    QMultiHash<QString, int> pendingAt_; // the node indexes of pending entries by their path
    HeaderReader *headers_ = nullptr;
    std::optional<SelectChoice> choice_;
};

// The card-back dialog: a tree of the back designs by category and a preview of the one
// chosen. Previews are rendered on a worker, so a slow deck never freezes the tree. Only
// OK stores the chosen design and turns the board's face-down cards over to it.
#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <memory>

class Context;
class DeckPreviews;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmCardDeck : public QDialog {
    Q_OBJECT
public:
    explicit frmCardDeck(Context &ctx, QWidget *parent = nullptr);
    ~frmCardDeck() override;
    // False when opening failed (the error was reported): the dialog must not be shown.
    bool loaded() const { return loaded_; }

    // The root "Card Decks", a node per category, a node per design tagged with its index.
    void FillDecks();
    // Shows the chosen design in PicDeck: at once when rendered before, else when the worker is done.
    void ShowDeck();
    void tvDeck_NodeClick(QTreeWidgetItem *node);
    void cmdOK_Click();
    void cmdCancel_Click();

    // The design a node stands for; 0 for the root and the categories.
    static int nodeTag(const QTreeWidgetItem *node);
    int chosenIndex() const { return chosen_; }
    // The design PicDeck shows now; 0 while its first picture is still being rendered.
    int shownIndex() const { return shown_; }

    QTreeWidget *tvDeck = nullptr;
    QGroupBox *Frame1 = nullptr;
    QFrame *Picture1 = nullptr;
    QLabel *PicDeck = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void previewReady(int index, const QImage &picture);

    Context &ctx_;
    int chosen_ = 0;
    int shown_ = 0;
    bool loaded_ = false;
    int storedIndex_ = 0; // the design stored when the dialog opened
    QHash<int, QImage> rendered_;
    std::unique_ptr<DeckPreviews> previews_;
};

// The eleven studio controls shared by the game editor and the new-game wizard: nine
// lists and two check boxes over the definition held by gCustom. Filling them writes
// nothing; only a choice the user makes writes its value into gCustom, and then the
// owner window hears which list changed so it can repaint what it shows.
#pragma once

#include <QObject>
#include <functional>

#include "studio/mStudioForms.h"

class Context;
class QCheckBox;
class QComboBox;
class QIcon;
class QPixmap;
class QWidget;

class StudioControlsView : public QObject {
    Q_OBJECT
public:
    // The controls are created as children of the parent; the owner lays them out.
    StudioControlsView(Context &ctx, QWidget *parent);

    QComboBox *imcGBase = nullptr;
    QComboBox *imcGorder = nullptr;
    QComboBox *imcGCards = nullptr;
    QComboBox *imcHPiles = nullptr;
    QComboBox *imcHSpace = nullptr;
    QComboBox *imcHorder = nullptr;
    QCheckBox *chkMulti = nullptr;
    QCheckBox *chkHAK = nullptr;
    QComboBox *imcSuits = nullptr;
    QComboBox *imcRPiles = nullptr;
    QComboBox *imcRCards = nullptr;

    // The list of a studio value.
    QComboBox *combo(mStudioForms::StudioList list) const;

    // Fills every control from gCustom in the studio's order; writes nothing.
    void FillStudioCombos();

    // The user chose the item at index in the list: its value goes into gCustom (a new
    // number of free cells also refills the free-cell cards and empties them).
    void choose(mStudioForms::StudioList list, int index);
    // The user set a check box: 1 checked, 0 not.
    void setMulti(bool checked);
    void setHAK(bool checked);

    // Run after a user's choice has been written, with the list chosen in; check boxes
    // report nothing, since no preview shows them.
    std::function<void(mStudioForms::StudioList)> changed;

    // The pictures of the window's image list: 1 a game, 2 a rule.
    static QIcon GameIcon();
    static QIcon RuleIcon();
    // The three-picture preview of the definition held by gCustom.
    static QPixmap Preview(Context &ctx);

private:
    void fill(mStudioForms::StudioList list);

    Context &ctx_;
};

namespace mStudio {
// Fills the studio lists of the editor or the wizard from gCustom.
void FillStudioCombos(StudioControlsView &form);
} // namespace mStudio

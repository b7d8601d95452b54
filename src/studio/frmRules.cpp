#include "studio/frmRules.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/Context.h"
#include "engine/cCustom.h"
#include "studio/mStudioForms.h"

namespace {
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, bool wrap = false)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(wrap);
    return label;
}

QLabel *heading(QLabel *label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
} // namespace

frmRules::frmRules(Context &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmRules"));
    setWindowTitle(QStringLiteral("Rules"));
    setAttribute(Qt::WA_DeleteOnClose);

    lbGame = makeLabel(this, "lbGame", {});
    QFont title = lbGame->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.4);
    lbGame->setFont(title);
    lbFound = makeLabel(this, "lbFound", {});
    lbTab = makeLabel(this, "lbTab", {});
    lbRes = makeLabel(this, "lbRes", {});
    lbGOrder = makeLabel(this, "lbGOrder", {});
    lbHOrder = makeLabel(this, "lbHOrder", {});
    lbSpace = makeLabel(this, "lbSpace", {});
    lbMulti = makeLabel(this, "lbMulti", {}, true);
    lbHAK = makeLabel(this, "lbHAK", {});
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);

    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    int row = 0;
    grid->addWidget(heading(makeLabel(this, "Label4", QStringLiteral("Object : "))), row, 0);
    grid->addWidget(makeLabel(this, "Label1", QStringLiteral("To move all the cards to the foundation. ")), row++, 1, 1,
                    2);
    grid->addWidget(heading(makeLabel(this, "Label8", QStringLiteral("Layout : "))), row, 0);
    grid->addWidget(makeLabel(this, "Label2", QStringLiteral("1 Deck (52 cards)")), row++, 1, 1, 2);
    grid->addWidget(makeLabel(this, "Label7", QStringLiteral("Foundation")), row, 1);
    grid->addWidget(lbFound, row++, 2);
    grid->addWidget(makeLabel(this, "Label9", QStringLiteral("Tableau")), row, 1);
    grid->addWidget(lbTab, row++, 2);
    grid->addWidget(makeLabel(this, "Label10", QStringLiteral("Free Cells")), row, 1);
    grid->addWidget(lbRes, row++, 2);

    auto *build = new QGridLayout;
    build->setColumnStretch(1, 1);
    build->addWidget(heading(makeLabel(this, "Label5", QStringLiteral("Build Foundation "))), 0, 0);
    build->addWidget(lbGOrder, 0, 1);
    build->addWidget(heading(makeLabel(this, "Label6", QStringLiteral("Build Tableau"))), 1, 0);
    build->addWidget(lbHOrder, 1, 1);

    auto *space = new QHBoxLayout;
    space->addWidget(makeLabel(this, "lbSpaceGen", QStringLiteral("Spaces in tableau may be filled with ")));
    space->addWidget(lbSpace, 1);
    auto *wrap = new QHBoxLayout;
    wrap->addWidget(makeLabel(this, "Label11", QStringLiteral("Ranking of cards (Ace-King Wrapping) is")));
    wrap->addWidget(lbHAK, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lbGame);
    layout->addLayout(grid);
    layout->addWidget(Line1);
    layout->addLayout(build);
    layout->addWidget(makeLabel(this, "lbTab2",
                                QStringLiteral("Top card of each column is available for play to the foundations or "
                                               "to the tableau or to the free cells."),
                                true));
    layout->addLayout(space);
    layout->addWidget(lbMulti);
    layout->addLayout(wrap);
    layout->addWidget(makeLabel(this, "Label3",
                                QStringLiteral("The reserve cells can be used as storage space for cards.  Each cell "
                                               "can have only one card at a time. The cards in the cells can be "
                                               "moved to the foundation or to the tableau. "),
                                true));
    layout->addStretch(1);
    setMinimumWidth(460);

    ShowRules();
}

void frmRules::ShowRules()
{
    const mStudioForms::RulesLabels r = mStudioForms::RulesText(ctx_.custom().Definition());
    lbGame->setText(r.lbGame);
    lbFound->setText(r.lbFound);
    lbTab->setText(r.lbTab);
    lbRes->setText(r.lbRes);
    lbGOrder->setText(r.lbGOrder);
    lbHOrder->setText(r.lbHOrder);
    lbSpace->setText(r.lbSpace);
    lbMulti->setText(r.lbMulti);
    lbHAK->setText(r.lbHAK);
}

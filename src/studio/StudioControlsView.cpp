#include "studio/StudioControlsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "app/Context.h"
#include "engine/cCustom.h"
#include "platform/ArtLibrary.h"
#include "platform/Guard.h"

using mStudioForms::StudioList;

namespace {
constexpr StudioList kFillOrder[] = {StudioList::GBase,  StudioList::GOrder, StudioList::GCards,
                                     StudioList::HPiles, StudioList::HSpace, StudioList::HOrder};

QComboBox *makeCombo(QWidget *parent, const char *name)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    return combo;
}

QCheckBox *makeCheck(QWidget *parent, const char *name, const QString &text)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QPixmap canvas()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}
} // namespace

StudioControlsView::StudioControlsView(Context &ctx, QWidget *parent) : QObject(parent), ctx_(ctx)
{
    imcGBase = makeCombo(parent, "imcGBase");
    imcGorder = makeCombo(parent, "imcGorder");
    imcGCards = makeCombo(parent, "imcGCards");
    imcHPiles = makeCombo(parent, "imcHPiles");
    imcHSpace = makeCombo(parent, "imcHSpace");
    imcHorder = makeCombo(parent, "imcHorder");
    chkMulti = makeCheck(parent, "chkMulti", QStringLiteral("Multi Move"));
    chkHAK = makeCheck(parent, "chkHAK", QStringLiteral("Ace-King Wrapping"));
    imcSuits = makeCombo(parent, "imcSuits");
    imcRPiles = makeCombo(parent, "imcRPiles");
    imcRCards = makeCombo(parent, "imcRCards");

    // activated and clicked come from the user only, so filling and selecting write nothing.
    for (StudioList list :
         {StudioList::GBase, StudioList::GOrder, StudioList::GCards, StudioList::HPiles, StudioList::HSpace,
          StudioList::HOrder, StudioList::Suits, StudioList::RPiles, StudioList::RCards}) {
        connect(combo(list), &QComboBox::activated, this,
                [this, list](int index) { runGuarded(ctx_.messages(), [&] { choose(list, index); }); });
    }
    connect(chkMulti, &QCheckBox::clicked, this,
            [this](bool on) { runGuarded(ctx_.messages(), [&] { setMulti(on); }); });
    connect(chkHAK, &QCheckBox::clicked, this, [this](bool on) { runGuarded(ctx_.messages(), [&] { setHAK(on); }); });
}

QComboBox *StudioControlsView::combo(StudioList list) const
{
    switch (list) {
    case StudioList::GBase: return imcGBase;
    case StudioList::GOrder: return imcGorder;
    case StudioList::GCards: return imcGCards;
    case StudioList::HPiles: return imcHPiles;
    case StudioList::HSpace: return imcHSpace;
    case StudioList::HOrder: return imcHorder;
    case StudioList::Suits: return imcSuits;
    case StudioList::RPiles: return imcRPiles;
    case StudioList::RCards: return imcRCards;
    }
    return nullptr;
}

void StudioControlsView::fill(StudioList list)
{
    const GameDefinition d = ctx_.custom().Definition();
    const QList<mStudioForms::ListItem> items = mStudioForms::ListItems(list, d);
    QComboBox *box = combo(list);
    const QSignalBlocker block(box);
    box->clear();
    for (const mStudioForms::ListItem &item : items) {
        if (item.picture)
            box->addItem(RuleIcon(), item.text, int{item.value});
        else
            box->addItem(item.text, int{item.value});
    }
    box->setCurrentIndex(mStudioForms::IndexOfValue(items, mStudioForms::ListValue(list, d)));
}

void StudioControlsView::FillStudioCombos()
{
    for (StudioList list : kFillOrder)
        fill(list);
    const cCustom &custom = ctx_.custom();
    const QSignalBlocker blockMulti(chkMulti);
    const QSignalBlocker blockHak(chkHAK);
    chkMulti->setChecked(custom.HMulti() != 0);
    chkHAK->setChecked(custom.HAK() != 0);
    fill(StudioList::Suits);
    fill(StudioList::RPiles);
    fill(StudioList::RCards);
}

void StudioControlsView::choose(StudioList list, int index)
{
    QComboBox *box = combo(list);
    if (index < 0 || index >= box->count())
        return;
    box->setCurrentIndex(index);
    GameDefinition d = ctx_.custom().Definition();
    mStudioForms::SetListValue(list, d, static_cast<std::int16_t>(box->itemData(index).toInt()));
    ctx_.custom().SetDefinition(d);
    if (list == StudioList::RPiles)
        fill(StudioList::RCards);
    if (changed)
        changed(list);
}

void StudioControlsView::setMulti(bool checked)
{
    chkMulti->setChecked(checked);
    ctx_.custom().setHMulti(checked ? 1 : 0);
}

void StudioControlsView::setHAK(bool checked)
{
    chkHAK->setChecked(checked);
    ctx_.custom().setHAK(checked ? 1 : 0);
}

QIcon StudioControlsView::GameIcon()
{
    // A small card with a red pip.
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3.5, 1.5, 10, 13), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 40));
    p.drawEllipse(QRectF(6, 5, 5, 5));
    return QIcon(pixmap);
}

QIcon StudioControlsView::RuleIcon()
{
    // A green arrow pointing at the text.
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 130, 60));
    const QPointF arrow[] = {{4, 3}, {12, 8}, {4, 13}};
    p.drawPolygon(arrow, 3);
    return QIcon(pixmap);
}

QPixmap StudioControlsView::Preview(Context &ctx)
{
    const qreal ratio = ctx.art().devicePixelRatio();
    QImage image(QSize(ArtLibrary::BlankWidth, ArtLibrary::BlankHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    ctx.custom().Update_Pic(image);
    return QPixmap::fromImage(image);
}

namespace mStudio {
void FillStudioCombos(StudioControlsView &form)
{
    form.FillStudioCombos();
}
} // namespace mStudio

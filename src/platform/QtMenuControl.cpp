#include "platform/QtMenuControl.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

#include "core/AppError.h"

QtMenuControl::QtMenuControl(kMenu &model, QObject *parent) : QObject(parent), model_(model)
{
    model_.setListener(this);
}

QtMenuControl::~QtMenuControl()
{
    model_.setListener(nullptr);
    for (auto &[id, shown] : shown_) {
        if (!shown.owned)
            continue;
        delete shown.action.data();
        delete shown.menu.data();
    }
}

void QtMenuControl::Attach(QMainWindow *window)
{
    if (!window)
        raiseError(err::InvalidCall, QStringLiteral("The menu control needs a window"));
    if (window_ && window_ != window)
        raiseError(err::InvalidCall, QStringLiteral("The menu control is attached to another window"));
    window_ = window;
}

QMainWindow *QtMenuControl::window() const
{
    return window_.data();
}

std::int32_t QtMenuControl::RegisterMenu(const QString &key, QMenu *menu)
{
    if (!menu)
        raiseError(err::InvalidCall, QStringLiteral("No menu given for the key \"%1\"").arg(key));
    return registerShown(key, menu->title(), true, menu->menuAction(), menu);
}

std::int32_t QtMenuControl::RegisterAction(const QString &key, QAction *action)
{
    if (!action)
        raiseError(err::InvalidCall, QStringLiteral("No menu item given for the key \"%1\"").arg(key));
    return registerShown(key, action->text(), false, action, nullptr);
}

std::int32_t QtMenuControl::registerShown(const QString &key, const QString &caption, bool holdsItems, QAction *action,
                                          QMenu *menu)
{
    if (!window_)
        raiseError(err::InvalidCall, QStringLiteral("The menu control is not attached to a window"));
    const std::int32_t id = model_.AddStaticItem(key, caption, holdsItems);
    Shown &shown = shown_[id];
    shown.action = action;
    shown.menu = menu;
    shown.caption = caption;
    // The model takes the states the window gave the action, so showing them changes nothing.
    const bool enabled = action->isEnabled();
    const bool visible = action->isVisible();
    shown.enabled = enabled;
    shown.visible = visible;
    model_.setItemEnabled(key, enabled);
    model_.setItemVisible(key, visible);
    return id;
}

QAction *QtMenuControl::action(std::int32_t id) const
{
    const auto found = shown_.find(id);
    return found == shown_.end() ? nullptr : found->second.action.data();
}

QMenu *QtMenuControl::menu(std::int32_t id) const
{
    const auto found = shown_.find(id);
    return found == shown_.end() ? nullptr : found->second.menu.data();
}

QString QtMenuControl::literalText(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    return text;
}

QIcon QtMenuControl::iconOf(const kMenuItem &item) const
{
    const QList<QIcon> &images = model_.ImageList();
    return item.icon >= 0 && item.icon < images.size() ? images.at(item.icon) : QIcon();
}

void QtMenuControl::show(const kMenuItem &item, Shown &shown)
{
    if (!shown.action)
        return;
    if (item.isStatic) {
        if (item.caption != shown.caption)
            shown.action->setText(item.caption);
        if (item.icon != shown.icon)
            shown.action->setIcon(iconOf(item));
        if (item.enabled != shown.enabled)
            shown.action->setEnabled(item.enabled);
        if (item.visible != shown.visible)
            shown.action->setVisible(item.visible);
        shown.caption = item.caption;
        shown.icon = item.icon;
        shown.enabled = item.enabled;
        shown.visible = item.visible;
        return;
    }
    // Dynamic captions are file names and game names, shown exactly.
    shown.action->setText(literalText(item.caption));
    shown.action->setIcon(iconOf(item));
    shown.action->setEnabled(item.enabled);
    shown.action->setVisible(item.visible);
    if (item.holdsItems && !shown.menu) {
        shown.menu = new QMenu(window_);
        shown.action->setMenu(shown.menu.data());
    } else if (!item.holdsItems && shown.menu) {
        shown.action->setMenu(static_cast<QMenu *>(nullptr));
        shown.menu->deleteLater();
        shown.menu = nullptr;
    }
    if (shown.menu)
        shown.menu->setTitle(shown.action->text());
}

void QtMenuControl::itemAdded(const kMenuItem &item)
{
    // Static items are put in place by registerShown.
    if (item.isStatic)
        return;
    Shown shown;
    shown.owned = true;
    shown.action = new QAction(this);
    const std::int32_t id = item.id;
    connect(shown.action.data(), &QAction::triggered, this, [this, id] { deliverLater(id); });
    show(item, shown);
    const auto parent = shown_.find(item.parent);
    if (parent != shown_.end() && parent->second.menu) {
        shown.in = parent->second.menu;
        shown.in->addAction(shown.action.data());
    }
    shown_[id] = shown;
}

void QtMenuControl::itemRemoved(std::int32_t id)
{
    const auto found = shown_.find(id);
    if (found == shown_.end())
        return;
    Shown shown = found->second;
    shown_.erase(found);
    if (!shown.owned)
        return;
    // Taken out of sight at once, destroyed only when the event loop is back: the action
    // may be the one whose trigger is still being handled by its menu.
    if (shown.action) {
        shown.action->disconnect(this);
        if (shown.in)
            shown.in->removeAction(shown.action.data());
        shown.action->deleteLater();
    }
    if (shown.menu)
        shown.menu->deleteLater();
}

void QtMenuControl::itemChanged(const kMenuItem &item)
{
    const auto found = shown_.find(item.id);
    if (found != shown_.end())
        show(item, found->second);
}

void QtMenuControl::imageListChanged()
{
    for (auto &[id, shown] : shown_) {
        const kMenuItem *item = model_.findItem(id);
        // A static item without a model icon keeps the one its window gave it.
        if (item && shown.action && (!item->isStatic || item->icon >= 0))
            shown.action->setIcon(iconOf(*item));
    }
}

void QtMenuControl::deliverLater(std::int32_t id)
{
    // The model checks again at delivery: an item removed or disabled meanwhile delivers nothing.
    QMetaObject::invokeMethod(
        this, [this, id] { model_.ItemClick(id); }, Qt::QueuedConnection);
}

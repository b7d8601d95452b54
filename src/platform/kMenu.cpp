#include "platform/kMenu.h"

#include <limits>

#include "core/AppError.h"

namespace {

QString quoted(const QString &key)
{
    return QStringLiteral("\"%1\"").arg(key);
}

} // namespace

std::int32_t kMenu::takeId()
{
    if (lastId_ == std::numeric_limits<std::int32_t>::max())
        raiseError(err::Overflow, QStringLiteral("No menu item ids are left"));
    return ++lastId_;
}

kMenuItem &kMenu::itemByKey(const QString &key)
{
    const auto found = byKey_.constFind(key);
    if (found == byKey_.constEnd())
        raiseError(err::InvalidCall, QStringLiteral("There is no menu item with the key %1").arg(quoted(key)));
    return items_.at(*found);
}

const kMenuItem &kMenu::itemByKey(const QString &key) const
{
    return const_cast<kMenu *>(this)->itemByKey(key);
}

kMenuItem &kMenu::dynamicItem(const QString &key)
{
    kMenuItem &item = itemByKey(key);
    if (item.isStatic)
        raiseError(
            err::InvalidCall,
            QStringLiteral("The menu item %1 belongs to the main window and cannot be changed so").arg(quoted(key)));
    return item;
}

void kMenu::checkIcon(std::int32_t index) const
{
    if (index < -1 || index >= images_.size())
        raiseError(
            err::Subscript,
            QStringLiteral("The icon %1 is not in the menu image list of %2 images").arg(index).arg(images_.size()));
}

void kMenu::changed(const kMenuItem &item)
{
    if (listener_)
        listener_->itemChanged(item);
}

std::int32_t kMenu::AddStaticItem(const QString &key, const QString &caption, bool holdsItems)
{
    if (key.isEmpty())
        raiseError(err::InvalidCall, QStringLiteral("A menu item needs a key"));
    if (byKey_.contains(key))
        raiseError(KeyInUse, QStringLiteral("The menu item key %1 is already in use").arg(quoted(key)));
    kMenuItem item;
    item.id = takeId();
    item.key = key;
    item.caption = caption;
    item.isStatic = true;
    item.holdsItems = holdsItems;
    byKey_.insert(key, item.id);
    const kMenuItem &stored = items_.emplace(item.id, std::move(item)).first->second;
    if (listener_)
        listener_->itemAdded(stored);
    return stored.id;
}

void kMenu::setImageList(const QList<QIcon> &images, const QStringList &keys)
{
    images_ = images;
    imageKeys_ = keys.mid(0, images.size());
    if (listener_)
        listener_->imageListChanged();
}

std::int32_t kMenu::ImageIndex(const QString &key) const
{
    return static_cast<std::int32_t>(imageKeys_.indexOf(key) + 1);
}

std::int32_t kMenu::ItemIcon(const QString &key) const
{
    return itemByKey(key).icon;
}

void kMenu::setItemIcon(const QString &key, std::int32_t index)
{
    kMenuItem &item = itemByKey(key);
    checkIcon(index);
    if (item.icon == index)
        return;
    item.icon = index;
    changed(item);
}

std::int32_t kMenu::ItemIndex(const QString &key) const
{
    return itemByKey(key).id;
}

std::int32_t kMenu::AddItem(const QString &caption, const QString &key, const QString &reserved, std::int32_t code,
                            std::int32_t parentIndex, std::int32_t iconIndex, bool flagA, bool flagB)
{
    Q_UNUSED(reserved)
    Q_UNUSED(flagA)
    Q_UNUSED(flagB)
    if (key.isEmpty())
        raiseError(err::InvalidCall, QStringLiteral("A menu item needs a key"));
    if (byKey_.contains(key))
        raiseError(KeyInUse, QStringLiteral("The menu item key %1 is already in use").arg(quoted(key)));
    const auto parentAt = items_.find(parentIndex);
    if (parentAt == items_.end())
        raiseError(err::InvalidCall, QStringLiteral("There is no menu item with the index %1").arg(parentIndex));
    kMenuItem &parent = parentAt->second;
    if (parent.isStatic && !parent.holdsItems)
        raiseError(err::InvalidCall, QStringLiteral("The menu item %1 cannot hold items").arg(quoted(parent.key)));
    checkIcon(iconIndex);

    kMenuItem item;
    item.id = takeId();
    item.key = key;
    item.caption = caption;
    item.code = code;
    item.icon = iconIndex;
    item.parent = parent.id;
    byKey_.insert(key, item.id);
    parent.children.push_back(item.id);
    const kMenuItem &stored = items_.emplace(item.id, std::move(item)).first->second;
    // The parent turns into a menu before its first item appears in it.
    if (!parent.holdsItems) {
        parent.holdsItems = true;
        changed(parent);
    }
    if (listener_)
        listener_->itemAdded(stored);
    return stored.id;
}

void kMenu::removeTree(std::int32_t id)
{
    // Collect the subtree, deepest items first, so the listener takes a menu's items
    // away before the menu.
    std::vector<std::int32_t> order;
    std::vector<std::pair<std::int32_t, bool>> stack{{id, false}};
    while (!stack.empty()) {
        auto [at, expanded] = stack.back();
        stack.pop_back();
        if (expanded) {
            order.push_back(at);
            continue;
        }
        stack.emplace_back(at, true);
        const auto &children = items_.at(at).children;
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            stack.emplace_back(*child, false);
    }

    kMenuItem &parent = items_.at(items_.at(id).parent);
    std::erase(parent.children, id);
    for (const std::int32_t gone : order) {
        byKey_.remove(items_.at(gone).key);
        items_.erase(gone);
    }
    if (listener_) {
        for (const std::int32_t gone : order)
            listener_->itemRemoved(gone);
    }
}

void kMenu::RemoveItem(const QString &key)
{
    removeTree(dynamicItem(key).id);
}

void kMenu::ClearItems(const QString &key)
{
    const std::vector<std::int32_t> children = itemByKey(key).children;
    for (const std::int32_t child : children)
        removeTree(child);
}

QString kMenu::ItemKey(std::int32_t id) const
{
    const auto found = items_.find(id);
    if (found == items_.end())
        raiseError(err::InvalidCall, QStringLiteral("There is no menu item with the id %1").arg(id));
    return found->second.key;
}

QString kMenu::ItemTag(const QString &key) const
{
    return itemByKey(key).tag;
}

void kMenu::setItemTag(const QString &key, const QString &text)
{
    itemByKey(key).tag = text;
}

std::int32_t kMenu::ItemCode(const QString &key) const
{
    return itemByKey(key).code;
}

QString kMenu::ItemCaption(const QString &key) const
{
    return itemByKey(key).caption;
}

void kMenu::setItemCaption(const QString &key, const QString &text)
{
    kMenuItem &item = itemByKey(key);
    if (item.caption == text)
        return;
    item.caption = text;
    changed(item);
}

bool kMenu::ItemEnabled(const QString &key) const
{
    return itemByKey(key).enabled;
}

void kMenu::setItemEnabled(const QString &key, bool enabled)
{
    kMenuItem &item = itemByKey(key);
    if (item.enabled == enabled)
        return;
    item.enabled = enabled;
    changed(item);
}

bool kMenu::ItemVisible(const QString &key) const
{
    return itemByKey(key).visible;
}

void kMenu::setItemVisible(const QString &key, bool visible)
{
    kMenuItem &item = itemByKey(key);
    if (item.visible == visible)
        return;
    item.visible = visible;
    changed(item);
}

bool kMenu::ItemSubmenu(const QString &key) const
{
    return itemByKey(key).holdsItems;
}

void kMenu::setItemSubmenu(const QString &key, bool submenu)
{
    kMenuItem &item = dynamicItem(key);
    if (item.holdsItems == submenu)
        return;
    if (!submenu && !item.children.empty())
        raiseError(err::InvalidCall, QStringLiteral("The menu item %1 still holds items").arg(quoted(key)));
    item.holdsItems = submenu;
    changed(item);
}

bool kMenu::ItemClick(std::int32_t id)
{
    const kMenuItem *item = findItem(id);
    if (!item || item->isStatic || !item->enabled || !itemClick_)
        return false;
    // A copy, so a handler that replaces the handler does not destroy itself while running.
    const ItemClickHandler handler = itemClick_;
    handler(id);
    return true;
}

const kMenuItem *kMenu::findItem(std::int32_t id) const
{
    const auto found = items_.find(id);
    return found == items_.end() ? nullptr : &found->second;
}

// The menu-icon control as plain data: the main window's static menu items, registered by
// key, and the dynamic items (recent lists, pending games, favourites) added under them,
// with captions, tags, codes, icons from one image list, and the one ItemClick event.
// Keys are unique and compared exactly; ids are never reused within a run; an item's
// index, as AddItem takes it for a parent, is its id. The window that shows the items is
// told every change through kMenuListener.
#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

struct kMenuItem {
    std::int32_t id = 0;
    QString key;
    QString caption;
    QString tag;
    std::int32_t code = 0;
    // Zero-based position in the image list, -1 for none.
    std::int32_t icon = -1;
    bool enabled = true;
    // Shown in its menu; a separator that has nothing to set apart is hidden.
    bool visible = true;
    // Registered by the main window (its own menu or command item), not added by AddItem.
    bool isStatic = false;
    // Shown as a menu of items: a static menu, or a dynamic item that holds, or once held,
    // items of its own (a favourites folder).
    bool holdsItems = false;
    // The item it stands under; 0 for a static item.
    std::int32_t parent = 0;
    // Dynamic items under it, in the order they were added.
    std::vector<std::int32_t> children;
};

// Told by the model what changed; the Qt menus are the one listener in the program.
// A listener must not change the model from inside these calls.
class kMenuListener {
public:
    virtual ~kMenuListener() = default;
    virtual void itemAdded(const kMenuItem &item) = 0;
    // Called for every item that went, the items under an item before the item itself,
    // after all of them have left the model.
    virtual void itemRemoved(std::int32_t id) = 0;
    // Caption, icon, enabled or visible state or holdsItems changed.
    virtual void itemChanged(const kMenuItem &item) = 0;
    virtual void imageListChanged() = 0;
};

class kMenu {
public:
    // Error number of adding a key that is already in use.
    static constexpr int KeyInUse = 457;

    using ItemClickHandler = std::function<void(std::int32_t id)>;

    kMenu() = default;
    kMenu(const kMenu &) = delete;
    kMenu &operator=(const kMenu &) = delete;

    void setListener(kMenuListener *listener) { listener_ = listener; }

    // --- The main window's own items ---

    // Registers a static item by key ("mFile(12)", "mPendMain"); holdsItems for a menu that
    // dynamic items may be added under. Returns its id.
    std::int32_t AddStaticItem(const QString &key, const QString &caption, bool holdsItems);

    // --- Icons ---

    const QList<QIcon> &ImageList() const { return images_; }
    // keys names the images in the same order, so that callers find an image by its key.
    void setImageList(const QList<QIcon> &images, const QStringList &keys = {});
    // 1-based place of the image with that key in the image list; 0 when there is none.
    std::int32_t ImageIndex(const QString &key) const;
    std::int32_t ItemIcon(const QString &key) const;
    // index: zero-based position in the image list, -1 for none.
    void setItemIcon(const QString &key, std::int32_t index);

    // --- Dynamic items ---

    // The index to pass as parent to AddItem: the item's id.
    std::int32_t ItemIndex(const QString &key) const;
    // Adds an item at the end of the parent's items and returns its id. reserved, flagA and
    // flagB are accepted for the callers' sake and have no effect.
    std::int32_t AddItem(const QString &caption, const QString &key, const QString &reserved, std::int32_t code,
                         std::int32_t parentIndex, std::int32_t iconIndex, bool flagA = false, bool flagB = false);
    // Removes a dynamic item and everything under it.
    void RemoveItem(const QString &key);
    // Removes every dynamic item under the item.
    void ClearItems(const QString &key);

    // --- Properties ---

    QString ItemKey(std::int32_t id) const;
    QString ItemTag(const QString &key) const;
    void setItemTag(const QString &key, const QString &text);
    std::int32_t ItemCode(const QString &key) const;
    QString ItemCaption(const QString &key) const;
    // Dynamic captions are shown as they stand: "&" is no mnemonic there.
    void setItemCaption(const QString &key, const QString &text);
    bool ItemEnabled(const QString &key) const;
    void setItemEnabled(const QString &key, bool enabled);
    bool ItemVisible(const QString &key) const;
    void setItemVisible(const QString &key, bool visible);
    // A dynamic item shown as a menu even while empty (a folder without favourites). An
    // item also becomes one when its first item is added, and stays one.
    bool ItemSubmenu(const QString &key) const;
    void setItemSubmenu(const QString &key, bool submenu);

    // --- The click event ---

    void setItemClickHandler(ItemClickHandler handler) { itemClick_ = std::move(handler); }
    // Raises ItemClick for a dynamic item that still exists and is enabled; a click on a
    // static item, a removed or a disabled one delivers nothing. Returns whether it did.
    bool ItemClick(std::int32_t id);

    // --- Queries for the window and for tests ---

    bool HasItem(const QString &key) const { return byKey_.contains(key); }
    // The item of the id, or null when there is none (any more).
    const kMenuItem *findItem(std::int32_t id) const;
    // Every item in the model, static ones included.
    std::size_t ItemCount() const { return items_.size(); }

private:
    kMenuItem &itemByKey(const QString &key);
    const kMenuItem &itemByKey(const QString &key) const;
    kMenuItem &dynamicItem(const QString &key);
    std::int32_t takeId();
    void checkIcon(std::int32_t index) const;
    void changed(const kMenuItem &item);
    // Removes the item and everything under it, and tells the listener.
    void removeTree(std::int32_t id);

    std::unordered_map<std::int32_t, kMenuItem> items_;
    QHash<QString, std::int32_t> byKey_;
    QList<QIcon> images_;
    QStringList imageKeys_;
    std::int32_t lastId_ = 0;
    kMenuListener *listener_ = nullptr;
    ItemClickHandler itemClick_;
};

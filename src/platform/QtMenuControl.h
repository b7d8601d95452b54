// The menu-icon control on real Qt menus: mirrors a kMenu model into the main window's
// QMenus and QActions. Static items are the window's own menus and actions, registered
// by key; dynamic items are actions (or submenus) this control creates and owns. A click
// on a dynamic item reaches the model's ItemClick only after the menu has finished with
// it, so a handler may rebuild the very menu it was chosen from.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <unordered_map>

#include "platform/kMenu.h"

class QAction;
class QMainWindow;
class QMenu;

class QtMenuControl : public QObject, private kMenuListener {
    Q_OBJECT

public:
    // The model must outlive the control; every static item must be registered here.
    explicit QtMenuControl(kMenu &model, QObject *parent = nullptr);
    ~QtMenuControl() override;
    QtMenuControl(const QtMenuControl &) = delete;
    QtMenuControl &operator=(const QtMenuControl &) = delete;

    // Once, when the window loads: dynamic submenus belong to this window. Items can be
    // registered only after it.
    void Attach(QMainWindow *window);
    QMainWindow *window() const;

    // Registers one of the window's menus under the key; dynamic items may be added under it.
    std::int32_t RegisterMenu(const QString &key, QMenu *menu);
    // Registers one of the window's command items (it keeps its own click handler).
    std::int32_t RegisterAction(const QString &key, QAction *action);

    // The action that shows the item (a menu's menuAction), null when there is none.
    QAction *action(std::int32_t id) const;
    // The menu that shows the item's items, null when it has none.
    QMenu *menu(std::int32_t id) const;

    // A caption as action text that shows every character as it stands: "&" is doubled.
    static QString literalText(const QString &caption);

private:
    struct Shown {
        QPointer<QAction> action;
        QPointer<QMenu> menu;
        // The menu the action was put in, for a dynamic item.
        QPointer<QMenu> in;
        bool owned = false;
        // What the model last said, so that a static item is touched only where the model
        // changed it: the window sets its own captions, icons and states as well.
        QString caption;
        std::int32_t icon = -1;
        bool enabled = true;
        bool visible = true;
    };

    void itemAdded(const kMenuItem &item) override;
    void itemRemoved(std::int32_t id) override;
    void itemChanged(const kMenuItem &item) override;
    void imageListChanged() override;

    std::int32_t registerShown(const QString &key, const QString &caption, bool holdsItems, QAction *action,
                               QMenu *menu);
    QIcon iconOf(const kMenuItem &item) const;
    void show(const kMenuItem &item, Shown &shown);
    void deliverLater(std::int32_t id);

    kMenu &model_;
    QPointer<QMainWindow> window_;
    std::unordered_map<std::int32_t, Shown> shown_;
};

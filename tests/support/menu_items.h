#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

// The tests reach menus and items by their object names, which help and the
// service staff know them by: a typo there fails a test, not the program,
// which holds its items in typed members.
inline QMenu* MenuNamed(const QObject& window, const QString& name) {
    return window.findChild<QMenu*>(name);
}

// An item, or the item that opens a submenu or menu of that name.
inline QAction* ActionNamed(const QObject& window, const QString& name) {
    for (QAction* item : window.findChildren<QAction*>(name)) return item;
    QMenu* menu = MenuNamed(window, name);
    return menu ? menu->menuAction() : nullptr;
}

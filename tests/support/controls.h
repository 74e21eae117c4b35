#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// A control of a dialog or window found as a user finds it: by its object
// name. A name that is missing, or names another kind of control, stops the
// test program with that name instead of handing on a null pointer.
template <class T>
T* Control(const QObject& parent, const char* name) {
    T* control = parent.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        qFatal("%s has no control %s of the expected kind", qPrintable(parent.objectName()), name);
    return control;
}

template <class T>
T* Control(const QObject* parent, const char* name) {
    return Control<T>(*parent, name);
}

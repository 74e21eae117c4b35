#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// The tests reach a window's controls as a user would, by the object names
// that help and the service staff know them by; a control that is missing or
// of another kind stops the test at once instead of crashing it later.
template <class Control>
Control* ControlNamed(const QObject& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control \"%s\" of the expected kind", name);
    return control;
}

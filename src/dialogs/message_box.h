#pragma once

#include <QString>
#include <functional>

#include "core/message_severity.h"

class QWidget;

namespace qvt {

// The outcome boxes of the program: one OK button, captioned "Meldung" on
// success, "Fehler" on failure, "Warnung" for the start-up warning.
void ShowMessage(QWidget* parent, const QString& text, Severity severity);

// Tests replace the modal box with a recorder of what it would show; returns
// the previous one.
using MessageInterceptor = std::function<void(const QString& text, const QString& caption)>;
MessageInterceptor SetMessageInterceptor(MessageInterceptor interceptor);

}  // namespace qvt

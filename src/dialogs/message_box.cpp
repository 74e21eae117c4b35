#include "dialogs/message_box.h"

#include <QMessageBox>

namespace qvt {
namespace {
MessageInterceptor& Interceptor() {
    static MessageInterceptor interceptor;
    return interceptor;
}

QMessageBox::Icon IconFor(Severity severity) {
    switch (severity) {
        case Severity::kError:
            return QMessageBox::Critical;
        case Severity::kWarning:
            return QMessageBox::Warning;
        case Severity::kInfo:
            break;
    }
    return QMessageBox::Information;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text, Severity severity) {
    const QString caption = SeverityCaption(severity);
    if (Interceptor()) {
        Interceptor()(text, caption);
        return;
    }
    QMessageBox box(IconFor(severity), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageInterceptor SetMessageInterceptor(MessageInterceptor interceptor) {
    MessageInterceptor previous = std::move(Interceptor());
    Interceptor() = std::move(interceptor);
    return previous;
}

}  // namespace qvt

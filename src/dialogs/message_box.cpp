#include "dialogs/message_box.h"

#include <QMessageBox>

namespace qvt {
namespace {
MessageInterceptor& Interceptor() {
    static MessageInterceptor interceptor;
    return interceptor;
}
}  // namespace

void ShowMessage(QWidget* parent, const QString& text, const QString& caption) {
    if (Interceptor()) {
        Interceptor()(text, caption);
        return;
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    if (caption == "Fehler") icon = QMessageBox::Critical;
    if (caption == "Warnung") icon = QMessageBox::Warning;
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

MessageInterceptor SetMessageInterceptor(MessageInterceptor interceptor) {
    MessageInterceptor previous = std::move(Interceptor());
    Interceptor() = std::move(interceptor);
    return previous;
}

}  // namespace qvt

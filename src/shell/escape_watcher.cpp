#include "shell/escape_watcher.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace qvt {

namespace {

constexpr int kFetchIntervalMs = 25;

bool IsUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

EscapeWatcher::EscapeWatcher() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
        installed_ = true;
    }
}

EscapeWatcher::~EscapeWatcher() {
    Stop();
}

void EscapeWatcher::Stop() {
    if (!installed_)
        return;
    QCoreApplication::instance()->removeEventFilter(this);
    installed_ = false;
}

bool EscapeWatcher::EscapePressed() {
    if (installed_ && (!sinceFetch_.isValid() || sinceFetch_.elapsed() >= kFetchIntervalMs)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        sinceFetch_.start();
    }
    return escape_;
}

bool EscapeWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (!IsUserInput(event->type()))
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        escape_ = true;
    }
    return true;  // any other input is dropped
}

}  // namespace qvt

#include "main_window/RunGuard.h"

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

RunGuard::RunGuard(QWidget& window) : window_(window) {}

RunGuard::~RunGuard() {
    if (depth_ > 0) {
        qApp->removeEventFilter(this);
    }
}

RunGuard::Scope::Scope(RunGuard& guard) : guard_(guard) { guard_.Begin(); }

RunGuard::Scope::~Scope() { guard_.End(); }

void RunGuard::Begin() {
    if (depth_++ == 0) {
        qApp->installEventFilter(this);
    }
}

void RunGuard::End() {
    if (--depth_ > 0) {
        return;
    }
    qApp->removeEventFilter(this);
    if (closeWanted_) {
        closeWanted_ = false;
        // A window that has closed meanwhile (the run was the close's own
        // save) is not closed a second time.
        QPointer<QWidget> window(&window_);
        QMetaObject::invokeMethod(
            &window_,
            [window] {
                if (window && window->isVisible()) window->close();
            },
            Qt::QueuedConnection);
    }
}

bool RunGuard::IsInputToWindow(QObject* watched, const QEvent* event) const {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        break;
    default:
        return false;
    }
    if (!watched->isWidgetType()) {
        return false;
    }
    const auto* widget = static_cast<QWidget*>(watched);
    return widget == &window_ || widget->window() == &window_;
}

bool RunGuard::eventFilter(QObject* watched, QEvent* event) {
    if (depth_ > 0 && IsInputToWindow(watched, event)) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

#include "platform/key_state.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

int Normalized(int key) {
    return key == Qt::Key_Backtab ? Qt::Key_Tab : key;
}

}  // namespace

TKeyStateTracker::TKeyStateTracker(QObject* parent) : QObject(parent) {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

TKeyStateTracker::~TKeyStateTracker() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool TKeyStateTracker::IsDown(Qt::Key key) const {
    return down_.contains(Normalized(key));
}

bool TKeyStateTracker::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<const QKeyEvent*>(event);
            if (key->isAutoRepeat()) break;
            if (event->type() == QEvent::KeyPress)
                down_.insert(Normalized(key->key()));
            else
                down_.remove(Normalized(key->key()));
            break;
        }
        case QEvent::ApplicationDeactivate:
            down_.clear();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

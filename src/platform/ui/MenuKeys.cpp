#include "platform/ui/MenuKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace tz {

MenuKeys::MenuKeys(const QList<QAction*>& actions, const QList<QAction*>& winning, QObject* parent)
    : QObject(parent) {
    for (QAction* action : actions) action->setShortcutContext(Qt::ApplicationShortcut);
    for (QAction* action : winning) winning_ << action;
    qApp->installEventFilter(this);
}

MenuKeys::~MenuKeys() {
    qApp->removeEventFilter(this);
}

// A control that wants a key claims it with an accepted short-cut override;
// leaving the override unanswered lets the short-cut have the key.
bool MenuKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || QApplication::activeModalWidget())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QPointer<QAction>& action : winning_)
        if (action && action->isEnabled() && action->shortcut() == pressed) return true;
    return QObject::eventFilter(watched, event);
}

}  // namespace tz

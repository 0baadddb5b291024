#include "app/CommandAction.h"

#include <QAction>

QAction* addCommandAction(QObject* group, const QString& name, const QString& text,
                          const std::function<void()>& handler, const QKeySequence& shortcut) {
    auto* action = new QAction(text, group);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, group, handler);
    return action;
}

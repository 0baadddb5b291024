#pragma once
#include <QKeySequence>
#include <QString>
#include <functional>

class QAction;
class QObject;

// A command's one action, for its menu item and its toolbar button, owned by
// its group and found by its object name.
QAction* addCommandAction(QObject* group, const QString& name, const QString& text,
                          const std::function<void()>& handler, const QKeySequence& shortcut = {});

#include "platform/ui/GridCellDelegate.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>

namespace tz {

namespace {

bool isTabKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

}  // namespace

GridCellDelegate::GridCellDelegate(QAbstractItemView* view)
    : CutTextToolTipDelegate(view), view_(view) {
    view->setTabKeyNavigation(false);
    view->setItemDelegate(this);
}

bool GridCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor || !isTabKey(event)) return CutTextToolTipDelegate::eventFilter(object, event);
    // The edit is kept, and the view, now focused, passes the key on.
    Q_EMIT commitData(editor);
    Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
    const auto* key = static_cast<QKeyEvent*>(event);
    QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers());
    QCoreApplication::sendEvent(view_, &again);
    return true;
}

}  // namespace tz

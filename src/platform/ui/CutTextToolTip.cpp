#include "platform/ui/CutTextToolTip.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace tz {

bool CutTextToolTipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                       const QStyleOptionViewItem& option,
                                       const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (sizeHint(option, index).width() > option.rect.width()) {
        QToolTip::showText(event->globalPos(), index.data().toString(), view, option.rect);
    } else {
        QToolTip::hideText();
    }
    return true;
}

}  // namespace tz

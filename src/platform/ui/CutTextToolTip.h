#pragma once
// Items of a list, tree or grid whose text is cut short show it whole as a
// tool tip, and only those.
#include <QStyledItemDelegate>

namespace tz {

class CutTextToolTipDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

}  // namespace tz

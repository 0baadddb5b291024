#pragma once
// The cell editor of a dialog's grid: Tab and Shift+Tab leave the grid for
// the next control, as everywhere else in a dialog, instead of cycling
// through the cells; Enter and the arrow keys keep their meaning in the grid.
// A value cut short in its cell shows whole as a tool tip.
#include "platform/ui/CutTextToolTip.h"

class QAbstractItemView;

namespace tz {

class GridCellDelegate : public CutTextToolTipDelegate {
  public:
    // Becomes view's delegate and turns its own Tab navigation off.
    explicit GridCellDelegate(QAbstractItemView* view);

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    QAbstractItemView* view_;
};

}  // namespace tz

#pragma once
// The inspector: lists the design objects by kind in a tree and edits the
// current object's record in a two-column grid.
#include <QWidget>
#include <memory>

class PictureDialog;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;
class Tapplet;
namespace tz {
struct Project;
}

class TObjector : public QWidget {
    Q_OBJECT
  public:
    static constexpr int RowCount = 7;

    explicit TObjector(QWidget* parent = nullptr);
    ~TObjector() override;

    void setPartners(Tapplet* designer, const tz::Project* project);

    QTreeWidget* tree() const { return tree_; }
    QTableWidget* grid() const { return grid_; }

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    void clearGrid();
    // The grid's in-place editor hands on Enter and double clicks: Enter
    // applies the edits and reopens the editor on the current value cell.
    void gridEnter();
    void showEditor();
    void gridDblClick();

    // Empties the tree; nothing is selected afterwards.
    void clearTree();
    // Selects item; a change of the selected row runs treeClick.
    void selectTreeItem(QTreeWidgetItem* item);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Items numbered from 1 in tree order; 0 is no selection.
    int selectedTreeRow() const;
    void selectTreeRow(int row);
    QTreeWidgetItem* treeItemAt(int row) const;

    void treeClick();
    void gridSelectCell(int row, int column);
    void delobjClick();

    Tapplet* designer_ = nullptr;
    const tz::Project* project_ = nullptr;
    QToolButton* delobj_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QTableWidget* grid_ = nullptr;
    std::unique_ptr<PictureDialog> open_;
    int selectedRow_ = 0;
    int selectedColumn_ = 0;
};

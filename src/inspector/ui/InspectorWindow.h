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
class DesignWindow;
namespace tz {
struct Project;
}

class InspectorWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int RowCount = 7;

    explicit InspectorWindow(QWidget* parent = nullptr);
    ~InspectorWindow() override;

    void setPartners(DesignWindow* designer, const tz::Project* project);

    QTreeWidget* tree() const { return tree_; }
    QTableWidget* grid() const { return grid_; }

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    void clearGrid();
    // The grid's in-place editor hands on Enter and double clicks: Enter
    // applies the edits and reopens the editor on the current value cell.
    void applyGridEdits();
    void showEditor();
    void chooseCellValue();

    // Empties the tree; nothing is selected afterwards.
    void clearTree();
    // Selects item; a change of the selected row runs showSelectedObject.
    void selectTreeItem(QTreeWidgetItem* item);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Items numbered from 1 in tree order; 0 is no selection.
    int selectedTreeRow() const;
    void selectTreeRow(int row);
    QTreeWidgetItem* treeItemAt(int row) const;

    void showSelectedObject();
    void rememberSelectedCell(int row, int column);
    void deleteCurrentObject();

    DesignWindow* designer_ = nullptr;
    const tz::Project* project_ = nullptr;
    QToolButton* deleteButton_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QTableWidget* grid_ = nullptr;
    std::unique_ptr<PictureDialog> pictureDialog_;
    int selectedRow_ = 0;
    int selectedColumn_ = 0;
};

#pragma once
// The inspector: lists the document's design objects by kind in a tree and
// edits the current object's record in a two-column grid.
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "document/DesignModel.h"

class PictureDialog;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;
namespace tz {
class DocumentEdits;
class ProjectDocument;
}  // namespace tz

class InspectorWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int RowCount = 7;

    explicit InspectorWindow(tz::DocumentEdits& edits, QWidget* parent = nullptr);
    ~InspectorWindow() override;

    // The grid's in-place editor hands on Enter and double clicks: Enter
    // applies the edits and reopens the editor on the current value cell.
    void applyGridEdits();
    void showEditor();
    void chooseCellValue();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    void clearGrid();

    // Views of the model: the tree lists the objects in use, the grid shows
    // the current object's record.
    void showObjectList();
    void showCurrentObject();
    void showSelectedObject();
    void selectTreeItem(QTreeWidgetItem* item);
    QTreeWidgetItem* treeItemOf(const std::optional<tz::ObjectRef>& object) const;

    // The current object with its control's state changed by edit; the
    // edit's refusal, if any, after the rows before it took effect.
    std::optional<std::string> editCurrentObject(
        const std::function<std::optional<std::string>(tz::LiveObject&)>& edit);
    std::optional<std::string> applyRows(tz::LiveObject& object) const;
    void rememberSelectedCell(int row, int column);
    void deleteCurrentObject();

    tz::DocumentEdits& edits_;
    tz::ProjectDocument& document_;
    tz::DesignModel& model_;
    // While the grid is applied, a refused row must leave its text in the grid.
    bool applying_ = false;
    QToolButton* deleteButton_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QTableWidget* grid_ = nullptr;
    std::unique_ptr<PictureDialog> pictureDialog_;
    int selectedRow_ = 0;
    int selectedColumn_ = 0;
};

#pragma once
// The inspector: lists the document's design objects by kind in a tree that
// shows the model's selection, and edits the selected objects' records in a
// two-column grid.
#include <QWidget>
#include <array>
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
    // A value cell showing text, which the user can edit or not.
    void setValue(int row, const QString& text, bool editable);
    void clearGrid();

    // Views of the model: the tree lists the objects in use and selects the
    // model's selection, the grid shows the selected objects' records.
    void showObjectList();
    void showCurrentObject();
    void showSelection(QTreeWidgetItem* header);
    void showRow(int row);
    void selectFromTree();
    void selectTreeItem(QTreeWidgetItem* item);
    QTreeWidgetItem* treeItemOf(const std::optional<tz::ObjectRef>& object) const;
    QTreeWidgetItem* currentHeader() const;
    bool treeShowsSelection() const;

    // What the grid offers for the selection: a row several objects share,
    // the value they all hold (blank where they differ).
    bool rowIsShared(int row) const;
    QString sharedValue(int row) const;
    bool allOfKind(tz::ObjectKind kind) const;

    // The current object with its control's state changed by edit; the
    // edit's refusal, if any, after the rows before it took effect.
    std::optional<std::string> editCurrentObject(
        const std::function<std::optional<std::string>(tz::LiveObject&)>& edit);
    // Every selected object changed by edit as one step; the selection stays.
    std::optional<std::string> editSelection(const std::function<void(tz::LiveObject&)>& edit);
    std::optional<std::string> applyRow(tz::LiveObject& object, int row) const;
    std::optional<std::string> applyRows(tz::LiveObject& object) const;
    std::optional<std::string> applyChangedRows();
    void choosePicture();
    void rememberSelectedCell(int row, int column);
    void deleteSelection();

    tz::DocumentEdits& edits_;
    tz::ProjectDocument& document_;
    tz::DesignModel& model_;
    // While the grid is applied, a refused row must leave its text in the grid.
    bool applying_ = false;
    QToolButton* deleteButton_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QTableWidget* grid_ = nullptr;
    std::unique_ptr<PictureDialog> pictureDialog_;
    // The values the grid showed, to tell the rows the user changed.
    std::array<QString, RowCount> shownValues_;
    int selectedRow_ = 0;
    int selectedColumn_ = 0;
};

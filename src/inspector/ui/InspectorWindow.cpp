#include "inspector/ui/InspectorWindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "designer/DesignRules.h"
#include "designer/ui/DesignWindow.h"
#include "designer/ui/PictureDialog.h"
#include "platform/TextBytes.h"
#include "platform/ui/GridCellDelegate.h"
#include "platform/ui/ToolWindow.h"
#include "project/Project.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int ValueColumn = 1;

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isLeftPressOrDrag(const QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove)
        return false;
    return static_cast<const QMouseEvent*>(event)->buttons() & Qt::LeftButton;
}

// The in-place editor hands Enter and double clicks to the inspector.
class CellDelegate : public tz::GridCellDelegate {
  public:
    CellDelegate(InspectorWindow* inspector, QTableWidget* grid)
        : tz::GridCellDelegate(grid), inspector_(inspector) {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && isEnter(event)) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            inspector_->applyGridEdits();
            inspector_->showEditor();
            return true;
        }
        if (editor && event->type() == QEvent::MouseButtonDblClick) {
            inspector_->chooseCellValue();
            return true;
        }
        // A click on a cell selects its whole value, so typing replaces it;
        // the keys move the caret.
        auto* line = qobject_cast<QLineEdit*>(object);
        if (line && isLeftPressOrDrag(event)) {
            line->setFocus(Qt::MouseFocusReason);
            line->selectAll();
            return true;
        }
        return tz::GridCellDelegate::eventFilter(object, event);
    }

  private:
    InspectorWindow* inspector_;
};

// The label column never scrolls away: the value column takes whatever
// width is left, and the grid line between them can be dragged.
class LabelColumnSizer : public QObject {
  public:
    explicit LabelColumnSizer(QTableWidget* grid)
        : QObject(grid), grid_(grid), viewport_(grid->viewport()) {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->horizontalHeader()->setMinimumSectionSize(MinimumWidth);
        grid->viewport()->setMouseTracking(true);
        grid->viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The viewport outlives the grid's own destructor: look at nothing
        // of the grid before the event is known to be one we handle.
        QWidget* viewport = viewport_;
        if (watched != viewport) return false;
        switch (event->type()) {
            case QEvent::Resize:
                setLabelWidth(grid_->columnWidth(0));
                return false;
            case QEvent::MouseButtonPress: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                dragging_ = mouse->button() == Qt::LeftButton && onGridLine(mouse);
                return dragging_;
            }
            case QEvent::MouseMove: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (dragging_) setLabelWidth(mouse->position().toPoint().x());
                if (dragging_ || onGridLine(mouse)) {
                    viewport->setCursor(Qt::SplitHCursor);
                } else {
                    viewport->unsetCursor();
                }
                return dragging_;
            }
            case QEvent::MouseButtonRelease:
                if (!dragging_) return false;
                dragging_ = false;
                return true;
            default:
                return false;
        }
    }

  private:
    static constexpr int MinimumWidth = 12;
    static constexpr int GripWidth = 3;

    bool onGridLine(const QMouseEvent* mouse) const {
        return std::abs(mouse->position().toPoint().x() - grid_->columnWidth(0)) <= GripWidth;
    }
    // Both columns keep some width and together fill the grid exactly.
    void setLabelWidth(int width) {
        const int room = grid_->viewport()->width();
        const int label =
            std::clamp(width, MinimumWidth, std::max(MinimumWidth, room - MinimumWidth));
        grid_->setColumnWidth(0, label);
        grid_->setColumnWidth(1, std::max(MinimumWidth, room - label));
    }

    QTableWidget* grid_;
    QWidget* viewport_;
    bool dragging_ = false;
};

QIcon deleteGlyph() {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(4, 4), QPointF(12, 12));
    painter.drawLine(QPointF(12, 4), QPointF(4, 12));
    return QIcon(glyph);
}

}  // namespace

InspectorWindow::InspectorWindow(QWidget* parent)
    : QWidget(parent), pictureDialog_(std::make_unique<PictureDialog>(this)) {
    setObjectName("obj");
    setWindowTitle("Objector");
    ToolWindow::applyTo(this);
    move(210, 305);
    resize(151, 350);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(25);
    deleteButton_ = new QToolButton(panel);
    deleteButton_->setObjectName("delobj");
    deleteButton_->setText("Delete");
    deleteButton_->setToolTip("Delete Object");
    deleteButton_->setIcon(deleteGlyph());
    deleteButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    deleteButton_->setGeometry(2, 1, 70, 23);
    connect(deleteButton_, &QToolButton::clicked, this, &InspectorWindow::deleteCurrentObject);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName("tree");
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    QFont treeFont("Arial");
    treeFont.setStyleHint(QFont::SansSerif);
    treeFont.setPointSize(8);
    tree_->setFont(treeFont);
    QPalette treeColours = tree_->palette();
    treeColours.setColor(QPalette::Text, Qt::blue);
    tree_->setPalette(treeColours);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { showSelectedObject(); });
    connect(tree_, &QTreeWidget::itemClicked, this, [this] { showSelectedObject(); });

    grid_ = new QTableWidget(RowCount, 2, this);
    grid_->setObjectName("grid");
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setMinimumSectionSize(10);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->setFont(treeFont);
    // The labels must not be cut where the font runs wider than planned.
    grid_->setColumnWidth(0, std::max(45, grid_->fontMetrics().horizontalAdvance("Caption") + 8));
    new LabelColumnSizer(grid_);
    grid_->setWordWrap(false);  // one line a cell; a long value is cut short
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    new CellDelegate(this, grid_);
    for (int row = 0; row < RowCount; ++row) {
        auto* label = new QTableWidgetItem;
        label->setFlags(Qt::NoItemFlags);  // the fixed label column
        label->setBackground(palette().color(QPalette::Button));
        label->setForeground(palette().color(QPalette::ButtonText));
        grid_->setItem(row, 0, label);
        grid_->setItem(row, ValueColumn, new QTableWidgetItem);
    }
    grid_->setFixedHeight(150);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { rememberSelectedCell(row, column); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(tree_, 1);
    layout->addWidget(grid_);
}

InspectorWindow::~InspectorWindow() = default;

void InspectorWindow::setPartners(DesignWindow* designer, const tz::Project* project) {
    designer_ = designer;
    project_ = project;
}

// ---- grid and tree access -------------------------------------------------

QString InspectorWindow::cell(int column, int row) const {
    return grid_->item(row, column)->text();
}

void InspectorWindow::setCell(int column, int row, const QString& text) {
    grid_->item(row, column)->setText(text);
}

void InspectorWindow::clearGrid() {
    for (int row = 0; row < RowCount; ++row)
        for (int column = 0; column < 2; ++column) setCell(column, row, QString());
}

void InspectorWindow::clearTree() {
    const QSignalBlocker quiet(tree_);
    tree_->clear();
}

void InspectorWindow::selectTreeItem(QTreeWidgetItem* item) {
    const int before = selectedTreeRow();
    {
        const QSignalBlocker quiet(tree_);
        tree_->setCurrentItem(item);
    }
    if (selectedTreeRow() != before) showSelectedObject();
}

QTreeWidgetItem* InspectorWindow::treeItemAt(int row) const {
    int number = 0;
    for (int top = 0; top < tree_->topLevelItemCount(); ++top) {
        QTreeWidgetItem* group = tree_->topLevelItem(top);
        if (++number == row) return group;
        for (int child = 0; child < group->childCount(); ++child)
            if (++number == row) return group->child(child);
    }
    return nullptr;
}

int InspectorWindow::selectedTreeRow() const {
    const QTreeWidgetItem* current = tree_->currentItem();
    if (!current) return 0;
    for (int row = 1; QTreeWidgetItem* item = treeItemAt(row); ++row)
        if (item == current) return row;
    return 0;
}

void InspectorWindow::selectTreeRow(int row) {
    if (QTreeWidgetItem* item = treeItemAt(row)) selectTreeItem(item);
}

// ---- handlers -------------------------------------------------------------

void InspectorWindow::showSelectedObject() {
    if (!designer_) return;
    const int selected = selectedTreeRow();
    int n = 0;
    for (int row = 1; row <= selected; ++row) {
        const std::string text = tz::storedLine(treeItemAt(row)->text(0));
        bool header = false;
        for (tz::ObjectKind kind : tz::AllKinds) {
            if (text != tz::kindInfo(kind).treeItem) continue;
            designer_->setCurrentKind(kind);
            header = true;
        }
        n = header ? 0 : n + 1;
    }
    const std::optional<tz::ObjectKind> kind = designer_->currentKind();
    if (n > 0 && kind) {
        const QString name = treeItemAt(selected)->text(0);
        const tz::ObjectTable& objects = designer_->table(*kind);
        for (int slot = 0; slot < objects.count; ++slot) {
            // Removed objects share the empty name; none of them is listed.
            if (!objects.records[slot].inUse() ||
                designer_->control(*kind, slot)->objectName() != name)
                continue;
            designer_->setCurrentIndex(slot);
            designer_->showObject(*kind, slot);
            return;
        }
    }
    designer_->setCurrentIndex(-1);
    clearGrid();
}

void InspectorWindow::showEditor() {
    if (grid_->currentColumn() == ValueColumn) grid_->edit(grid_->currentIndex());
}

void InspectorWindow::rememberSelectedCell(int row, int column) {
    selectedRow_ = row;
    selectedColumn_ = column;
}

void InspectorWindow::applyGridEdits() {
    if (!designer_ || designer_->currentIndex() < 0) return;
    const std::optional<tz::ObjectKind> kind = designer_->currentKind();
    if (!kind) return;
    const int index = designer_->currentIndex();
    if (!designer_->commitEdits(*kind, index)) return;
    designer_->setRecord(*kind, index);
    const int row = selectedTreeRow();
    designer_->rebuildObjectList("");
    selectTreeRow(row);
}

void InspectorWindow::chooseCellValue() {
    if (!designer_ || designer_->currentIndex() < 0) return;
    const int index = designer_->currentIndex();
    const std::optional<tz::ObjectKind> kind = designer_->currentKind();
    if (selectedRow_ == tz::Caption && kind == tz::ObjectKind::Image) {
        const auto path =
            pictureDialog_->choose(project_ ? project_->javaSourcePath : std::string());
        if (path) {
            designer_->setPicture(index, *path);
            designer_->setRecord(tz::ObjectKind::Image, index);
            designer_->showObject(tz::ObjectKind::Image, index);
        }
    }
    if (selectedRow_ == tz::Align && kind == tz::ObjectKind::Label) {
        const std::string text = tz::storedLine(cell(selectedColumn_, tz::Align));
        setCell(selectedColumn_, tz::Align, tz::displayLine(tz::nextAlignmentText(text)));
        if (designer_->commitEdits(tz::ObjectKind::Label, index))
            designer_->setRecord(tz::ObjectKind::Label, index);
    }
}

void InspectorWindow::deleteCurrentObject() {
    if (!designer_ || designer_->currentIndex() < 0) return;
    const std::optional<tz::ObjectKind> kind = designer_->currentKind();
    if (!kind) return;
    int i = designer_->currentIndex();
    designer_->removeObject(*kind, i);
    // The nearest lower object still in use becomes current.
    while (i > 0 && designer_->control(*kind, i)->objectName().isEmpty()) --i;
    designer_->setCurrentIndex(i);
    QWidget* object = designer_->control(*kind, i);
    if (!object->isHidden()) {
        designer_->setRecord(*kind, i);
        designer_->showObject(*kind, i);
    }
    designer_->rebuildObjectList(designer_->table(*kind).records[i].fields[tz::Name]);
    if (object->objectName().isEmpty()) {
        // Nothing of this kind is left at or below the deleted slot: no object
        // is current, so a later Enter cannot bring a removed one back.
        selectTreeItem(tree_->topLevelItem(static_cast<int>(*kind)));
        designer_->setCurrentIndex(-1);
        clearGrid();
    }
}

bool InspectorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && isEnter(event)) {
        applyGridEdits();
        return true;
    }
    if (watched == grid_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        chooseCellValue();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

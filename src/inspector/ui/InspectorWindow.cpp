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

#include <QScopedValueRollback>

#include "designer/DesignRules.h"
#include "designer/ui/PictureDialog.h"
#include "designer/ui/PictureSource.h"
#include "document/ProjectDocument.h"
#include "document/ui/DocumentEdits.h"
#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/GridCellDelegate.h"
#include "platform/ui/ToolWindow.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int ValueColumn = 1;
// An object's item holds its kind and slot; a kind's header holds none.
constexpr int KindRole = Qt::UserRole;
constexpr int SlotRole = Qt::UserRole + 1;

std::optional<tz::ObjectRef> objectOf(const QTreeWidgetItem* item) {
    if (!item || !item->parent()) return std::nullopt;
    return tz::ObjectRef{tz::ObjectKind(item->data(0, KindRole).toInt()),
                         item->data(0, SlotRole).toInt()};
}

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

InspectorWindow::InspectorWindow(tz::DocumentEdits& edits, QWidget* parent)
    : QWidget(parent),
      edits_(edits),
      document_(edits.document()),
      model_(edits.design()),
      pictureDialog_(std::make_unique<PictureDialog>(this)) {
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

    connect(&model_, &tz::DesignModel::modelReset, this, [this] {
        showObjectList();
        showCurrentObject();
    });
    connect(&model_, &tz::DesignModel::objectAdded, this, &InspectorWindow::showObjectList);
    connect(&model_, &tz::DesignModel::objectRemoved, this, &InspectorWindow::showObjectList);
    connect(&model_, &tz::DesignModel::objectChanged, this, [this](tz::ObjectRef object) {
        showObjectList();
        if (!applying_ && model_.currentObject() == object) showCurrentObject();
    });
    connect(&model_, &tz::DesignModel::currentObjectChanged, this,
            &InspectorWindow::showCurrentObject);
    showObjectList();
}

InspectorWindow::~InspectorWindow() = default;

// ---- grid and tree ---------------------------------------------------------

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

// Rebuilt whole, so that a changed Name shows at once; the selection stays
// on the current object, else on the header selected last.
void InspectorWindow::showObjectList() {
    QTreeWidgetItem* selected = tree_->currentItem();
    const int header = selected && !selected->parent() ? tree_->indexOfTopLevelItem(selected) : -1;
    const QSignalBlocker quiet(tree_);
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    for (tz::ObjectKind kind : tz::AllKinds) {
        auto* group = new QTreeWidgetItem(QStringList(tz::kindInfo(kind).treeItem));
        tree_->addTopLevelItem(group);
        group->setExpanded(true);
        const tz::ObjectTable& objects = model_.table(kind);
        for (int slot = 0; slot < objects.count; ++slot) {
            const tz::ObjectRecord& record = objects.records[slot];
            if (!record.inUse()) continue;
            auto* item =
                new QTreeWidgetItem(group, QStringList(tz::displayLine(record.fields[tz::Name])));
            item->setData(0, KindRole, int(kind));
            item->setData(0, SlotRole, slot);
        }
    }
    tree_->setUpdatesEnabled(true);
    const std::optional<tz::ObjectRef> current = model_.currentObject();
    tree_->setCurrentItem(current ? treeItemOf(current) : tree_->topLevelItem(header));
}

QTreeWidgetItem* InspectorWindow::treeItemOf(const std::optional<tz::ObjectRef>& object) const {
    if (!object) return nullptr;
    QTreeWidgetItem* group = tree_->topLevelItem(int(object->kind));
    for (int child = 0; group && child < group->childCount(); ++child)
        if (objectOf(group->child(child)) == object) return group->child(child);
    return nullptr;
}

void InspectorWindow::selectTreeItem(QTreeWidgetItem* item) {
    const QSignalBlocker quiet(tree_);
    tree_->setCurrentItem(item);
}

void InspectorWindow::showCurrentObject() {
    const std::optional<tz::ObjectRef> current = model_.currentObject();
    if (!current) {
        clearGrid();
        return;
    }
    selectTreeItem(treeItemOf(current));
    static const char* const rowLabels[] = {"", "Xpos", "Ypos", "Width", "Height", "Name"};
    const tz::ObjectKind kind = current->kind;
    const auto& fields = model_.record(*current).fields;
    for (int row = tz::Caption; row <= tz::Name; ++row) {
        setCell(0, row, row == 0 ? tz::kindInfo(kind).rowZeroLabel : rowLabels[row]);
        setCell(ValueColumn, row, tz::displayLine(fields[row]));
    }
    setCell(0, tz::Align, kind == tz::ObjectKind::Label ? "Align" : "");
    setCell(ValueColumn, tz::Align,
            kind == tz::ObjectKind::Image ? QString() : tz::displayLine(fields[tz::Align]));
}

// ---- handlers -------------------------------------------------------------

// A click shows the stored record again, also on the current object.
void InspectorWindow::showSelectedObject() {
    model_.setCurrentObject(objectOf(tree_->currentItem()));
    showCurrentObject();
}

void InspectorWindow::showEditor() {
    if (grid_->currentColumn() == ValueColumn) grid_->edit(grid_->currentIndex());
}

void InspectorWindow::rememberSelectedCell(int row, int column) {
    selectedRow_ = row;
    selectedColumn_ = column;
}

// Rows apply in order; a refused one ends the apply, the ones before stay.
std::optional<std::string> InspectorWindow::applyRows(tz::LiveObject& object) const {
    const auto text = [this](int row) { return tz::storedLine(cell(ValueColumn, row)); };
    if (object.kind != tz::ObjectKind::Image)
        object.text = tz::captionAsHeld(object.kind, text(tz::Caption));
    int* const numbers[] = {&object.left, &object.top, &object.width, &object.height};
    for (int row = tz::Xpos; row <= tz::Height; ++row) {
        const tz::CheckedNumber value =
            tz::numberIn(text(row), tz::fieldRange(tz::RecordField(row)));
        if (!value.value) return value.error;
        *numbers[row - tz::Xpos] = *value.value;
    }
    const std::string name = text(tz::Name);
    if (name.empty()) return tz::emptyNameError();
    if (auto refusal = tz::componentNameError(name, model_.namesOtherThan(model_.currentObject())))
        return refusal;
    object.name = name;
    if (object.kind == tz::ObjectKind::Label)
        object.alignment = tz::alignmentOf(text(tz::Align)).value_or(object.alignment);
    return std::nullopt;
}

std::optional<std::string> InspectorWindow::editCurrentObject(
    const std::function<std::optional<std::string>(tz::LiveObject&)>& edit) {
    const std::optional<tz::ObjectRef> current = model_.currentObject();
    if (!current) return std::nullopt;
    const QScopedValueRollback keepGrid(applying_);
    const auto refusal = edits_.editObject(*current, "Edit", [&](tz::LiveObject& object) {
        auto refused = edit(object);
        applying_ = refused.has_value();
        return refused;
    });
    // Also an edit that changed nothing shows the record as stored.
    if (!refusal) showCurrentObject();
    return refusal;
}

void InspectorWindow::applyGridEdits() {
    const auto refusal =
        editCurrentObject([this](tz::LiveObject& object) { return applyRows(object); });
    if (refusal) tz::reportError(this, tz::displayLine(*refusal));
}

void InspectorWindow::chooseCellValue() {
    const std::optional<tz::ObjectRef> current = model_.currentObject();
    if (!current) return;
    if (selectedRow_ == tz::Caption && current->kind == tz::ObjectKind::Image) {
        const auto path = pictureDialog_->choose(document_.project().javaSourcePath);
        if (!path) return;
        editCurrentObject([&](tz::LiveObject& image) {
            image.text = *path;
            const QSize own = PictureSource::objectSizeFor(*path);
            if (model_.takesPictureSize(*current) && !own.isEmpty()) {
                image.width = own.width();
                image.height = own.height();
            }
            return std::optional<std::string>();
        });
    }
    if (selectedRow_ == tz::Align && current->kind == tz::ObjectKind::Label) {
        const std::string text = tz::storedLine(cell(selectedColumn_, tz::Align));
        setCell(selectedColumn_, tz::Align, tz::displayLine(tz::nextAlignmentText(text)));
        applyGridEdits();
    }
}

void InspectorWindow::deleteCurrentObject() {
    const std::optional<tz::ObjectRef> current = model_.currentObject();
    if (!current) return;
    edits_.removeObject(*current);
    // The nearest lower object still in use becomes current.
    for (int slot = current->slot; slot >= 0; --slot) {
        if (model_.record({current->kind, slot}).inUse()) {
            model_.setCurrentObject(tz::ObjectRef{current->kind, slot});
            return;
        }
    }
    // Nothing of this kind is left at or below the deleted slot: no object
    // is current, so a later Enter cannot bring a removed one back.
    selectTreeItem(tree_->topLevelItem(int(current->kind)));
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

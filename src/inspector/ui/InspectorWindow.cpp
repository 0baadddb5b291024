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
    connect(deleteButton_, &QToolButton::clicked, this, &InspectorWindow::deleteSelection);

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
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &InspectorWindow::selectFromTree);
    // A click shows the stored records again, also on the current object.
    connect(tree_, &QTreeWidget::itemClicked, this, [this] { showCurrentObject(); });

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
        if (!applying_ && model_.isSelected(object)) showCurrentObject();
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

void InspectorWindow::setValue(int row, const QString& text, bool editable) {
    setCell(ValueColumn, row, text);
    shownValues_[row] = text;
    QTableWidgetItem* item = grid_->item(row, ValueColumn);
    Qt::ItemFlags flags = item->flags();
    flags.setFlag(Qt::ItemIsEditable, editable);
    item->setFlags(flags);
    // A field several objects cannot share looks like no field to type into.
    item->setBackground(editable ? QBrush() : grid_->palette().window());
}

void InspectorWindow::clearGrid() {
    for (int row = 0; row < RowCount; ++row) {
        setCell(0, row, QString());
        setValue(row, QString(), true);
    }
}

// Rebuilt whole, so that a changed Name shows at once; the selection stays
// on the selected objects, else on the header selected last.
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
    showSelection(tree_->topLevelItem(header));
}

// The tree selects the model's selection, its current item being the
// current object; with no object selected, header is current.
void InspectorWindow::showSelection(QTreeWidgetItem* header) {
    const QSignalBlocker quiet(tree_);
    // A selection made in the tree is left as it is, so that the next
    // Shift+click extends it from where the last one did.
    if (!treeShowsSelection()) {
        tree_->clearSelection();
        for (const tz::ObjectRef& object : model_.selection())
            if (QTreeWidgetItem* item = treeItemOf(object)) item->setSelected(true);
    }
    const std::optional<tz::ObjectRef> current = model_.currentObject();
    QTreeWidgetItem* item = current ? treeItemOf(current) : header;
    if (!item || item == tree_->currentItem()) return;
    tree_->setCurrentItem(
        item, 0, current ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect);
}

bool InspectorWindow::treeShowsSelection() const {
    const QList<QTreeWidgetItem*> chosen = tree_->selectedItems();
    const auto isObject = [](const QTreeWidgetItem* item) { return item->parent() != nullptr; };
    const auto isChosen = [this](const tz::ObjectRef& object) {
        const QTreeWidgetItem* item = treeItemOf(object);
        return item && item->isSelected();
    };
    return std::count_if(chosen.begin(), chosen.end(), isObject) ==
               qsizetype(model_.selection().size()) &&
           std::ranges::all_of(model_.selection(), isChosen);
}

// The objects that stay selected keep their order and those added follow;
// the tree's current item, when selected, becomes the current object.
void InspectorWindow::selectFromTree() {
    std::vector<tz::ObjectRef> chosen;
    for (const tz::ObjectRef& object : model_.selection())
        if (const QTreeWidgetItem* item = treeItemOf(object); item && item->isSelected())
            chosen.push_back(object);
    for (const QTreeWidgetItem* item : tree_->selectedItems())
        if (const auto object = objectOf(item); object && !std::ranges::count(chosen, *object))
            chosen.push_back(*object);
    const QTreeWidgetItem* current = tree_->currentItem();
    if (const auto object = objectOf(current); object && current->isSelected()) {
        std::erase(chosen, *object);
        chosen.push_back(*object);
    }
    model_.setSelection(chosen);
}

QTreeWidgetItem* InspectorWindow::currentHeader() const {
    QTreeWidgetItem* item = tree_->currentItem();
    return item && !item->parent() ? item : nullptr;
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
    showSelection(currentHeader());
    if (model_.selection().empty()) {
        clearGrid();
        return;
    }
    for (int row = 0; row < RowCount; ++row) showRow(row);
}

// A row the selection does not share is blank; with several objects
// selected it cannot be edited either.
void InspectorWindow::showRow(int row) {
    static const char* const rowLabels[] = {"", "Xpos", "Ypos", "Width", "Height", "Name", "Align"};
    const tz::ObjectKind kind = model_.selection().back().kind;
    const bool shared = rowIsShared(row);
    QString label = rowLabels[row];
    if (row == tz::Caption) label = shared ? tz::kindInfo(kind).rowZeroLabel : "";
    if (row == tz::Align && !allOfKind(tz::ObjectKind::Label)) label.clear();
    setCell(0, row, label);
    setValue(row, shared ? sharedValue(row) : QString(), shared || model_.selection().size() == 1);
}

// One object shares all its rows but an image's alignment; several share
// their numbers, a caption all their kinds name alike and the labels'
// alignment, never a Name.
bool InspectorWindow::rowIsShared(int row) const {
    const std::vector<tz::ObjectRef>& selection = model_.selection();
    const bool single = selection.size() == 1;
    switch (row) {
        case tz::Caption:
            return std::ranges::all_of(selection, [&](const tz::ObjectRef& object) {
                return std::string_view(tz::kindInfo(object.kind).rowZeroLabel) ==
                       tz::kindInfo(selection.front().kind).rowZeroLabel;
            });
        case tz::Name:
            return single;
        case tz::Align:
            return single ? selection.front().kind != tz::ObjectKind::Image
                          : allOfKind(tz::ObjectKind::Label);
        default:
            return true;
    }
}

QString InspectorWindow::sharedValue(int row) const {
    const std::vector<tz::ObjectRef>& selection = model_.selection();
    const std::string& first = model_.record(selection.front()).fields[row];
    for (const tz::ObjectRef& object : selection)
        if (model_.record(object).fields[row] != first) return QString();
    return tz::displayLine(first);
}

bool InspectorWindow::allOfKind(tz::ObjectKind kind) const {
    return std::ranges::all_of(model_.selection(),
                               [kind](const tz::ObjectRef& object) { return object.kind == kind; });
}

// ---- handlers -------------------------------------------------------------

void InspectorWindow::showEditor() {
    if (grid_->currentColumn() == ValueColumn) grid_->edit(grid_->currentIndex());
}

void InspectorWindow::rememberSelectedCell(int row, int column) {
    selectedRow_ = row;
    selectedColumn_ = column;
}

// An image's picture is chosen, never typed; a label's alignment stays
// unless the text names one.
std::optional<std::string> InspectorWindow::applyRow(tz::LiveObject& object, int row) const {
    const std::string text = tz::storedLine(cell(ValueColumn, row));
    switch (row) {
        case tz::Caption:
            if (object.kind != tz::ObjectKind::Image)
                object.text = tz::captionAsHeld(object.kind, text);
            return std::nullopt;
        case tz::Name:
            if (text.empty()) return tz::emptyNameError();
            if (auto refusal = tz::componentNameError(
                    text, model_.namesOtherThan(tz::ObjectRef{object.kind, object.slot})))
                return refusal;
            object.name = text;
            return std::nullopt;
        case tz::Align:
            if (object.kind == tz::ObjectKind::Label)
                object.alignment = tz::alignmentOf(text).value_or(object.alignment);
            return std::nullopt;
        default: {
            const tz::CheckedNumber value =
                tz::numberIn(text, tz::fieldRange(tz::RecordField(row)));
            if (!value.value) return value.error;
            int* const numbers[] = {&object.left, &object.top, &object.width, &object.height};
            *numbers[row - tz::Xpos] = *value.value;
            return std::nullopt;
        }
    }
}

// Rows apply in order; a refused one ends the apply, the ones before stay.
std::optional<std::string> InspectorWindow::applyRows(tz::LiveObject& object) const {
    for (int row = 0; row < RowCount; ++row)
        if (auto refusal = applyRow(object, row)) return refusal;
    return std::nullopt;
}

// With several objects selected only the rows changed since shown apply,
// to all of them, or on a refusal to none.
std::optional<std::string> InspectorWindow::applyChangedRows() {
    std::vector<int> changed;
    for (int row = 0; row < RowCount; ++row)
        if (cell(ValueColumn, row) != shownValues_[row]) changed.push_back(row);
    const auto applyChanged = [&](tz::LiveObject& object) {
        for (int row : changed)
            if (auto refusal = applyRow(object, row)) return refusal;
        return std::optional<std::string>();
    };
    // The rows' texts are the same for every object: one trial checks them.
    const tz::ObjectRef first = model_.selection().front();
    tz::LiveObject trial = tz::liveObjectOf(first.kind, first.slot, model_.record(first));
    if (auto refusal = applyChanged(trial)) return refusal;
    if (auto refusal = editSelection(applyChanged)) return refusal;
    showCurrentObject();
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

std::optional<std::string> InspectorWindow::editSelection(
    const std::function<void(tz::LiveObject&)>& edit) {
    const std::vector<tz::ObjectRef> selection = model_.selection();
    const QScopedValueRollback keepGrid(applying_, true);
    const auto refusal =
        edits_.editObjects(selection, "Edit", [&](std::vector<tz::LiveObject>& objects) {
            for (tz::LiveObject& object : objects) edit(object);
        });
    // The step selects the objects it changed; the user's selection stays.
    model_.setSelection(selection);
    return refusal;
}

void InspectorWindow::applyGridEdits() {
    const auto refusal =
        model_.selection().size() > 1
            ? applyChangedRows()
            : editCurrentObject([this](tz::LiveObject& object) { return applyRows(object); });
    if (refusal) tz::reportError(this, tz::displayLine(*refusal));
}

// Every selected image shows the picture; those made here take its size.
void InspectorWindow::choosePicture() {
    const auto path = pictureDialog_->choose(document_.project().javaSourcePath);
    if (!path) return;
    const QSize own = PictureSource::objectSizeFor(*path);
    editSelection([&](tz::LiveObject& image) {
        image.text = *path;
        if (model_.takesPictureSize({image.kind, image.slot}) && !own.isEmpty()) {
            image.width = own.width();
            image.height = own.height();
        }
    });
    showCurrentObject();
}

void InspectorWindow::chooseCellValue() {
    if (model_.selection().empty()) return;
    if (selectedRow_ == tz::Caption && allOfKind(tz::ObjectKind::Image)) choosePicture();
    if (selectedRow_ == tz::Align && allOfKind(tz::ObjectKind::Label)) {
        const std::string text = tz::storedLine(cell(selectedColumn_, tz::Align));
        setCell(selectedColumn_, tz::Align, tz::displayLine(tz::nextAlignmentText(text)));
        applyGridEdits();
    }
}

void InspectorWindow::deleteSelection() {
    const std::optional<tz::ObjectRef> current = model_.currentObject();
    if (!current) return;
    // A copy: the removals change the selection as they go.
    edits_.removeObjects(std::vector(model_.selection()));
    // The nearest lower object of the current one's kind still in use
    // becomes current.
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

#include "designer/ui/DesignWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "designer/DesignRules.h"
#include "designer/ui/FrameShape.h"
#include "designer/ui/PictureBox.h"
#include "designer/ui/PictureDialog.h"
#include "designer/ui/PictureSource.h"
#include "inspector/ui/InspectorWindow.h"
#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "project/Project.h"

#include <algorithm>

using tz::ObjectKind;

namespace {

constexpr int SlotCount = tz::ObjectTable::SlotCount;
constexpr int SmallestResize = 8;

int kindIndex(ObjectKind kind) {
    return static_cast<int>(kind);
}

Qt::Alignment qtAlignment(tz::Alignment alignment) {
    switch (alignment) {
        case tz::Alignment::Right:
            return Qt::AlignRight | Qt::AlignTop;
        case tz::Alignment::Center:
            return Qt::AlignHCenter | Qt::AlignTop;
        case tz::Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

tz::Alignment alignmentOf(const QLabel* label) {
    const Qt::Alignment horizontal = label->alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignRight) return tz::Alignment::Right;
    if (horizontal & Qt::AlignHCenter) return tz::Alignment::Center;
    return tz::Alignment::Left;
}

// Caption of a button or label, text of a text field.
QString controlText(ObjectKind kind, const QWidget* control) {
    switch (kind) {
        case ObjectKind::Button:
            return static_cast<const QPushButton*>(control)->text();
        case ObjectKind::Label:
            return static_cast<const QLabel*>(control)->text();
        case ObjectKind::TextField:
            return static_cast<const QLineEdit*>(control)->text();
        case ObjectKind::Image:
            break;
    }
    return QString();
}

void setControlText(ObjectKind kind, QWidget* control, const QString& text) {
    switch (kind) {
        case ObjectKind::Button:
            static_cast<QPushButton*>(control)->setText(text);
            break;
        case ObjectKind::Label:
            static_cast<QLabel*>(control)->setText(text);
            break;
        case ObjectKind::TextField:
            static_cast<QLineEdit*>(control)->setText(text);
            break;
        case ObjectKind::Image:
            break;
    }
}

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
    }
}

}  // namespace

DesignWindow::DesignWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      pictureDialog_(std::make_unique<PictureDialog>(this)),
      pictures_(std::make_unique<PictureSource>()) {
    setObjectName("app");
    setWindowTitle("Applet");
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont designFont("MS Sans Serif");
    designFont.setStyleHint(QFont::SansSerif);
    designFont.setPointSize(8);
    setFont(designFont);
    setBackgroundColour(QColor(192, 192, 192));
    setAutoFillBackground(true);
    move(215, 147);
    setAppletWidth(410);
    setAppletHeight(316);

    dragFrame_ = new FrameShape(this);
    dragFrame_->setObjectName("flytt");
    dragFrame_->hide();
    blinkTimer_ = new QTimer(this);
    blinkTimer_->setObjectName("Timer1");
    blinkTimer_->setInterval(100);
    connect(blinkTimer_, &QTimer::timeout, this, &DesignWindow::blinkFrame);
    blinkTimer_->start();
}

DesignWindow::~DesignWindow() = default;

void DesignWindow::setPartners(InspectorWindow* inspector, const tz::Project* project) {
    inspector_ = inspector;
    project_ = project;
}

// ---- records and inspector ----------------------------------------------

void DesignWindow::setRecord(ObjectKind kind, int index) {
    QWidget* object = control(kind, index);
    if (!object) return;
    auto& fields = tables_[kindIndex(kind)].records[index].fields;
    fields[tz::Caption] = kind == ObjectKind::Image ? picturePaths_[index]
                                                    : tz::storedLine(controlText(kind, object));
    fields[tz::Xpos] = std::to_string(object->x());
    fields[tz::Ypos] = std::to_string(object->y());
    fields[tz::Width] = std::to_string(object->width());
    fields[tz::Height] = std::to_string(object->height());
    fields[tz::Name] = object->objectName().toStdString();
    fields[tz::Align] = kind == ObjectKind::Label
                            ? tz::alignmentText(alignmentOf(static_cast<QLabel*>(object)))
                            : std::string();
    currentIndex_ = index;
}

void DesignWindow::showObject(ObjectKind kind, int index) {
    if (!inspector_ || !control(kind, index)) return;
    static const char* const rowLabels[] = {"", "Xpos", "Ypos", "Width", "Height", "Name"};
    const auto& fields = tables_[kindIndex(kind)].records[index].fields;
    for (int row = tz::Caption; row <= tz::Name; ++row) {
        inspector_->setCell(0, row, row == 0 ? tz::kindInfo(kind).rowZeroLabel : rowLabels[row]);
        inspector_->setCell(1, row, tz::displayLine(fields[row]));
    }
    inspector_->setCell(0, tz::Align, kind == ObjectKind::Label ? "Align" : "");
    inspector_->setCell(1, tz::Align,
                        kind == ObjectKind::Image ? QString() : tz::displayLine(fields[tz::Align]));
}

bool DesignWindow::commitEdits(ObjectKind kind, int index) {
    QWidget* object = control(kind, index);
    if (!inspector_ || !object) return false;
    if (kind != ObjectKind::Image) setControlText(kind, object, inspector_->cell(1, tz::Caption));
    for (int row = tz::Xpos; row <= tz::Height; ++row) {
        const tz::CheckedNumber value = tz::numberIn(tz::storedLine(inspector_->cell(1, row)),
                                                     tz::fieldRange(tz::RecordField(row)));
        if (!value.value) {
            tz::reportError(this, tz::displayLine(value.error));
            return false;
        }
        if (row == tz::Xpos) object->move(*value.value, object->y());
        if (row == tz::Ypos) object->move(object->x(), *value.value);
        if (row == tz::Width) object->resize(*value.value, object->height());
        if (row == tz::Height) object->resize(object->width(), *value.value);
    }
    const std::string name = tz::storedLine(inspector_->cell(1, tz::Name));
    if (name.empty() && table(kind).records[index].inUse()) {
        tz::reportError(this, tz::displayLine(tz::emptyNameError()));
        return false;
    }
    if (const auto refusal = tz::componentNameError(name, namesOtherThan(object))) {
        tz::reportError(this, tz::displayLine(*refusal));
        return false;
    }
    object->setObjectName(QString::fromStdString(name));
    if (kind == ObjectKind::Label) {
        const auto alignment = tz::alignmentOf(tz::storedLine(inspector_->cell(1, tz::Align)));
        if (alignment) static_cast<QLabel*>(object)->setAlignment(qtAlignment(*alignment));
    }
    return true;
}

void DesignWindow::rebuildObjectList(const std::string& name) {
    if (!inspector_) return;
    QTreeWidget* tree = inspector_->tree();
    tree->setUpdatesEnabled(false);
    inspector_->clearTree();
    QTreeWidgetItem* toSelect = nullptr;
    for (ObjectKind kind : tz::AllKinds) {
        auto* group = new QTreeWidgetItem(QStringList(tz::kindInfo(kind).treeItem));
        tree->addTopLevelItem(group);
        group->setExpanded(true);
        const tz::ObjectTable& objects = table(kind);
        for (int slot = 0; slot < objects.count; ++slot) {
            const QWidget* object = control(kind, slot);
            if (!object || object->isHidden()) continue;
            const std::string objectName = kind == ObjectKind::Button
                                               ? objects.records[slot].fields[tz::Name]
                                               : object->objectName().toStdString();
            auto* item = new QTreeWidgetItem(group, QStringList(tz::displayLine(objectName)));
            // An empty name would find a removed object's neighbour.
            if (!name.empty() && objectName == name) toSelect = item;
        }
    }
    tree->setUpdatesEnabled(true);
    if (toSelect) inspector_->selectTreeItem(toSelect);
}

// ---- tables -------------------------------------------------------------

const tz::ObjectTable& DesignWindow::table(ObjectKind kind) const {
    return tables_[kindIndex(kind)];
}

QWidget* DesignWindow::control(ObjectKind kind, int index) const {
    if (index < 0 || index >= table(kind).count) return nullptr;
    return controls_[kindIndex(kind)][index];
}

const std::string& DesignWindow::picturePath(int index) const {
    return picturePaths_.at(index);
}

void DesignWindow::setPicture(int index, const std::string& path) {
    if (!control(ObjectKind::Image, index)) return;
    picturePaths_[index] = path;
    showPictureOn(index, imageAutoSize_[index]);
}

void DesignWindow::showPictureOn(int index, bool takePictureSize) {
    auto* box = static_cast<PictureBox*>(controls_[kindIndex(ObjectKind::Image)][index]);
    const QSize own = takePictureSize ? PictureSource::ownSize(picturePaths_[index]) : QSize();
    if (!own.isEmpty()) box->resize(own);
    box->showPicture(picturePaths_[index]);
}

QWidget* DesignWindow::makeControl(ObjectKind kind, int slot, const std::string& name) {
    QWidget* object = nullptr;
    switch (kind) {
        case ObjectKind::Button:
            object = new QPushButton(this);
            break;
        case ObjectKind::Label: {
            auto* label = new QLabel(this);
            label->setAlignment(qtAlignment(tz::Alignment::Left));
            object = label;
            break;
        }
        case ObjectKind::TextField:
            object = new QLineEdit(this);
            break;
        case ObjectKind::Image:
            object = new PictureBox(this, *pictures_);
            break;
    }
    if (kind != ObjectKind::Image) {
        QFont bold = font();
        bold.setBold(true);
        object->setFont(bold);
    }
    object->setObjectName(QString::fromStdString(name));
    // The design window decides what a press on an object does.
    object->setFocusPolicy(Qt::NoFocus);
    object->setCursor(Qt::ArrowCursor);
    object->installEventFilter(this);
    controls_[kindIndex(kind)][slot] = object;
    return object;
}

std::optional<DesignWindow::ObjectRef> DesignWindow::locate(const QObject* object) const {
    if (!object) return std::nullopt;
    for (ObjectKind kind : tz::AllKinds)
        for (int slot = 0; slot < table(kind).count; ++slot)
            if (controls_[kindIndex(kind)][slot] == object) return ObjectRef{kind, slot};
    return std::nullopt;
}

std::vector<std::string> DesignWindow::namesOtherThan(const QObject* object) const {
    std::vector<std::string> names = tz::fixedComponentNames();
    for (ObjectKind kind : tz::AllKinds) {
        for (int slot = 0; slot < table(kind).count; ++slot) {
            const QWidget* other = controls_[kindIndex(kind)][slot];
            if (other && other != object && !other->objectName().isEmpty())
                names.push_back(other->objectName().toStdString());
        }
    }
    return names;
}

// A deleted object's slot is free again, so deletions never use up the kind.
int DesignWindow::freeSlot(ObjectKind kind) const {
    const tz::ObjectTable& objects = table(kind);
    for (int slot = 0; slot < objects.count; ++slot)
        if (!objects.records[slot].inUse()) return slot;
    return objects.count;
}

bool DesignWindow::hasRoomFor(ObjectKind kind) {
    if (freeSlot(kind) < SlotCount) return true;
    tz::reportError(this, tz::displayLine(tz::capacityError()));
    return false;
}

std::string DesignWindow::javaSourcePath() const {
    return project_ ? project_->javaSourcePath : "";
}

void DesignWindow::createObjectAt(const QPoint& point) {
    if (!createKind_ || !hasRoomFor(*createKind_)) return;
    const ObjectKind kind = *createKind_;
    std::optional<std::string> picture;
    if (kind == ObjectKind::Image) {
        picture = pictureDialog_->choose(javaSourcePath());
        if (!picture) return;
    }
    const int n = freeSlot(kind);
    const tz::KindInfo& info = tz::kindInfo(kind);
    // A loaded project may already use the names that follow its counter.
    const int number = tz::firstFreeNumber(info.namePrefix, n, namesOtherThan(nullptr));
    const std::string name = info.namePrefix + std::to_string(number);
    tz::ObjectTable& objects = tables_[kindIndex(kind)];
    if (n == objects.count) {
        objects.count = n + 1;  // the slot now holds a control
    } else {
        delete controls_[kindIndex(kind)][n];  // the hidden control of a deleted object
    }
    objects.records[n] = tz::ObjectRecord{};
    QWidget* object = makeControl(kind, n, name);
    object->setGeometry(point.x(), point.y(), info.defaultWidth, info.defaultHeight);
    setControlText(kind, object,
                   QString::fromStdString(info.captionPrefix + std::to_string(number)));
    if (kind == ObjectKind::Image) {
        imageAutoSize_[n] = true;
        picturePaths_[n] = *picture;
        showPictureOn(n, true);
    }
    object->show();
    setRecord(kind, n);
    showObject(kind, n);
    rebuildObjectList(name);
}

void DesignWindow::discardAllObjects() {
    if (gesture_ != Gesture::Idle) {
        releaseInput();
        dragFrame_->hide();
        gesture_ = Gesture::Idle;
        moving_.reset();
    }
    for (ObjectKind kind : tz::AllKinds) {
        for (QWidget*& object : controls_[kindIndex(kind)]) {
            delete object;
            object = nullptr;
        }
        tables_[kindIndex(kind)] = tz::ObjectTable{};
    }
    picturePaths_.fill(std::string());
    imageAutoSize_.fill(false);
    clearCurrentObject();
}

void DesignWindow::clearCurrentObject() {
    currentIndex_ = -1;
    if (inspector_) inspector_->clearGrid();
}

bool DesignWindow::addLoadedObject(ObjectKind kind, const tz::ObjectRecord& record) {
    if (!hasRoomFor(kind)) return false;
    // Checked before anything is made, so a refused record leaves no trace.
    const std::string& name = record.fields[tz::Name];
    if (const auto refusal = tz::componentNameError(name, namesOtherThan(nullptr))) {
        tz::reportError(this, tz::displayLine(*refusal));
        return false;
    }
    for (int field = tz::Xpos; field <= tz::Height; ++field) {
        const tz::CheckedNumber value =
            tz::numberIn(record.fields[field], tz::fieldRange(tz::RecordField(field)));
        if (!value.value) {
            tz::reportError(this, tz::displayLine(value.error));
            return false;
        }
    }
    const int i = table(kind).count;
    tables_[kindIndex(kind)].count = i + 1;
    tables_[kindIndex(kind)].records[i] = record;
    QWidget* object = makeControl(kind, i, name);
    object->show();
    showObject(kind, i);
    commitEdits(kind, i);
    // Decoded at the stored size, not first at the box's default one.
    if (kind == ObjectKind::Image) {
        picturePaths_[i] = record.fields[tz::Caption];
        imageAutoSize_[i] = false;
        showPictureOn(i, false);
    }
    return true;
}

void DesignWindow::removeObject(ObjectKind kind, int index) {
    QWidget* object = control(kind, index);
    if (!object) return;
    object->hide();
    object->setObjectName(QString());
    tables_[kindIndex(kind)].records[index].fields[tz::Name].clear();
}

void DesignWindow::chooseCreateKind(std::optional<ObjectKind> kind) {
    createMode_ = kind.has_value();
    if (kind) createKind_ = kind;
}

void DesignWindow::endCreateMode() {
    createMode_ = false;
    emit createModeEnded();
}

// ---- applet size and colour ---------------------------------------------

// The stored height counts a caption bar, as the page's HEIGHT does not:
// the client area is exactly the applet, whatever this desktop's caption is.
int DesignWindow::appletWidth() const {
    return width();
}
int DesignWindow::appletHeight() const {
    return height() + tz::AppletCaptionHeight;
}

// Capped, so that the design window never grows out of reach.
void DesignWindow::setAppletWidth(int width) {
    resize(std::clamp(width, 1, tz::MaxAppletSize), height());
}

void DesignWindow::setAppletHeight(int height) {
    resize(width(), std::clamp(height, tz::AppletCaptionHeight + 1, tz::MaxAppletSize) -
                        tz::AppletCaptionHeight);
}

void DesignWindow::setBackgroundColour(const QColor& colour) {
    QPalette background = palette();
    background.setColor(QPalette::Window, colour);
    setPalette(background);
}

// ---- gestures -----------------------------------------------------------

bool DesignWindow::eventFilter(QObject* watched, QEvent* event) {
    const std::optional<ObjectRef> object = locate(watched);
    if (!object || !isUserInput(event->type())) return QWidget::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            objectPressed(*object, mouse->button(), mouse->position().toPoint());
            break;
        }
        case QEvent::MouseMove:
            trackMouse(widget->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint()));
            break;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            mouseReleased(mouse->button(), mouse->globalPosition().toPoint());
            break;
        }
        default:
            break;  // keys and the rest never reach an object
    }
    return true;
}

// The palette and the inspector float above the design window, also after
// a click has brought it to the front.
bool DesignWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        emit activated();
        if (inspector_) inspector_->raise();
    }
    return QWidget::event(event);
}

void DesignWindow::mousePressEvent(QMouseEvent* event) {
    if (gesture_ == Gesture::Idle && createMode_) createObjectAt(event->position().toPoint());
}

void DesignWindow::mouseMoveEvent(QMouseEvent* event) {
    trackMouse(event->position().toPoint());
}

void DesignWindow::mouseReleaseEvent(QMouseEvent* event) {
    mouseReleased(event->button(), event->globalPosition().toPoint());
}

void DesignWindow::selectObject(const ObjectRef& object) {
    endCreateMode();
    rebuildObjectList(control(object.kind, object.slot)->objectName().toStdString());
    setRecord(object.kind, object.slot);
    showObject(object.kind, object.slot);
    currentKind_ = object.kind;
}

void DesignWindow::objectPressed(const ObjectRef& object, Qt::MouseButton button,
                                 const QPoint& position) {
    if (gesture_ != Gesture::Idle) return;
    if (button == Qt::LeftButton) {
        startMove(object, position);
        return;
    }
    selectObject(object);
    if (button == Qt::RightButton) startResize(object);
}

void DesignWindow::startMove(const ObjectRef& object, const QPoint& grabPoint) {
    selectObject(object);
    QWidget* moving = control(object.kind, object.slot);
    moving_ = object;
    grabOffset_ = -grabPoint;
    if (object.kind == ObjectKind::Button || object.kind == ObjectKind::TextField) moving->hide();
    dragFrame_->setGeometry(moving->geometry());
    dragFrame_->show();
    dragFrame_->raise();
    gesture_ = Gesture::Moving;
    grabInput(Qt::CrossCursor);
}

void DesignWindow::startResize(const ObjectRef& object) {
    QWidget* moving = control(object.kind, object.slot);
    moving_ = object;
    moving->hide();
    dragFrame_->setGeometry(moving->geometry());
    dragFrame_->show();
    dragFrame_->raise();
    gesture_ = Gesture::Resizing;
    grabInput(cursor());
}

void DesignWindow::trackMouse(const QPoint& clientPosition) {
    if (gesture_ == Gesture::Moving) {
        dragFrame_->move(clientPosition + grabOffset_);
    } else if (gesture_ == Gesture::Resizing) {
        const QPoint corner = clientPosition - control(moving_->kind, moving_->slot)->pos();
        dragFrame_->resize(std::max(0, corner.x()), std::max(0, corner.y()));
    }
}

void DesignWindow::mouseReleased(Qt::MouseButton button, const QPoint& globalPosition) {
    if (gesture_ == Gesture::Moving && button == Qt::LeftButton)
        endMove(rect().contains(mapFromGlobal(globalPosition)));
    else if (gesture_ == Gesture::Resizing)
        endResize(true);
}

// The keyboard too, so that Escape reaches the design window during a gesture.
void DesignWindow::grabInput(const QCursor& cursor) {
    grabMouse(cursor);
    grabKeyboard();
}

void DesignWindow::releaseInput() {
    releaseMouse();
    releaseKeyboard();
}

// Escape ends a move or resize with the object where and as it was.
void DesignWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || gesture_ == Gesture::Idle) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (gesture_ == Gesture::Moving) {
        endMove(false);
    } else {
        endResize(false);
    }
}

void DesignWindow::endMove(bool dropped) {
    QWidget* moving = control(moving_->kind, moving_->slot);
    if (dropped) moving->move(dragFrame_->pos());
    moving->show();
    dragFrame_->hide();
    releaseInput();
    gesture_ = Gesture::Idle;
    if (dropped) {
        setRecord(moving_->kind, moving_->slot);
        showObject(moving_->kind, moving_->slot);
    }
    moving_.reset();
    update();
}

void DesignWindow::endResize(bool applied) {
    QWidget* moving = control(moving_->kind, moving_->slot);
    // A frame dragged above or left of the corner still leaves an object
    // big enough to grab again.
    if (applied)
        moving->resize(std::max(SmallestResize, dragFrame_->width()),
                       std::max(SmallestResize, dragFrame_->height()));
    moving->show();
    releaseInput();
    gesture_ = Gesture::Idle;
    if (applied) {
        setRecord(moving_->kind, moving_->slot);
        showObject(moving_->kind, moving_->slot);
    }
    moving_.reset();
    dragFrame_->hide();
    update();
}

void DesignWindow::blinkFrame() {
    const bool blue = dragFrame_->outline() == QColor(0, 0, 255);
    dragFrame_->setOutline(blue ? QColor(0, 0, 128) : QColor(0, 0, 255));
}

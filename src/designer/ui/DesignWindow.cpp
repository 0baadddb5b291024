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
#include "document/ProjectDocument.h"
#include "document/ui/DocumentEdits.h"
#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"

#include <algorithm>

using tz::ObjectKind;

namespace {

constexpr int SmallestResize = 8;

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

DesignWindow::DesignWindow(tz::DocumentEdits& edits, QWidget* parent)
    : QWidget(parent, Qt::Window),
      edits_(edits),
      document_(edits.document()),
      model_(edits.design()),
      pictureDialog_(std::make_unique<PictureDialog>(this)),
      pictures_(std::make_unique<PictureSource>()) {
    setObjectName("app");
    setWindowTitle("Applet");
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont designFont("MS Sans Serif");
    designFont.setStyleHint(QFont::SansSerif);
    designFont.setPointSize(8);
    setFont(designFont);
    setAutoFillBackground(true);
    move(215, 147);

    dragFrame_ = new FrameShape(this);
    dragFrame_->setObjectName("flytt");
    dragFrame_->hide();
    blinkTimer_ = new QTimer(this);
    blinkTimer_->setObjectName("Timer1");
    blinkTimer_->setInterval(100);
    connect(blinkTimer_, &QTimer::timeout, this, &DesignWindow::blinkFrame);
    blinkTimer_->start();

    connect(&model_, &tz::DesignModel::modelReset, this, &DesignWindow::showAllObjects);
    connect(&model_, &tz::DesignModel::objectAdded, this, &DesignWindow::showObject);
    connect(&model_, &tz::DesignModel::objectChanged, this, &DesignWindow::showObject);
    connect(&model_, &tz::DesignModel::objectRemoved, this, &DesignWindow::hideObject);
    connect(&model_, &tz::DesignModel::appletSizeChanged, this, &DesignWindow::showAppletSize);
    connect(&document_, &tz::ProjectDocument::optionsChanged, this, &DesignWindow::showBackground);
    connect(&document_, &tz::ProjectDocument::documentReset, this, [this] {
        // A colour the list does not hold leaves the colour as it was.
        const tz::ProjectOptions& read = document_.optionsAsRead();
        if (tz::isColourIndex(read.colourIndex) || !read.automaticBackground) showBackground();
    });
    showBackground();
    showAllObjects();
}

DesignWindow::~DesignWindow() = default;

// ---- the model's objects --------------------------------------------------

QWidget* DesignWindow::control(ObjectKind kind, int slot) const {
    if (slot < 0 || slot >= tz::ObjectTable::SlotCount) return nullptr;
    return controls_[int(kind)][slot];
}

QWidget*& DesignWindow::controlSlot(const ObjectRef& object) {
    return controls_[int(object.kind)].at(object.slot);
}

void DesignWindow::showAllObjects() {
    cancelGesture();
    for (auto& controls : controls_) {
        for (QWidget*& object : controls) {
            delete object;
            object = nullptr;
        }
    }
    showAppletSize();
    for (ObjectKind kind : tz::AllKinds)
        for (int slot = 0; slot < model_.table(kind).count; ++slot) showObject({kind, slot});
}

void DesignWindow::showObject(const ObjectRef& object) {
    const tz::ObjectRecord& record = model_.record(object);
    if (!record.inUse()) return hideObject(object);
    QWidget*& shown = controlSlot(object);
    if (!shown) shown = makeControl(object.kind);
    const tz::LiveObject live = tz::liveObjectOf(object.kind, object.slot, record);
    shown->setObjectName(QString::fromStdString(live.name));
    // Placed before its picture is decoded, so that it is decoded once, at this size.
    shown->setGeometry(live.left, live.top, live.width, live.height);
    if (object.kind == ObjectKind::Image)
        static_cast<PictureBox*>(shown)->showPicture(live.text);
    else
        setControlText(object.kind, shown, tz::displayLine(live.text));
    if (object.kind == ObjectKind::Label)
        static_cast<QLabel*>(shown)->setAlignment(qtAlignment(live.alignment));
    if (moving_ != object) shown->show();
}

void DesignWindow::hideObject(const ObjectRef& object) {
    if (moving_ && *moving_ == object) cancelGesture();
    delete std::exchange(controlSlot(object), nullptr);
}

QWidget* DesignWindow::makeControl(ObjectKind kind) {
    QWidget* object = nullptr;
    switch (kind) {
        case ObjectKind::Button:
            object = new QPushButton(this);
            break;
        case ObjectKind::Label:
            object = new QLabel(this);
            break;
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
    // The design window decides what a press on an object does.
    object->setFocusPolicy(Qt::NoFocus);
    object->setCursor(Qt::ArrowCursor);
    object->installEventFilter(this);
    dragFrame_->raise();
    return object;
}

std::optional<DesignWindow::ObjectRef> DesignWindow::locate(const QObject* object) const {
    if (!object) return std::nullopt;
    for (ObjectKind kind : tz::AllKinds)
        for (int slot = 0; slot < tz::ObjectTable::SlotCount; ++slot)
            if (controls_[int(kind)][slot] == object) return ObjectRef{kind, slot};
    return std::nullopt;
}

void DesignWindow::editObject(const ObjectRef& object, const QString& action,
                              const std::function<void(tz::LiveObject&)>& edit) {
    const auto refusal = edits_.editObject(object, action, [&](tz::LiveObject& live) {
        edit(live);
        return std::optional<std::string>();
    });
    if (refusal) tz::reportError(this, tz::displayLine(*refusal));
}

// ---- creating ---------------------------------------------------------------

std::optional<tz::ObjectRecord> DesignWindow::newObjectRecord(ObjectKind kind,
                                                              const QPoint& point) {
    const int slot = model_.freeSlot(kind);
    if (slot >= tz::ObjectTable::SlotCount) {
        tz::reportError(this, tz::displayLine(tz::capacityError()));
        return std::nullopt;
    }
    const tz::KindInfo& info = tz::kindInfo(kind);
    // A loaded project may already use the names that follow its counter.
    const int number =
        tz::firstFreeNumber(info.namePrefix, slot, model_.namesOtherThan(std::nullopt));
    tz::LiveObject live;
    live.kind = kind;
    live.slot = slot;
    live.text = info.captionPrefix + std::to_string(number);
    live.left = point.x();
    live.top = point.y();
    live.width = info.defaultWidth;
    live.height = info.defaultHeight;
    live.name = info.namePrefix + std::to_string(number);
    if (kind == ObjectKind::Image) {
        const std::optional<std::string> picture =
            pictureDialog_->choose(document_.project().javaSourcePath);
        if (!picture) return std::nullopt;
        live.text = *picture;
        const QSize own = PictureSource::objectSizeFor(*picture);
        if (!own.isEmpty())
            std::tie(live.width, live.height) = std::pair(own.width(), own.height());
    }
    return tz::recordOf(live);
}

void DesignWindow::createObjectAt(const QPoint& point) {
    if (!createKind_) return;
    const ObjectKind kind = *createKind_;
    const std::optional<tz::ObjectRecord> record = newObjectRecord(kind, point);
    if (!record) return;
    if (const auto refusal = edits_.addObject(kind, *record))
        tz::reportError(this, tz::displayLine(*refusal));
}

void DesignWindow::chooseCreateKind(std::optional<ObjectKind> kind) {
    createKind_ = kind;
}

void DesignWindow::endCreateMode() {
    createKind_.reset();
    emit createModeEnded();
}

// ---- applet size and colour ---------------------------------------------

// The stored height counts a caption bar, as the page's HEIGHT does not:
// the client area is exactly the applet, whatever this desktop's caption is.
int DesignWindow::appletWidth() const {
    return model_.appletWidth();
}
int DesignWindow::appletHeight() const {
    return model_.appletHeight();
}

void DesignWindow::setAppletWidth(int width) {
    model_.setAppletSize(width, model_.appletHeight());
}

void DesignWindow::setAppletHeight(int height) {
    model_.setAppletSize(model_.appletWidth(), height);
}

void DesignWindow::showAppletSize() {
    resize(model_.appletWidth(), model_.appletHeight() - tz::AppletCaptionHeight);
}

// A size the user gives the window is the applet's.
void DesignWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    edits_.setAppletSize(width(), height() + tz::AppletCaptionHeight);
    // The model caps the size; the window follows it.
    if (size() != QSize(model_.appletWidth(), model_.appletHeight() - tz::AppletCaptionHeight))
        showAppletSize();
}

void DesignWindow::showBackground() {
    const tz::ProjectOptions& options = document_.options();
    const tz::JavaColour colour =
        tz::appletBackground(options.automaticBackground, options.colourIndex);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
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
    if (event->type() == QEvent::WindowActivate) emit activated();
    return QWidget::event(event);
}

void DesignWindow::mousePressEvent(QMouseEvent* event) {
    if (gesture_ == Gesture::Idle) createObjectAt(event->position().toPoint());
}

void DesignWindow::mouseMoveEvent(QMouseEvent* event) {
    trackMouse(event->position().toPoint());
}

void DesignWindow::mouseReleaseEvent(QMouseEvent* event) {
    mouseReleased(event->button(), event->globalPosition().toPoint());
}

void DesignWindow::selectObject(const ObjectRef& object) {
    endCreateMode();
    model_.setCurrentObject(object);
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
    if (gesture_ == Gesture::Moving && event->key() == Qt::Key_Escape) return endMove(false);
    if (gesture_ == Gesture::Resizing && event->key() == Qt::Key_Escape) return endResize(false);
    if (gesture_ != Gesture::Idle || !editByKey(event)) QWidget::keyPressEvent(event);
}

bool DesignWindow::editByKey(const QKeyEvent* event) {
    using Kind = tz::KeyEdit::Kind;
    const tz::KeyEdit edit = tz::keyEditFor(event->key(), event->modifiers() & Qt::ShiftModifier,
                                            event->modifiers() & Qt::ControlModifier);
    const std::optional<ObjectRef> selected = model_.currentObject();
    if (edit.kind == Kind::None) return false;
    if (edit.kind == Kind::ClearSelection) model_.setCurrentObject(std::nullopt);
    if (!selected) return true;
    if (edit.kind == Kind::Delete) edits_.removeObject(*selected);
    if (edit.kind == Kind::Move)
        editObject(*selected, "Move", [&](tz::LiveObject& live) {
            live.left += edit.dx;
            live.top += edit.dy;
        });
    if (edit.kind == Kind::Resize)
        editObject(*selected, "Resize", [&](tz::LiveObject& live) {
            live.width = std::max(1, live.width + edit.dx);
            live.height = std::max(1, live.height + edit.dy);
        });
    return true;
}

bool DesignWindow::focusNextPrevChild(bool next) {
    if (gesture_ == Gesture::Idle)
        model_.setCurrentObject(model_.objectAfter(model_.currentObject(), next));
    return true;
}

void DesignWindow::endMove(bool dropped) {
    const ObjectRef moved = *moving_;
    const QPoint droppedAt = dragFrame_->pos();
    cancelGesture();
    if (dropped)
        editObject(moved, "Move", [&](tz::LiveObject& live) {
            live.left = droppedAt.x();
            live.top = droppedAt.y();
        });
}

void DesignWindow::endResize(bool applied) {
    const ObjectRef resized = *moving_;
    // A frame dragged above or left of the corner still leaves an object
    // big enough to grab again.
    const QSize size(std::max(SmallestResize, dragFrame_->width()),
                     std::max(SmallestResize, dragFrame_->height()));
    cancelGesture();
    if (applied)
        editObject(resized, "Resize", [&](tz::LiveObject& live) {
            live.width = size.width();
            live.height = size.height();
        });
}

// The object shows again where and as it was.
void DesignWindow::cancelGesture() {
    if (gesture_ == Gesture::Idle) return;
    if (QWidget* moving = controlSlot(*moving_)) moving->show();
    dragFrame_->hide();
    releaseInput();
    gesture_ = Gesture::Idle;
    moving_.reset();
    update();
}

void DesignWindow::blinkFrame() {
    const bool blue = dragFrame_->outline() == QColor(0, 0, 255);
    dragFrame_->setOutline(blue ? QColor(0, 0, 128) : QColor(0, 0, 255));
}

void DesignWindow::setGridStep(int step) {
    gridStep_ = step;
}

#include "designer/ui/DesignWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRubberBand>
#include <QTimer>
#include <QTreeWidget>

#include "designer/Arrangement.h"
#include "designer/DesignRules.h"
#include "designer/ui/FrameShape.h"
#include "designer/ui/PictureBox.h"
#include "designer/ui/PictureDialog.h"
#include "designer/ui/PictureSource.h"
#include "designer/ui/SelectionMarks.h"
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

    marks_ = new SelectionMarks(this);
    marks_->setObjectName("selectionMarks");
    rubberBand_ = new QRubberBand(QRubberBand::Rectangle, this);
    rubberBand_->setObjectName("rubberBand");
    coordinates_ = new QLabel(this);
    coordinates_->setObjectName("coordinates");
    coordinates_->setAutoFillBackground(true);
    coordinates_->setStyleSheet("background: #ffffe1; border: 1px solid #808080; padding: 1px;");
    coordinates_->hide();
    blinkTimer_ = new QTimer(this);
    blinkTimer_->setObjectName("Timer1");
    blinkTimer_->setInterval(100);
    connect(blinkTimer_, &QTimer::timeout, this, &DesignWindow::blinkFrames);
    blinkTimer_->start();

    connect(&model_, &tz::DesignModel::modelReset, this, &DesignWindow::showAllObjects);
    connect(&model_, &tz::DesignModel::objectAdded, this, &DesignWindow::showObject);
    connect(&model_, &tz::DesignModel::objectChanged, this, &DesignWindow::showObject);
    connect(&model_, &tz::DesignModel::objectRemoved, this, &DesignWindow::hideObject);
    connect(&model_, &tz::DesignModel::appletSizeChanged, this, &DesignWindow::showAppletSize);
    connect(&model_, &tz::DesignModel::currentObjectChanged, this, &DesignWindow::showSelection);
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
    showSelection();
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
    if (gesture_ == Gesture::Idle || !std::ranges::count(moving_, object)) shown->show();
    showSelection();
}

void DesignWindow::hideObject(const ObjectRef& object) {
    if (std::ranges::count(moving_, object)) cancelGesture();
    delete std::exchange(controlSlot(object), nullptr);
    showSelection();
}

// Outlines and handles while no gesture is under way.
void DesignWindow::showSelection() {
    std::vector<QRect> selected;
    if (gesture_ == Gesture::Idle)
        for (const ObjectRef& object : model_.selection())
            if (controlSlot(object)) selected.push_back(objectRect(object));
    marks_->showSelection(std::move(selected));
}

QRect DesignWindow::objectRect(const ObjectRef& object) const {
    return control(object.kind, object.slot)->geometry();
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
    marks_->raise();
    coordinates_->raise();
    return object;
}

std::optional<DesignWindow::ObjectRef> DesignWindow::locate(const QObject* object) const {
    for (const ObjectRef& shown : shownObjects())
        if (control(shown.kind, shown.slot) == object) return shown;
    return std::nullopt;
}

std::vector<DesignWindow::ObjectRef> DesignWindow::shownObjects() const {
    std::vector<ObjectRef> shown;
    for (ObjectKind kind : tz::AllKinds)
        for (int slot = 0; slot < tz::ObjectTable::SlotCount; ++slot)
            if (controls_[int(kind)][slot]) shown.push_back({kind, slot});
    return shown;
}

void DesignWindow::editObjects(const std::vector<ObjectRef>& objects, const QString& action,
                               const std::function<void(tz::LiveObject&, std::size_t)>& edit) {
    const auto refusal =
        edits_.editObjects(objects, action, [&](std::vector<tz::LiveObject>& live) {
            for (std::size_t i = 0; i < live.size(); ++i) edit(live[i], i);
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

void DesignWindow::setGridStep(int step) {
    gridStep_ = std::max(1, step);
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
    marks_->setGeometry(rect());
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
            pressed(widget->mapTo(this, mouse->position().toPoint()), object, mouse->button(),
                    mouse->modifiers());
            break;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            trackMouse(widget->mapTo(this, mouse->position().toPoint()), mouse->modifiers());
            break;
        }
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
    pressed(event->position().toPoint(), std::nullopt, event->button(), event->modifiers());
}

void DesignWindow::mouseMoveEvent(QMouseEvent* event) {
    trackMouse(event->position().toPoint(), event->modifiers());
}

void DesignWindow::mouseReleaseEvent(QMouseEvent* event) {
    mouseReleased(event->button(), event->globalPosition().toPoint());
}

void DesignWindow::selectObject(const ObjectRef& object) {
    endCreateMode();
    model_.setCurrentObject(object);
}

// A handle wins over the object or background under it; Shift and Ctrl add
// to the selection or take from it; a left drag moves the whole selection.
void DesignWindow::pressed(const QPoint& point, std::optional<ObjectRef> object,
                           Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (gesture_ != Gesture::Idle) return;
    const bool adding = modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
    if (button == Qt::LeftButton && !adding && !createKind_)
        if (const auto handle = handleAt(point))
            return startResize(handle->first, handle->second, point);
    if (!object) {
        if (createKind_) return createObjectAt(point);
        if (button == Qt::LeftButton) startRubberBand(point, adding);
        return;
    }
    if (adding) {
        endCreateMode();
        return model_.toggleSelected(*object);
    }
    if (button == Qt::LeftButton) {
        endCreateMode();
        if (!model_.isSelected(*object)) model_.setCurrentObject(*object);
        return startMove(*object, point);
    }
    selectObject(*object);
    if (button == Qt::RightButton) startResize(*object, std::nullopt, point);
}

std::optional<std::pair<DesignWindow::ObjectRef, tz::Handle>> DesignWindow::handleAt(
    const QPoint& point) const {
    for (const ObjectRef& object : model_.selection())
        if (const auto handle = tz::handleAt(objectRect(object), point))
            return std::pair(object, *handle);
    return std::nullopt;
}

void DesignWindow::startMove(const ObjectRef& grabbed, const QPoint& point) {
    moving_ = model_.selection();
    std::erase(moving_, grabbed);
    moving_.insert(moving_.begin(), grabbed);
    pressPoint_ = point;
    gesture_ = Gesture::Moving;
    for (const ObjectRef& object : moving_) {
        startRects_.push_back(objectRect(object));
        if (object.kind == ObjectKind::Button || object.kind == ObjectKind::TextField)
            controlSlot(object)->hide();
    }
    grabInput(Qt::CrossCursor);
}

// A handle resizes by that handle; the right drag by the lower right corner.
void DesignWindow::startResize(const ObjectRef& object, std::optional<tz::Handle> handle,
                               const QPoint& point) {
    moving_ = {object};
    startRects_ = {objectRect(object)};
    handle_ = handle;
    pressPoint_ = point;
    gesture_ = Gesture::Resizing;
    controlSlot(object)->hide();
    grabInput(cursor());
}

void DesignWindow::startRubberBand(const QPoint& point, bool adding) {
    selectionBeforeBand_ = adding ? model_.selection() : std::vector<ObjectRef>();
    pressPoint_ = point;
    gesture_ = Gesture::RubberBand;
    rubberBand_->setGeometry(QRect(point, QSize()));
    rubberBand_->show();
    grabInput(cursor());
}

void DesignWindow::trackMouse(const QPoint& clientPosition, Qt::KeyboardModifiers modifiers) {
    if (gesture_ == Gesture::Idle) return;
    if (gesture_ == Gesture::RubberBand)
        return rubberBand_->setGeometry(QRect(pressPoint_, clientPosition).normalized());
    // Alt held places by the pixel.
    const int step = modifiers & Qt::AltModifier ? 1 : gridStep_;
    if (frames_.empty()) {
        for (const QRect& start : startRects_) {
            auto* frame = new FrameShape(this);
            frame->setGeometry(start);
            frame->show();
            frames_.push_back(frame);
        }
        frames_.front()->setObjectName("flytt");
        showSelection();
    }
    const QRect& start = startRects_.front();
    if (gesture_ == Gesture::Moving) {
        const QPoint grabbedAt = start.topLeft() + clientPosition - pressPoint_;
        QPoint offset = tz::snapToGrid(grabbedAt, step) - start.topLeft();
        if (!(modifiers & Qt::AltModifier)) offset += guideSnap(start.translated(offset));
        for (std::size_t i = 0; i < frames_.size(); ++i)
            frames_[i]->move(startRects_[i].topLeft() + offset);
    } else if (handle_) {
        frames_.front()->setGeometry(tz::resizedByHandle(
            start, *handle_, tz::snapToGrid(clientPosition, step), SmallestResize));
    } else {
        const QPoint corner = tz::snapToGrid(clientPosition, step) - start.topLeft();
        frames_.front()->resize(std::max(0, corner.x()), std::max(0, corner.y()));
    }
    for (FrameShape* frame : frames_) frame->raise();
    showCoordinates(frames_.front()->geometry(), clientPosition);
}

// The grabbed object lines up with the edges and centres of the objects
// that stay within a few pixels; the guides show where.
QPoint DesignWindow::guideSnap(const QRect& grabbed) {
    const auto boxOf = [](const QRect& rect) {
        return tz::Box{rect.x(), rect.y(), rect.width(), rect.height()};
    };
    std::vector<tz::Box> others;
    for (const ObjectRef& other : shownObjects())
        if (!std::ranges::count(moving_, other)) others.push_back(boxOf(objectRect(other)));
    const tz::GuideSnap snap = tz::findGuides(boxOf(grabbed), others);
    std::vector<QLine> guides;
    for (const tz::GuideLine& line : snap.vertical)
        guides.emplace_back(line.position, line.from, line.position, line.to);
    for (const tz::GuideLine& line : snap.horizontal)
        guides.emplace_back(line.from, line.position, line.to, line.position);
    marks_->showGuides(std::move(guides));
    return {snap.dx, snap.dy};
}

// Where the object under the mouse goes and how large it is, by the cursor.
void DesignWindow::showCoordinates(const QRect& object, const QPoint& cursor) {
    coordinates_->setText(QString("X %1  Y %2  W %3  H %4")
                              .arg(object.x())
                              .arg(object.y())
                              .arg(object.width())
                              .arg(object.height()));
    coordinates_->adjustSize();
    const QPoint below = cursor + QPoint(14, 18);
    coordinates_->move(std::clamp(below.x(), 0, std::max(0, width() - coordinates_->width())),
                       std::clamp(below.y(), 0, std::max(0, height() - coordinates_->height())));
    coordinates_->show();
    coordinates_->raise();
}

void DesignWindow::mouseReleased(Qt::MouseButton button, const QPoint& globalPosition) {
    if (gesture_ == Gesture::Moving && button == Qt::LeftButton)
        endMove(rect().contains(mapFromGlobal(globalPosition)));
    else if (gesture_ == Gesture::Resizing)
        endResize(true);
    else if (gesture_ == Gesture::RubberBand && button == Qt::LeftButton)
        endRubberBand(true);
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

// Escape ends a gesture with the objects where and as they were.
void DesignWindow::keyPressEvent(QKeyEvent* event) {
    if (gesture_ != Gesture::Idle && event->key() == Qt::Key_Escape) return cancelGesture();
    if (gesture_ != Gesture::Idle || !editByKey(event)) QWidget::keyPressEvent(event);
}

bool DesignWindow::editByKey(const QKeyEvent* event) {
    using Kind = tz::KeyEdit::Kind;
    const tz::KeyEdit edit = tz::keyEditFor(event->key(), event->modifiers() & Qt::ShiftModifier,
                                            event->modifiers() & Qt::ControlModifier, gridStep_);
    if (edit.kind == Kind::None) return false;
    if (edit.kind == Kind::ClearSelection) model_.setCurrentObject(std::nullopt);
    if (edit.kind == Kind::Delete) edits_.removeObjects(model_.selection());
    if (edit.kind == Kind::Move)
        editObjects(model_.selection(), "Move", [&](tz::LiveObject& live, std::size_t) {
            live.left += edit.dx;
            live.top += edit.dy;
        });
    if (edit.kind == Kind::Resize)
        editObjects(model_.selection(), "Resize", [&](tz::LiveObject& live, std::size_t) {
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
    const std::vector<ObjectRef> moved = moving_;
    std::vector<QPoint> droppedAt;
    for (FrameShape* frame : frames_) droppedAt.push_back(frame->pos());
    cancelGesture();
    if (dropped && !droppedAt.empty())
        editObjects(moved, "Move", [&](tz::LiveObject& live, std::size_t i) {
            live.left = droppedAt[i].x();
            live.top = droppedAt[i].y();
        });
}

void DesignWindow::endResize(bool applied) {
    const std::vector<ObjectRef> resized = moving_;
    // A frame dragged above or left of the corner still leaves an object
    // big enough to grab again.
    std::optional<QRect> frame;
    if (!frames_.empty()) frame = frames_.front()->geometry();
    cancelGesture();
    if (applied && frame)
        editObjects(resized, "Resize", [&](tz::LiveObject& live, std::size_t) {
            live.left = frame->x();
            live.top = frame->y();
            live.width = std::max(SmallestResize, frame->width());
            live.height = std::max(SmallestResize, frame->height());
        });
}

// What the band touches joins the selection it started with.
void DesignWindow::endRubberBand(bool applied) {
    const QRect band = rubberBand_->geometry();
    std::vector<ObjectRef> selection = selectionBeforeBand_;
    cancelGesture();
    if (!applied) return;
    for (const ObjectRef& object : shownObjects())
        if (band.intersects(objectRect(object))) selection.push_back(object);
    model_.setSelection(selection);
}

// The objects show again where and as they were.
void DesignWindow::cancelGesture() {
    if (gesture_ == Gesture::Idle) return;
    for (const ObjectRef& object : moving_)
        if (QWidget* moving = controlSlot(object)) moving->show();
    for (FrameShape* frame : frames_) delete frame;
    frames_.clear();
    rubberBand_->hide();
    coordinates_->hide();
    marks_->showGuides({});
    releaseInput();
    gesture_ = Gesture::Idle;
    moving_.clear();
    startRects_.clear();
    handle_.reset();
    showSelection();
    update();
}

void DesignWindow::blinkFrames() {
    if (frames_.empty()) return;
    const bool blue = frames_.front()->outline() == QColor(0, 0, 255);
    for (FrameShape* frame : frames_)
        frame->setOutline(blue ? QColor(0, 0, 128) : QColor(0, 0, 255));
}

#pragma once
// The design window: stands for the applet's display area. It draws the
// document's design objects, one live control each, and turns the user's
// gestures into edits of the document.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "designer/DesignObjects.h"
#include "designer/SelectionHandles.h"
#include "document/DesignModel.h"

class FrameShape;
class QLabel;
class QRubberBand;
class SelectionMarks;
class PictureDialog;
class PictureSource;
class QTimer;
namespace tz {
class DocumentEdits;
class ProjectDocument;
}  // namespace tz

class DesignWindow : public QWidget {
    Q_OBJECT
  public:
    explicit DesignWindow(tz::DocumentEdits& edits, QWidget* parent = nullptr);
    ~DesignWindow() override;

    // The control drawing an object, or null.
    QWidget* control(tz::ObjectKind kind, int slot) const;

    // A kind arms create mode for it; none ends create mode.
    void chooseCreateKind(std::optional<tz::ObjectKind> kind);

    // The applet's size as stored and shown in the options: the client
    // area's width, and its height plus a caption bar. Setting it is no
    // step of the user's (the windows' placement).
    int appletWidth() const;
    int appletHeight() const;
    void setAppletWidth(int width);
    void setAppletHeight(int height);

    // Moves and resizes snap to multiples of step, Shift+arrows move by it.
    void setGridStep(int step);

  signals:
    // Create mode ended here, not by a palette choice.
    void createModeEnded();
    // The window came to the front; the tool windows float above it.
    void activated();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab go through the objects, not the focus chain.
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    using ObjectRef = tz::ObjectRef;
    enum class Gesture { Idle, Moving, Resizing, RubberBand };

    // Views of the model.
    void showAllObjects();
    void showObject(const ObjectRef& object);
    void hideObject(const ObjectRef& object);
    void showSelection();
    void showAppletSize();
    void showBackground();
    QWidget*& controlSlot(const ObjectRef& object);
    QWidget* makeControl(tz::ObjectKind kind);
    std::optional<ObjectRef> locate(const QObject* control) const;
    // The objects that have a control, in kind and slot order.
    std::vector<ObjectRef> shownObjects() const;
    QRect objectRect(const ObjectRef& object) const;

    // Creates an object of the create kind at point, when the kind is known.
    void createObjectAt(const QPoint& point);
    std::optional<tz::ObjectRecord> newObjectRecord(tz::ObjectKind kind, const QPoint& point);
    // Create mode off and every palette button up.
    void endCreateMode();
    // The objects with their controls' state changed by edit (given each
    // object's index), as one step named by action.
    void editObjects(const std::vector<ObjectRef>& objects, const QString& action,
                     const std::function<void(tz::LiveObject&, std::size_t)>& edit);

    void selectObject(const ObjectRef& object);
    // A press at point of the window, on object or the background.
    void pressed(const QPoint& point, std::optional<ObjectRef> object, Qt::MouseButton button,
                 Qt::KeyboardModifiers modifiers);
    // The selected object whose handle is at point, and the handle.
    std::optional<std::pair<ObjectRef, tz::Handle>> handleAt(const QPoint& point) const;
    void startMove(const ObjectRef& grabbed, const QPoint& point);
    void startResize(const ObjectRef& object, std::optional<tz::Handle> handle,
                     const QPoint& point);
    void startRubberBand(const QPoint& point, bool adding);
    void trackMouse(const QPoint& clientPosition, Qt::KeyboardModifiers modifiers);
    // The offset that lines grabbed up with another object, shown by guides.
    QPoint guideSnap(const QRect& grabbed);
    void showCoordinates(const QRect& object, const QPoint& cursor);
    void mouseReleased(Qt::MouseButton button, const QPoint& globalPosition);
    void endMove(bool dropped);
    void endResize(bool applied);
    void endRubberBand(bool applied);
    void cancelGesture();
    // Arrows, Delete and Escape on the selection; false for other keys.
    bool editByKey(const QKeyEvent* event);
    void grabInput(const QCursor& cursor);
    void releaseInput();
    void blinkFrames();

    tz::DocumentEdits& edits_;
    tz::ProjectDocument& document_;
    tz::DesignModel& model_;
    std::array<std::array<QWidget*, tz::ObjectTable::SlotCount>, tz::AllKinds.size()> controls_{};

    // The kind a click on the background creates; none outside create mode.
    std::optional<tz::ObjectKind> createKind_;
    int gridStep_ = tz::GridStep;

    SelectionMarks* marks_ = nullptr;
    QLabel* coordinates_ = nullptr;
    QRubberBand* rubberBand_ = nullptr;
    QTimer* blinkTimer_ = nullptr;
    std::unique_ptr<PictureDialog> pictureDialog_;
    std::unique_ptr<PictureSource> pictures_;

    // The gesture under way: the objects it moves or resizes, each drawn
    // by a frame, the one under the mouse first.
    Gesture gesture_ = Gesture::Idle;
    std::vector<ObjectRef> moving_;
    std::vector<QRect> startRects_;
    std::vector<FrameShape*> frames_;
    std::optional<tz::Handle> handle_;
    QPoint pressPoint_;
    std::vector<ObjectRef> selectionBeforeBand_;
};

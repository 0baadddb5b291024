#pragma once
// The design window: stands for the applet's display area. It draws the
// document's design objects, one live control each, and turns the user's
// gestures into edits of the document.
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "designer/DesignObjects.h"
#include "designer/DesignRules.h"
#include "document/DesignModel.h"

class FrameShape;
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
    // The step that Shift+arrows move by and drags snap to.
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
    enum class Gesture { Idle, Moving, Resizing };

    // Views of the model.
    void showAllObjects();
    void showObject(const ObjectRef& object);
    void hideObject(const ObjectRef& object);
    void showAppletSize();
    void showBackground();
    QWidget*& controlSlot(const ObjectRef& object);
    QWidget* makeControl(tz::ObjectKind kind);
    std::optional<ObjectRef> locate(const QObject* control) const;

    // Creates an object of the create kind at point, when the kind is known.
    void createObjectAt(const QPoint& point);
    std::optional<tz::ObjectRecord> newObjectRecord(tz::ObjectKind kind, const QPoint& point);
    // Create mode off and every palette button up.
    void endCreateMode();
    // The object with its control's state changed by edit, as one step
    // named by action.
    void editObject(const ObjectRef& object, const QString& action,
                    const std::function<void(tz::LiveObject&)>& edit);

    void selectObject(const ObjectRef& object);
    void objectPressed(const ObjectRef& object, Qt::MouseButton button, const QPoint& position);
    void startMove(const ObjectRef& object, const QPoint& grabPoint);
    void startResize(const ObjectRef& object);
    void trackMouse(const QPoint& clientPosition);
    void mouseReleased(Qt::MouseButton button, const QPoint& globalPosition);
    void endMove(bool dropped);
    void endResize(bool applied);
    void cancelGesture();
    // Arrows, Delete and Escape on the selected object; false for other keys.
    bool editByKey(const QKeyEvent* event);
    void grabInput(const QCursor& cursor);
    void releaseInput();
    void blinkFrame();

    tz::DocumentEdits& edits_;
    tz::ProjectDocument& document_;
    tz::DesignModel& model_;
    std::array<std::array<QWidget*, tz::ObjectTable::SlotCount>, tz::AllKinds.size()> controls_{};

    // The kind a click on the background creates; none outside create mode.
    std::optional<tz::ObjectKind> createKind_;

    FrameShape* dragFrame_ = nullptr;
    QTimer* blinkTimer_ = nullptr;
    std::unique_ptr<PictureDialog> pictureDialog_;
    std::unique_ptr<PictureSource> pictures_;
    Gesture gesture_ = Gesture::Idle;
    std::optional<ObjectRef> moving_;
    QPoint grabOffset_;
    int gridStep_ = tz::GridStep;
};

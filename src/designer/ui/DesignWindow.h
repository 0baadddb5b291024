#pragma once
// The design window: stands for the applet's display area and owns the
// design objects, a live control and a record each, in four tables.
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "designer/DesignObjects.h"

class FrameShape;
class PictureDialog;
class PictureSource;
class QTimer;
class InspectorWindow;
namespace tz {
struct Project;
}

class DesignWindow : public QWidget {
    Q_OBJECT
  public:
    explicit DesignWindow(QWidget* parent = nullptr);
    ~DesignWindow() override;

    void setPartners(InspectorWindow* inspector, const tz::Project* project);

    // setRecord: control -> record, and the object becomes current.
    void setRecord(tz::ObjectKind kind, int index);
    // showObject: record -> inspector grid.
    void showObject(tz::ObjectKind kind, int index);
    // commitEdits: inspector grid -> control. False when a row was refused (reported).
    bool commitEdits(tz::ObjectKind kind, int index);

    // Rebuilds the inspector's tree and selects the last item named name.
    void rebuildObjectList(const std::string& name);

    const tz::ObjectTable& table(tz::ObjectKind kind) const;
    // The control of a slot below the slot count, else null.
    QWidget* control(tz::ObjectKind kind, int index) const;
    const std::string& picturePath(int index) const;
    // Shows the picture of path on image index and keeps path as its picture.
    void setPicture(int index, const std::string& path);

    void discardAllObjects();
    // No object is current and the inspector's grid is empty.
    void clearCurrentObject();
    // Adds record as the next slot of kind; false (reported) when refused.
    bool addLoadedObject(tz::ObjectKind kind, const tz::ObjectRecord& record);
    void removeObject(tz::ObjectKind kind, int index);

    // The kind of the current object or of the header selected last.
    std::optional<tz::ObjectKind> currentKind() const { return currentKind_; }
    void setCurrentKind(tz::ObjectKind kind) { currentKind_ = kind; }
    int currentIndex() const { return currentIndex_; }
    void setCurrentIndex(int index) { currentIndex_ = index; }

    bool createMode() const { return createMode_; }
    std::optional<tz::ObjectKind> createKind() const { return createKind_; }
    // A kind arms create mode for it; none ends create mode and keeps the kind.
    void chooseCreateKind(std::optional<tz::ObjectKind> kind);

    // The applet's size as stored and shown in the options: the client
    // area's width, and its height plus a caption bar.
    int appletWidth() const;
    int appletHeight() const;
    void setAppletWidth(int width);
    void setAppletHeight(int height);
    void setBackgroundColour(const QColor& colour);

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

  private:
    // Creates an object of the create kind at point, when the kind is known.
    void createObjectAt(const QPoint& point);
    // Create mode off and every palette button up.
    void endCreateMode();

    struct ObjectRef {
        tz::ObjectKind kind;
        int slot;
    };
    enum class Gesture { Idle, Moving, Resizing };

    QWidget* makeControl(tz::ObjectKind kind, int slot, const std::string& name);
    std::optional<ObjectRef> locate(const QObject* control) const;
    std::vector<std::string> namesOtherThan(const QObject* control) const;
    // The slot a new object of kind takes; SlotCount when the kind is full.
    int freeSlot(tz::ObjectKind kind) const;
    bool hasRoomFor(tz::ObjectKind kind);
    std::string javaSourcePath() const;
    void showPictureOn(int index, bool takePictureSize);

    void selectObject(const ObjectRef& object);
    void objectPressed(const ObjectRef& object, Qt::MouseButton button, const QPoint& position);
    void startMove(const ObjectRef& object, const QPoint& grabPoint);
    void startResize(const ObjectRef& object);
    void trackMouse(const QPoint& clientPosition);
    void mouseReleased(Qt::MouseButton button, const QPoint& globalPosition);
    void endMove(bool dropped);
    void endResize(bool applied);
    void grabInput(const QCursor& cursor);
    void releaseInput();
    void blinkFrame();

    InspectorWindow* inspector_ = nullptr;
    const tz::Project* project_ = nullptr;

    std::array<tz::ObjectTable, 4> tables_;
    std::array<std::array<QWidget*, tz::ObjectTable::SlotCount>, 4> controls_{};
    std::array<std::string, tz::ObjectTable::SlotCount> picturePaths_;
    // New images take their picture's size; loaded ones keep their own.
    std::array<bool, tz::ObjectTable::SlotCount> imageAutoSize_{};

    std::optional<tz::ObjectKind> currentKind_;
    int currentIndex_ = 0;
    bool createMode_ = false;
    std::optional<tz::ObjectKind> createKind_;

    FrameShape* dragFrame_ = nullptr;
    QTimer* blinkTimer_ = nullptr;
    std::unique_ptr<PictureDialog> pictureDialog_;
    std::unique_ptr<PictureSource> pictures_;
    Gesture gesture_ = Gesture::Idle;
    std::optional<ObjectRef> moving_;
    QPoint grabOffset_;
};

#pragma once
// The design objects as records: the truth the design window draws, the
// project file stores and the generator reads.
#include <QObject>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "designer/DesignObjects.h"

namespace tz {

struct ObjectRef {
    ObjectKind kind = ObjectKind::Button;
    int slot = 0;
    bool operator==(const ObjectRef&) const = default;
};

// What the design window's control makes of a record: captions pass through
// the control's text (a text field holds at most 32,767 characters), numbers
// are read, an unknown alignment is left.
LiveObject liveObjectOf(ObjectKind kind, int slot, const ObjectRecord& record);
// A caption as the kind's control keeps it.
std::string captionAsHeld(ObjectKind kind, const std::string& caption);
// The record a control gives back: numbers written plainly, a label's
// alignment by its own text, no alignment for the other kinds.
ObjectRecord recordOf(const LiveObject& object);
// The in-use objects, by kind and slot.
std::vector<LiveObject> liveObjectsOf(const ObjectTables& tables);
// The slot a new object takes in table: a deleted object's slot is free
// again, so deletions never use up the kind.
int freeSlotIn(const ObjectTable& table);

class DesignModel : public QObject {
    Q_OBJECT
  public:
    static constexpr int DefaultAppletWidth = 410;
    static constexpr int DefaultAppletHeight = 316;

    const ObjectTables& tables() const { return tables_; }
    const ObjectTable& table(ObjectKind kind) const { return tables_[int(kind)]; }
    const ObjectRecord& record(const ObjectRef& object) const;
    // The selected objects in the order they were selected; the current
    // object, the one the inspector shows, is the last.
    const std::vector<ObjectRef>& selection() const { return selection_; }
    bool isSelected(const ObjectRef& object) const;
    std::optional<ObjectRef> currentObject() const;
    int appletWidth() const { return appletWidth_; }
    int appletHeight() const { return appletHeight_; }
    std::vector<LiveObject> liveObjects() const { return liveObjectsOf(tables_); }
    // The names an object may not take: the design window's own and every
    // other object's.
    std::vector<std::string> namesOtherThan(std::optional<ObjectRef> object) const;
    // The slot a new object of kind takes (see freeSlotIn).
    int freeSlot(ObjectKind kind) const;
    // Images made here take the size of each picture chosen for them; those
    // read from a file keep their stored size.
    bool takesPictureSize(const ObjectRef& object) const;
    void markMadeHere(const ObjectRef& object);

    // Tables a reader has checked whole; no object is current.
    void reset(const ObjectTables& tables, int appletWidth, int appletHeight);
    // The message refusing record for object (none: a new object), or nothing.
    std::optional<std::string> recordError(const std::optional<ObjectRef>& object,
                                           const ObjectRecord& record) const;
    // The edits return the message refusing them, or nothing when done.
    std::optional<std::string> setRecord(const ObjectRef& object, const ObjectRecord& record);
    // A new object takes the first free slot of its kind.
    std::optional<std::string> addObject(ObjectKind kind, const ObjectRecord& record);
    void removeObject(const ObjectRef& object);
    // The object alone selected, or nothing.
    void setCurrentObject(std::optional<ObjectRef> object);
    // Objects not in use are left out; an object listed twice counts once.
    void setSelection(const std::vector<ObjectRef>& objects);
    // Adds the object to the selection, or takes it out.
    void toggleSelected(const ObjectRef& object);
    // The object in use after (or before) object in kind and slot order,
    // round to the first; none when no object is in use.
    std::optional<ObjectRef> objectAfter(std::optional<ObjectRef> object, bool forward) const;
    // Puts a slot and its kind's slot count back as an earlier or later
    // state had them, unchecked: undo and redo. The selection is left to
    // the caller, but loses an object no longer in use.
    void restoreSlot(const ObjectRef& object, const ObjectRecord& record, int count);
    // Capped as the design window caps it.
    void setAppletSize(int width, int height);
    static std::pair<int, int> cappedAppletSize(int width, int height);

  Q_SIGNALS:
    void modelReset();
    void objectAdded(tz::ObjectRef object);
    void objectChanged(tz::ObjectRef object);
    void objectRemoved(tz::ObjectRef object);
    // The selection changed, and with it maybe the current object.
    void currentObjectChanged();
    void appletSizeChanged();

  private:
    bool holds(const ObjectRef& object) const;
    void deselect(const ObjectRef& object);

    ObjectTables tables_;
    std::array<bool, ObjectTable::SlotCount> imageTakesPictureSize_{};
    std::vector<ObjectRef> selection_;
    int appletWidth_ = DefaultAppletWidth;
    int appletHeight_ = DefaultAppletHeight;
};

}  // namespace tz

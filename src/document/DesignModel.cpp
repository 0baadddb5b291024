#include "document/DesignModel.h"

#include <algorithm>
#include <tuple>

#include "designer/DesignRules.h"
#include "platform/TextBytes.h"

namespace tz {

namespace {

// A text field's control keeps no more characters than this.
constexpr int TextFieldLength = 32767;

int numberOf(const ObjectRecord& record, RecordField field) {
    return numberIn(record.fields[field], fieldRange(field)).value.value_or(0);
}

}  // namespace

std::string captionAsHeld(ObjectKind kind, const std::string& caption) {
    if (kind == ObjectKind::Image) return caption;
    if (kind == ObjectKind::TextField)
        return storedLine(displayLine(caption).left(TextFieldLength));
    return storedLine(displayLine(caption));
}

LiveObject liveObjectOf(ObjectKind kind, int slot, const ObjectRecord& record) {
    LiveObject live;
    live.kind = kind;
    live.slot = slot;
    live.text = captionAsHeld(kind, record.fields[Caption]);
    live.left = numberOf(record, Xpos);
    live.top = numberOf(record, Ypos);
    live.width = numberOf(record, Width);
    live.height = numberOf(record, Height);
    live.name = record.fields[Name];
    if (kind == ObjectKind::Label)
        live.alignment = alignmentOf(record.fields[Align]).value_or(Alignment::Left);
    return live;
}

ObjectRecord recordOf(const LiveObject& object) {
    ObjectRecord record;
    record.fields[Caption] = object.text;
    record.fields[Xpos] = std::to_string(object.left);
    record.fields[Ypos] = std::to_string(object.top);
    record.fields[Width] = std::to_string(object.width);
    record.fields[Height] = std::to_string(object.height);
    record.fields[Name] = object.name;
    if (object.kind == ObjectKind::Label) record.fields[Align] = alignmentText(object.alignment);
    return record;
}

std::vector<LiveObject> liveObjectsOf(const ObjectTables& tables) {
    std::vector<LiveObject> objects;
    for (ObjectKind kind : AllKinds) {
        const ObjectTable& table = tables[int(kind)];
        for (int slot = 0; slot < table.count; ++slot)
            if (table.records[slot].inUse())
                objects.push_back(liveObjectOf(kind, slot, table.records[slot]));
    }
    return objects;
}

const ObjectRecord& DesignModel::record(const ObjectRef& object) const {
    return table(object.kind).records.at(object.slot);
}

bool DesignModel::holds(const ObjectRef& object) const {
    return object.slot >= 0 && object.slot < table(object.kind).count;
}

std::vector<std::string> DesignModel::namesOtherThan(std::optional<ObjectRef> object) const {
    std::vector<std::string> names = fixedComponentNames();
    for (ObjectKind kind : AllKinds)
        for (int slot = 0; slot < table(kind).count; ++slot)
            if (const ObjectRef other{kind, slot}; other != object && record(other).inUse())
                names.push_back(record(other).fields[Name]);
    return names;
}

void DesignModel::reset(const ObjectTables& tables, int appletWidth, int appletHeight) {
    tables_ = tables;
    imageTakesPictureSize_.fill(false);
    selection_.clear();
    std::tie(appletWidth_, appletHeight_) = cappedAppletSize(appletWidth, appletHeight);
    Q_EMIT modelReset();
}

std::optional<std::string> DesignModel::recordError(const std::optional<ObjectRef>& object,
                                                    const ObjectRecord& record) const {
    for (int field = Xpos; field <= Height; ++field) {
        const CheckedNumber value = numberIn(record.fields[field], fieldRange(RecordField(field)));
        if (!value.value) return value.error;
    }
    const std::string& name = record.fields[Name];
    if (name.empty()) return emptyNameError();
    return componentNameError(name, namesOtherThan(object));
}

std::optional<std::string> DesignModel::setRecord(const ObjectRef& object,
                                                  const ObjectRecord& record) {
    if (!holds(object)) return std::nullopt;
    if (auto refusal = recordError(object, record)) return refusal;
    tables_[int(object.kind)].records[object.slot] = record;
    Q_EMIT objectChanged(object);
    return std::nullopt;
}

int freeSlotIn(const ObjectTable& table) {
    for (int slot = 0; slot < table.count; ++slot)
        if (!table.records[slot].inUse()) return slot;
    return table.count;
}

int DesignModel::freeSlot(ObjectKind kind) const {
    return freeSlotIn(table(kind));
}

std::optional<std::string> DesignModel::addObject(ObjectKind kind, const ObjectRecord& record) {
    const ObjectRef object{kind, freeSlot(kind)};
    if (object.slot >= ObjectTable::SlotCount) return capacityError();
    if (auto refusal = recordError(std::nullopt, record)) return refusal;
    ObjectTable& objects = tables_[int(kind)];
    objects.count = std::max(objects.count, object.slot + 1);
    objects.records[object.slot] = record;
    markMadeHere(object);
    Q_EMIT objectAdded(object);
    return std::nullopt;
}

bool DesignModel::takesPictureSize(const ObjectRef& object) const {
    return object.kind == ObjectKind::Image && holds(object) && imageTakesPictureSize_[object.slot];
}

void DesignModel::markMadeHere(const ObjectRef& object) {
    if (object.kind == ObjectKind::Image) imageTakesPictureSize_.at(object.slot) = true;
}

void DesignModel::removeObject(const ObjectRef& object) {
    if (!holds(object)) return;
    tables_[int(object.kind)].records[object.slot].fields[Name].clear();
    deselect(object);
    Q_EMIT objectRemoved(object);
}

void DesignModel::restoreSlot(const ObjectRef& object, const ObjectRecord& record, int count) {
    if (object.slot < 0 || object.slot >= ObjectTable::SlotCount) return;
    ObjectTable& objects = tables_[int(object.kind)];
    const bool wasInUse = holds(object) && objects.records[object.slot].inUse();
    objects.records[object.slot] = record;
    objects.count = std::clamp(count, 0, int(ObjectTable::SlotCount));
    if (!record.inUse()) {
        deselect(object);
        if (wasInUse) Q_EMIT objectRemoved(object);
        return;
    }
    if (wasInUse)
        Q_EMIT objectChanged(object);
    else
        Q_EMIT objectAdded(object);
}

std::optional<ObjectRef> DesignModel::objectAfter(std::optional<ObjectRef> object,
                                                  bool forward) const {
    std::vector<ObjectRef> inUse;
    for (ObjectKind kind : AllKinds)
        for (int slot = 0; slot < table(kind).count; ++slot)
            if (record({kind, slot}).inUse()) inUse.push_back({kind, slot});
    if (inUse.empty()) return std::nullopt;
    const auto at = std::find(inUse.begin(), inUse.end(), object);
    if (at == inUse.end()) return forward ? inUse.front() : inUse.back();
    const auto index = std::size_t(at - inUse.begin());
    return inUse[(index + (forward ? 1 : inUse.size() - 1)) % inUse.size()];
}

std::optional<ObjectRef> DesignModel::currentObject() const {
    if (selection_.empty()) return std::nullopt;
    return selection_.back();
}

bool DesignModel::isSelected(const ObjectRef& object) const {
    return std::find(selection_.begin(), selection_.end(), object) != selection_.end();
}

void DesignModel::setCurrentObject(std::optional<ObjectRef> object) {
    setSelection(object ? std::vector{*object} : std::vector<ObjectRef>());
}

void DesignModel::setSelection(const std::vector<ObjectRef>& objects) {
    std::vector<ObjectRef> selection;
    for (const ObjectRef& object : objects)
        if (holds(object) && record(object).inUse() &&
            std::find(selection.begin(), selection.end(), object) == selection.end())
            selection.push_back(object);
    if (selection == selection_) return;
    selection_ = std::move(selection);
    Q_EMIT currentObjectChanged();
}

void DesignModel::toggleSelected(const ObjectRef& object) {
    std::vector<ObjectRef> selection = selection_;
    const auto at = std::find(selection.begin(), selection.end(), object);
    if (at == selection.end())
        selection.push_back(object);
    else
        selection.erase(at);
    setSelection(selection);
}

void DesignModel::deselect(const ObjectRef& object) {
    if (!isSelected(object)) return;
    std::vector<ObjectRef> selection = selection_;
    std::erase(selection, object);
    setSelection(selection);
}

std::pair<int, int> DesignModel::cappedAppletSize(int width, int height) {
    return {std::clamp(width, 1, MaxAppletSize),
            std::clamp(height, AppletCaptionHeight + 1, MaxAppletSize)};
}

void DesignModel::setAppletSize(int width, int height) {
    std::tie(width, height) = cappedAppletSize(width, height);
    if (width == appletWidth_ && height == appletHeight_) return;
    appletWidth_ = width;
    appletHeight_ = height;
    Q_EMIT appletSizeChanged();
}

}  // namespace tz

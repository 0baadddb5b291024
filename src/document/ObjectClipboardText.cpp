#include "document/ObjectClipboardText.h"

#include <algorithm>

#include "designer/DesignRules.h"
#include "project/ProjectFile.h"

namespace tz {

namespace {

// The objects in the slots they hold, the other slots empty.
ObjectTables tablesOf(const DesignModel& design, const std::vector<ObjectRef>& objects) {
    ObjectTables chosen;
    for (const ObjectRef& object : objects) {
        ObjectTable& table = chosen[int(object.kind)];
        table.records[object.slot] = design.record(object);
        table.count = std::max(table.count, object.slot + 1);
    }
    return chosen;
}

KindRecords recordsIn(const ObjectTables& tables) {
    KindRecords records;
    for (const ObjectKind kind : AllKinds) {
        const ObjectTable& table = tables[int(kind)];
        for (int slot = 0; slot < table.count; ++slot)
            if (table.records[slot].inUse()) records.emplace_back(kind, table.records[slot]);
    }
    return records;
}

bool liesOn(const LiveObject& object, int offset, const LiveObject& other) {
    return object.left + offset == other.left && object.top + offset == other.top &&
           object.width == other.width && object.height == other.height;
}

// The first multiple of gridStep by which no pasted object lies exactly on a
// placed one; each multiple tried lines a pair up, so the search ends.
int freeOffset(const std::vector<LiveObject>& placed, const std::vector<LiveObject>& pasted,
               int gridStep) {
    const auto covers = [&](int offset) {
        return std::any_of(pasted.begin(), pasted.end(), [&](const LiveObject& object) {
            return std::any_of(placed.begin(), placed.end(), [&](const LiveObject& other) {
                return liesOn(object, offset, other);
            });
        });
    };
    int offset = 0;
    while (gridStep > 0 && covers(offset)) offset += gridStep;
    return offset;
}

// Names the record as a new object in the slot it takes in table, which
// then holds it; past the last slot the paste is refused anyway.
void placeAsNew(ObjectKind kind, ObjectRecord& record, ObjectTable& table,
                std::vector<std::string>& takenNames) {
    const int slot = freeSlotIn(table);
    const std::string prefix = kindInfo(kind).namePrefix;
    record.fields[Name] = prefix + std::to_string(firstFreeNumber(prefix, slot, takenNames));
    takenNames.push_back(record.fields[Name]);
    if (slot >= ObjectTable::SlotCount) return;
    table.records[slot] = record;
    table.count = std::max(table.count, slot + 1);
}

}  // namespace

KindRecords recordsOf(const DesignModel& design, const std::vector<ObjectRef>& objects) {
    return recordsIn(tablesOf(design, objects));
}

std::string objectsText(const DesignModel& design, const std::vector<ObjectRef>& objects) {
    return writeObjectLines(tablesOf(design, objects));
}

std::optional<KindRecords> objectsOfText(const std::string& text) {
    if (text.size() > MaxObjectsTextBytes) return std::nullopt;
    const std::optional<ObjectTables> tables = readObjectLines(text, fixedComponentNames());
    if (!tables) return std::nullopt;
    KindRecords records = recordsIn(*tables);
    if (records.empty()) return std::nullopt;
    return records;
}

KindRecords pastedRecords(const DesignModel& design, KindRecords objects, int gridStep) {
    std::vector<LiveObject> pasted;
    for (const auto& [kind, record] : objects) pasted.push_back(liveObjectOf(kind, 0, record));
    const int offset = freeOffset(design.liveObjects(), pasted, gridStep);
    ObjectTables tables = design.tables();
    std::vector<std::string> takenNames = design.namesOtherThan(std::nullopt);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        auto& [kind, record] = objects[i];
        record.fields[Xpos] = std::to_string(pasted[i].left + offset);
        record.fields[Ypos] = std::to_string(pasted[i].top + offset);
        placeAsNew(kind, record, tables[int(kind)], takenNames);
    }
    return objects;
}

}  // namespace tz

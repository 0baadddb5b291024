#pragma once
// Design objects on the clipboard: as text, the project file's object lines,
// so that any running instance can paste them; and the records a paste adds.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/DesignModel.h"

namespace tz {

// The clipboard format of design objects, the program's own.
inline constexpr const char* ObjectsMimeType = "application/x-tarvelo-zuva-objects";
// A larger text is refused unread, so that a hostile one costs little.
inline constexpr std::size_t MaxObjectsTextBytes = std::size_t(4) << 20;

using KindRecords = std::vector<std::pair<ObjectKind, ObjectRecord>>;

// The objects' records in kind and slot order.
KindRecords recordsOf(const DesignModel& design, const std::vector<ObjectRef>& objects);
std::string objectsText(const DesignModel& design, const std::vector<ObjectRef>& objects);
// Nothing for a text objectsText could not have written.
std::optional<KindRecords> objectsOfText(const std::string& text);

// The records a paste of objects adds: each with its kind's first free name
// for the slot it takes, as a new object gets; all moved on by gridStep while
// any would lie exactly on an object of design.
KindRecords pastedRecords(const DesignModel& design, KindRecords objects, int gridStep);

}  // namespace tz

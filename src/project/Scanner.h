#pragma once
// Rebuilds the imports text and the class table from Java source: one pass,
// character by character, splitting the source into classes and methods and
// reformatting method bodies on the way.
#include <functional>
#include <string>
#include <vector>

#include "project/Project.h"

namespace tz {

struct ScanTreeItem {
    int level = 1;  // 1: "Imports" or a class, 2: a method
    std::string text;
    bool operator==(const ScanTreeItem&) const = default;
};

struct ScanResult {
    bool ok = true;
    std::string message;  // why the source was refused
    // Where the source ended early (inside a comment, a literal, a class or a
    // method), empty when it ended outside all of them. What was read is kept.
    std::string endedEarly;
    // The project tree as the scan found it, in display order (when ok).
    std::vector<ScanTreeItem> treeItems;
};

// Called every few milliseconds of work with the position reached.
using ScanProgress = std::function<void(std::size_t position, std::size_t length)>;

// Scans source into a copy of the project's class table and imports text and
// takes them over only when the scan succeeds; a source that does not fit
// the tables leaves the project as it was. The current class and slot and
// the paths are not touched.
ScanResult scanJavaSource(Project& project, const std::string& source,
                          const ScanProgress& progress = {});

}  // namespace tz

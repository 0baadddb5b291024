#pragma once
// The project file (.tzp): an INI-like head followed by a line stream with
// the run parameters, the design objects, the imports text and the class
// table. Writing and reading are pure functions over bytes; reading checks
// the whole file before it hands anything back, so a caller can apply a
// project all at once or not at all.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "designer/DesignObjects.h"
#include "platform/SafeFile.h"
#include "project/Project.h"
#include "settings/ProjectOptions.h"

namespace tz {

inline constexpr const char* CorruptProjectMessage = "This project file is corrupt!";

// Everything a project file holds.
struct ProjectFileContent {
    Project project;       // class count, slots, last slot indices, imports text
    ObjectTables objects;  // indexed by ObjectKind
    int appletWidth = 410;
    int appletHeight = 316;
    ProjectOptions options;
};

struct ProjectFileReading {
    // Set when the whole file was accepted.
    std::optional<ProjectFileContent> content;
    // The head's class name, which names the Java source file.
    std::string javaClassName;
    // Why the file was refused: the corrupt-file message or a record's message.
    std::string error;
};

std::string writeProjectFile(const ProjectFileContent& content);

// Reads a whole file. The class table starts from current, so that slots and
// classes the file does not fill keep what they held; fixedNames are the
// design window's own component names, which no object may take.
ProjectFileReading readProjectFile(const std::string& bytes, const Project& current,
                                   const std::vector<std::string>& fixedNames);

// The design objects alone, as a project file holds them: the "[Objects]"
// section of their counts and the "[Applet]" section of their lines.
std::string writeObjectLines(const ObjectTables& objects);
// Objects checked as a project file's; nothing for a text that holds
// anything else or more.
std::optional<ObjectTables> readObjectLines(const std::string& text,
                                            const std::vector<std::string>& fixedNames);

// The file's directory, the class name and ".java".
std::string javaSourcePathFor(const std::string& projectPath, const std::string& className);

// File level, as saveFileBytes: the error text of a file not written, if any.
std::optional<std::string> saveProjectFile(const std::string& path,
                                           const ProjectFileContent& content);

}  // namespace tz

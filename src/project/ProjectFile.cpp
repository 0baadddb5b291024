#include "project/ProjectFile.h"

#include "designer/DesignRules.h"

#include <algorithm>
#include <cctype>

#include "platform/Conversions.h"
#include "platform/ProfileFile.h"
#include "platform/SafeFile.h"
#include "platform/TextBytes.h"
#include "project/NameHelpers.h"
#include "project/ProjectFileLines.h"

namespace tz {
namespace {

const char* const LineBreak = "\r\n";
const char* const BodyEnd = "[]";

// Head keys of the object counts, in kind order.
constexpr std::array<const char*, AllKinds.size()> ObjectCountKeys = {"Buttons", "Labels",
                                                                      "Textfields", "Images"};
constexpr std::array<const char*, 5> OptionKeys = {"optimize", "AddApplet", "cWithout", "autoBCOL",
                                                   "paintOnce"};

std::string withoutTrailingWhite(std::string text) {
    while (!text.empty() && isBlankByte(text.back())) text.pop_back();
    return text;
}

// A text that must stay on one line: its line breaks become blanks.
std::string asOneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::array<bool*, 5> optionFlags(ProjectOptions& options) {
    return {&options.optimize, &options.addAppletObjects, &options.withoutLineBreaks,
            &options.automaticBackground, &options.dynamicObjects};
}

std::array<bool, 5> optionFlags(const ProjectOptions& options) {
    return {options.optimize, options.addAppletObjects, options.withoutLineBreaks,
            options.automaticBackground, options.dynamicObjects};
}

// ---------------------------------------------------------------- writing

class FileWriter {
  public:
    void line(std::string_view text) {
        bytes_ += text;
        bytes_ += LineBreak;
    }
    void escapedLine(std::string_view text, LineRole role) {
        if (needsEscape(text, role)) bytes_ += '\\';
        line(text);
    }
    void entry(std::string_view key, std::string_view value) {
        bytes_ += key;
        bytes_ += '=';
        line(value);
    }
    void entry(std::string_view key, int value) { entry(key, std::to_string(value)); }
    void entry(std::string_view key, bool value) {
        entry(key, std::string_view(value ? "true" : "false"));
    }
    // Each line of a text, escaped for its role.
    void text(std::string_view text, LineRole role) {
        forEachLine(text, [&](std::string_view piece) { escapedLine(piece, role); });
    }

    std::string take() { return std::move(bytes_); }

  private:
    std::string bytes_;
};

int objectsInUse(const ObjectTable& table) {
    const int used = std::clamp(table.count, 0, ObjectTable::SlotCount);
    return static_cast<int>(std::count_if(table.records.begin(), table.records.begin() + used,
                                          [](const ObjectRecord& r) { return r.inUse(); }));
}

void writeHead(FileWriter& out, const ProjectFileContent& content) {
    const Project& project = content.project;
    out.line("[Java]");
    out.entry("classname", asOneLine(project.slot(1, 0).name));
    out.entry("classes", project.classCount());
    out.entry("width", content.appletWidth);
    out.entry("height", content.appletHeight);
    out.line("[Gcount]");
    for (int n = 1; n <= project.classCount(); ++n)
        out.entry(std::to_string(n), project.lastSlot(n));
    out.line("[Options]");
    const auto flags = optionFlags(content.options);
    for (std::size_t i = 0; i < flags.size(); ++i) out.entry(OptionKeys[i], flags[i]);
    out.entry("BCOL", content.options.colourIndex);
    out.line("[Param]");
    out.entry("Params", static_cast<int>(content.options.parameters.size()) + 1);
    for (const RunParameter& parameter : content.options.parameters) {
        out.escapedLine(asOneLine(parameter.name), LineRole::Parameter);
        out.escapedLine(asOneLine(parameter.value), LineRole::Parameter);
    }
}

// The last head section, the objects' counts, and the objects' lines.
void writeObjects(FileWriter& out, const ObjectTables& objects) {
    out.line("[Objects]");
    for (const ObjectKind kind : AllKinds) {
        const auto k = static_cast<std::size_t>(kind);
        out.entry(ObjectCountKeys[k], objectsInUse(objects[k]));
    }
    out.line("[Applet]");
    for (const ObjectTable& table : objects) {
        const int used = std::clamp(table.count, 0, ObjectTable::SlotCount);
        for (int slot = 0; slot < used; ++slot) {
            const ObjectRecord& record = table.records[slot];
            if (!record.inUse()) continue;
            for (const std::string& field : record.fields) out.line(asOneLine(field));
        }
    }
}

void writeClassTable(FileWriter& out, const Project& project) {
    out.line("[Uses]");
    out.text(withoutLeadingWhite(project.imports), LineRole::Imports);
    for (int n = 1; n <= project.classCount(); ++n) {
        for (int s = 0; s <= project.lastSlot(n); ++s) {
            const MethodSlot& slot = project.slot(n, s);
            out.line(BodyEnd);
            out.line(asOneLine(slot.name));
            out.line(asOneLine(slot.declaration));
            out.text(withoutLeadingWhite(slot.body), LineRole::Body);
        }
    }
    out.line(BodyEnd);
}

// ---------------------------------------------------------------- reading

// Ends a read with the message the user sees.
struct Refusal {
    std::string message;
};

[[noreturn]] void refuseCorrupt() {
    throw Refusal{CorruptProjectMessage};
}

int checkedCount(int count, int capacity) {
    if (count < 0 || count > capacity) refuseCorrupt();
    return count;
}

int checkedSize(int size, IntRange range) {
    if (!range.contains(size)) refuseCorrupt();
    return size;
}

using ObjectCounts = std::array<int, AllKinds.size()>;

struct Head {
    std::string className;
    int parameterRows = 1;  // the grid's rows, title row included
    ObjectCounts objectCounts{};
};

// The head's values as an INI reader finds them. Lookups go to the part of
// the file up to the "[Applet]" line, which ends every head section before
// it, and to the whole file only for a value that part lacks, so that the
// bodies of a large file are not gathered into the index.
class HeadValues {
  public:
    explicit HeadValues(const std::string& bytes)
        : bytes_(bytes), head_(ProfileFile::fromBytes(headPart(bytes))) {}

    std::optional<std::string> value(const std::string& section, const std::string& key) const {
        if (auto found = head_.value(section, key)) return found;
        if (head_.bytes().size() == bytes_.size()) return std::nullopt;
        if (!whole_) whole_ = ProfileFile::fromBytes(bytes_);
        return whole_->value(section, key);
    }
    std::string text(const std::string& section, const std::string& key,
                     const std::string& fallback) const {
        return value(section, key).value_or(fallback);
    }
    int number(const std::string& section, const std::string& key, int fallback) const {
        const auto found = value(section, key);
        return found ? parseProfileInt(*found).value_or(fallback) : fallback;
    }

  private:
    static std::string headPart(const std::string& bytes) {
        LineStream lines(bytes);
        if (!lines.skipPast("[Applet]")) return bytes;
        return bytes.substr(0, lines.position());
    }

    const std::string& bytes_;
    ProfileFile head_;
    mutable std::optional<ProfileFile> whole_;
};

ObjectCounts objectCounts(const HeadValues& profile) {
    ObjectCounts counts{};
    for (std::size_t k = 0; k < AllKinds.size(); ++k)
        counts[k] =
            checkedCount(profile.number("Objects", ObjectCountKeys[k], 0), ObjectTable::SlotCount);
    return counts;
}

Head readHead(const std::string& bytes, ProjectFileContent& content) {
    const HeadValues profile(bytes);
    Head head;
    // The name becomes part of the Java source's path.
    const auto className = profile.value("Java", "classname");
    if (!className || !isJavaIdentifier(*className)) refuseCorrupt();
    head.className = *className;

    ProjectOptions& options = content.options;
    const auto flags = optionFlags(options);
    for (std::size_t i = 0; i < flags.size(); ++i)
        *flags[i] = profile.text("Options", OptionKeys[i], "FALSE") == "true";
    const int colour = profile.number("Options", "BCOL", DefaultColourIndex);
    // A list selection outside the list selects nothing.
    options.colourIndex = isColourIndex(colour) ? colour : -1;
    head.parameterRows = profile.number("Param", "Params", 1);

    content.appletWidth = checkedSize(profile.number("Java", "width", 600), AppletWidthRange);
    content.appletHeight = checkedSize(profile.number("Java", "height", 400), AppletHeightRange);
    head.objectCounts = objectCounts(profile);

    Project& project = content.project;
    project.setClassCount(checkedCount(profile.number("Java", "classes", 1), Project::MaxClasses));
    for (int n = 1; n <= project.classCount(); ++n)
        project.setLastSlot(
            n, checkedCount(profile.number("Gcount", std::to_string(n), 1), Project::MaxMethods));
    return head;
}

std::string_view nextLine(LineStream& lines) {
    const auto line = lines.next();
    if (!line) refuseCorrupt();
    return *line;
}

void skipPast(LineStream& lines, std::string_view marker) {
    if (!lines.skipPast(marker)) refuseCorrupt();
}

// Lines up to the one that ends the text, each followed by CR LF, after an
// empty first line; trailing white space removed.
std::string gatherText(LineStream& lines, LineRole role) {
    const auto endsText = [role](std::string_view line) {
        return role == LineRole::Body ? line == BodyEnd : !line.empty() && line.front() == '[';
    };
    std::string text = LineBreak;
    for (std::string_view line = nextLine(lines); !endsText(line); line = nextLine(lines)) {
        text += unescapedLine(line, role);
        text += LineBreak;
    }
    return withoutTrailingWhite(std::move(text));
}

void readParameters(LineStream& lines, int rows, ProjectOptions& options) {
    skipPast(lines, "[Param]");
    nextLine(lines);  // the row count, already read from the head
    options.parameters.clear();
    for (int row = 1; row < rows; ++row) {
        RunParameter parameter;
        parameter.name = std::string(unescapedLine(nextLine(lines), LineRole::Parameter));
        parameter.value = std::string(unescapedLine(nextLine(lines), LineRole::Parameter));
        options.parameters.push_back(std::move(parameter));
    }
}

// The checks a record meets when its control is made: the Name as a
// component name, then the four numbers.
class RecordChecker {
  public:
    explicit RecordChecker(const std::vector<std::string>& fixedNames) : takenNames_(fixedNames) {}

    void check(const ObjectRecord& record) {
        const std::string& name = record.fields[Name];
        if (const auto refusal = componentNameError(name, takenNames_)) throw Refusal{*refusal};
        if (!name.empty()) takenNames_.push_back(name);
        for (const RecordField field : {Xpos, Ypos, Width, Height}) {
            const CheckedNumber number = numberIn(record.fields[field], fieldRange(field));
            if (!number.value) throw Refusal{number.error};
        }
    }

  private:
    std::vector<std::string> takenNames_;
};

void readObjects(LineStream& lines, const ObjectCounts& counts,
                 const std::vector<std::string>& fixedNames, ObjectTables& objects) {
    skipPast(lines, "[Applet]");
    RecordChecker checker(fixedNames);
    for (std::size_t k = 0; k < AllKinds.size(); ++k) {
        ObjectTable& table = objects[k];
        table = ObjectTable{};
        table.count = counts[k];
        for (int slot = 0; slot < table.count; ++slot) {
            ObjectRecord& record = table.records[slot];
            for (std::string& field : record.fields) field = nextLine(lines);
            checker.check(record);
        }
    }
}

void readClassTable(LineStream& lines, Project& project) {
    skipPast(lines, "[Uses]");
    project.imports = gatherText(lines, LineRole::Imports);
    for (int n = 1; n <= project.classCount(); ++n) {
        for (int s = 0; s <= project.lastSlot(n); ++s) {
            project.setName(n, s, std::string(nextLine(lines)));
            // Saving takes the Java source's path from this name.
            if (n == 1 && s == 0 && !isJavaIdentifier(project.slot(1, 0).name)) refuseCorrupt();
            project.setDeclaration(n, s, std::string(nextLine(lines)));
            project.setBody(n, s, gatherText(lines, LineRole::Body));
        }
    }
}

}  // namespace

std::string writeProjectFile(const ProjectFileContent& content) {
    FileWriter out;
    writeHead(out, content);
    writeObjects(out, content.objects);
    writeClassTable(out, content.project);
    return out.take();
}

ProjectFileReading readProjectFile(const std::string& bytes, const Project& current,
                                   const std::vector<std::string>& fixedNames) {
    ProjectFileReading reading;
    try {
        ProjectFileContent content;
        content.project = current;
        const Head head = readHead(bytes, content);
        LineStream lines(bytes);
        readParameters(lines, head.parameterRows, content.options);
        readObjects(lines, head.objectCounts, fixedNames, content.objects);
        readClassTable(lines, content.project);
        reading.javaClassName = head.className;
        reading.content = std::move(content);
    } catch (const Refusal& refusal) {
        reading.error = refusal.message;
    }
    return reading;
}

std::string writeObjectLines(const ObjectTables& objects) {
    FileWriter out;
    writeObjects(out, objects);
    return out.take();
}

std::optional<ObjectTables> readObjectLines(const std::string& text,
                                            const std::vector<std::string>& fixedNames) {
    LineStream lines(text);
    if (lines.next() != "[Objects]") return std::nullopt;
    try {
        ObjectTables objects;
        readObjects(lines, objectCounts(HeadValues(text)), fixedNames, objects);
        if (lines.next()) return std::nullopt;  // more than the objects
        return objects;
    } catch (const Refusal&) {
        return std::nullopt;
    }
}

std::string javaSourcePathFor(const std::string& projectPath, const std::string& className) {
    return directoryPart(projectPath) + className + ".java";
}

std::optional<std::string> saveProjectFile(const std::string& path,
                                           const ProjectFileContent& content) {
    return saveFileBytes(path, writeProjectFile(content));
}

}  // namespace tz

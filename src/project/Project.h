#pragma once
// The project held in memory: the class table with its fixed capacities, the
// imports text, what the editors show, and the project's paths and flags.
#include <array>
#include <string>
#include <vector>

namespace tz {

struct MethodSlot {
    std::string name;         // at most NameLength bytes
    std::string declaration;  // any length: a cut throws clause breaks the Java
    std::string body;         // CR LF line breaks, any length
};

struct ClassEntry {
    static constexpr int SlotCount = 41;
    std::array<MethodSlot, SlotCount> slotTable;
    int lastSlot = 0;  // the number of methods; slot 0 is the header
};

class Project {
  public:
    static constexpr int MaxClasses = 20;
    static constexpr int MaxMethods = ClassEntry::SlotCount - 1;
    static constexpr std::size_t NameLength = 50;
    static constexpr int ImportsEntry = 0;
    static constexpr const char* Untitled = "Untitled";

    Project();

    // The start-up project: NewClass with init and paint.
    void buildDefault();

    const MethodSlot& slot(int classIndex, int slotIndex) const;
    int lastSlot(int classIndex) const;
    void setLastSlot(int classIndex, int lastSlot);
    int classCount() const { return classCount_; }
    void setClassCount(int count);

    // Names are cut to NameLength here, without a report.
    void setName(int classIndex, int slotIndex, const std::string& name);
    void setDeclaration(int classIndex, int slotIndex, const std::string& declaration);
    void setBody(int classIndex, int slotIndex, std::string body);
    void fillSlot(int classIndex, int slotIndex, const std::string& name,
                  const std::string& declaration, std::string body);
    // Exchanges the class table, class count and imports text with another
    // project's, so that a rebuild can be done aside and taken over whole.
    void takeClassTable(Project& rebuilt);

    // The popup's enabling rules; the commands refuse what these refuse.
    bool canAddMethod() const;
    bool canAddClass() const;
    bool canDeleteMethod() const;
    bool canDeleteClass() const;
    // Each changes the current class and slot as the command does.
    bool addMethod();
    bool addClass();
    bool deleteMethod();
    bool deleteClass();
    // A method or class put in at its place, or taken out; the later ones
    // move. Undo and redo of the commands above; the current slot stays.
    const ClassEntry& classEntry(int classIndex) const { return classes_.at(classIndex); }
    void insertMethod(int classIndex, int slotIndex, const MethodSlot& method);
    void removeMethod(int classIndex, int slotIndex);
    void insertClass(int classIndex, const ClassEntry& entry);
    void removeClass(int classIndex);

    // The current slot's declaration changed: store it and the name derived
    // from it. Returns false for the Imports entry, which has no declaration.
    bool storeDeclaration(const std::string& declaration);
    void storeDeclarationAt(int classIndex, int slotIndex, const std::string& declaration);
    // The body editor's text goes to the current slot, or the imports text.
    void storeBody(std::string text);
    // What the editors show for the current class and slot.
    std::string shownBody() const;
    std::string shownDeclaration() const;
    // Tab captions of a class: "Name (class)", then its method names.
    std::vector<std::string> tabCaptions(int classIndex) const;

    static bool validClass(int classIndex) { return classIndex >= 0 && classIndex <= MaxClasses; }
    static bool validSlot(int slotIndex) { return slotIndex >= 0 && slotIndex <= MaxMethods; }

    int currentClass = 1;
    int currentSlot = 0;
    std::string imports;
    std::string projectPath = Untitled;
    std::string javaSourcePath = Untitled;
    bool compileFailed = true;

  private:
    MethodSlot& writableSlot(int classIndex, int slotIndex);

    std::array<ClassEntry, MaxClasses + 1> classes_;
    int classCount_ = 1;
};

// Current class and slot for the n-th tree item (1-based, display order of
// all items, collapsed ones included), given each item's level (1 or 2).
struct SlotPosition {
    int classIndex = 0;
    int slot = 0;
};
SlotPosition positionOfTreeItem(const std::vector<int>& itemLevels, int itemNumber);

// Directory part of a path: up to and including the last '/'.
std::string directoryPart(const std::string& path);

}  // namespace tz

#include "project/Project.h"

#include <algorithm>
#include <stdexcept>

#include "platform/TextBytes.h"
#include "project/NameHelpers.h"

namespace tz {

namespace {
const char* const DefaultImports = "import java.applet.*;\r\nimport java.awt.*;";
}

Project::Project() {
    buildDefault();
}

void Project::buildDefault() {
    currentClass = 1;
    currentSlot = 0;
    classCount_ = 1;
    classes_[1].lastSlot = 2;
    fillSlot(1, 0, "NewClass", "public class NewClass extends Applet", "// NewClass code");
    fillSlot(1, 1, "init", "public void init()", "// init code");
    fillSlot(1, 2, "paint", "public void paint(Graphics g)", "// paint code");
    setName(ImportsEntry, 0, "Imports");
    imports = DefaultImports;
    projectPath = Untitled;
    javaSourcePath = Untitled;
}

const MethodSlot& Project::slot(int classIndex, int slotIndex) const {
    if (!validClass(classIndex) || !validSlot(slotIndex)) throw std::out_of_range("class table");
    return classes_[classIndex].slotTable[slotIndex];
}

MethodSlot& Project::writableSlot(int classIndex, int slotIndex) {
    if (!validClass(classIndex) || !validSlot(slotIndex)) throw std::out_of_range("class table");
    return classes_[classIndex].slotTable[slotIndex];
}

int Project::lastSlot(int classIndex) const {
    if (!validClass(classIndex)) throw std::out_of_range("class table");
    return classes_[classIndex].lastSlot;
}

void Project::setLastSlot(int classIndex, int lastSlot) {
    if (!validClass(classIndex) || !validSlot(lastSlot)) throw std::out_of_range("class table");
    classes_[classIndex].lastSlot = lastSlot;
}

void Project::setClassCount(int count) {
    if (count < 0 || count > MaxClasses) throw std::out_of_range("class table");
    classCount_ = count;
}

void Project::setName(int classIndex, int slotIndex, const std::string& name) {
    writableSlot(classIndex, slotIndex).name = cutText(name, NameLength);
}

void Project::setDeclaration(int classIndex, int slotIndex, const std::string& declaration) {
    writableSlot(classIndex, slotIndex).declaration = declaration;
}

void Project::setBody(int classIndex, int slotIndex, std::string body) {
    writableSlot(classIndex, slotIndex).body = std::move(body);
}

void Project::fillSlot(int classIndex, int slotIndex, const std::string& name,
                       const std::string& declaration, std::string body) {
    setName(classIndex, slotIndex, name);
    setDeclaration(classIndex, slotIndex, declaration);
    setBody(classIndex, slotIndex, std::move(body));
}

void Project::takeClassTable(Project& rebuilt) {
    std::swap(classes_, rebuilt.classes_);
    std::swap(classCount_, rebuilt.classCount_);
    std::swap(imports, rebuilt.imports);
}

bool Project::canAddMethod() const {
    return currentClass >= 1 && currentClass <= classCount_ && lastSlot(currentClass) < MaxMethods;
}

bool Project::canAddClass() const {
    return classCount_ < MaxClasses;
}

bool Project::canDeleteMethod() const {
    return validClass(currentClass) && lastSlot(currentClass) >= 1 && currentSlot != 0 &&
           currentSlot <= lastSlot(currentClass);
}

bool Project::canDeleteClass() const {
    return classCount_ >= 1 && currentClass != ImportsEntry && currentClass <= classCount_;
}

bool Project::addMethod() {
    if (!canAddMethod()) return false;
    const int slotIndex = lastSlot(currentClass) + 1;
    setLastSlot(currentClass, slotIndex);
    currentSlot = slotIndex;
    fillSlot(currentClass, slotIndex, "NewInterface", "public void NewInterface() ",
             "// NewInterface Code");
    return true;
}

bool Project::addClass() {
    if (!canAddClass()) return false;
    ++classCount_;
    currentClass = classCount_;
    currentSlot = 0;
    setLastSlot(currentClass, 0);
    fillSlot(currentClass, 0, "NewClass", "public class NewClass extends Applet",
             "// NewClass Code");
    return true;
}

bool Project::deleteMethod() {
    if (!canDeleteMethod()) return false;
    removeMethod(currentClass, currentSlot);
    // The deleted method was the last one: select the one before it.
    currentSlot = std::min(currentSlot, lastSlot(currentClass));
    return true;
}

bool Project::deleteClass() {
    if (!canDeleteClass()) return false;
    removeClass(currentClass);
    currentClass = classCount_;
    currentSlot = 0;
    return true;
}

void Project::insertMethod(int classIndex, int slotIndex, const MethodSlot& method) {
    ClassEntry& entry = classes_.at(classIndex);
    if (entry.lastSlot >= MaxMethods || slotIndex < 1 || slotIndex > entry.lastSlot + 1) return;
    std::move_backward(entry.slotTable.begin() + slotIndex,
                       entry.slotTable.begin() + entry.lastSlot + 1,
                       entry.slotTable.begin() + entry.lastSlot + 2);
    entry.slotTable[slotIndex] = method;
    ++entry.lastSlot;
}

void Project::removeMethod(int classIndex, int slotIndex) {
    ClassEntry& entry = classes_.at(classIndex);
    if (slotIndex < 1 || slotIndex > entry.lastSlot) return;
    std::move(entry.slotTable.begin() + slotIndex + 1, entry.slotTable.begin() + entry.lastSlot + 1,
              entry.slotTable.begin() + slotIndex);
    --entry.lastSlot;
}

void Project::insertClass(int classIndex, const ClassEntry& entry) {
    if (classCount_ >= MaxClasses || classIndex < 1 || classIndex > classCount_ + 1) return;
    std::move_backward(classes_.begin() + classIndex, classes_.begin() + classCount_ + 1,
                       classes_.begin() + classCount_ + 2);
    classes_[classIndex] = entry;
    ++classCount_;
}

void Project::removeClass(int classIndex) {
    if (classIndex < 1 || classIndex > classCount_) return;
    std::move(classes_.begin() + classIndex + 1, classes_.begin() + classCount_ + 1,
              classes_.begin() + classIndex);
    --classCount_;
}

bool Project::storeDeclaration(const std::string& declaration) {
    if (currentClass == ImportsEntry) return false;
    storeDeclarationAt(currentClass, currentSlot, declaration);
    return true;
}

void Project::storeDeclarationAt(int classIndex, int slotIndex, const std::string& declaration) {
    setDeclaration(classIndex, slotIndex, declaration);
    const std::string& stored = slot(classIndex, slotIndex).declaration;
    setName(classIndex, slotIndex,
            slotIndex == 0 ? declaredClassName(stored) : declaredMethodName(stored));
    if (classIndex == 1 && slotIndex == 0)
        javaSourcePath = directoryPart(javaSourcePath) + slot(1, 0).name + ".java";
}

void Project::storeBody(std::string text) {
    if (currentClass == ImportsEntry) {
        imports = std::move(text);
    } else {
        setBody(currentClass, currentSlot, std::move(text));
    }
}

std::string Project::shownBody() const {
    if (currentClass == ImportsEntry) return withoutLeadingWhite(imports);
    return withoutLeadingWhite(slot(currentClass, currentSlot).body);
}

std::string Project::shownDeclaration() const {
    if (currentClass == ImportsEntry) return "Imports";
    return withoutLeadingWhite(slot(currentClass, currentSlot).declaration);
}

std::vector<std::string> Project::tabCaptions(int classIndex) const {
    std::vector<std::string> captions;
    if (classIndex == ImportsEntry) return captions;
    captions.push_back(slot(classIndex, 0).name + " (class)");
    for (int s = 1; s <= lastSlot(classIndex); ++s) captions.push_back(slot(classIndex, s).name);
    return captions;
}

SlotPosition positionOfTreeItem(const std::vector<int>& itemLevels, int itemNumber) {
    SlotPosition position;
    const int last = std::min<int>(itemNumber, static_cast<int>(itemLevels.size()));
    for (int n = 2; n <= last; ++n) {
        if (itemLevels[n - 1] == 1) {
            ++position.classIndex;
            position.slot = 0;
        } else {
            ++position.slot;
        }
    }
    return position;
}

std::string directoryPart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace tz

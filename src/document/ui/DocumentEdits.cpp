#include "document/ui/DocumentEdits.h"

#include <QSize>
#include <QUndoCommand>
#include <QUndoStack>

#include "designer/DesignRules.h"
#include "document/ProjectDocument.h"
#include "platform/TextBytes.h"

namespace tz {

namespace {

enum StepId { AppletSizeStepId = 1, DeclarationStepId };

QString nameOf(const ObjectRecord& record) {
    return displayLine(record.fields[Name]);
}

// Slots of the kinds' tables and the kinds' slot counts, changed by the
// edits before the step is pushed. The step's objects still in use
// afterwards are the selection, unless the selection held them all already.
class SlotsStep : public QUndoCommand {
  public:
    SlotsStep(DesignModel& design, std::vector<SlotChange> changes, std::vector<ObjectRef> objects,
              const QString& text)
        : QUndoCommand(text),
          design_(design),
          changes_(std::move(changes)),
          objects_(std::move(objects)) {
        if (!std::ranges::all_of(
                objects_, [&](const ObjectRef& object) { return design_.isSelected(object); }))
            select();
    }

    void redo() override {
        if (std::exchange(alreadyDone_, false)) return;
        for (const SlotChange& change : changes_)
            design_.restoreSlot(change.object, change.after, change.countAfter);
        select();
    }
    void undo() override {
        for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
            design_.restoreSlot(change->object, change->before, change->countBefore);
        select();
    }

  private:
    void select() { design_.setSelection(objects_); }

    DesignModel& design_;
    std::vector<SlotChange> changes_;
    std::vector<ObjectRef> objects_;
    bool alreadyDone_ = true;
};

class AppletSizeStep : public QUndoCommand {
  public:
    AppletSizeStep(DesignModel& design, QSize after)
        : QUndoCommand("Resize Applet"),
          design_(design),
          before_(design.appletWidth(), design.appletHeight()),
          after_(after) {}

    void redo() override { design_.setAppletSize(after_.width(), after_.height()); }
    void undo() override { design_.setAppletSize(before_.width(), before_.height()); }
    int id() const override { return AppletSizeStepId; }
    bool mergeWith(const QUndoCommand* other) override {
        after_ = static_cast<const AppletSizeStep*>(other)->after_;
        return true;
    }

  private:
    DesignModel& design_;
    QSize before_;
    QSize after_;
};

class OptionsStep : public QUndoCommand {
  public:
    OptionsStep(ProjectDocument& document, const ProjectOptions& after, QSize sizeAfter)
        : QUndoCommand("Change Options"),
          document_(document),
          before_(document.options()),
          after_(after),
          sizeBefore_(document.design().appletWidth(), document.design().appletHeight()),
          sizeAfter_(sizeAfter) {}

    void redo() override { apply(after_, sizeAfter_); }
    void undo() override { apply(before_, sizeBefore_); }

  private:
    void apply(const ProjectOptions& options, QSize size) {
        document_.setOptions(options);
        document_.design().setAppletSize(size.width(), size.height());
    }

    ProjectDocument& document_;
    ProjectOptions before_;
    ProjectOptions after_;
    QSize sizeBefore_;
    QSize sizeAfter_;
};

SlotPosition currentPosition(const Project& project) {
    return {project.currentClass, project.currentSlot};
}

// A tree command, done by the project before the step is pushed; undo puts
// the class table and the current slot back.
class TreeStep : public QUndoCommand {
  public:
    TreeStep(ProjectDocument& document, const QString& text, SlotPosition before)
        : QUndoCommand(text),
          document_(document),
          before_(before),
          after_(currentPosition(document.project())) {}

    void redo() override {
        if (std::exchange(alreadyDone_, false)) return;
        put(true);
        show(after_);
    }
    void undo() override {
        put(false);
        show(before_);
    }

  protected:
    // Forward as the command went, or back.
    virtual void put(bool forward) = 0;
    Project& project() { return document_.project(); }

  private:
    void show(SlotPosition position) {
        project().currentClass = position.classIndex;
        project().currentSlot = position.slot;
        document_.noteClassTableRestored();
    }

    ProjectDocument& document_;
    SlotPosition before_;
    SlotPosition after_;
    bool alreadyDone_ = true;
};

class MethodStep : public TreeStep {
  public:
    MethodStep(ProjectDocument& document, const QString& text, SlotPosition before,
               SlotPosition method, MethodSlot content, bool added)
        : TreeStep(document, text, before),
          method_(method),
          content_(std::move(content)),
          added_(added) {}

  protected:
    // What was typed into the method since comes back with a redo.
    void put(bool forward) override {
        if (forward == added_) {
            project().insertMethod(method_.classIndex, method_.slot, content_);
            return;
        }
        content_ = project().slot(method_.classIndex, method_.slot);
        project().removeMethod(method_.classIndex, method_.slot);
    }

  private:
    SlotPosition method_;
    MethodSlot content_;
    bool added_;
};

class ClassStep : public TreeStep {
  public:
    ClassStep(ProjectDocument& document, const QString& text, SlotPosition before,
              MethodSlot headerBefore, int classIndex, ClassEntry content, bool added)
        : TreeStep(document, text, before),
          classIndex_(classIndex),
          content_(std::move(content)),
          added_(added),
          headerBefore_(std::move(headerBefore)),
          headerAfter_(document.project().slot(1, 0)) {}

  protected:
    void put(bool forward) override {
        if (forward == added_) {
            project().insertClass(classIndex_, content_);
        } else {
            content_ = project().classEntry(classIndex_);
            project().removeClass(classIndex_);
        }
        // The file names the first class also when none is left.
        if (project().classCount() == 0) {
            const MethodSlot& header = forward ? headerAfter_ : headerBefore_;
            project().fillSlot(1, 0, header.name, header.declaration, header.body);
        }
    }

  private:
    int classIndex_;
    ClassEntry content_;
    bool added_;
    MethodSlot headerBefore_;
    MethodSlot headerAfter_;
};

// Stored by the editor before the step is pushed, at every key.
class DeclarationStep : public QUndoCommand {
  public:
    DeclarationStep(ProjectDocument& document, SlotPosition slot, std::string before)
        : QUndoCommand("Edit Declaration"),
          document_(document),
          slot_(slot),
          before_(std::move(before)),
          after_(document.project().slot(slot.classIndex, slot.slot).declaration) {}

    void redo() override {
        if (!std::exchange(alreadyDone_, false)) store(after_);
    }
    void undo() override { store(before_); }
    int id() const override { return DeclarationStepId; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const DeclarationStep*>(other);
        if (next->slot_.classIndex != slot_.classIndex || next->slot_.slot != slot_.slot)
            return false;
        after_ = next->after_;
        return true;
    }

  private:
    void store(const std::string& declaration) {
        Project& project = document_.project();
        project.storeDeclarationAt(slot_.classIndex, slot_.slot, declaration);
        project.currentClass = slot_.classIndex;
        project.currentSlot = slot_.slot;
        document_.noteClassTableRestored();
    }

    ProjectDocument& document_;
    SlotPosition slot_;
    std::string before_;
    std::string after_;
    bool alreadyDone_ = true;
};

}  // namespace

DocumentEdits::DocumentEdits(ProjectDocument& document, QUndoStack& history)
    : document_(document), history_(history) {}

DesignModel& DocumentEdits::design() {
    return document_.design();
}

std::optional<std::string> DocumentEdits::change(const ObjectRef& object,
                                                 const ObjectRecord& record, bool adding) {
    DesignModel& model = design();
    if (object.slot >= ObjectTable::SlotCount) return capacityError();
    const bool adds = object.slot >= model.table(object.kind).count;
    const ObjectRecord before = adds ? ObjectRecord() : model.record(object);
    if (adding || record.inUse())
        if (auto refusal = model.recordError(adding ? std::nullopt : std::optional(object), record))
            return refusal;
    const int countBefore = model.table(object.kind).count;
    const int countAfter = std::max(countBefore, object.slot + 1);
    model.restoreSlot(object, record, countAfter);
    if (adding) model.markMadeHere(object);
    pending_.push_back({object, before, record, countBefore, countAfter});
    return std::nullopt;
}

std::optional<std::string> DocumentEdits::finish(std::optional<std::string> refusal,
                                                 const QString& action,
                                                 std::vector<ObjectRef> objects) {
    std::vector<SlotChange> changes = std::exchange(pending_, {});
    if (refusal) {
        for (auto done = changes.rbegin(); done != changes.rend(); ++done)
            design().restoreSlot(done->object, done->before, done->countBefore);
        return refusal;
    }
    if (changes.empty()) return std::nullopt;
    const SlotChange& first = changes.front();
    const QString text =
        changes.size() == 1
            ? action + " " + nameOf(first.before.inUse() ? first.before : first.after)
            : QString("%1 %2 Objects").arg(action).arg(changes.size());
    if (objects.empty())
        for (const SlotChange& change : changes) objects.push_back(change.object);
    history_.push(new SlotsStep(design(), std::move(changes), std::move(objects), text));
    return std::nullopt;
}

std::optional<std::string> DocumentEdits::addObject(ObjectKind kind, const ObjectRecord& record) {
    return addObjects({{kind, record}}, "Create");
}

std::optional<std::string> DocumentEdits::addObjects(
    const std::vector<std::pair<ObjectKind, ObjectRecord>>& objects, const QString& action) {
    std::optional<std::string> refusal;
    for (const auto& [kind, record] : objects)
        if ((refusal = change({kind, design().freeSlot(kind)}, record, true))) break;
    return finish(std::move(refusal), action);
}

std::optional<std::string> DocumentEdits::setRecord(const ObjectRef& object,
                                                    const ObjectRecord& record,
                                                    const QString& action) {
    if (auto refusal = design().recordError(object, record)) return refusal;
    std::optional<std::string> refusal;
    if (record != design().record(object)) refusal = change(object, record, false);
    return finish(std::move(refusal), action);
}

std::optional<std::string> DocumentEdits::editObject(
    const ObjectRef& object, const QString& action,
    const std::function<std::optional<std::string>(LiveObject&)>& edit) {
    LiveObject live = liveObjectOf(object.kind, object.slot, design().record(object));
    std::optional<std::string> refusal = edit(live);
    if (auto refused = setRecord(object, recordOf(live), action)) return refused;
    return refusal;
}

std::optional<std::string> DocumentEdits::editObjects(
    std::vector<ObjectRef> objects, const QString& action,
    const std::function<void(std::vector<LiveObject>&)>& edit) {
    std::vector<LiveObject> live;
    for (const ObjectRef& object : objects)
        live.push_back(liveObjectOf(object.kind, object.slot, design().record(object)));
    edit(live);
    std::optional<std::string> refusal;
    for (std::size_t i = 0; i < objects.size() && !refusal; ++i) {
        const ObjectRecord record = recordOf(live[i]);
        if (record != design().record(objects[i])) refusal = change(objects[i], record, false);
    }
    return finish(std::move(refusal), action, std::move(objects));
}

void DocumentEdits::removeObject(const ObjectRef& object) {
    removeObjects({object});
}

void DocumentEdits::removeObjects(std::vector<ObjectRef> objects, const QString& action) {
    for (const ObjectRef& object : objects) {
        ObjectRecord removed = design().record(object);
        if (!removed.inUse()) continue;
        removed.fields[Name].clear();
        change(object, removed, false);
    }
    finish(std::nullopt, action);
}

QSize DocumentEdits::cappedSize(int width, int height) {
    const auto [cappedWidth, cappedHeight] = DesignModel::cappedAppletSize(width, height);
    return {cappedWidth, cappedHeight};
}

bool DocumentEdits::isAppletSize(QSize size) {
    return size == QSize(design().appletWidth(), design().appletHeight());
}

void DocumentEdits::setAppletSize(int width, int height) {
    const QSize size = cappedSize(width, height);
    if (!isAppletSize(size)) history_.push(new AppletSizeStep(design(), size));
}

void DocumentEdits::setOptions(const ProjectOptions& options, std::optional<int> width,
                               std::optional<int> height) {
    const QSize size = cappedSize(width.value_or(design().appletWidth()),
                                  height.value_or(design().appletHeight()));
    if (optionsAsShown(options) == document_.options() && isAppletSize(size)) return;
    history_.push(new OptionsStep(document_, options, size));
}

bool DocumentEdits::addMethod() {
    document_.takePendingEdits();
    Project& project = document_.project();
    const SlotPosition before = currentPosition(project);
    if (!project.addMethod()) return false;
    const SlotPosition added = currentPosition(project);
    history_.push(new MethodStep(document_, "Add Method", before, added,
                                 project.slot(added.classIndex, added.slot), true));
    return true;
}

bool DocumentEdits::deleteMethod() {
    document_.takePendingEdits();
    Project& project = document_.project();
    const SlotPosition before = currentPosition(project);
    if (!project.canDeleteMethod()) return false;
    MethodSlot deleted = project.slot(before.classIndex, before.slot);
    project.deleteMethod();
    history_.push(
        new MethodStep(document_, "Delete Method", before, before, std::move(deleted), false));
    return true;
}

bool DocumentEdits::addClass() {
    document_.takePendingEdits();
    Project& project = document_.project();
    const SlotPosition before = currentPosition(project);
    MethodSlot header = project.slot(1, 0);
    if (!project.addClass()) return false;
    const int added = project.classCount();
    history_.push(new ClassStep(document_, "Add Class", before, std::move(header), added,
                                project.classEntry(added), true));
    return true;
}

bool DocumentEdits::deleteClass() {
    document_.takePendingEdits();
    Project& project = document_.project();
    const SlotPosition before = currentPosition(project);
    if (!project.canDeleteClass()) return false;
    MethodSlot header = project.slot(1, 0);
    ClassEntry deleted = project.classEntry(before.classIndex);
    project.deleteClass();
    history_.push(new ClassStep(document_, "Delete Class", before, std::move(header),
                                before.classIndex, std::move(deleted), false));
    return true;
}

void DocumentEdits::storeDeclaration(const std::string& declaration) {
    Project& project = document_.project();
    const SlotPosition slot = currentPosition(project);
    if (slot.classIndex == Project::ImportsEntry) return;
    std::string before = project.slot(slot.classIndex, slot.slot).declaration;
    if (before == declaration) return;
    project.storeDeclaration(declaration);
    history_.push(new DeclarationStep(document_, slot, std::move(before)));
    document_.noteTextEdited();
}

}  // namespace tz

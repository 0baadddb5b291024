#pragma once
// The views' edits of the document as steps of the project's undo stack.
// A step keeps the state it changed before and after, never a copy of the
// project.
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/DesignModel.h"
#include "settings/ProjectOptions.h"

class QUndoStack;

namespace tz {

class ProjectDocument;

struct SlotChange {
    ObjectRef object;
    ObjectRecord before;
    ObjectRecord after;
    int countBefore = 0;
    int countAfter = 0;
};

class DocumentEdits {
  public:
    DocumentEdits(ProjectDocument& document, QUndoStack& history);

    ProjectDocument& document() { return document_; }
    DesignModel& design();

    // The edits return the message refusing them, or nothing when done.
    // A step's objects are the selection after it is done or undone.
    std::optional<std::string> addObject(ObjectKind kind, const ObjectRecord& record);
    // New objects in the first free slots of their kinds, as one step named
    // by action; a refusal of one refuses all.
    std::optional<std::string> addObjects(
        const std::vector<std::pair<ObjectKind, ObjectRecord>>& objects, const QString& action);
    // action names the step before the object's name: "Move", "Resize", "Edit".
    std::optional<std::string> setRecord(const ObjectRef& object, const ObjectRecord& record,
                                         const QString& action);
    // The object with its control's state changed by edit, as one step named
    // by action; edit's refusal comes back after the changes it made before.
    std::optional<std::string> editObject(
        const ObjectRef& object, const QString& action,
        const std::function<std::optional<std::string>(LiveObject&)>& edit);
    // Several objects changed by edit as one step that selects them all,
    // changed or not; a refusal of one refuses all.
    std::optional<std::string> editObjects(
        std::vector<ObjectRef> objects, const QString& action,
        const std::function<void(std::vector<LiveObject>&)>& edit);
    void removeObject(const ObjectRef& object);
    // By value: the selection they are often given changes as they go.
    // action names the step: "Delete", "Cut".
    void removeObjects(std::vector<ObjectRef> objects, const QString& action = "Delete");
    // Steps that follow each other, as while a window edge is dragged, are one.
    void setAppletSize(int width, int height);
    // The options dialog's OK, with the applet sizes it accepted.
    void setOptions(const ProjectOptions& options, std::optional<int> width,
                    std::optional<int> height);

    // The tree's commands on the current class and slot, as the project
    // does them, after the editors' pending text; false when refused.
    bool addMethod();
    bool addClass();
    bool deleteMethod();
    bool deleteClass();
    // The current slot's declaration; the edits of one slot that follow
    // each other are one step.
    void storeDeclaration(const std::string& declaration);

  private:
    static QSize cappedSize(int width, int height);
    bool isAppletSize(QSize size);
    // A slot changed now, for the step finish pushes, after the model's checks.
    std::optional<std::string> change(const ObjectRef& object, const ObjectRecord& record,
                                      bool adding);
    // Pushes the changes made as one step, or on a refusal puts them back;
    // the step selects objects, or else the objects it changed.
    std::optional<std::string> finish(std::optional<std::string> refusal, const QString& action,
                                      std::vector<ObjectRef> objects = {});

    ProjectDocument& document_;
    QUndoStack& history_;
    std::vector<SlotChange> pending_;
};

}  // namespace tz

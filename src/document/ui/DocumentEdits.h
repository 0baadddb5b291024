#pragma once
// The views' edits of the document as steps of the project's undo stack.
// A step keeps the state it changed before and after, never a copy of the
// project.
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "document/DesignModel.h"
#include "settings/ProjectOptions.h"

class QUndoStack;

namespace tz {

class ProjectDocument;

class DocumentEdits {
  public:
    DocumentEdits(ProjectDocument& document, QUndoStack& history);

    ProjectDocument& document() { return document_; }
    DesignModel& design();

    // The edits return the message refusing them, or nothing when done.
    std::optional<std::string> addObject(ObjectKind kind, const ObjectRecord& record);
    // action names the step before the object's name: "Move", "Resize", "Edit".
    std::optional<std::string> setRecord(const ObjectRef& object, const ObjectRecord& record,
                                         const QString& action);
    // The object with its control's state changed by edit, as one step named
    // by action; edit's refusal comes back after the changes it made before.
    std::optional<std::string> editObject(
        const ObjectRef& object, const QString& action,
        const std::function<std::optional<std::string>(LiveObject&)>& edit);
    void removeObject(const ObjectRef& object);
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
    void pushSlot(const ObjectRef& object, const ObjectRecord& after, int countAfter,
                  const QString& text);

    ProjectDocument& document_;
    QUndoStack& history_;
};

}  // namespace tz

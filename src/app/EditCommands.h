#pragma once
// The Edit menu's commands: undo and redo of the project's steps, or of the
// focused editor's typing; cut, copy and paste on the design objects while
// the design window is active, else on the focused editor.
#include <QObject>
#include <functional>

class CommandView;
class QAction;
class QUndoStack;
class QWidget;
namespace tz {
class ObjectClipboard;
class ProjectDocument;
}  // namespace tz

struct EditActions {
    QAction* undo;
    QAction* redo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* duplicate;
};

class EditCommands : public QObject {
    Q_OBJECT
  public:
    EditCommands(CommandView& view, tz::ProjectDocument& document, QUndoStack& history,
                 tz::ObjectClipboard& objects, std::function<bool()> designWindowActive,
                 QWidget* window);
    const EditActions& actions() const { return actions_; }

  private:
    // Both editors have the slots undo(), redo(), cut(), copy() and paste().
    void callFocusedEditor(const char* editorSlot);
    // The design objects' command while the design window is active and no
    // editor has the focus, else the focused editor's slot.
    void onObjectsOrEditor(void (tz::ObjectClipboard::*command)(), const char* editorSlot);
    void paste();
    // The focused editor's own, else the project's step.
    void undo();
    void redo();
    // The texts name the project's next steps; an editor's focus takes them over.
    void showSteps();
    void enableDuplicate();

    CommandView& view_;
    tz::ProjectDocument& document_;
    QUndoStack& history_;
    tz::ObjectClipboard& objects_;
    std::function<bool()> designWindowActive_;
    EditActions actions_;
};

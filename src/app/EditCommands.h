#pragma once
// The Edit menu's commands: undo and redo of the project's steps, or of the
// focused editor's typing; cut, copy and paste on the focused editor.
#include <QObject>

class CommandView;
class QAction;
class QUndoStack;
class QWidget;
namespace tz {
class ProjectDocument;
}

struct EditActions {
    QAction* undo;
    QAction* redo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
};

class EditCommands : public QObject {
    Q_OBJECT
  public:
    EditCommands(CommandView& view, tz::ProjectDocument& document, QUndoStack& history,
                 QWidget* window);
    const EditActions& actions() const { return actions_; }

  private:
    // Both editors have the slots undo(), redo(), cut(), copy() and paste().
    void callFocusedEditor(const char* editorSlot);
    void paste();
    // The focused editor's own, else the project's step.
    void undo();
    void redo();
    // The texts name the project's next steps; an editor's focus takes them over.
    void showSteps();

    CommandView& view_;
    tz::ProjectDocument& document_;
    QUndoStack& history_;
    EditActions actions_;
};

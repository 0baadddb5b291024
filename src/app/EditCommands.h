#pragma once
// The Edit menu's commands, on the focused editor of the main window.
#include <QObject>

class CommandView;
class QAction;
class QWidget;

struct EditActions {
    QAction* cut;
    QAction* copy;
    QAction* paste;
};

class EditCommands : public QObject {
    Q_OBJECT
  public:
    EditCommands(CommandView& view, QWidget* window);
    const EditActions& actions() const { return actions_; }

  private:
    // Both editors have the slots cut(), copy() and paste().
    void callFocusedEditor(const char* editorSlot);
    void paste();

    CommandView& view_;
    EditActions actions_;
};

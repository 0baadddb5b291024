#pragma once
// The main window, a view of the document: the menus and the toolbar built
// from the command groups' actions, the class tree with the method tabs, the
// declaration and body editors, the message memo, the status bar and the
// busy panels.
#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/CommandView.h"
#include "app/ToolbarGlyphs.h"
#include "document/ProjectDocument.h"
#include "project/ui/BodyEditor.h"

class BuildCommands;
class BusyPanels;
class EditCommands;
class FileCommands;
class LayoutCommands;
class RecentProjectsMenu;
class WindowCommands;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
namespace tz {
class ClassTreeView;
class DocumentEdits;
}  // namespace tz

struct CommandGroups {
    FileCommands& file;
    RecentProjectsMenu& recentProjects;
    EditCommands& edit;
    LayoutCommands& layout;
    BuildCommands& build;
    WindowCommands& windows;
};

class MainWindow : public QMainWindow, public CommandView {
    Q_OBJECT
  public:
    // makeCommands makes the command groups with this window as their view
    // and parent, before the menus and the toolbar are built from them.
    MainWindow(tz::DocumentEdits& edits,
               const std::function<CommandGroups(MainWindow&)>& makeCommands);
    ~MainWindow() override;

    // Asked before the window closes; false keeps it open.
    void setCloseCheck(std::function<bool()> check) { closeCheck_ = std::move(check); }
    // The toolbar comes back with the palette window of the same name.
    void showToolbar();

    void setMessages(const QString& text) override;
    void appendMessage(const QString& text) override;
    QString messagesText() const override;
    void showStatus(const QString& text) override;
    QString statusText() const override;
    void showCaption() override;
    void showMethodTabs(int classIndex, int slotIndex) override;
    void rebuildTree() override;
    void showScannedItems(const std::vector<tz::ScanTreeItem>& items) override;
    void selectBodyLine(int n) override;
    QWidget* focusedEditor() const override;
    BusyPanels& busyPanels() override;

  Q_SIGNALS:
    void activated();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus(const CommandGroups& commands);
    void buildToolbar(QWidget* parent, const CommandGroups& commands);
    QToolButton* addToolButton(const char* name, QAction* command, const QString& hint,
                               tz::Glyph glyph);
    QWidget* buildLeftPanel(QWidget* parent);
    QWidget* buildCodePanel(QWidget* parent);

    void bodyEdited();
    void declarationEdited();
    void declarationLeft();
    void showCaretLine();
    void showInEditor(const std::string& bytes);
    void showInDeclaration(const std::string& bytes);

    // The body editor's text reaches the class table when the document
    // asks for pending edits rather than at every keystroke: copying a long
    // body per key made typing slow.
    void storePendingBody();

    // The project, with the body editor's latest text in it.
    tz::Project& project();
    // The tree and the editors follow a class table an undo or redo put back.
    void showRestoredClassTable();
    void showModified(bool modified);

    tz::DocumentEdits& edits_;
    tz::ProjectDocument& document_;
    bool bodyPending_ = false;
    // The editors follow the tables while showMethodTabs shows them.
    bool updating_ = false;
    std::function<bool()> closeCheck_;

    QWidget* toolbar_ = nullptr;
    QLabel* caretLine_ = nullptr;
    tz::ClassTreeView* classTree_ = nullptr;
    QLineEdit* declarationEdit_ = nullptr;
    tz::BodyEditor* bodyEditor_ = nullptr;
    QPlainTextEdit* messages_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* modifiedLabel_ = nullptr;
    std::unique_ptr<BusyPanels> busyPanels_;
};

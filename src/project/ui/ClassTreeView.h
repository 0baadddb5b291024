#pragma once
// The project's classes and methods as a tree, the shown class's methods as
// tabs, and the popup that adds and deletes them. Choosing an item or a tab
// makes it the project's current slot; the editors follow on currentSlotChanged.
#include <QObject>
#include <functional>
#include <vector>

#include "project/Project.h"
#include "project/Scanner.h"

class QAction;
class QMenu;
class QPoint;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tz {

class DocumentEdits;

class ClassTreeView : public QObject {
    Q_OBJECT
  public:
    // project reads the project with the editors' latest text in it; parent
    // carries the error reports. The tree and tabs go into parent's layout.
    // The popup's commands are steps of edits.
    ClassTreeView(std::function<Project&()> project, DocumentEdits& edits, QWidget* parent);

    QTreeWidget* tree() const { return tree_; }
    QTabBar* tabs() const { return tabs_; }

    // The project's classes and methods, its current slot highlighted.
    void rebuildTree();
    // What a scan of the source found, its first item highlighted.
    void showScannedItems(const std::vector<ScanTreeItem>& items);
    // The tabs of class classIndex, slotIndex the current one.
    void showMethodTabs(int classIndex, int slotIndex);

  signals:
    // The project's current class or slot was chosen or changed here.
    void currentSlotChanged();

  private:
    // The one routine that fills the tree: items in display order, the one
    // at highlighted (an index into items) becomes the current item.
    void fillTree(const std::vector<ScanTreeItem>& items, std::size_t highlighted);
    void showTreeItem(QTreeWidgetItem* item);
    void showTab(int index);
    void showPopup(QWidget* source, const QPoint& position);
    void enablePopupCommands();
    void addInterface();
    void addClass();
    void deleteInterface();
    void deleteClass();
    // The editors, then the tree follow the project's current slot.
    void followCurrentSlot();

    std::function<Project&()> project_;
    DocumentEdits& edits_;
    QWidget* parent_;
    QTreeWidget* tree_;
    QTabBar* tabs_;
    // The tree's highlight and the tab follow the tables while they are rebuilt.
    bool rebuildingTree_ = false;
    bool fillingTabs_ = false;
    QMenu* treePopup_ = nullptr;
    QAction* addInterface_ = nullptr;
    QAction* addClass_ = nullptr;
    QAction* deleteInterface_ = nullptr;
    QAction* deleteClass_ = nullptr;
};

}  // namespace tz

#include "project/ui/ClassTreeView.h"

#include <QMenu>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTreeWidget>

#include "document/ui/DocumentEdits.h"
#include "platform/TextBytes.h"
#include "platform/ui/CutTextToolTip.h"
#include "platform/ui/ErrorBox.h"

namespace tz {

ClassTreeView::ClassTreeView(std::function<Project&()> project, DocumentEdits& edits,
                             QWidget* parent)
    : QObject(parent),
      project_(std::move(project)),
      edits_(edits),
      parent_(parent),
      tree_(new QTreeWidget(parent)),
      tabs_(new QTabBar(parent)) {
    tree_->setObjectName("tree");
    tree_->setHeaderHidden(true);
    tree_->setItemDelegate(new CutTextToolTipDelegate(tree_));
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { showTreeItem(item); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { showTreeItem(item); });
    // A right click or a key that moves the highlight selects like a left
    // click, so that the editors and the popup act on the highlighted item.
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!rebuildingTree_ && item) showTreeItem(item);
    });
    connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QTreeWidgetItem* item = tree_->itemAt(at)) tree_->setCurrentItem(item);
        showPopup(tree_->viewport(), at);
    });

    tabs_->setObjectName("tab");
    tabs_->setFixedHeight(25);
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(true);
    tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabs_, &QTabBar::currentChanged, this, &ClassTreeView::showTab);
    // As in the tree, the popup acts on the tab under the mouse.
    connect(tabs_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (const int index = tabs_->tabAt(at); index >= 0) tabs_->setCurrentIndex(index);
        showPopup(tabs_, at);
    });
}

void ClassTreeView::rebuildTree() {
    const Project& project = project_();
    std::vector<ScanTreeItem> items{{1, "Imports"}};
    std::size_t highlighted = 0;
    for (int c = 1; c <= project.classCount(); ++c) {
        if (c == project.currentClass) highlighted = items.size();
        items.push_back({1, project.slot(c, 0).name});
        for (int s = 1; s <= project.lastSlot(c); ++s) {
            if (c == project.currentClass && s == project.currentSlot) highlighted = items.size();
            items.push_back({2, project.slot(c, s).name});
        }
    }
    fillTree(items, highlighted);
}

void ClassTreeView::showScannedItems(const std::vector<ScanTreeItem>& items) {
    fillTree(items, 0);
}

void ClassTreeView::fillTree(const std::vector<ScanTreeItem>& items, std::size_t highlighted) {
    const QScopedValueRollback rebuilding(rebuildingTree_, true);
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    QTreeWidgetItem* classItem = nullptr;
    QTreeWidgetItem* current = nullptr;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QStringList text(displayLine(items[i].text));
        QTreeWidgetItem* item = nullptr;
        if (items[i].level == 1 || !classItem) {
            item = classItem = new QTreeWidgetItem(tree_, text);
            classItem->setExpanded(true);
        } else {
            item = new QTreeWidgetItem(classItem, text);
        }
        if (i == highlighted) current = item;
    }
    tree_->setUpdatesEnabled(true);
    if (current) tree_->setCurrentItem(current);
}

void ClassTreeView::showMethodTabs(int classIndex, int slotIndex) {
    const QScopedValueRollback filling(fillingTabs_, true);
    while (tabs_->count() > 0) tabs_->removeTab(0);
    for (const std::string& caption : project_().tabCaptions(classIndex))
        tabs_->addTab(displayLine(caption));
    tabs_->setCurrentIndex(slotIndex);
}

void ClassTreeView::showTreeItem(QTreeWidgetItem* item) {
    std::vector<int> levels;
    int itemNumber = 0;
    for (int top = 0; top < tree_->topLevelItemCount(); ++top) {
        QTreeWidgetItem* classItem = tree_->topLevelItem(top);
        levels.push_back(1);
        if (classItem == item) itemNumber = int(levels.size());
        for (int child = 0; child < classItem->childCount(); ++child) {
            levels.push_back(2);
            if (classItem->child(child) == item) itemNumber = int(levels.size());
        }
    }
    if (itemNumber == 0) return;
    const SlotPosition position = positionOfTreeItem(levels, itemNumber);
    Project& project = project_();
    project.currentClass = position.classIndex;
    project.currentSlot = position.slot;
    emit currentSlotChanged();
}

void ClassTreeView::showTab(int index) {
    if (fillingTabs_ || index < 0) return;
    project_().currentSlot = index;
    followCurrentSlot();
}

void ClassTreeView::followCurrentSlot() {
    emit currentSlotChanged();
    rebuildTree();
}

// ---- popup menu ---------------------------------------------------------

void ClassTreeView::showPopup(QWidget* source, const QPoint& position) {
    if (!treePopup_) {
        treePopup_ = new QMenu(parent_);
        treePopup_->setObjectName("popup1");
        addInterface_ = treePopup_->addAction("Add &Interface", this, &ClassTreeView::addInterface);
        addInterface_->setObjectName("AddInterface1");
        addClass_ = treePopup_->addAction("Add &Class", this, &ClassTreeView::addClass);
        addClass_->setObjectName("AddClass1");
        treePopup_->addSeparator();
        deleteInterface_ =
            treePopup_->addAction("&Delete Interface", this, &ClassTreeView::deleteInterface);
        deleteInterface_->setObjectName("DeleteInterface1");
        deleteClass_ = treePopup_->addAction("D&elete Class", this, &ClassTreeView::deleteClass);
        deleteClass_->setObjectName("DeleteClass1");
    }
    enablePopupCommands();
    treePopup_->popup(source->mapToGlobal(position));
}

void ClassTreeView::enablePopupCommands() {
    const Project& project = project_();
    addInterface_->setEnabled(project.canAddMethod());
    addClass_->setEnabled(project.canAddClass());
    deleteInterface_->setEnabled(project.canDeleteMethod());
    deleteClass_->setEnabled(project.canDeleteClass());
}

void ClassTreeView::addInterface() {
    if (!edits_.addMethod()) {
        const Project& project = project_();
        reportError(parent_,
                    project.currentClass == Project::ImportsEntry
                        ? QString("The Imports entry has no interfaces.")
                        : QString("A class holds at most %1 interfaces.").arg(Project::MaxMethods));
        return;
    }
    followCurrentSlot();
}

void ClassTreeView::addClass() {
    if (!edits_.addClass()) {
        reportError(parent_,
                    QString("A project holds at most %1 classes.").arg(Project::MaxClasses));
        return;
    }
    followCurrentSlot();
}

void ClassTreeView::deleteInterface() {
    if (edits_.deleteMethod()) followCurrentSlot();
}

void ClassTreeView::deleteClass() {
    if (edits_.deleteClass()) followCurrentSlot();
}

}  // namespace tz

#include "app/RecentProjectsMenu.h"

#include <QFileInfo>
#include <QMenu>

#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "settings/RecentList.h"
#include "settings/SettingsFile.h"

RecentProjectsMenu::RecentProjectsMenu(const QString& settingsPath,
                                       std::function<void(const QString&)> open, QWidget* window)
    : QObject(window),
      settingsPath_(settingsPath),
      open_(std::move(open)),
      window_(window),
      menu_(new QMenu("Recent &Projects", window)),
      paths_(tz::readRecentProjects(settingsPath.toStdString())) {
    menu_->setObjectName("RecentProjects");
    menu_->menuAction()->setObjectName("RecentProjects1");
    for (std::size_t i = 0; i < tz::MaxRecentProjects; ++i) {
        items_.push_back(menu_->addAction(QString()));
        items_[i]->setObjectName(QString("RecentProject%1").arg(i + 1));
        connect(items_[i], &QAction::triggered, this, [this, i] { choose(i); });
    }
    showList();
}

QAction* RecentProjectsMenu::menuAction() const {
    return menu_->menuAction();
}

void RecentProjectsMenu::add(const QString& path) {
    keep(tz::withRecentProject(paths_, tz::storedLine(QFileInfo(path).absoluteFilePath())));
}

void RecentProjectsMenu::choose(std::size_t index) {
    const std::string stored = paths_[index];
    const QString path = tz::displayLine(stored);
    if (QFileInfo::exists(path)) return open_(path);
    tz::showMessage(window_, QString("The project file %1 no longer exists; it is taken off the "
                                     "recent projects.")
                                 .arg(path));
    keep(tz::withoutRecentProject(paths_, stored));
}

// A list the file cannot take still serves this session; closing the program
// reports the unwritable settings file.
void RecentProjectsMenu::keep(std::vector<std::string> paths) {
    // Saving the first project again changes nothing: no file to write.
    if (paths == paths_) return;
    paths_ = std::move(paths);
    tz::writeRecentProjects(settingsPath_.toStdString(), paths_);
    showList();
}

void RecentProjectsMenu::showList() {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i]->setVisible(i < paths_.size());
        if (i < paths_.size())
            items_[i]->setText(
                QString("&%1 %2").arg(i + 1).arg(tz::displayLine(paths_[i]).replace("&", "&&")));
    }
    menu_->menuAction()->setEnabled(!paths_.empty());
}

#pragma once
// File > Recent Projects: the project files last opened or saved, as the
// settings file keeps them. A chosen one opens; one that is gone leaves the
// list with a message.
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

class RecentProjectsMenu : public QObject {
    Q_OBJECT
  public:
    // open gets a chosen project file that exists; window shows the message.
    RecentProjectsMenu(const QString& settingsPath, std::function<void(const QString&)> open,
                       QWidget* window);

    // The File menu's item holding the list, disabled while it is empty.
    QAction* menuAction() const;
    // A project file just opened or saved heads the list.
    void add(const QString& path);

  private:
    void choose(std::size_t index);
    // Keeps the list in the settings file and in the menu.
    void keep(std::vector<std::string> paths);
    void showList();

    QString settingsPath_;
    std::function<void(const QString&)> open_;
    QWidget* window_;
    QMenu* menu_;
    // One item per place of the list, hidden while the list is shorter.
    std::vector<QAction*> items_;
    std::vector<std::string> paths_;
};

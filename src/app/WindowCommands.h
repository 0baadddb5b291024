#pragma once
// The View, Developer and Help menus' commands. The other windows are shown
// by whoever connects the signals: no window is known here.
#include <QObject>

#include "settings/SettingsFile.h"

class HelpWindow;
class QAction;
class QWidget;

struct WindowActions {
    QAction* designWindow;
    QAction* palette;
    QAction* inspector;
    QAction* developerOptions;
    QAction* helpTopics;
    QAction* javaSyntaxHelp;
    QAction* about;
};

class WindowCommands : public QObject {
    Q_OBJECT
  public:
    // programDirectory ends with '/' and holds the program's help file;
    // settings name the Java syntax help file.
    WindowCommands(const tz::MainSettings& settings, const QString& programDirectory,
                   QWidget* window);
    const WindowActions& actions() const { return actions_; }

    // The help file the program currently names to the help window.
    const QString& currentHelpFile() const { return currentHelpFile_; }
    // The program's own help becomes current again, as when its window is activated.
    void useProgramHelp();

  Q_SIGNALS:
    void designWindowWanted();
    void paletteWanted();
    void inspectorWanted();
    void developerOptionsWanted();

  private:
    void showProgramHelp();
    void showJavaSyntaxHelp();
    void showHelpTopics();
    void showAbout();

    const tz::MainSettings& settings_;
    QString programHelpFile_;
    QWidget* window_;
    QString currentHelpFile_;
    HelpWindow* helpWindow_ = nullptr;
    WindowActions actions_;
};

#include "app/WindowCommands.h"

#include <QAction>

#include "app/CommandAction.h"

#include "platform/TextBytes.h"
#include "platform/Version.h"
#include "platform/ui/ErrorBox.h"
#include "settings/ui/HelpWindow.h"

WindowCommands::WindowCommands(const tz::MainSettings& settings, const QString& programDirectory,
                               QWidget* window)
    : QObject(window),
      settings_(settings),
      programHelpFile_(programDirectory + "TARJAVA.HLP"),
      window_(window),
      actions_{
          .designWindow = addCommandAction(
              this, "Applet1", "&Applet", [this] { Q_EMIT designWindowWanted(); },
              QKeySequence("F4")),
          .palette =
              addCommandAction(this, "Too1", "Object &Handler", [this] { Q_EMIT paletteWanted(); }),
          .inspector = addCommandAction(this, "Objector1", "&Objector",
                                        [this] { Q_EMIT inspectorWanted(); }),
          .developerOptions = addCommandAction(this, "JavaSyntaxHelpfile1", "&Options",
                                               [this] { Q_EMIT developerOptionsWanted(); }),
          .helpTopics =
              addCommandAction(this, "HelpTopics1", "&Help Topics", [this] { showProgramHelp(); }),
          .javaSyntaxHelp = addCommandAction(this, "JavaSyntaxHelp1", "&Java Syntax Help",
                                             [this] { showJavaSyntaxHelp(); }),
          .about = addCommandAction(this, "AboutTarveloJava1", "&About Tarvelo Zuva",
                                    [this] { showAbout(); }),
      } {}

void WindowCommands::useProgramHelp() {
    currentHelpFile_ = programHelpFile_;
}

void WindowCommands::showProgramHelp() {
    useProgramHelp();
    showHelpTopics();
}

void WindowCommands::showJavaSyntaxHelp() {
    currentHelpFile_ = tz::displayLine(settings_.helpFile);
    showHelpTopics();
}

void WindowCommands::showHelpTopics() {
    if (!helpWindow_) helpWindow_ = new HelpWindow(window_);
    helpWindow_->showTopics(currentHelpFile_);
}

void WindowCommands::showAbout() {
    tz::showMessage(window_,
                    QString("Tarvelo Zuva version %1\nBuild 970.730").arg(tz::programVersion()));
}

#include "project/ui/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWindow>

#include "designer/ui/DesignWindow.h"
#include "designer/ui/PaletteWindow.h"
#include "inspector/ui/InspectorWindow.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/AfterFirstPaint.h"
#include "platform/ui/PasteGuard.h"
#include "platform/ui/ProgramIcon.h"
#include "project/ui/MainWindow.h"
#include "settings/SettingsFile.h"
#include "settings/ui/DeveloperOptionsDialog.h"
#include "settings/ui/ProjectOptionsDialog.h"

namespace {

// Each step holds only what it changed: 500 stay small with any project.
constexpr int UndoLimit = 500;

}  // namespace

Program::Program(const QString& programDirectory, const QString& settingsPath)
    : pasteGuard_(std::make_unique<tz::PasteGuard>()),
      compiler_(programDirectory + "java/bin", settingsPath.toStdString()),
      mainWindow_(
          std::make_unique<MainWindow>(programDirectory, settingsPath, document_, compiler_)),
      designWindow_(std::make_unique<DesignWindow>(edits_)),
      inspector_(std::make_unique<InspectorWindow>(edits_)),
      projectOptions_(std::make_unique<ProjectOptionsDialog>(edits_)),
      palette_(std::make_unique<PaletteWindow>()),
      developerOptions_(std::make_unique<DeveloperOptionsDialog>(programDirectory, settingsPath)) {
    QApplication::setWindowIcon(tz::programIcon());
    // Tool windows of the main window: kept above it and minimised with it.
    // Only their native windows are linked: as child widgets they would join
    // the main window's Tab order.
    mainWindow_->createWinId();
    for (QWidget* toolWindow :
         {static_cast<QWidget*>(inspector_.get()), static_cast<QWidget*>(palette_.get())}) {
        toolWindow->createWinId();
        toolWindow->windowHandle()->setTransientParent(mainWindow_->windowHandle());
    }
    mainWindow_->setWindows({designWindow_.get(), inspector_.get(), projectOptions_.get(),
                             palette_.get(), developerOptions_.get()});
    connectPaletteToDesignWindow();
    history_.setUndoLimit(UndoLimit);
    QObject::connect(&document_, &tz::ProjectDocument::replaced, &history_, &QUndoStack::clear);
    QObject::connect(developerOptions_.get(), &DeveloperOptionsDialog::mainSettingsWritten,
                     mainWindow_.get(), &MainWindow::setMainSettings);
    mainWindow_->markProjectSaved();
}

Program::~Program() = default;

void Program::connectPaletteToDesignWindow() {
    QObject::connect(palette_.get(), &PaletteWindow::createKindChosen, designWindow_.get(),
                     &DesignWindow::chooseCreateKind);
    QObject::connect(designWindow_.get(), &DesignWindow::createModeEnded, palette_.get(),
                     &PaletteWindow::releaseAll);
    // The tool windows float above the design window, also after a click has
    // brought it to the front.
    for (QWidget* toolWindow :
         {static_cast<QWidget*>(palette_.get()), static_cast<QWidget*>(inspector_.get())})
        QObject::connect(designWindow_.get(), &DesignWindow::activated, toolWindow,
                         &QWidget::raise);
}

void Program::show() {
    mainWindow_->show();
    designWindow_->show();
    inspector_->show();
    palette_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
    // Its virtual machine would take a core from the windows' first paint.
    tz::runAfterFirstPaint(
        {mainWindow_.get(), designWindow_.get(), inspector_.get(), palette_.get()},
        [this] { compiler_.startWarmCompiler(); });
}

QString Program::settingsPathFor(const QString& programDirectory) {
    // An installed folder is shared data even where root could write it.
    const bool writable = QFileInfo(programDirectory).isWritable() &&
                          !tz::isInstalledProgramFolder(programDirectory.toStdString());
    const QString configFolder =
        writable ? QString() : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!configFolder.isEmpty()) QDir().mkpath(configFolder);
    return QString::fromStdString(
        tz::settingsFilePath(programDirectory.toStdString(), configFolder.toStdString(), writable));
}

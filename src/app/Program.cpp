#include "app/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWindow>

#include "app/BuildCommands.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/FileDrops.h"
#include "app/LayoutCommands.h"
#include "app/MainWindow.h"
#include "app/RecentProjectsMenu.h"
#include "app/WindowArrangement.h"
#include "app/WindowCommands.h"
#include "designer/ui/DesignWindow.h"
#include "designer/ui/ObjectClipboard.h"
#include "designer/ui/PaletteWindow.h"
#include "inspector/ui/InspectorWindow.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/AfterFirstPaint.h"
#include "platform/ui/PasteGuard.h"
#include "platform/ui/ProgramIcon.h"
#include "settings/ui/DeveloperOptionsDialog.h"
#include "settings/ui/ProjectOptionsDialog.h"

namespace {

// Each step holds only what it changed: 500 stay small with any project.
constexpr int UndoLimit = 500;

void bringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// The start-up project, which the main window shows as it is built.
tz::DocumentEdits& withStartProject(tz::DocumentEdits& edits) {
    edits.document().startNew();
    return edits;
}

}  // namespace

Program::Program(const QString& programDirectory, const QString& settingsPath)
    : programDirectory_(programDirectory),
      settingsPath_(settingsPath),
      pasteGuard_(std::make_unique<tz::PasteGuard>()),
      compiler_(programDirectory + "java/bin", settingsPath.toStdString()),
      mainSettings_(
          tz::readMainSettings(settingsPath.toStdString(), programDirectory.toStdString())),
      mainWindow_(std::make_unique<MainWindow>(
          withStartProject(edits_), [this](MainWindow& window) { return makeCommands(window); })),
      designWindow_(std::make_unique<DesignWindow>(edits_)),
      inspector_(std::make_unique<InspectorWindow>(edits_)),
      palette_(std::make_unique<PaletteWindow>()),
      arrangement_(std::make_unique<WindowArrangement>(settingsPath, document_, *mainWindow_,
                                                       *designWindow_, *palette_, *inspector_)) {
    // Tool windows of the main window: kept above it and minimised with it.
    // Only their native windows are linked: as child widgets they would join
    // the main window's Tab order.
    mainWindow_->createWinId();
    for (QWidget* toolWindow :
         {static_cast<QWidget*>(inspector_.get()), static_cast<QWidget*>(palette_.get())}) {
        toolWindow->createWinId();
        toolWindow->windowHandle()->setTransientParent(mainWindow_->windowHandle());
    }
    setMainSettings(mainSettings_);
    connectPaletteToDesignWindow();
    connectCommandsToWindows();
    new FileDrops(
        {mainWindow_.get(), designWindow_.get(), inspector_.get(), palette_.get()},
        [this](const QString& path) { fileCommands_->openDropped(path); }, mainWindow_.get());
    history_.setUndoLimit(UndoLimit);
    QObject::connect(&document_, &tz::ProjectDocument::replaced, &history_, &QUndoStack::clear);
    document_.takePendingEdits();
    document_.markSaved();
}

Program::~Program() = default;

void Program::setMainSettings(const tz::MainSettings& settings) {
    mainSettings_ = settings;
    designWindow_->setGridStep(settings.gridStep);
    objectClipboard_->setGridStep(settings.gridStep);
}

CommandGroups Program::makeCommands(MainWindow& window) {
    fileCommands_ = new FileCommands(document_, window, &window);
    buildCommands_ =
        new BuildCommands(document_, compiler_, mainSettings_, programDirectory_, window, &window);
    windowCommands_ = new WindowCommands(mainSettings_, programDirectory_, &window);
    auto* recentProjects = new RecentProjectsMenu(
        settingsPath_, [this](const QString& path) { fileCommands_->openChosenProject(path); },
        &window);
    QObject::connect(&document_, &tz::ProjectDocument::projectFileUsed, recentProjects,
                     &RecentProjectsMenu::add);
    // Not designWindow_: the design window is made after these commands,
    // which ask already while they are made.
    const auto designWindowActive = [] {
        const QWidget* active = QApplication::activeWindow();
        return active && active->objectName() == "app";
    };
    auto* editCommands = new EditCommands(
        window, document_, history_, *(objectClipboard_ = new tz::ObjectClipboard(edits_, &window)),
        designWindowActive, &window);
    layoutCommands_ = new LayoutCommands(edits_, &window);
    return {*fileCommands_,   *recentProjects, *editCommands,
            *layoutCommands_, *buildCommands_, *windowCommands_};
}

void Program::connectCommandsToWindows() {
    QObject::connect(buildCommands_, &BuildCommands::projectOptionsWanted, mainWindow_.get(),
                     [this] { projectOptions().exec(); });
    QObject::connect(windowCommands_, &WindowCommands::developerOptionsWanted, mainWindow_.get(),
                     [this] { developerOptions().exec(); });
    QObject::connect(windowCommands_, &WindowCommands::designWindowWanted, designWindow_.get(),
                     [this] { bringUp(designWindow_.get()); });
    QObject::connect(windowCommands_, &WindowCommands::inspectorWanted, inspector_.get(),
                     [this] { bringUp(inspector_.get()); });
    // Shows the toolbar and also brings back the palette window of the same name.
    QObject::connect(windowCommands_, &WindowCommands::paletteWanted, palette_.get(), [this] {
        mainWindow_->showToolbar();
        palette_->show();
        palette_->raise();
    });
    QObject::connect(mainWindow_.get(), &MainWindow::activated, mainWindow_.get(), [this] {
        windowCommands_->useProgramHelp();
        arrangement_->mainWindowActivated();
    });
    mainWindow_->setCloseCheck([this] {
        if (!fileCommands_->askToSaveChanges()) return false;
        arrangement_->savePlacements();
        return true;
    });
}

// The dialogs are made when first wanted: start-up paints the windows sooner.
ProjectOptionsDialog& Program::projectOptions() {
    if (!projectOptions_) projectOptions_ = std::make_unique<ProjectOptionsDialog>(edits_);
    return *projectOptions_;
}

DeveloperOptionsDialog& Program::developerOptions() {
    if (!developerOptions_) {
        developerOptions_ =
            std::make_unique<DeveloperOptionsDialog>(programDirectory_, settingsPath_);
        QObject::connect(developerOptions_.get(), &DeveloperOptionsDialog::mainSettingsWritten,
                         developerOptions_.get(),
                         [this](const tz::MainSettings& settings) { setMainSettings(settings); });
    }
    return *developerOptions_;
}

void Program::connectPaletteToDesignWindow() {
    palette_->addLayoutActions(layoutCommands_->sections());
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
    // Both would hold the windows' first paint back: the icon is sent to
    // every window, and the service's virtual machine takes a core.
    tz::runAfterFirstPaint(
        {mainWindow_.get(), designWindow_.get(), inspector_.get(), palette_.get()}, [this] {
            QApplication::setWindowIcon(tz::programIcon());
            compiler_.startWarmCompiler();
        });
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

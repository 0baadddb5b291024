#include "app/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWindow>

#include "app/BuildCommands.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "app/WindowArrangement.h"
#include "app/WindowCommands.h"
#include "designer/ui/DesignWindow.h"
#include "designer/ui/PaletteWindow.h"
#include "inspector/ui/InspectorWindow.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/AfterFirstPaint.h"
#include "platform/ui/PasteGuard.h"
#include "platform/ui/ProgramIcon.h"
#include "settings/ui/DeveloperOptionsDialog.h"
#include "settings/ui/ProjectOptionsDialog.h"

namespace {

void bringUp(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

// The start-up project, which the main window shows as it is built.
tz::ProjectDocument& withStartProject(tz::ProjectDocument& document) {
    document.project().buildDefault();
    document.project().compileFailed = true;
    return document;
}

}  // namespace

Program::Program(const QString& programDirectory, const QString& settingsPath)
    : programDirectory_(programDirectory),
      pasteGuard_(std::make_unique<tz::PasteGuard>()),
      compiler_(programDirectory + "java/bin", settingsPath.toStdString()),
      mainSettings_(
          tz::readMainSettings(settingsPath.toStdString(), programDirectory.toStdString())),
      mainWindow_(std::make_unique<MainWindow>(
          withStartProject(document_),
          [this](MainWindow& window) { return makeCommands(window); })),
      designWindow_(std::make_unique<DesignWindow>()),
      inspector_(std::make_unique<InspectorWindow>()),
      projectOptions_(std::make_unique<ProjectOptionsDialog>()),
      palette_(std::make_unique<PaletteWindow>()),
      developerOptions_(std::make_unique<DeveloperOptionsDialog>(programDirectory, settingsPath)),
      arrangement_(std::make_unique<WindowArrangement>(settingsPath, document_, *mainWindow_,
                                                       *designWindow_, *palette_, *inspector_)) {
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
    designWindow_->setPartners(inspector_.get(), &mainWindow_->project());
    inspector_->setPartners(designWindow_.get(), &mainWindow_->project());
    connectPaletteToDesignWindow();
    projectOptions_->setDesigner(designWindow_.get());
    connectCommandsToWindows();
    document_.takePendingEdits();
    document_.markSaved();
}

Program::~Program() = default;

CommandGroups Program::makeCommands(MainWindow& window) {
    fileCommands_ = new FileCommands(document_, window, &window);
    buildCommands_ =
        new BuildCommands(document_, compiler_, mainSettings_, programDirectory_, window, &window);
    windowCommands_ = new WindowCommands(mainSettings_, programDirectory_, &window);
    return {*fileCommands_, *new EditCommands(window, &window), *buildCommands_, *windowCommands_};
}

void Program::connectCommandsToWindows() {
    QObject::connect(&document_, &tz::ProjectDocument::pendingEditsWanted, designWindow_.get(),
                     [this] { storeDesign(); });
    QObject::connect(fileCommands_, &FileCommands::projectOpened, designWindow_.get(),
                     [this] { showOpenedDesign(); });
    QObject::connect(buildCommands_, &BuildCommands::projectOptionsWanted, projectOptions_.get(),
                     &QDialog::exec);
    QObject::connect(windowCommands_, &WindowCommands::developerOptionsWanted,
                     developerOptions_.get(), &QDialog::exec);
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
    QObject::connect(developerOptions_.get(), &DeveloperOptionsDialog::mainSettingsWritten,
                     developerOptions_.get(),
                     [this](const tz::MainSettings& settings) { setMainSettings(settings); });
}

void Program::connectPaletteToDesignWindow() {
    QObject::connect(palette_.get(), &PaletteWindow::createKindChosen, designWindow_.get(),
                     &DesignWindow::chooseCreateKind);
    QObject::connect(designWindow_.get(), &DesignWindow::createModeEnded, palette_.get(),
                     &PaletteWindow::releaseAll);
    QObject::connect(designWindow_.get(), &DesignWindow::activated, palette_.get(),
                     &QWidget::raise);
}

void Program::storeDesign() {
    tz::ObjectTables tables;
    for (tz::ObjectKind kind : tz::AllKinds) tables[int(kind)] = designWindow_->table(kind);
    tz::DesignModel& design = document_.design();
    if (tables != design.tables())
        design.reset(tables, designWindow_->appletWidth(), designWindow_->appletHeight());
    design.setAppletSize(designWindow_->appletWidth(), designWindow_->appletHeight());
    document_.setOptions(projectOptions_->options());
}

void Program::showOpenedDesign() {
    DesignWindow& app = *designWindow_;
    const tz::DesignModel& design = document_.design();
    app.discardAllObjects();
    projectOptions_->setOptions(document_.options());
    // A colour index the table does not hold leaves the colour as it was.
    const tz::ProjectOptions& read = document_.optionsAsRead();
    if (tz::isColourIndex(read.colourIndex) || !read.automaticBackground)
        projectOptions_->applyBackgroundColour();
    app.setAppletWidth(design.appletWidth());
    app.setAppletHeight(design.appletHeight());
    for (tz::ObjectKind kind : tz::AllKinds) {
        const tz::ObjectTable& table = design.table(kind);
        for (int slot = 0; slot < table.count; ++slot)
            app.addLoadedObject(kind, table.records[slot]);
    }
    app.rebuildObjectList(std::string());
    // Loading passed every record through the grid; none of them is current.
    app.clearCurrentObject();
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

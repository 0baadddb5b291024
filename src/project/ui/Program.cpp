#include "project/ui/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWindow>

#include "designer/ui/Tapplet.h"
#include "designer/ui/Ttool.h"
#include "inspector/ui/TObjector.h"
#include "platform/ProgramFolder.h"
#include "platform/ui/AfterFirstPaint.h"
#include "platform/ui/PasteGuard.h"
#include "platform/ui/ProgramIcon.h"
#include "project/ui/Tzjava.h"
#include "settings/SettingsFile.h"
#include "settings/ui/Tdevopt.h"
#include "settings/ui/Toptions.h"

Program::Program(const QString& programDirectory, const QString& settingsPath)
    : pasteGuard_(std::make_unique<tz::PasteGuard>()),
      compiler_(programDirectory + "java/bin", settingsPath.toStdString()),
      zjava_(std::make_unique<Tzjava>(programDirectory, settingsPath, document_, compiler_)),
      app_(std::make_unique<Tapplet>()),
      obj_(std::make_unique<TObjector>()),
      opt_(std::make_unique<Toptions>()),
      tool_(std::make_unique<Ttool>()),
      dopt_(std::make_unique<Tdevopt>(programDirectory, settingsPath)) {
    QApplication::setWindowIcon(tz::programIcon());
    // Tool windows of the main window: kept above it and minimised with it.
    // Only their native windows are linked: as child widgets they would join
    // the main window's Tab order.
    zjava_->createWinId();
    for (QWidget* toolWindow :
         {static_cast<QWidget*>(obj_.get()), static_cast<QWidget*>(tool_.get())}) {
        toolWindow->createWinId();
        toolWindow->windowHandle()->setTransientParent(zjava_->windowHandle());
    }
    zjava_->setWindows({app_.get(), obj_.get(), opt_.get(), tool_.get(), dopt_.get()});
    app_->setPartners(obj_.get(), tool_.get(), &zjava_->project());
    obj_->setPartners(app_.get(), &zjava_->project());
    tool_->setDesigner(app_.get());
    opt_->setDesigner(app_.get());
    QObject::connect(dopt_.get(), &Tdevopt::mainSettingsWritten, zjava_.get(),
                     &Tzjava::setMainSettings);
    zjava_->markProjectSaved();
}

Program::~Program() = default;

void Program::show() {
    zjava_->show();
    app_->show();
    obj_->show();
    tool_->show();
    zjava_->raise();
    zjava_->activateWindow();
    // Its virtual machine would take a core from the windows' first paint.
    tz::runAfterFirstPaint({zjava_.get(), app_.get(), obj_.get(), tool_.get()},
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

#include "project/ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "designer/ui/DesignWindow.h"
#include "designer/ui/PaletteWindow.h"
#include "inspector/ui/InspectorWindow.h"
#include "platform/TextBytes.h"
#include "platform/Version.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MenuKeys.h"
#include "platform/ui/OnScreen.h"
#include "project/WindowLayout.h"
#include "project/ui/ClassTreeView.h"
#include "settings/ui/DeveloperOptionsDialog.h"
#include "settings/ui/HelpWindow.h"
#include "settings/ui/ProjectOptionsDialog.h"
#include "toolchain/ui/CompileFrames.h"

using tz::Project;

namespace {

const QColor LogoBlue(0, 128, 255);
const QColor MessageCyan(128, 255, 255);

QFont monospaceFont() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

void paintBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

bool isOnSomeScreen(const QRect& rect) {
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->geometry().intersects(rect); });
}

}  // namespace

MainWindow::MainWindow(const QString& programDirectory, const QString& settingsPath,
                       tz::ProjectDocument& document, tz::CompileSession& compiler)
    : document_(document),
      compiler_(compiler),
      programDirectory_(programDirectory),
      settingsPath_(settingsPath) {
    setObjectName("zjava");
    QFont arial("Arial");
    arial.setStyleHint(QFont::SansSerif);
    setFont(arial);
    resize(604, 531);
    buildMenus();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildToolbar(central);
    column->addWidget(toolbar_);
    // Made after the toolbar, so that the focus order stays toolbar, tree, tabs, editors.
    classTree_ = new tz::ClassTreeView([this]() -> Project& { return project(); }, this);
    connect(classTree_, &tz::ClassTreeView::currentSlotChanged, this,
            [this] { showMethodTabs(project().currentClass, project().currentSlot); });
    // The tree's width is the user's: long names need more room.
    auto* middle = new QSplitter(Qt::Horizontal, central);
    middle->setObjectName("treeSplitter");
    middle->setChildrenCollapsible(false);
    middle->addWidget(buildLeftPanel(middle));
    middle->addWidget(buildCodePanel(middle));
    middle->setStretchFactor(1, 1);
    middle->setSizes({120, width() - 120});
    column->addWidget(middle, 1);
    messages_ = new QPlainTextEdit(central);
    messages_->setObjectName("mess");
    messages_->setReadOnly(true);
    messages_->setFont(monospaceFont());
    messages_->setFixedHeight(51);
    paintBackground(messages_, QPalette::Base, MessageCyan);
    column->addWidget(messages_);
    restructuringPanel_ = buildRestructuringPanel(central);
    compilingPanel_ = buildCompilingPanel(central);
    setCentralWidget(central);

    statusBar()->setObjectName("status");
    statusLabel_ = new QLabel(statusBar());
    statusBar()->addWidget(statusLabel_, 1);

    QList<QAction*> shortcutCommands;
    for (QAction* action : menuBar()->findChildren<QAction*>())
        if (!action->shortcut().isEmpty()) shortcutCommands << action;
    new tz::MenuKeys(shortcutCommands, {saveProjectAs_}, this);
    loadStartState();
}

void MainWindow::setWindows(const ProgramWindows& windows) {
    windows_ = windows;
}

void MainWindow::loadStartState() {
    const tz::MainSettings read =
        tz::readMainSettings(settingsPath_.toStdString(), programDirectory_.toStdString());
    mainSettings_ = read;
    updating_ = false;
    placementPending_ = true;
    project().buildDefault();
    showCaption();
    rebuildTree();
    showMethodTabs(project().currentClass, project().currentSlot);
    project().compileFailed = true;
}

// ---- layout -------------------------------------------------------------

QAction* MainWindow::addCommand(QMenu* menu, const QString& name, const QString& text,
                                const std::function<void()>& handler,
                                const QKeySequence& shortcut) {
    auto* action = new QAction(text, menu ? static_cast<QObject*>(menu) : this);
    if (menu) menu->addAction(action);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    openProject_ = addCommand(
        file, "OpenProject1", "Open Project", [this] { openProject(); }, QKeySequence("Ctrl+O"));
    saveProject_ = addCommand(
        file, "SaveProject1", "Save Project", [this] { saveProject(); }, QKeySequence("Ctrl+S"));
    saveProjectAs_ = addCommand(
        file, "SaveProjectAs1", "Save Project As", [this] { saveProjectAs(); },
        QKeySequence("Ctrl+A"));
    file->addSeparator();
    addCommand(file, "Open1", "Import Java", [this] { importJava(); });
    addCommand(file, "FileSaveas", "Export Java", [this] { exportJava(); });
    file->addSeparator();
    addCommand(
        file, "Exit1", "Exit", [this] { exitProgram(); }, QKeySequence("Ctrl+Q"));

    QMenu* edit = menuBar()->addMenu("&Edit");
    addCommand(
        edit, "Cut1", "Cut", [this] { cutSelection(); }, QKeySequence("Ctrl+X"));
    addCommand(
        edit, "Copy1", "Copy", [this] { copySelection(); }, QKeySequence("Ctrl+C"));
    edit->addSeparator();
    addCommand(
        edit, "Paste1", "Paste", [this] { pasteClipboard(); }, QKeySequence("Ctrl+V"));

    QMenu* view = menuBar()->addMenu("&View");
    addCommand(
        view, "Applet1", "Applet", [this] { showDesignWindow(); }, QKeySequence("F4"));
    addCommand(view, "Too1", "Object Handler", [this] { showPalette(); });
    addCommand(view, "Objector1", "Objector", [this] { showInspector(); });

    QMenu* projectMenu = menuBar()->addMenu("&Project");
    generateCode_ = addCommand(
        projectMenu, "GenerateCode1", "Generate...", [this] { generateCode(); },
        QKeySequence("F5"));
    projectMenu->addSeparator();
    compile_ = addCommand(
        projectMenu, "Compile1", "Compile...", [this] { compile(); }, QKeySequence("F6"));
    compileExternally_ =
        addCommand(projectMenu, "extcomp1", "Ext. Compile...", [this] { compileExternally(); });
    projectMenu->addSeparator();
    compileAndRun_ = addCommand(
        projectMenu, "BuildRun1", "Build && Run", [this] { compileAndRun(); }, QKeySequence("F7"));
    addCommand(projectMenu, "ExportJar1", "Export Runnable JAR...",
               [this] { exportRunnableJar(); });
    projectMenu->addSeparator();
    addCommand(projectMenu, "Options1", "Options", [this] { showProjectOptions(); });

    QMenu* run = menuBar()->addMenu("&Run");
    runApplet_ = addCommand(
        run, "Run2", "Run JavaApplet", [this] { runApplet(); }, QKeySequence("F9"));
    previewInBrowser_ = addCommand(run, "PreviewAppletinBrowser1", "Preview Applet in Browser",
                                   [this] { previewInBrowser(); });

    QMenu* developer = menuBar()->addMenu("&Developer");
    addCommand(developer, "JavaSyntaxHelpfile1", "&Options", [this] { showDeveloperOptions(); });

    QMenu* help = menuBar()->addMenu("&Help");
    addCommand(help, "HelpTopics1", "Help Topics", [this] { showProgramHelp(); });
    addCommand(help, "JavaSyntaxHelp1", "Java Syntax Help", [this] { showJavaSyntaxHelp(); });
    help->addSeparator();
    addCommand(help, "AboutTarveloJava1", "About Tarvelo Zuva", [this] { showAbout(); });
}

// The button shows the command's glyph and hint; the menu item stays text only.
QToolButton* MainWindow::addToolButton(const char* name, QAction* command, const QString& hint,
                                       tz::Glyph glyph) {
    command->setToolTip(hint);
    command->setIcon(tz::toolbarGlyph(glyph));
    command->setIconVisibleInMenu(false);
    auto* button = new QToolButton(toolbar_);
    button->setObjectName(name);
    button->setDefaultAction(command);
    button->setFixedSize(25, 25);
    toolbar_->layout()->addWidget(button);
    return button;
}

void MainWindow::buildToolbar(QWidget* parent) {
    toolbar_ = new QWidget(parent);
    toolbar_->setObjectName("toolbar");
    toolbar_->setFixedHeight(31);
    auto* row = new QHBoxLayout(toolbar_);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(1);
    // Compile & Browse has no menu item: its action is the button's alone.
    QAction* compileAndPreviewAction = addCommand(nullptr, "compileAndPreview", "Compile && Browse",
                                                  [this] { compileAndPreview(); });
    addToolButton("openb", openProject_, "Open Project", tz::Glyph::Open);
    addToolButton("saveb", saveProject_, "Save Project", tz::Glyph::Save);
    addToolButton("BitBtn4", generateCode_, "Generate Code", tz::Glyph::Generate);
    addToolButton("CompileButton", compile_, "Compile Project", tz::Glyph::Compile);
    addToolButton("extcomp", compileExternally_, "Compile with external compiler",
                  tz::Glyph::ExternalCompile);
    addToolButton("BitBtn1", runApplet_, "Run Applet", tz::Glyph::Run);
    addToolButton("BitBtn2", compileAndRun_, "Compile & Run", tz::Glyph::CompileRun);
    addToolButton("BitBtn5", previewInBrowser_, "Preview in Browser", tz::Glyph::Browser);
    addToolButton("BitBtn6", compileAndPreviewAction, "Compile & Browse", tz::Glyph::CompileBrowse);
    row->addSpacing(12);
    caretLine_ = new QLabel("Line: 1", toolbar_);
    caretLine_->setObjectName("xy");
    row->addWidget(caretLine_);
    row->addStretch(1);
}

QWidget* MainWindow::buildLeftPanel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setMinimumWidth(60);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* logo = new QWidget(panel);
    logo->setObjectName("logo");
    logo->setFixedHeight(56);
    paintBackground(logo, QPalette::Window, LogoBlue);
    auto* logoText = new QVBoxLayout(logo);
    logoText->setContentsMargins(4, 4, 4, 4);
    logoText->setSpacing(0);
    auto* product = new QLabel("Tarvelo Zuva", logo);
    QFont productFont = font();
    productFont.setBold(true);
    productFont.setPointSize(productFont.pointSize() + 3);
    product->setFont(productFont);
    auto* version = new QLabel(QString("version ") + tz::programVersion(), logo);
    for (QLabel* label : {product, version}) {
        label->setAlignment(Qt::AlignCenter);
        paintBackground(label, QPalette::WindowText, Qt::white);
        label->setAutoFillBackground(false);
        logoText->addWidget(label);
    }
    column->addWidget(logo);

    column->addWidget(classTree_->tree(), 1);
    return panel;
}

QWidget* MainWindow::buildCodePanel(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* stack = new QVBoxLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    stack->addWidget(classTree_->tabs());

    declarationEdit_ = new QLineEdit(holder);
    declarationEdit_->setObjectName("declaration");
    declarationEdit_->setFixedHeight(33);
    QFont bold = monospaceFont();
    bold.setBold(true);
    declarationEdit_->setFont(bold);
    QPalette specColours = declarationEdit_->palette();
    specColours.setColor(QPalette::Base, LogoBlue);
    specColours.setColor(QPalette::Text, Qt::white);
    declarationEdit_->setPalette(specColours);
    declarationEdit_->installEventFilter(this);
    connect(declarationEdit_, &QLineEdit::textChanged, this, &MainWindow::declarationEdited);
    stack->addWidget(declarationEdit_);

    bodyEditor_ = tz::createBodyEditor(holder);
    bodyEditor_->setObjectName("this");
    connect(bodyEditor_, &QPlainTextEdit::textChanged, this, &MainWindow::bodyEdited);
    connect(bodyEditor_, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::showCaretLine);
    stack->addWidget(bodyEditor_, 1);
    return holder;
}

QFrame* MainWindow::buildRestructuringPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName("respanel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->resize(250, 70);
    auto* column = new QVBoxLayout(panel);
    column->addWidget(new QLabel("Restructuring...", panel), 0, Qt::AlignCenter);
    auto* bar = new QProgressBar(panel);
    bar->setObjectName("resbar");
    column->addWidget(bar);
    panel->hide();
    return panel;
}

QFrame* MainWindow::buildCompilingPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName("cpanel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->resize(150, 90);
    auto* column = new QVBoxLayout(panel);
    column->addWidget(new QLabel("Compiling...", panel), 0, Qt::AlignCenter);
    auto* picture = new QLabel(panel);
    picture->setObjectName("animpic");
    picture->setFixedSize(40, 40);
    // The first frame until the animation changes it.
    picture->setPixmap(tz::compileFrame(0));
    column->addWidget(picture, 0, Qt::AlignCenter);
    panel->hide();
    return panel;
}

void MainWindow::centrePanels() {
    for (QFrame* panel : {restructuringPanel_, compilingPanel_}) {
        const QRect area = panel->parentWidget()->rect();
        panel->move(area.center() - panel->rect().center());
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    centrePanels();
}

// ---- start, activation and close -----------------------------------------

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) windowActivated();
    return QMainWindow::event(event);
}

void MainWindow::windowActivated() {
    currentHelpFile_ = programHelpFile();
    if (!placementPending_) return;
    placementPending_ = false;
    // A project opened before this point (from the command line) brings its
    // own applet size, which the stored placement must not replace.
    const bool projectOpened = project().projectPath != Project::Untitled;
    const int appletWidth = windows_.design->appletWidth();
    const int appletHeight = windows_.design->appletHeight();
    const QList<QWidget*> windows = {this, windows_.design, windows_.palette, windows_.inspector};
    placeWindowsSideBySide();
    if (!settingsPath_.isEmpty()) {
        const auto placements =
            tz::readPlacements(settingsPath_.toStdString(), currentPlacements());
        for (std::size_t i = 0; i < placements.size(); ++i)
            applyPlacement(windows[int(i)], placements[i].bounds);
    }
    if (projectOpened) {
        windows_.design->setAppletWidth(appletWidth);
        windows_.design->setAppletHeight(appletHeight);
    }
    // The design window's size is the applet's: a small screen must not change it.
    for (QWidget* window : windows)
        tz::moveOntoScreen(window,
                           window == windows_.design ? tz::Fit::KeepSize : tz::Fit::ShrinkToScreen);
    // The default project's applet size is only now settled.
    if (!projectOpened) markProjectSaved();
}

// Where no placement is stored, the windows start side by side.
void MainWindow::placeWindowsSideBySide() {
    const QScreen* shown = screen();
    if (!shown) return;
    const QRect client = geometry();
    const QRect frame = frameGeometry();
    const QMargins decoration(client.left() - frame.left(), client.top() - frame.top(),
                              frame.right() - client.right(), frame.bottom() - client.bottom());
    const tz::WindowLayout layout = tz::defaultWindowLayout(
        shown->availableGeometry(), decoration,
        {windows_.design->size(), windows_.palette->size(), windows_.inspector->size()});
    const auto place = [&](QWidget* window, const QRect& framed, bool resized) {
        window->move(framed.topLeft());
        if (resized) window->resize(framed.marginsRemoved(decoration).size());
    };
    place(this, layout.main, true);
    place(windows_.design, layout.design, false);
    place(windows_.palette, layout.palette, false);
    place(windows_.inspector, layout.inspector, true);
}

std::vector<tz::WindowPlacement> MainWindow::currentPlacements() const {
    std::vector<tz::WindowPlacement> placements;
    const std::pair<const char*, const QWidget*> windows[] = {{"Java", this},
                                                              {"Applet", windows_.design},
                                                              {"Toolbar", windows_.palette},
                                                              {"Objector", windows_.inspector}};
    for (const auto& [section, window] : windows) {
        if (!window) continue;
        // The design window's size is the applet's, as the project stores it.
        const bool design = window == windows_.design;
        placements.push_back(
            {section,
             {window->x(), window->y(), design ? windows_.design->appletWidth() : window->width(),
              design ? windows_.design->appletHeight() : window->height()}});
    }
    return placements;
}

void MainWindow::applyPlacement(QWidget* window, const tz::Bounds& bounds) {
    const QRect rect(bounds.left, bounds.top, bounds.width, bounds.height);
    // A placement from another screen setup must never hide a window.
    if (bounds.width <= 0 || bounds.height <= 0 || !isOnSomeScreen(rect)) return;
    window->move(rect.topLeft());
    if (window != windows_.design) {
        window->resize(rect.size());
        return;
    }
    windows_.design->setAppletWidth(rect.width());
    windows_.design->setAppletHeight(rect.height());
}

// Settings are no project data: a settings file that cannot be written is
// reported, but must never keep the user from quitting.
void MainWindow::savePlacements() {
    if (settingsPath_.isEmpty() ||
        tz::writePlacements(settingsPath_.toStdString(), currentPlacements()))
        return;
    tz::reportError(this, QString("Unable to write to %1").arg(settingsPath_));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    savePlacements();
    event->accept();
}

// ---- tree and tabs ------------------------------------------------------

void MainWindow::rebuildTree() {
    classTree_->rebuildTree();
}

void MainWindow::showMethodTabs(int classIndex, int slotIndex) {
    const QScopedValueRollback showing(updating_, true);
    classTree_->showMethodTabs(classIndex, slotIndex);
    showInEditor(project().shownBody());
    showInDeclaration(project().shownDeclaration());
}

void MainWindow::showInEditor(const std::string& bytes) {
    const QString text = tz::displayText(bytes);
    if (bodyEditor_->toPlainText() != text) bodyEditor_->setPlainText(text);
}

void MainWindow::showInDeclaration(const std::string& bytes) {
    const QString text = tz::displayLine(bytes);
    if (declarationEdit_->text() != text) declarationEdit_->setText(text);
}

void MainWindow::bodyEdited() {
    showCaretLine();
    if (!updating_) bodyPending_ = true;
}

void MainWindow::storePendingBody() {
    if (!bodyPending_) return;
    bodyPending_ = false;
    document_.project().storeBody(tz::storedText(bodyEditor_->toPlainText()));
}

tz::Project& MainWindow::project() {
    storePendingBody();
    return document_.project();
}

void MainWindow::declarationEdited() {
    if (updating_ || project().currentClass == Project::ImportsEntry) return;
    project().storeDeclaration(tz::storedLine(declarationEdit_->text()));
    showMethodTabs(project().currentClass, project().currentSlot);
    if (project().currentClass == 1 && project().currentSlot == 0)
        showStatus(tz::displayLine(project().javaSourcePath));
}

void MainWindow::declarationLeft() {
    if (project().currentClass != Project::ImportsEntry) rebuildTree();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == declarationEdit_ && event->type() == QEvent::FocusOut) declarationLeft();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showCaretLine() {
    caretLine_->setText(QString("Line: %1").arg(bodyEditor_->textCursor().blockNumber() + 1));
    caretLine_->repaint();
}

QString MainWindow::messagesText() const {
    return messages_->toPlainText();
}

void MainWindow::setMessages(const QString& text) {
    messages_->setPlainText(text);
    messages_->repaint();
}

void MainWindow::showStatus(const QString& text) {
    statusLabel_->setText(text);
}

// ---- commands -----------------------------------------------------------

void MainWindow::exitProgram() {
    close();
}

void MainWindow::showDesignWindow() {
    windows_.design->show();
    windows_.design->raise();
    windows_.design->activateWindow();
}

void MainWindow::showInspector() {
    windows_.inspector->show();
    windows_.inspector->raise();
    windows_.inspector->activateWindow();
}

// Shows the toolbar and also brings back the palette window of the same name.
void MainWindow::showPalette() {
    toolbar_->setVisible(true);
    windows_.palette->show();
    windows_.palette->raise();
}

void MainWindow::showProjectOptions() {
    windows_.projectOptions->exec();
}

void MainWindow::showDeveloperOptions() {
    windows_.developerOptions->exec();
}

// ---- help ---------------------------------------------------------------

void MainWindow::showProgramHelp() {
    currentHelpFile_ = programHelpFile();
    showHelpTopics();
}

void MainWindow::showJavaSyntaxHelp() {
    currentHelpFile_ = tz::displayLine(mainSettings_.helpFile);
    showHelpTopics();
}

void MainWindow::showHelpTopics() {
    if (!helpWindow_) helpWindow_ = new HelpWindow(this);
    helpWindow_->showTopics(currentHelpFile_);
}

void MainWindow::showAbout() {
    tz::showMessage(this,
                    QString("Tarvelo Zuva version %1\nBuild 970.730").arg(tz::programVersion()));
}

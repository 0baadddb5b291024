#include "project/ui/Tzjava.h"

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

#include "designer/ui/Tapplet.h"
#include "designer/ui/Ttool.h"
#include "inspector/ui/TObjector.h"
#include "platform/TextBytes.h"
#include "platform/Version.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MenuKeys.h"
#include "platform/ui/OnScreen.h"
#include "project/WindowLayout.h"
#include "project/ui/ClassTreeView.h"
#include "settings/ui/THelpViewer.h"
#include "settings/ui/Tdevopt.h"
#include "settings/ui/Toptions.h"
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

Tzjava::Tzjava(const QString& programDirectory, const QString& settingsPath,
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
            [this] { UpdateTab(project().currentClass, project().currentSlot); });
    // The tree's width is the user's: long names need more room.
    auto* middle = new QSplitter(Qt::Horizontal, central);
    middle->setObjectName("treeSplitter");
    middle->setChildrenCollapsible(false);
    middle->addWidget(buildLeftPanel(middle));
    middle->addWidget(buildCodePanel(middle));
    middle->setStretchFactor(1, 1);
    middle->setSizes({120, width() - 120});
    column->addWidget(middle, 1);
    mess_ = new QPlainTextEdit(central);
    mess_->setObjectName("mess");
    mess_->setReadOnly(true);
    mess_->setFont(monospaceFont());
    mess_->setFixedHeight(51);
    paintBackground(mess_, QPalette::Base, MessageCyan);
    column->addWidget(mess_);
    respanel_ = buildRestructuringPanel(central);
    cpanel_ = buildCompilingPanel(central);
    setCentralWidget(central);

    statusBar()->setObjectName("status");
    status_ = new QLabel(statusBar());
    statusBar()->addWidget(status_, 1);

    QList<QAction*> shortcutCommands;
    for (QAction* action : menuBar()->findChildren<QAction*>())
        if (!action->shortcut().isEmpty()) shortcutCommands << action;
    new tz::MenuKeys(shortcutCommands, {saveProjectAs_}, this);
    FormCreate();
}

void Tzjava::setWindows(const ProgramWindows& windows) {
    windows_ = windows;
}

void Tzjava::FormCreate() {
    const tz::MainSettings read =
        tz::readMainSettings(settingsPath_.toStdString(), programDirectory_.toStdString());
    mainSettings_ = read;
    updating_ = false;
    placementPending_ = true;
    project().buildDefault();
    showCaption();
    UpdateTree();
    UpdateTab(project().currentClass, project().currentSlot);
    project().compileFailed = true;
}

// ---- layout -------------------------------------------------------------

QAction* Tzjava::addCommand(QMenu* menu, const QString& name, const QString& text,
                            const std::function<void()>& handler, const QKeySequence& shortcut) {
    auto* action = new QAction(text, menu ? static_cast<QObject*>(menu) : this);
    if (menu) menu->addAction(action);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void Tzjava::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    openProject_ = addCommand(
        file, "OpenProject1", "Open Project", [this] { OpenProject1Click(); },
        QKeySequence("Ctrl+O"));
    saveProject_ = addCommand(
        file, "SaveProject1", "Save Project", [this] { SaveProject1Click(); },
        QKeySequence("Ctrl+S"));
    saveProjectAs_ = addCommand(
        file, "SaveProjectAs1", "Save Project As", [this] { SaveProjectAs1Click(); },
        QKeySequence("Ctrl+A"));
    file->addSeparator();
    addCommand(file, "Open1", "Import Java", [this] { Open1Click(); });
    addCommand(file, "FileSaveas", "Export Java", [this] { FileSaveasClick(); });
    file->addSeparator();
    addCommand(
        file, "Exit1", "Exit", [this] { Exit1Click(); }, QKeySequence("Ctrl+Q"));

    QMenu* edit = menuBar()->addMenu("&Edit");
    addCommand(
        edit, "Cut1", "Cut", [this] { Cut1Click(); }, QKeySequence("Ctrl+X"));
    addCommand(
        edit, "Copy1", "Copy", [this] { Copy1Click(); }, QKeySequence("Ctrl+C"));
    edit->addSeparator();
    addCommand(
        edit, "Paste1", "Paste", [this] { Paste1Click(); }, QKeySequence("Ctrl+V"));

    QMenu* view = menuBar()->addMenu("&View");
    addCommand(
        view, "Applet1", "Applet", [this] { Applet1Click(); }, QKeySequence("F4"));
    addCommand(view, "Too1", "Object Handler", [this] { Too1Click(); });
    addCommand(view, "Objector1", "Objector", [this] { Objector1Click(); });

    QMenu* projectMenu = menuBar()->addMenu("&Project");
    generateCode_ = addCommand(
        projectMenu, "GenerateCode1", "Generate...", [this] { GenerateCode1Click(); },
        QKeySequence("F5"));
    projectMenu->addSeparator();
    compile_ = addCommand(
        projectMenu, "Compile1", "Compile...", [this] { Compile1Click(); }, QKeySequence("F6"));
    compileExternally_ =
        addCommand(projectMenu, "extcomp1", "Ext. Compile...", [this] { extcompClick(); });
    projectMenu->addSeparator();
    compileAndRun_ = addCommand(
        projectMenu, "BuildRun1", "Build && Run", [this] { BuildRun1Click(); }, QKeySequence("F7"));
    addCommand(projectMenu, "ExportJar1", "Export Runnable JAR...", [this] { ExportJar1Click(); });
    projectMenu->addSeparator();
    addCommand(projectMenu, "Options1", "Options", [this] { Options1Click(); });

    QMenu* run = menuBar()->addMenu("&Run");
    runApplet_ = addCommand(
        run, "Run2", "Run JavaApplet", [this] { Run2Click(); }, QKeySequence("F9"));
    previewInBrowser_ = addCommand(run, "PreviewAppletinBrowser1", "Preview Applet in Browser",
                                   [this] { BitBtn5Click(); });

    QMenu* developer = menuBar()->addMenu("&Developer");
    addCommand(developer, "JavaSyntaxHelpfile1", "&Options",
               [this] { JavaSyntaxHelpfile1Click(); });

    QMenu* help = menuBar()->addMenu("&Help");
    addCommand(help, "HelpTopics1", "Help Topics", [this] { HelpTopics1Click(); });
    addCommand(help, "JavaSyntaxHelp1", "Java Syntax Help", [this] { JavaSyntaxHelp1Click(); });
    help->addSeparator();
    addCommand(help, "AboutTarveloJava1", "About Tarvelo Zuva",
               [this] { AboutTarveloJava1Click(); });
}

// The button shows the command's glyph and hint; the menu item stays text only.
QToolButton* Tzjava::addToolButton(const char* name, QAction* command, const QString& hint,
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

void Tzjava::buildToolbar(QWidget* parent) {
    toolbar_ = new QWidget(parent);
    toolbar_->setObjectName("toolbar");
    toolbar_->setFixedHeight(31);
    auto* row = new QHBoxLayout(toolbar_);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(1);
    // Compile & Browse has no menu item: its action is the button's alone.
    QAction* compileAndPreview =
        addCommand(nullptr, "compileAndPreview", "Compile && Browse", [this] { BitBtn6Click(); });
    addToolButton("openb", openProject_, "Open Project", tz::Glyph::Open);
    addToolButton("saveb", saveProject_, "Save Project", tz::Glyph::Save);
    addToolButton("BitBtn4", generateCode_, "Generate Code", tz::Glyph::Generate);
    addToolButton("CompileButton", compile_, "Compile Project", tz::Glyph::Compile);
    addToolButton("extcomp", compileExternally_, "Compile with external compiler",
                  tz::Glyph::ExternalCompile);
    addToolButton("BitBtn1", runApplet_, "Run Applet", tz::Glyph::Run);
    addToolButton("BitBtn2", compileAndRun_, "Compile & Run", tz::Glyph::CompileRun);
    addToolButton("BitBtn5", previewInBrowser_, "Preview in Browser", tz::Glyph::Browser);
    addToolButton("BitBtn6", compileAndPreview, "Compile & Browse", tz::Glyph::CompileBrowse);
    row->addSpacing(12);
    xy_ = new QLabel("Line: 1", toolbar_);
    xy_->setObjectName("xy");
    row->addWidget(xy_);
    row->addStretch(1);
}

QWidget* Tzjava::buildLeftPanel(QWidget* parent) {
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

QWidget* Tzjava::buildCodePanel(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* stack = new QVBoxLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    stack->addWidget(classTree_->tabs());

    spec_ = new QLineEdit(holder);
    spec_->setObjectName("spec");
    spec_->setFixedHeight(33);
    QFont bold = monospaceFont();
    bold.setBold(true);
    spec_->setFont(bold);
    QPalette specColours = spec_->palette();
    specColours.setColor(QPalette::Base, LogoBlue);
    specColours.setColor(QPalette::Text, Qt::white);
    spec_->setPalette(specColours);
    spec_->installEventFilter(this);
    connect(spec_, &QLineEdit::textChanged, this, &Tzjava::specChange);
    stack->addWidget(spec_);

    this_ = tz::createBodyEditor(holder);
    this_->setObjectName("this");
    connect(this_, &QPlainTextEdit::textChanged, this, &Tzjava::thisChange);
    connect(this_, &QPlainTextEdit::cursorPositionChanged, this, &Tzjava::getxy);
    stack->addWidget(this_, 1);
    return holder;
}

QFrame* Tzjava::buildRestructuringPanel(QWidget* parent) {
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

QFrame* Tzjava::buildCompilingPanel(QWidget* parent) {
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

void Tzjava::centrePanels() {
    for (QFrame* panel : {respanel_, cpanel_}) {
        const QRect area = panel->parentWidget()->rect();
        panel->move(area.center() - panel->rect().center());
    }
}

void Tzjava::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    centrePanels();
}

// ---- start, activation and close -----------------------------------------

bool Tzjava::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    return QMainWindow::event(event);
}

void Tzjava::FormActivate() {
    currentHelpFile_ = programHelpFile();
    if (!placementPending_) return;
    placementPending_ = false;
    // A project opened before this point (from the command line) brings its
    // own applet size, which the stored placement must not replace.
    const bool projectOpened = project().projectPath != Project::Untitled;
    const int appletWidth = windows_.app->appletWidth();
    const int appletHeight = windows_.app->appletHeight();
    const QList<QWidget*> windows = {this, windows_.app, windows_.tool, windows_.obj};
    placeWindowsSideBySide();
    if (!settingsPath_.isEmpty()) {
        const auto placements =
            tz::readPlacements(settingsPath_.toStdString(), currentPlacements());
        for (std::size_t i = 0; i < placements.size(); ++i)
            applyPlacement(windows[int(i)], placements[i].bounds);
    }
    if (projectOpened) {
        windows_.app->setAppletWidth(appletWidth);
        windows_.app->setAppletHeight(appletHeight);
    }
    // The design window's size is the applet's: a small screen must not change it.
    for (QWidget* window : windows)
        tz::moveOntoScreen(window,
                           window == windows_.app ? tz::Fit::KeepSize : tz::Fit::ShrinkToScreen);
    // The default project's applet size is only now settled.
    if (!projectOpened) markProjectSaved();
}

// Where no placement is stored, the windows start side by side.
void Tzjava::placeWindowsSideBySide() {
    const QScreen* shown = screen();
    if (!shown) return;
    const QRect client = geometry();
    const QRect frame = frameGeometry();
    const QMargins decoration(client.left() - frame.left(), client.top() - frame.top(),
                              frame.right() - client.right(), frame.bottom() - client.bottom());
    const tz::WindowLayout layout = tz::defaultWindowLayout(
        shown->availableGeometry(), decoration,
        {windows_.app->size(), windows_.tool->size(), windows_.obj->size()});
    const auto place = [&](QWidget* window, const QRect& framed, bool resized) {
        window->move(framed.topLeft());
        if (resized) window->resize(framed.marginsRemoved(decoration).size());
    };
    place(this, layout.main, true);
    place(windows_.app, layout.design, false);
    place(windows_.tool, layout.palette, false);
    place(windows_.obj, layout.inspector, true);
}

std::vector<tz::WindowPlacement> Tzjava::currentPlacements() const {
    std::vector<tz::WindowPlacement> placements;
    const std::pair<const char*, const QWidget*> windows[] = {{"Java", this},
                                                              {"Applet", windows_.app},
                                                              {"Toolbar", windows_.tool},
                                                              {"Objector", windows_.obj}};
    for (const auto& [section, window] : windows) {
        if (!window) continue;
        // The design window's size is the applet's, as the project stores it.
        const bool design = window == windows_.app;
        placements.push_back(
            {section,
             {window->x(), window->y(), design ? windows_.app->appletWidth() : window->width(),
              design ? windows_.app->appletHeight() : window->height()}});
    }
    return placements;
}

void Tzjava::applyPlacement(QWidget* window, const tz::Bounds& bounds) {
    const QRect rect(bounds.left, bounds.top, bounds.width, bounds.height);
    // A placement from another screen setup must never hide a window.
    if (bounds.width <= 0 || bounds.height <= 0 || !isOnSomeScreen(rect)) return;
    window->move(rect.topLeft());
    if (window != windows_.app) {
        window->resize(rect.size());
        return;
    }
    windows_.app->setAppletWidth(rect.width());
    windows_.app->setAppletHeight(rect.height());
}

// Settings are no project data: a settings file that cannot be written is
// reported, but must never keep the user from quitting.
void Tzjava::FormCloseQuery() {
    if (settingsPath_.isEmpty() ||
        tz::writePlacements(settingsPath_.toStdString(), currentPlacements()))
        return;
    tz::reportError(this, QString("Unable to write to %1").arg(settingsPath_));
}

void Tzjava::closeEvent(QCloseEvent* event) {
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    FormCloseQuery();
    event->accept();
}

// ---- tree and tabs ------------------------------------------------------

void Tzjava::UpdateTree() {
    classTree_->UpdateTree();
}

void Tzjava::showScanTree(const std::vector<tz::ScanTreeItem>& items) {
    classTree_->showScannedItems(items);
}

void Tzjava::UpdateTab(int classIndex, int slotIndex) {
    const QScopedValueRollback showing(updating_, true);
    classTree_->UpdateTab(classIndex, slotIndex);
    showInEditor(project().shownBody());
    showInDeclaration(project().shownDeclaration());
}

void Tzjava::showInEditor(const std::string& bytes) {
    const QString text = tz::displayText(bytes);
    if (this_->toPlainText() != text) this_->setPlainText(text);
}

void Tzjava::showInDeclaration(const std::string& bytes) {
    const QString text = tz::displayLine(bytes);
    if (spec_->text() != text) spec_->setText(text);
}

void Tzjava::thisChange() {
    getxy();
    if (!updating_) bodyPending_ = true;
}

void Tzjava::storePendingBody() const {
    if (!bodyPending_) return;
    bodyPending_ = false;
    document_.project().storeBody(tz::storedText(this_->toPlainText()));
}

tz::Project& Tzjava::project() {
    storePendingBody();
    return document_.project();
}

const tz::Project& Tzjava::project() const {
    storePendingBody();
    return document_.project();
}

void Tzjava::specChange() {
    if (updating_ || project().currentClass == Project::ImportsEntry) return;
    project().storeDeclaration(tz::storedLine(spec_->text()));
    UpdateTab(project().currentClass, project().currentSlot);
    if (project().currentClass == 1 && project().currentSlot == 0)
        showStatus(tz::displayLine(project().javaSourcePath));
}

void Tzjava::specExit() {
    if (project().currentClass != Project::ImportsEntry) UpdateTree();
}

bool Tzjava::eventFilter(QObject* watched, QEvent* event) {
    if (watched == spec_ && event->type() == QEvent::FocusOut) specExit();
    return QMainWindow::eventFilter(watched, event);
}

void Tzjava::getxy() {
    xy_->setText(QString("Line: %1").arg(this_->textCursor().blockNumber() + 1));
    xy_->repaint();
}

QString Tzjava::messText() const {
    return mess_->toPlainText();
}

void Tzjava::showMess(const QString& text) {
    mess_->setPlainText(text);
    mess_->repaint();
}

void Tzjava::showStatus(const QString& text) {
    status_->setText(text);
}

// ---- commands -----------------------------------------------------------

void Tzjava::Exit1Click() {
    close();
}

void Tzjava::Applet1Click() {
    windows_.app->show();
    windows_.app->raise();
    windows_.app->activateWindow();
}

void Tzjava::Objector1Click() {
    windows_.obj->show();
    windows_.obj->raise();
    windows_.obj->activateWindow();
}

// Shows the toolbar and also brings back the palette window of the same name.
void Tzjava::Too1Click() {
    toolbar_->setVisible(true);
    windows_.tool->show();
    windows_.tool->raise();
}

void Tzjava::Options1Click() {
    windows_.opt->exec();
}

void Tzjava::JavaSyntaxHelpfile1Click() {
    windows_.dopt->exec();
}

// ---- help ---------------------------------------------------------------

void Tzjava::HelpTopics1Click() {
    currentHelpFile_ = programHelpFile();
    showHelpTopics();
}

void Tzjava::JavaSyntaxHelp1Click() {
    currentHelpFile_ = tz::displayLine(mainSettings_.helpFile);
    showHelpTopics();
}

void Tzjava::showHelpTopics() {
    if (!help_) help_ = new THelpViewer(this);
    help_->showTopics(currentHelpFile_);
}

void Tzjava::AboutTarveloJava1Click() {
    tz::showMessage(this,
                    QString("Tarvelo Zuva version %1\nBuild 970.730").arg(tz::programVersion()));
}

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
#include "platform/ui/CutTextToolTip.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/MenuKeys.h"
#include "platform/ui/OnScreen.h"
#include "project/WindowLayout.h"
#include "project/ui/ToolbarGlyphs.h"
#include "settings/ui/THelpViewer.h"
#include "settings/ui/Tdevopt.h"
#include "settings/ui/Toptions.h"

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

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildToolbar(central);
    column->addWidget(toolbar_);
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

    buildMenus();
    connectCommands();
    QList<QAction*> shortcutCommands;
    for (QAction* action : menuBar()->findChildren<QAction*>())
        if (!action->shortcut().isEmpty()) shortcutCommands << action;
    new tz::MenuKeys(shortcutCommands, {findChild<QAction*>("SaveProjectAs1")}, this);
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
                            const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setEnabled(false);  // enabled where the command is connected
    return action;
}

void Tzjava::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    addCommand(file, "OpenProject1", "Open Project", QKeySequence("Ctrl+O"));
    addCommand(file, "SaveProject1", "Save Project", QKeySequence("Ctrl+S"));
    addCommand(file, "SaveProjectAs1", "Save Project As", QKeySequence("Ctrl+A"));
    file->addSeparator();
    addCommand(file, "Open1", "Import Java");
    addCommand(file, "FileSaveas", "Export Java");
    file->addSeparator();
    addCommand(file, "Exit1", "Exit", QKeySequence("Ctrl+Q"));

    QMenu* edit = menuBar()->addMenu("&Edit");
    addCommand(edit, "Cut1", "Cut", QKeySequence("Ctrl+X"));
    addCommand(edit, "Copy1", "Copy", QKeySequence("Ctrl+C"));
    edit->addSeparator();
    addCommand(edit, "Paste1", "Paste", QKeySequence("Ctrl+V"));

    QMenu* view = menuBar()->addMenu("&View");
    addCommand(view, "Applet1", "Applet", QKeySequence("F4"));
    addCommand(view, "Too1", "Object Handler");
    addCommand(view, "Objector1", "Objector");

    QMenu* projectMenu = menuBar()->addMenu("&Project");
    addCommand(projectMenu, "GenerateCode1", "Generate...", QKeySequence("F5"));
    projectMenu->addSeparator();
    addCommand(projectMenu, "Compile1", "Compile...", QKeySequence("F6"));
    addCommand(projectMenu, "extcomp1", "Ext. Compile...");
    projectMenu->addSeparator();
    addCommand(projectMenu, "BuildRun1", "Build && Run", QKeySequence("F7"));
    addCommand(projectMenu, "ExportJar1", "Export Runnable JAR...");
    projectMenu->addSeparator();
    addCommand(projectMenu, "Options1", "Options");

    QMenu* run = menuBar()->addMenu("&Run");
    addCommand(run, "Run2", "Run JavaApplet", QKeySequence("F9"));
    addCommand(run, "PreviewAppletinBrowser1", "Preview Applet in Browser");

    QMenu* developer = menuBar()->addMenu("&Developer");
    addCommand(developer, "JavaSyntaxHelpfile1", "&Options");

    QMenu* help = menuBar()->addMenu("&Help");
    addCommand(help, "HelpTopics1", "Help Topics");
    addCommand(help, "JavaSyntaxHelp1", "Java Syntax Help");
    help->addSeparator();
    addCommand(help, "AboutTarveloJava1", "About Tarvelo Zuva");
}

void Tzjava::onCommand(const char* name, const std::function<void()>& handler) {
    if (auto* action = findChild<QAction*>(name)) {
        connect(action, &QAction::triggered, this, handler);
        action->setEnabled(true);
    } else if (auto* button = toolbar_->findChild<QToolButton*>(name)) {
        connect(button, &QToolButton::clicked, this, handler);
        button->setEnabled(true);
    }
}

void Tzjava::connectCommands() {
    onCommand("Exit1", [this] { Exit1Click(); });
    onCommand("Applet1", [this] { Applet1Click(); });
    onCommand("Too1", [this] { Too1Click(); });
    onCommand("Objector1", [this] { Objector1Click(); });
    onCommand("Options1", [this] { Options1Click(); });
    onCommand("JavaSyntaxHelpfile1", [this] { JavaSyntaxHelpfile1Click(); });
    onCommand("HelpTopics1", [this] { HelpTopics1Click(); });
    onCommand("JavaSyntaxHelp1", [this] { JavaSyntaxHelp1Click(); });
    onCommand("AboutTarveloJava1", [this] { AboutTarveloJava1Click(); });
    onCommand("FileSaveas", [this] { FileSaveasClick(); });
    onCommand("GenerateCode1", [this] { GenerateCode1Click(); });
    onCommand("BitBtn4", [this] { GenerateCode1Click(); });
    onCommand("OpenProject1", [this] { OpenProject1Click(); });
    onCommand("openb", [this] { OpenProject1Click(); });
    onCommand("SaveProject1", [this] { SaveProject1Click(); });
    onCommand("saveb", [this] { SaveProject1Click(); });
    onCommand("SaveProjectAs1", [this] { SaveProjectAs1Click(); });
    onCommand("Open1", [this] { Open1Click(); });
    onCommand("BitBtn3", [this] { BitBtn3Click(); });
    onCommand("Cut1", [this] { Cut1Click(); });
    onCommand("Copy1", [this] { Copy1Click(); });
    onCommand("Paste1", [this] { Paste1Click(); });
    connectBuildCommands();
}

void Tzjava::buildToolbar(QWidget* parent) {
    toolbar_ = new QWidget(parent);
    toolbar_->setObjectName("toolbar");
    toolbar_->setFixedHeight(31);
    auto* row = new QHBoxLayout(toolbar_);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(1);
    struct Button {
        const char* name;
        const char* hint;
        tz::Glyph glyph;
    };
    const Button buttons[] = {
        {"openb", "Open Project", tz::Glyph::Open},
        {"saveb", "Save Project", tz::Glyph::Save},
        {"BitBtn4", "Generate Code", tz::Glyph::Generate},
        {"CompileButton", "Compile Project", tz::Glyph::Compile},
        {"extcomp", "Compile with external compiler", tz::Glyph::ExternalCompile},
        {"BitBtn1", "Run Applet", tz::Glyph::Run},
        {"BitBtn2", "Compile & Run", tz::Glyph::CompileRun},
        {"BitBtn5", "Preview in Browser", tz::Glyph::Browser},
        {"BitBtn6", "Compile & Browse", tz::Glyph::CompileBrowse},
        {"BitBtn3", "Compile Project", tz::Glyph::Update},
    };
    for (const Button& b : buttons) {
        auto* button = new QToolButton(toolbar_);
        button->setObjectName(b.name);
        button->setToolTip(b.hint);
        button->setIcon(tz::toolbarGlyph(b.glyph));
        button->setFixedSize(25, 25);
        button->setEnabled(false);  // enabled where the command is connected
        row->addWidget(button);
    }
    QToolButton* update = toolbar_->findChild<QToolButton*>("BitBtn3");
    update->setText("Update");
    update->hide();
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

    tree_ = new QTreeWidget(panel);
    tree_->setObjectName("tree");
    tree_->setHeaderHidden(true);
    tree_->setItemDelegate(new tz::CutTextToolTipDelegate(tree_));
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { treeDblClick(item); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { treeDblClick(item); });
    // A right click or a key that moves the highlight selects like a left
    // click, so that the editors and the popup act on the highlighted item.
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!rebuildingTree_ && item) treeDblClick(item);
    });
    connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QTreeWidgetItem* item = tree_->itemAt(at)) tree_->setCurrentItem(item);
        showPopup(tree_->viewport(), at);
    });
    column->addWidget(tree_, 1);
    return panel;
}

QWidget* Tzjava::buildCodePanel(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* stack = new QVBoxLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    tab_ = new QTabBar(holder);
    tab_->setObjectName("tab");
    tab_->setFixedHeight(25);
    tab_->setExpanding(false);
    tab_->setUsesScrollButtons(true);
    tab_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tab_, &QTabBar::currentChanged, this, &Tzjava::tabChange);
    // As in the tree, the popup acts on the tab under the mouse.
    connect(tab_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (const int index = tab_->tabAt(at); index >= 0) tab_->setCurrentIndex(index);
        showPopup(tab_, at);
    });
    stack->addWidget(tab_);

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
    const QScopedValueRollback rebuilding(rebuildingTree_, true);
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    auto* imports = new QTreeWidgetItem(tree_, QStringList(QStringLiteral("Imports")));
    QTreeWidgetItem* remembered = imports;
    for (int c = 1; c <= project().classCount(); ++c) {
        auto* classItem =
            new QTreeWidgetItem(tree_, QStringList(tz::displayLine(project().slot(c, 0).name)));
        classItem->setExpanded(true);
        if (c == project().currentClass) remembered = classItem;
        for (int s = 1; s <= project().lastSlot(c); ++s) {
            auto* method = new QTreeWidgetItem(
                classItem, QStringList(tz::displayLine(project().slot(c, s).name)));
            if (c == project().currentClass && s == project().currentSlot) remembered = method;
        }
    }
    tree_->setUpdatesEnabled(true);
    tree_->setCurrentItem(remembered);
}

void Tzjava::UpdateTab(int classIndex, int slotIndex) {
    updating_ = true;
    while (tab_->count() > 0) tab_->removeTab(0);
    for (const std::string& caption : project().tabCaptions(classIndex))
        tab_->addTab(tz::displayLine(caption));
    showInEditor(project().shownBody());
    showInDeclaration(project().shownDeclaration());
    tab_->setCurrentIndex(slotIndex);
    updating_ = false;
}

void Tzjava::showInEditor(const std::string& bytes) {
    const QString text = tz::displayText(bytes);
    if (this_->toPlainText() != text) this_->setPlainText(text);
}

void Tzjava::showInDeclaration(const std::string& bytes) {
    const QString text = tz::displayLine(bytes);
    if (spec_->text() != text) spec_->setText(text);
}

void Tzjava::treeDblClick(QTreeWidgetItem* item) {
    std::vector<int> levels;
    int itemNumber = 0;
    for (int top = 0; top < tree_->topLevelItemCount(); ++top) {
        QTreeWidgetItem* classItem = tree_->topLevelItem(top);
        levels.push_back(1);
        if (classItem == item) itemNumber = int(levels.size());
        for (int child = 0; child < classItem->childCount(); ++child) {
            levels.push_back(2);
            if (classItem->child(child) == item) itemNumber = int(levels.size());
        }
    }
    if (itemNumber == 0) return;
    const tz::SlotPosition position = tz::positionOfTreeItem(levels, itemNumber);
    project().currentClass = position.classIndex;
    project().currentSlot = position.slot;
    UpdateTab(project().currentClass, project().currentSlot);
}

void Tzjava::tabChange(int index) {
    if (updating_ || index < 0) return;
    project().currentSlot = index;
    UpdateTab(project().currentClass, project().currentSlot);
    UpdateTree();
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

// ---- popup menu ---------------------------------------------------------

void Tzjava::showPopup(QWidget* source, const QPoint& position) {
    if (!popup1_) {
        popup1_ = new QMenu(this);
        popup1_->setObjectName("popup1");
        addInterface_ = popup1_->addAction("Add Interface", this, &Tzjava::AddInterface1Click);
        addInterface_->setObjectName("AddInterface1");
        addClass_ = popup1_->addAction("Add Class", this, &Tzjava::AddClass1Click);
        addClass_->setObjectName("AddClass1");
        popup1_->addSeparator();
        deleteInterface_ =
            popup1_->addAction("Delete Interface", this, &Tzjava::DeleteInterface1Click);
        deleteInterface_->setObjectName("DeleteInterface1");
        deleteClass_ = popup1_->addAction("Delete Class", this, &Tzjava::DeleteClass1Click);
        deleteClass_->setObjectName("DeleteClass1");
    }
    popup1Popup();
    popup1_->popup(source->mapToGlobal(position));
}

void Tzjava::popup1Popup() {
    addInterface_->setEnabled(project().canAddMethod());
    addClass_->setEnabled(project().canAddClass());
    deleteInterface_->setEnabled(project().canDeleteMethod());
    deleteClass_->setEnabled(project().canDeleteClass());
}

void Tzjava::AddInterface1Click() {
    if (!project().addMethod()) {
        tz::reportError(
            this, project().currentClass == Project::ImportsEntry
                      ? QString("The Imports entry has no interfaces.")
                      : QString("A class holds at most %1 interfaces.").arg(Project::MaxMethods));
        return;
    }
    UpdateTab(project().currentClass, project().currentSlot);
    UpdateTree();
}

void Tzjava::AddClass1Click() {
    if (!project().addClass()) {
        tz::reportError(this,
                        QString("A project holds at most %1 classes.").arg(Project::MaxClasses));
        return;
    }
    UpdateTab(project().currentClass, 0);
    UpdateTree();
}

void Tzjava::DeleteInterface1Click() {
    if (!project().deleteMethod()) return;
    UpdateTab(project().currentClass, project().currentSlot);
    UpdateTree();
}

void Tzjava::DeleteClass1Click() {
    if (!project().deleteClass()) return;
    UpdateTab(project().currentClass, 0);
    UpdateTree();
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

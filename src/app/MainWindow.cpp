#include "app/MainWindow.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/BuildCommands.h"
#include "app/BusyPanels.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/LayoutCommands.h"
#include "app/RecentProjectsMenu.h"
#include "app/WindowCommands.h"
#include "document/ui/DocumentEdits.h"
#include "platform/TextBytes.h"
#include "platform/Version.h"
#include "platform/ui/MenuKeys.h"
#include "project/ui/ClassTreeView.h"

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

}  // namespace

MainWindow::MainWindow(tz::DocumentEdits& edits,
                       const std::function<CommandGroups(MainWindow&)>& makeCommands)
    : edits_(edits), document_(edits.document()) {
    setObjectName("zjava");
    QFont arial("Arial");
    arial.setStyleHint(QFont::SansSerif);
    setFont(arial);
    resize(604, 531);
    const CommandGroups commands = makeCommands(*this);
    buildMenus(commands);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildToolbar(central, commands);
    column->addWidget(toolbar_);
    // Made after the toolbar, so that the focus order stays toolbar, tree, tabs, editors.
    classTree_ = new tz::ClassTreeView([this]() -> Project& { return project(); }, edits_, this);
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
    setCentralWidget(central);

    statusBar()->setObjectName("status");
    statusLabel_ = new QLabel(statusBar());
    statusBar()->addWidget(statusLabel_, 1);
    modifiedLabel_ = new QLabel(statusBar());
    modifiedLabel_->setObjectName("modified");
    statusBar()->addPermanentWidget(modifiedLabel_);

    connect(&document_, &tz::ProjectDocument::pendingEditsWanted, this,
            &MainWindow::storePendingBody);
    connect(&document_, &tz::ProjectDocument::classTableRestored, this,
            &MainWindow::showRestoredClassTable);
    connect(&document_, &tz::ProjectDocument::modifiedChanged, this, &MainWindow::showModified);
    showCaption();
    rebuildTree();
    showMethodTabs(document_.project().currentClass, document_.project().currentSlot);
}

// The edit commands ask this view for the focused editor at every focus
// change, which taking the window down makes: they go first.
MainWindow::~MainWindow() {
    delete findChild<EditCommands*>(QString(), Qt::FindDirectChildrenOnly);
}

// ---- layout -------------------------------------------------------------

void MainWindow::buildMenus(const CommandGroups& commands) {
    const FileActions& file = commands.file.actions();
    const EditActions& edit = commands.edit.actions();
    const BuildActions& build = commands.build.actions();
    const WindowActions& windows = commands.windows.actions();
    const QList<QList<QAction*>> menus[] = {
        {{file.newProject, file.openProject, commands.recentProjects.menuAction(), file.saveProject,
          file.saveProjectAs},
         {file.importJava, file.exportJava},
         {file.exit}},
        {{edit.undo, edit.redo}, {edit.cut, edit.copy}, {edit.paste, edit.duplicate}},
        {{windows.designWindow, windows.palette, windows.inspector}},
        commands.layout.sections(),
        {{build.generate},
         {build.compile, build.compileExternally},
         {build.compileAndRun, build.exportRunnableJar},
         {build.projectOptions}},
        {{build.runApplet, build.previewInBrowser}},
        {{windows.developerOptions}},
        {{windows.helpTopics, windows.javaSyntaxHelp}, {windows.about}}};
    const char* const titles[] = {"&File",    "&Edit", "&View",      "&Layout",
                                  "&Project", "&Run",  "&Developer", "&Help"};
    QList<QAction*> shortcutCommands;
    for (std::size_t m = 0; m < std::size(menus); ++m) {
        QMenu* menu = menuBar()->addMenu(titles[m]);
        for (const QList<QAction*>& section : menus[m]) {
            if (!menu->isEmpty()) menu->addSeparator();
            menu->addActions(section);
            for (QAction* action : section)
                if (!action->shortcut().isEmpty()) shortcutCommands << action;
        }
    }
    new tz::MenuKeys(shortcutCommands, {file.saveProjectAs}, this);
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

void MainWindow::buildToolbar(QWidget* parent, const CommandGroups& commands) {
    toolbar_ = new QWidget(parent);
    toolbar_->setObjectName("toolbar");
    toolbar_->setFixedHeight(31);
    auto* row = new QHBoxLayout(toolbar_);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(1);
    const FileActions& file = commands.file.actions();
    const BuildActions& build = commands.build.actions();
    addToolButton("openb", file.openProject, "Open Project", tz::Glyph::Open);
    addToolButton("saveb", file.saveProject, "Save Project", tz::Glyph::Save);
    addToolButton("BitBtn4", build.generate, "Generate Code", tz::Glyph::Generate);
    addToolButton("CompileButton", build.compile, "Compile Project", tz::Glyph::Compile);
    addToolButton("extcomp", build.compileExternally, "Compile with external compiler",
                  tz::Glyph::ExternalCompile);
    addToolButton("BitBtn1", build.runApplet, "Run Applet", tz::Glyph::Run);
    addToolButton("BitBtn2", build.compileAndRun, "Compile & Run", tz::Glyph::CompileRun);
    addToolButton("BitBtn5", build.previewInBrowser, "Preview in Browser", tz::Glyph::Browser);
    addToolButton("BitBtn6", build.compileAndPreview, "Compile & Browse", tz::Glyph::CompileBrowse);
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
    QPalette declarationColours = declarationEdit_->palette();
    declarationColours.setColor(QPalette::Base, LogoBlue);
    declarationColours.setColor(QPalette::Text, Qt::white);
    declarationEdit_->setPalette(declarationColours);
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

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (busyPanels_) busyPanels_->centre();
}

// ---- activation and close -----------------------------------------------

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Q_EMIT activated();
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeCheck_ && !closeCheck_()) {
        event->ignore();
        return;
    }
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
    if (updating_) return;
    bodyPending_ = true;
    document_.noteTextEdited();
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
    edits_.storeDeclaration(tz::storedLine(declarationEdit_->text()));
    showMethodTabs(project().currentClass, project().currentSlot);
    if (project().currentClass == 1 && project().currentSlot == 0)
        showStatus(tz::displayLine(project().javaSourcePath));
}

void MainWindow::showRestoredClassTable() {
    rebuildTree();
    showMethodTabs(document_.project().currentClass, document_.project().currentSlot);
    showStatus(tz::displayLine(document_.project().javaSourcePath));
}

void MainWindow::showModified(bool modified) {
    modifiedLabel_->setText(modified ? "Modified" : QString());
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
    statusLabel_->repaint();
}

void MainWindow::appendMessage(const QString& text) {
    messages_->appendPlainText(text);
}

QString MainWindow::statusText() const {
    return statusLabel_->text();
}

void MainWindow::showCaption() {
    const std::string& path = document_.project().projectPath;
    if (path == tz::Project::Untitled) {
        setWindowTitle("Tarvelo Zuva- [Untitled]");
    } else {
        setWindowTitle(QString("Tarvelo Zuva - [%1]").arg(tz::displayLine(path)));
    }
}

BusyPanels& MainWindow::busyPanels() {
    // Made for the first long step: the windows paint sooner without them.
    if (!busyPanels_) busyPanels_ = std::make_unique<BusyPanels>(centralWidget());
    return *busyPanels_;
}

void MainWindow::showToolbar() {
    toolbar_->setVisible(true);
}

void MainWindow::showScannedItems(const std::vector<tz::ScanTreeItem>& items) {
    classTree_->showScannedItems(items);
}

QWidget* MainWindow::focusedEditor() const {
    // Asked also while the window is built, before the editors exist.
    if (bodyEditor_ && bodyEditor_->hasFocus()) return bodyEditor_;
    if (declarationEdit_ && declarationEdit_->hasFocus()) return declarationEdit_;
    return nullptr;
}

void MainWindow::selectBodyLine(int n) {
    // One byte per character, so that positions are the editor's own.
    const auto line = tz::lineRange(bodyEditor_->toPlainText().toLatin1().toStdString(), n);
    if (!line) return;  // the body has changed since the compile
    bodyEditor_->setFocus();
    // Selected from its end back to its start: the caret stays on the line,
    // not after its line break, so that the line label names it.
    QTextCursor cursor = bodyEditor_->textCursor();
    cursor.setPosition(int(line->end));
    cursor.setPosition(int(line->start), QTextCursor::KeepAnchor);
    bodyEditor_->setTextCursor(cursor);
    bodyEditor_->ensureCursorVisible();
}

#include "settings/ui/DeveloperOptionsDialog.h"

#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/OpenFileDialog.h"

namespace {

// Programs on this platform rarely end in .exe, so every chooser also
// offers all files; a program is a file with the execute bit.
const QString AllFiles = "All files (*)";
const QString Programs = "Programs (*)";

QString directoryPart(const QString& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

}  // namespace

DeveloperOptionsDialog::DeveloperOptionsDialog(const QString& programDirectory,
                                               const QString& settingsPath, QWidget* parent)
    : QDialog(parent), programDirectory_(programDirectory), settingsPath_(settingsPath) {
    setObjectName("dopt");
    setWindowTitle("Developer Options");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(425, 261);

    auto* fields = new QVBoxLayout;
    auto addRow = [&](const char* labelName, const QString& caption, const char* editName,
                      const char* buttonName, void (DeveloperOptionsDialog::*choose)()) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(labelName);
        fields->addWidget(label);
        auto* row = new QHBoxLayout;
        auto* edit = new QLineEdit(this);
        edit->setObjectName(editName);
        row->addWidget(edit, 1);
        if (buttonName) {
            auto* button = new QPushButton("...", this);
            button->setObjectName(buttonName);
            button->setAutoDefault(false);
            button->setFixedWidth(25);
            connect(button, &QPushButton::clicked, this, choose);
            row->addWidget(button);
        }
        fields->addLayout(row);
        return edit;
    };
    helpFileEdit_ = addRow("Label1", "Java Syntax Help-file", "helpfile", "BitBtn1",
                           &DeveloperOptionsDialog::chooseHelpFile);
    browserEdit_ = addRow("Label2", "Web Browser", "webbrowser", "BitBtn4",
                          &DeveloperOptionsDialog::chooseBrowser);
    compilerEdit_ = addRow("Label3", "External Compiler", "compiler", "BitBtn5",
                           &DeveloperOptionsDialog::chooseCompiler);
    compilerParametersEdit_ =
        addRow("Label4", "Ext. Compiler parameters", "comppar", nullptr, nullptr);
    gridStepEdit_ = addRow("Label5", "Grid step", "gridstep", nullptr, nullptr);
    fields->addStretch(1);

    auto* bevel = new QFrame(this);
    bevel->setObjectName("Bevel1");
    bevel->setFrameShape(QFrame::VLine);
    bevel->setFrameShadow(QFrame::Sunken);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn2");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &DeveloperOptionsDialog::saveAndClose);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("BitBtn3");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &DeveloperOptionsDialog::cancel);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(fields, 1);
    columns->addWidget(bevel);
    columns->addLayout(buttons);
}

void DeveloperOptionsDialog::showEvent(QShowEvent* event) {
    showStoredSettings();
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

// Every showing starts from the stored values, dropping unconfirmed edits.
void DeveloperOptionsDialog::showStoredSettings() {
    const tz::MainSettings stored =
        tz::readMainSettings(settingsPath_.toStdString(), programDirectory_.toStdString());
    helpFileEdit_->setText(tz::displayLine(stored.helpFile));
    browserEdit_->setText(tz::displayLine(stored.browser));
    compilerEdit_->setText(tz::displayLine(stored.compiler));
    compilerParametersEdit_->setText(tz::displayLine(stored.compilerParameters));
    gridStepEdit_->setText(QString::number(stored.gridStep));
}

void DeveloperOptionsDialog::chooseHelpFile() {
    chooseFile(helpFileEdit_, {"JavaSyntax Help files (*.HLP *.hlp)", AllFiles}, "HLP");
}

// No default suffix for programs: it would turn a chosen "firefox" into
// "firefox.exe".
void DeveloperOptionsDialog::chooseBrowser() {
    chooseFile(browserEdit_, {AllFiles, Programs}, QString());
}

void DeveloperOptionsDialog::chooseCompiler() {
    chooseFile(compilerEdit_, {AllFiles, Programs}, QString());
}

void DeveloperOptionsDialog::chooseFile(QLineEdit* edit, const QStringList& filters,
                                        const QString& defaultSuffix) {
    // Made at first use: costly to build, and it writes the toolkit's settings when it goes.
    if (!fileDialog_) {
        fileDialog_ = tz::makeOpenFileDialog(this);
        listed_ = fileDialog_->filter();
        connect(fileDialog_, &QFileDialog::filterSelected, this, [this](const QString& filter) {
            fileDialog_->setFilter(filter == Programs ? listed_ | QDir::Executable : listed_);
        });
    }
    fileDialog_->setDirectory(directoryPart(edit->text()));
    fileDialog_->selectFile(QString());
    fileDialog_->setNameFilters(filters);
    fileDialog_->setFilter(listed_);
    fileDialog_->setDefaultSuffix(defaultSuffix);
    if (fileDialog_->exec() != QDialog::Accepted || fileDialog_->selectedFiles().isEmpty()) return;
    edit->setText(fileDialog_->selectedFiles().constFirst());
}

std::optional<tz::MainSettings> DeveloperOptionsDialog::fields() {
    const tz::CheckedNumber gridStep =
        tz::numberIn(tz::storedLine(gridStepEdit_->text()), tz::GridStepRange);
    if (!gridStep.value) {
        tz::reportError(this, "Grid step: " + tz::displayLine(gridStep.error));
        gridStepEdit_->setFocus();
        gridStepEdit_->selectAll();
        return std::nullopt;
    }
    tz::MainSettings settings;
    settings.gridStep = *gridStep.value;
    settings.helpFile = tz::storedLine(helpFileEdit_->text());
    settings.browser = tz::storedLine(browserEdit_->text());
    settings.compiler = tz::storedLine(compilerEdit_->text());
    settings.compilerParameters = tz::storedLine(compilerParametersEdit_->text());
    return settings;
}

// A refused grid step keeps the dialog open; it closes even when the
// settings cannot be written.
void DeveloperOptionsDialog::saveAndClose() {
    const std::optional<tz::MainSettings> confirmed = fields();
    if (!confirmed) return;
    if (tz::writeMainSettings(settingsPath_.toStdString(), *confirmed)) {
        Q_EMIT mainSettingsWritten(*confirmed);
    } else {
        tz::reportError(this, QString("Unable to write to %1").arg(settingsPath_));
    }
    accept();
}

void DeveloperOptionsDialog::cancel() {
    reject();
}

#include "settings/ui/ProjectOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "designer/DesignRules.h"
#include "document/ProjectDocument.h"
#include "document/ui/DocumentEdits.h"
#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/GridCellDelegate.h"

namespace {

QLabel* headingLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font("Times New Roman");
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(16);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(colours);
    return label;
}

QCheckBox* checkBox(const QString& name, const QString& text, int top, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setGeometry(20, top, 250, 22);
    return box;
}

}  // namespace

ProjectOptionsDialog::ProjectOptionsDialog(tz::DocumentEdits& edits, QWidget* parent)
    : QDialog(parent), edits_(edits), document_(edits.document()) {
    setObjectName("opt");
    setWindowTitle("Options");
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(386, 344);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 370, 290);

    headingLabel("Label1", "Run Parameters:", panel)->setGeometry(10, 8, 160, 22);
    auto* add = new QPushButton("Add", panel);
    add->setObjectName("add");
    add->setGeometry(200, 6, 75, 25);
    auto* remove = new QPushButton("Delete", panel);
    remove->setObjectName("delete");
    remove->setGeometry(283, 6, 75, 25);
    // Enter is OK's, also after one of these was clicked.
    add->setAutoDefault(false);
    remove->setAutoDefault(false);

    grid_ = new QTableWidget(1, 2, panel);
    grid_->setObjectName("grid");
    grid_->setGeometry(10, 36, 348, 84);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setDefaultSectionSize(126);
    grid_->verticalHeader()->setMinimumSectionSize(10);
    grid_->verticalHeader()->setDefaultSectionSize(std::max(15, fontMetrics().height() + 2));
    new tz::GridCellDelegate(grid_);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setCurrentCell(0, 0);

    headingLabel("Label3", "Applet:", panel)->setGeometry(10, 128, 70, 22);
    auto* widthLabel = new QLabel("Width", panel);
    widthLabel->setObjectName("Label4");
    widthLabel->setGeometry(90, 130, 40, 20);
    appletWidthEdit_ = new QLineEdit(panel);
    appletWidthEdit_->setObjectName("appx");
    appletWidthEdit_->setGeometry(135, 128, 60, 22);
    auto* heightLabel = new QLabel("Height", panel);
    heightLabel->setObjectName("Label5");
    heightLabel->setGeometry(210, 130, 45, 20);
    appletHeightEdit_ = new QLineEdit(panel);
    appletHeightEdit_->setObjectName("appy");
    appletHeightEdit_->setGeometry(260, 128, 60, 22);

    headingLabel("Label2", "Compiler:", panel)->setGeometry(10, 156, 100, 22);
    optimize_ = checkBox("optimize", "Optimized Java to Bytecode compiling", 180, panel);
    addAppletObjects_ = checkBox("addApplet", "Add Applet objects", 202, panel);
    addAppletObjects_->setChecked(true);
    dynamicObjects_ = checkBox("paintOnce", "Dynamic Objects", 224, panel);
    withoutLineBreaks_ = checkBox("cWithout", "Compile without CR/LF", 246, panel);
    automaticBackground_ = checkBox("autoBCOL", "Automatic Background color", 268, panel);
    automaticBackground_->setGeometry(20, 264, 210, 22);
    colourList_ = new QComboBox(panel);
    colourList_->setObjectName("colorz");
    colourList_->setEditable(false);
    colourList_->setGeometry(238, 262, 120, 24);
    for (const tz::JavaColour& colour : tz::ColourTable) colourList_->addItem(colour.name);
    colourList_->setCurrentIndex(tz::DefaultColourIndex);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    ok->setGeometry(104, 306, 86, 28);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("BitBtn2");
    cancel->setAutoDefault(false);
    cancel->setGeometry(196, 306, 86, 28);

    for (QCheckBox* box : {automaticBackground_, optimize_, dynamicObjects_})
        connect(box, &QCheckBox::clicked, this, &ProjectOptionsDialog::enableColourList);
    connect(add, &QPushButton::clicked, this, &ProjectOptionsDialog::addParameterRow);
    connect(remove, &QPushButton::clicked, this, &ProjectOptionsDialog::deleteParameterRow);
    connect(ok, &QPushButton::clicked, this, &ProjectOptionsDialog::applyAndClose);
    connect(cancel, &QPushButton::clicked, this, &ProjectOptionsDialog::reject);
}

tz::ProjectOptions ProjectOptionsDialog::options() const {
    tz::ProjectOptions options;
    options.optimize = optimize_->isChecked();
    options.addAppletObjects = addAppletObjects_->isChecked();
    options.withoutLineBreaks = withoutLineBreaks_->isChecked();
    options.automaticBackground = automaticBackground_->isChecked();
    options.dynamicObjects = dynamicObjects_->isChecked();
    options.colourIndex = colourList_->currentIndex();
    options.parameters.clear();
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem* item = grid_->item(row, column);
            return item ? tz::storedLine(item->text()) : std::string();
        };
        options.parameters.push_back({text(0), text(1)});
    }
    return options;
}

void ProjectOptionsDialog::showOptions(const tz::ProjectOptions& options) {
    optimize_->setChecked(options.optimize);
    addAppletObjects_->setChecked(options.addAppletObjects);
    withoutLineBreaks_->setChecked(options.withoutLineBreaks);
    automaticBackground_->setChecked(options.automaticBackground);
    dynamicObjects_->setChecked(options.dynamicObjects);
    colourList_->setCurrentIndex(tz::isColourIndex(options.colourIndex) ? options.colourIndex
                                                                        : tz::DefaultColourIndex);
    // The grid always keeps at least one parameter row.
    grid_->clearContents();
    grid_->setRowCount(std::max<int>(1, static_cast<int>(options.parameters.size())));
    for (int row = 0; row < static_cast<int>(options.parameters.size()); ++row) {
        grid_->setItem(row, 0, new QTableWidgetItem(tz::displayLine(options.parameters[row].name)));
        grid_->setItem(row, 1,
                       new QTableWidgetItem(tz::displayLine(options.parameters[row].value)));
    }
    grid_->setCurrentCell(0, 0);
    enableColourList();
}

void ProjectOptionsDialog::showAppletSize() {
    appletWidthEdit_->setText(QString::number(document_.design().appletWidth()));
    appletHeightEdit_->setText(QString::number(document_.design().appletHeight()));
}

// Cancel, Escape and the close button leave the document as it was; the
// next showing starts from it again. Controls that show it already keep
// their state (the colour list starts enabled).
void ProjectOptionsDialog::showEvent(QShowEvent* event) {
    grid_->setHorizontalHeaderLabels({"Parameter", "Value"});
    if (options() != document_.options()) showOptions(document_.options());
    showAppletSize();
    QDialog::showEvent(event);
}

void ProjectOptionsDialog::enableColourList() {
    colourList_->setEnabled(automaticBackground_->isChecked());
}

void ProjectOptionsDialog::addParameterRow() {
    grid_->setRowCount(grid_->rowCount() + 1);
}

void ProjectOptionsDialog::deleteParameterRow() {
    if (grid_->rowCount() <= 1) {
        grid_->clearContents();
        return;
    }
    grid_->removeRow(std::max(0, grid_->currentRow()));
}

void ProjectOptionsDialog::applyAndClose() {
    // The dialog closes even when a size is refused.
    accept();
    const auto size = [this](const QLineEdit* field, tz::IntRange range) {
        const tz::CheckedNumber size = tz::numberIn(tz::storedLine(field->text()), range);
        if (!size.value) tz::reportError(this, tz::displayLine(size.error));
        return size.value;
    };
    // A refused width leaves the height unread.
    const std::optional<int> width = size(appletWidthEdit_, tz::AppletWidthRange);
    const std::optional<int> height =
        width ? size(appletHeightEdit_, tz::AppletHeightRange) : std::nullopt;
    edits_.setOptions(options(), width, height);
}

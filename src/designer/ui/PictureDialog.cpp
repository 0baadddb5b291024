#include "designer/ui/PictureDialog.h"

#include <QFileDialog>

#include "project/Project.h"

PictureDialog::PictureDialog(QWidget* parent) : parent_(parent) {}

PictureDialog::~PictureDialog() = default;

std::optional<std::string> PictureDialog::choose(const std::string& javaSourcePath) {
    if (!open_) {
        open_ = new QFileDialog(parent_);
        open_->setObjectName("open");
        open_->setOption(QFileDialog::DontUseNativeDialog);
        open_->setFileMode(QFileDialog::ExistingFile);
        open_->setAcceptMode(QFileDialog::AcceptOpen);
        open_->setNameFilter("jpeg and gif (*.jpg *.gif)");
        open_->setDefaultSuffix("jpg");
    }
    const std::string folder = tz::directoryPart(javaSourcePath);
    if (!folder.empty()) open_->setDirectory(QFile::decodeName(QByteArray::fromStdString(folder)));
    if (open_->exec() != QDialog::Accepted || open_->selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(open_->selectedFiles().first()).toStdString();
}

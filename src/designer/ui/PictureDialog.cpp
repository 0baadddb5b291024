#include "designer/ui/PictureDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>

#include "platform/ui/OpenFileDialog.h"
#include "project/Project.h"

PictureDialog::PictureDialog(QWidget* parent) : parent_(parent) {}

PictureDialog::~PictureDialog() = default;

std::optional<std::string> PictureDialog::choose(const std::string& javaSourcePath) {
    if (!open_) {
        open_ = tz::makeOpenFileDialog(parent_);
        open_->setNameFilter("jpeg and gif (*.jpg *.gif)");
        open_->setDefaultSuffix("jpg");
    }
    const std::string folder = tz::directoryPart(javaSourcePath);
    if (!folder.empty()) open_->setDirectory(QFile::decodeName(QByteArray::fromStdString(folder)));
    const bool chosen = open_->exec() == QDialog::Accepted && !open_->selectedFiles().isEmpty();
    // The file name's completion list is a window of its own: it goes with the dialog.
    for (QCompleter* completer : open_->findChildren<QCompleter*>()) completer->popup()->hide();
    if (!chosen) return std::nullopt;
    return QFile::encodeName(open_->selectedFiles().first()).toStdString();
}

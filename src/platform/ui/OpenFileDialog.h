#pragma once
// The toolkit's own dialog for choosing one existing file, named "open":
// the same on every desktop, and tests find it by that name.
#include <QFileDialog>

namespace tz {

inline QFileDialog* makeOpenFileDialog(QWidget* parent) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName("open");
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

}  // namespace tz

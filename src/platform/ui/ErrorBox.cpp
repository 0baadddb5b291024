#include "platform/ui/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

namespace tz {

void reportError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QApplication::applicationName(), message);
}

}  // namespace tz

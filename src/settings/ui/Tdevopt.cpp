#include "settings/ui/Tdevopt.h"

Tdevopt::Tdevopt(QWidget* parent) : QDialog(parent) {
    setObjectName("dopt");
    setWindowTitle("Developer Options");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(425, 261);
}

#include "settings/ui/Toptions.h"

Toptions::Toptions(QWidget* parent) : QDialog(parent) {
    setObjectName("opt");
    setWindowTitle("Options");
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(386, 344);
}

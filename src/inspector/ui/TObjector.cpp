#include "inspector/ui/TObjector.h"

TObjector::TObjector(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("obj");
    setWindowTitle("Objector");
    setAttribute(Qt::WA_QuitOnClose, false);
    move(210, 305);
    resize(151, 350);
}

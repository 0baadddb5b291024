#include "designer/ui/Ttool.h"

Ttool::Ttool(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("tool");
    setWindowTitle("Object Handler");
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(0, 128, 255));
    setPalette(background);
    setAutoFillBackground(true);
    move(284, 653);
    resize(376, 37);
}

#include "designer/ui/Tapplet.h"

Tapplet::Tapplet(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("app");
    setWindowTitle("Applet");
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(background);
    setAutoFillBackground(true);
    move(215, 147);
    resize(410, 316);
}

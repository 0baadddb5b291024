#include "app/BusyPanels.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "toolchain/ui/CompileFrames.h"

BusyPanels::BusyPanels(QWidget* area)
    : scanPanel_(buildPanel(area, "respanel", "Restructuring...", 250, 70)),
      scanBar_(new QProgressBar(scanPanel_)),
      compilingPanel_(buildPanel(area, "cpanel", "Compiling...", 150, 90)),
      picture_(new QLabel(compilingPanel_)) {
    scanBar_->setObjectName("resbar");
    scanPanel_->layout()->addWidget(scanBar_);
    picture_->setObjectName("animpic");
    picture_->setFixedSize(40, 40);
    // The first frame until the animation changes it.
    picture_->setPixmap(tz::compileFrame(0));
    static_cast<QVBoxLayout*>(compilingPanel_->layout())->addWidget(picture_, 0, Qt::AlignCenter);
}

QFrame* BusyPanels::buildPanel(QWidget* area, const char* name, const char* title, int width,
                               int height) {
    auto* panel = new QFrame(area);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->resize(width, height);
    auto* column = new QVBoxLayout(panel);
    column->addWidget(new QLabel(title, panel), 0, Qt::AlignCenter);
    panel->hide();
    return panel;
}

void BusyPanels::centre() {
    for (QFrame* panel : {scanPanel_, compilingPanel_}) {
        const QRect area = panel->parentWidget()->rect();
        panel->move(area.center() - panel->rect().center());
    }
}

void BusyPanels::show(QFrame* panel) {
    centre();
    panel->raise();
    panel->show();
    panel->repaint();
}

void BusyPanels::showScan(int length) {
    scanBar_->setRange(0, length);
    scanBar_->setValue(0);
    show(scanPanel_);
}

void BusyPanels::showScanProgress(int position) {
    scanBar_->setValue(position);
    scanPanel_->repaint();
}

void BusyPanels::hideScan() {
    scanPanel_->hide();
}

void BusyPanels::showCompiling() {
    show(compilingPanel_);
}

void BusyPanels::showCompileFrame(const QPixmap& picture) {
    picture_->setPixmap(picture);
    compilingPanel_->repaint();
}

void BusyPanels::hideCompiling() {
    compilingPanel_->hide();
    compilingPanel_->window()->repaint();
}

#pragma once
// The "Restructuring..." and "Compiling..." panels, centred over the main
// window's central area while a long step runs.
class QFrame;
class QLabel;
class QPixmap;
class QProgressBar;
class QWidget;

class BusyPanels {
  public:
    // The panels are area's children, hidden until shown.
    explicit BusyPanels(QWidget* area);

    void centre();
    // The restructuring panel, its bar from nothing to length.
    void showScan(int length);
    void showScanProgress(int position);
    void hideScan();
    void showCompiling();
    void showCompileFrame(const QPixmap& picture);
    void hideCompiling();

  private:
    static QFrame* buildPanel(QWidget* area, const char* name, const char* title, int width,
                              int height);
    void show(QFrame* panel);

    QFrame* scanPanel_;
    QProgressBar* scanBar_;
    QFrame* compilingPanel_;
    QLabel* picture_;
};

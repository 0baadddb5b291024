// The plain Qt Widgets program start-up is measured against: N empty main
// windows.
//   startup_minimal [N]
#include <QApplication>
#include <QMainWindow>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    std::vector<std::unique_ptr<QMainWindow>> windows;
    for (int i = 0; i < count; ++i) {
        auto window = std::make_unique<QMainWindow>();
        window->resize(400, 300);
        window->move(40 * i, 40 * i);
        window->show();
        windows.push_back(std::move(window));
    }
    return QApplication::exec();
}

#include <QApplication>

#include "project/ui/Program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tarvelo Zuva");
    QApplication::setApplicationVersion("1.15");
    const QString programDirectory = QApplication::applicationDirPath() + "/";
    Program program(programDirectory, Program::settingsPathFor(programDirectory));
    program.show();
    return QApplication::exec();
}

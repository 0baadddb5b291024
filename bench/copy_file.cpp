// The yardstick of bench/export_java.sh: a QCoreApplication program that
// copies one file to another, as the export writes one.
#include <QCoreApplication>
#include <QFile>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) return 2;
    QFile::remove(arguments.at(2));
    return QFile::copy(arguments.at(1), arguments.at(2)) ? 0 : 1;
}

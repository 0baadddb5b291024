#include "platform/ui/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace tz {

namespace {

bool batch = false;

void printLine(const QString& text) {
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

QString aboutFile(const QString& message, const QString& file) {
    return file.isEmpty() ? message : file + ": " + message;
}

void stopInBatch(const QString& message, const QString& file) {
    if (!batch) return;
    const QString line = aboutFile(message, file);
    printLine(line);
    throw BatchStop{line};
}

int ask(QWidget* parent, const QString& question, QMessageBox::StandardButtons buttons,
        QMessageBox::Icon icon) {
    if (batch) {
        printLine(question);
        return QMessageBox::No;
    }
    QMessageBox box(icon, QApplication::applicationName(), question, buttons, parent);
    return box.exec();
}

}  // namespace

void setBatchMode(bool on) {
    batch = on;
}
bool batchMode() {
    return batch;
}

void noteInBatch(const QString& note, const QString& file) {
    if (batch) printLine(aboutFile(note, file));
}

void reportError(QWidget* parent, const QString& message, const QString& file) {
    stopInBatch(message, file);
    QMessageBox::critical(parent, QApplication::applicationName(), message);
}

void showMessage(QWidget* parent, const QString& message, const QString& file) {
    stopInBatch(message, file);
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), message, QMessageBox::Ok,
                    parent);
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& question) {
    return ask(parent, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Information) ==
           QMessageBox::Yes;
}

bool askYesNoCancel(QWidget* parent, const QString& question) {
    return askYesNoCancelChoice(parent, question) == Answer::Yes;
}

Answer askYesNoCancelChoice(QWidget* parent, const QString& question) {
    switch (ask(parent, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                QMessageBox::Question)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;  // also a box closed without a button
    }
}

}  // namespace tz

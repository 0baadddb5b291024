#include "platform/ui/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

namespace tz {

namespace {

int ask(QWidget* parent, const QString& question, QMessageBox::StandardButtons buttons,
        QMessageBox::Icon icon) {
    QMessageBox box(icon, QApplication::applicationName(), question, buttons, parent);
    return box.exec();
}

}  // namespace

void reportError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QApplication::applicationName(), message);
}

void showMessage(QWidget* parent, const QString& message) {
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

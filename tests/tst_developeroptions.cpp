#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "app/MainWindow.h"
#include "settings/ui/DeveloperOptionsDialog.h"
#include "testhelpers.h"

namespace {

QLineEdit* field(QDialog* dialog, const char* name) {
    auto* edit = dialog->findChild<QLineEdit*>(name);
    if (!edit) qFatal("no field %s", name);
    return edit;
}

void press(QDialog* dialog, const char* buttonName) {
    auto* button = dialog->findChild<QPushButton*>(buttonName);
    if (!button) qFatal("no button %s", buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Presses a "..." button and types path into the file dialog it opens;
// returns the folder the file dialog started in.
QString chooseFile(QDialog* dialog, const char* buttonName, const QString& path) {
    QString startFolder;
    whileModal([&] { press(dialog, buttonName); },
               [&](QDialog* shown) {
                   auto* chooser = qobject_cast<QFileDialog*>(shown);
                   QVERIFY(chooser);
                   startFolder = chooser->directory().absolutePath();
                   auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
                   QVERIFY(name);
                   name->setText(path);
                   QTest::keyClick(name, Qt::Key_Return);
                   QVERIFY(!chooser->isVisible());
               });
    return startFolder;
}

}  // namespace

class DeveloperOptionsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<StartedProgram> started;
    Program* program = nullptr;

    QString inDirectory(const QString& name) const { return started->directory.filePath(name); }
    void showDialog(const std::function<void(QDialog*)>& handler) {
        whileModal([&] { triggerCommand("JavaSyntaxHelpfile1"); },
                   [&](QDialog* shown) {
                       QCOMPARE(shown,
                                static_cast<QDialog*>(&started->program->developerOptions()));
                       handler(shown);
                   });
    }
    void start(const QString& iniText = QString()) {
        started = std::make_unique<StartedProgram>(iniText);
        program = started->program.get();
    }

  private Q_SLOTS:
    void cleanup() { started.reset(); }

    void okWritesTheFourKeysInOrderAndUpdatesTheMainWindow() {
        start();
        writeFile(inDirectory("firefox"), "#!/bin/sh\n");  // a browser without .exe
        showDialog([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Developer Options"));
            QCOMPARE(field(dialog, "helpfile")->text(), inDirectory("tarjava.hlp"));
            QCOMPARE(field(dialog, "webbrowser")->text(), QString());
            chooseFile(dialog, "BitBtn4", inDirectory("firefox"));
            QCOMPARE(field(dialog, "webbrowser")->text(), inDirectory("firefox"));
            QTest::keyClicks(field(dialog, "compiler"), "/opt/jikes/jikes");
            QTest::keyClicks(field(dialog, "comppar"), "-O -g");
            press(dialog, "BitBtn2");
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(readFile(started->settingsPath()),
                 "[Main]\r\nJava-Help=" + inDirectory("tarjava.hlp") +
                     "\r\nBrowser=" + inDirectory("firefox") +
                     "\r\nComppar=-O -g\r\nCompiler=/opt/jikes/jikes\r\nGridStep=8\r\n");
        const tz::MainSettings& settings = program->mainSettings();
        QCOMPARE(QString::fromStdString(settings.browser), inDirectory("firefox"));
        QCOMPARE(settings.compiler, std::string("/opt/jikes/jikes"));
        QCOMPARE(settings.compilerParameters, std::string("-O -g"));
    }

    void cancelAfterChoosingWritesNothing() {
        QTemporaryDir docs;
        const QString stored = docs.filePath("java.hlp");
        const QString ini = "[Main]\r\nJava-Help=" + stored + "\r\nCompiler=/usr/bin/javac\r\n";
        start(ini);
        writeFile(inDirectory("syntax.HLP"), "Syntax\n===\n");
        showDialog([&](QDialog* dialog) {
            QCOMPARE(field(dialog, "helpfile")->text(), stored);
            QCOMPARE(field(dialog, "compiler")->text(), QString("/usr/bin/javac"));
            // The chooser starts in the folder of the field's path.
            QCOMPARE(chooseFile(dialog, "BitBtn1", inDirectory("syntax.HLP")), docs.path());
            QCOMPARE(field(dialog, "helpfile")->text(), inDirectory("syntax.HLP"));
            retype(field(dialog, "compiler"), "/tmp/other");
            press(dialog, "BitBtn3");
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(readFile(started->settingsPath()), ini);
        QCOMPARE(QString::fromStdString(program->mainSettings().helpFile), stored);
        showDialog([&](QDialog* dialog) {
            QCOMPARE(field(dialog, "helpfile")->text(), stored);
            QCOMPARE(field(dialog, "compiler")->text(), QString("/usr/bin/javac"));
        });
    }

    void unwritableSettingsFileClosesTheDialogAndKeepsTheFields() {
        start();
        QVERIFY(QDir(started->directory.path()).mkdir("tarjava.ini"));
        QStringList messages;
        showDialog([&](QDialog* dialog) {
            QTest::keyClicks(field(dialog, "compiler"), "/opt/jikes/jikes");
            messages = answerMessageBoxes([&] { press(dialog, "BitBtn2"); }, QMessageBox::Ok);
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(messages, QStringList("Unable to write to " + started->settingsPath()));
        QCOMPARE(program->mainSettings().compiler, std::string());
    }

    // Stored grid steps outside 1 to 64 read as 8; the dialog refuses them
    // and stays open, and its OK hands an accepted step to the program.
    void gridStepIsReadRefusedAndStored() {
        start("[Main]\r\nGridStep=abc\r\n");
        QCOMPARE(program->mainSettings().gridStep, 8);
        for (const auto& [stored, read] : {std::pair{"65", 8}, {"0", 8}, {"0x40", 64}, {" 1", 1}}) {
            writeFile(started->settingsPath(), QByteArray("[Main]\r\nGridStep=") + stored);
            QCOMPARE(tz::readMainSettings(started->settingsPath().toStdString(), "").gridStep,
                     read);
        }
        showDialog([&](QDialog* dialog) {
            QCOMPARE(field(dialog, "gridstep")->text(), QString("1"));
            for (const auto& [typed, message] :
                 {std::pair{"65", "Grid step: Value must be between 1 and 64"},
                  {"x", "Grid step: 'x' is not a valid integer value"}}) {
                retype(field(dialog, "gridstep"), typed);
                QCOMPARE(answerMessageBoxes([&] { press(dialog, "BitBtn2"); }, QMessageBox::Ok),
                         QStringList(message));
                QVERIFY(dialog->isVisible());
            }
            retype(field(dialog, "gridstep"), "16");
            press(dialog, "BitBtn2");
        });
        QCOMPARE(program->mainSettings().gridStep, 16);
        QVERIFY(readFile(started->settingsPath()).startsWith("[Main]\r\nGridStep=16\r\n"));
    }
};

QTEST_MAIN(DeveloperOptionsTest)
#include "tst_developeroptions.moc"

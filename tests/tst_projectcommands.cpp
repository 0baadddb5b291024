#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QUrl>

#include "app/BuildCommands.h"
#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "project/ProjectFile.h"
#include "settings/ui/ProjectOptionsDialog.h"
#include "tst_designer_fixture.h"

namespace {

const QString SaveQuestion = "Save changes to the current project?";

}  // namespace

class ProjectCommandsTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<Designer> d;
    MainWindow* mainWindow = nullptr;
    QPlainTextEdit* body = nullptr;
    QLineEdit* declaration = nullptr;

    QString path(const QString& name) { return d->started.directory.filePath(name); }
    QString mess() { return mainWindow->findChild<QPlainTextEdit*>("mess")->toPlainText(); }
    QString status() { return mainWindow->statusBar()->findChild<QLabel*>()->text(); }
    void typeIntoBody(const QString& text) {
        body->setFocus();
        body->selectAll();
        QTest::keyClicks(body, text);
    }
    // A command that may show a file dialog (given file, or cancelled when
    // empty) and message boxes (answered with button); the boxes' texts.
    QStringList run(const char* command, const QString& file, int button = QMessageBox::Ok,
                    QString* dialogName = nullptr) {
        QString shown;
        const QStringList texts = answerMessageBoxes(
            [&] { shown = answerFileDialog([&] { triggerCommand(command); }, file); }, button);
        if (dialogName) *dialogName = shown;
        return texts;
    }
    void saveAs(const QString& file) {
        QString dialog;
        QVERIFY(run("SaveProjectAs1", file, QMessageBox::Yes, &dialog).isEmpty());
        QCOMPARE(dialog, QString("saveProject"));
    }
    tz::ProjectOptions changedOptions() {
        tz::ProjectOptions options;
        options.addAppletObjects = false;
        options.automaticBackground = true;
        options.colourIndex = 3;
        options.parameters = {{"speed", "7"}, {"", ""}};
        return options;
    }

  private Q_SLOTS:
    void init() {
        d = std::make_unique<Designer>();
        mainWindow = &d->started.program->mainWindow();
        body = mainWindow->findChild<QPlainTextEdit*>("this");
        declaration = mainWindow->findChild<QLineEdit*>("declaration");
    }
    void cleanup() { d.reset(); }

    // New asks about unsaved changes, then holds the start-up project again:
    // saved, it writes the bytes a fresh program writes.
    void newStartsTheStartUpProject() {
        const QString fresh = path("Fresh.tzp");
        saveAs(fresh);
        d->create(1, {QPoint(30, 40)});
        d->started.program->document().setOptions(changedOptions());
        typeIntoBody("int counter;");
        QCOMPARE(run("NewProject1", QString(), QMessageBox::No), QStringList{SaveQuestion});
        QCOMPARE(mainWindow->windowTitle(), QString("Tarvelo Zuva- [Untitled]"));
        QVERIFY(!d->control(tz::ObjectKind::Button, 0));
        QCOMPARE(body->toPlainText(), QString("// NewClass code"));
        QVERIFY(!commandAction("Undo1")->isEnabled());
        QVERIFY(!d->started.hasUnsavedChanges());
        saveAs(path("New.tzp"));
        QCOMPARE(readBytes(path("New.tzp")), readBytes(fresh));
    }

    // A project file dropped on a window, even on the code editor, opens
    // after the question; other files are not taken.
    void aDroppedProjectOpensAfterTheQuestion() {
        const QString saved = path("Dropped.tzp");
        d->create(1, {QPoint(30, 40)});
        saveAs(saved);
        d->create(2, {QPoint(100, 40)});
        const auto drop = [](QWidget* target, const QString& file) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(file)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &enter);
            if (!enter.isAccepted()) return false;
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &dropped);
            QCoreApplication::processEvents();
            return true;
        };
        QVERIFY(!drop(&d->app, path("notes.txt")));
        bool taken = false;
        QCOMPARE(answerMessageBoxes([&] { taken = drop(body, saved); }, QMessageBox::No),
                 QStringList{SaveQuestion});
        QVERIFY(taken);
        QCOMPARE(d->model.table(tz::ObjectKind::Label).count, 0);
        QCOMPARE(d->model.table(tz::ObjectKind::Button).count, 1);
        QCOMPARE(mainWindow->windowTitle(), "Tarvelo Zuva - [" + saved + "]");
    }

    // Projects opened or saved head File > Recent Projects, kept in the
    // settings file; a chosen one that is gone leaves the list with a message.
    void recentProjectsFollowOpenAndSave() {
        const QString first = path("First.tzp");
        const QString second = path("Second.tzp");
        auto* recent = mainWindow->findChild<QMenu*>("RecentProjects");
        const auto listed = [recent] {
            QStringList texts;
            for (QAction* item : recent->actions())
                if (item->isVisible()) texts << item->text();
            return texts;
        };
        QVERIFY(!recent->menuAction()->isEnabled());
        saveAs(first);
        saveAs(second);
        QVERIFY(run("OpenProject1", first).isEmpty());
        QCOMPARE(listed(), QStringList({"&1 " + first, "&2 " + second}));
        QCOMPARE(readFile(d->started.settingsPath()),
                 "[Recent]\r\nFile1=" + first + "\r\nFile2=" + second +
                     "\r\nFile3=\r\nFile4=\r\nFile5=\r\nFile6=\r\nFile7=\r\nFile8=\r\n");
        d->create(1, {QPoint(30, 40)});
        QCOMPARE(answerMessageBoxes([] { triggerCommand("RecentProject2"); }, QMessageBox::No),
                 QStringList{SaveQuestion});
        QCOMPARE(mainWindow->windowTitle(), "Tarvelo Zuva - [" + second + "]");
        QCOMPARE(listed(), QStringList({"&1 " + second, "&2 " + first}));
        QVERIFY(QFile::remove(first));
        QCOMPARE(answerMessageBoxes([] { triggerCommand("RecentProject2"); }, QMessageBox::Ok),
                 QStringList{"The project file " + first +
                             " no longer exists; it is taken off the recent projects."});
        QCOMPARE(listed(), QStringList{"&1 " + second});
        QVERIFY(!readFile(d->started.settingsPath()).contains(first));
    }

    void saveAndOpenRoundTrip() {
        d->create(1, {QPoint(30, 40)});
        d->create(2, {QPoint(120, 10)});
        d->started.program->document().setOptions(changedOptions());
        typeIntoBody("int counter;");
        QVERIFY(d->started.hasUnsavedChanges());
        const QString first = path("First.tzp");
        saveAs(first);
        QCOMPARE(mess(), "The project was Saved as " + first);
        QCOMPARE(mainWindow->windowTitle(), "Tarvelo Zuva - [" + first + "]");
        QCOMPARE(status(), path("NewClass.java"));
        QVERIFY(!d->started.hasUnsavedChanges());

        d->model.reset({}, 410, 316);
        typeIntoBody("changed");
        QString dialog;
        QCOMPARE(run("OpenProject1", first, QMessageBox::No, &dialog), QStringList{SaveQuestion});
        QCOMPARE(dialog, QString("openProject"));
        QCOMPARE(mess(), first + " Loaded. Contains of 1 classes.");
        QCOMPARE(d->started.project().slot(1, 0).body, std::string("\r\nint counter;"));
        QCOMPARE(d->model.table(tz::ObjectKind::Button).count, 1);
        QCOMPARE(d->record(tz::ObjectKind::Label, 0).fields[tz::Name], std::string("JLabel0"));
        QCOMPARE(d->value(0) + d->value(5), QString());  // no object current, none shown
        QCOMPARE(d->started.program->document().options(), changedOptions());
        QVERIFY(d->started.program->document().source().empty());
        QVERIFY(!d->started.hasUnsavedChanges());

        const QString second = path("Second.tzp");
        saveAs(second);
        QCOMPARE(readBytes(second), readBytes(first));
    }

    void saveOnAnOpenedProjectNeedsNoDialog() {
        const QString file = path("P.tzp");
        saveAs(file);
        typeIntoBody("int saved;");
        QString dialog;
        QVERIFY(run("SaveProject1", QString(), QMessageBox::Ok, &dialog).isEmpty());
        QVERIFY(dialog.isEmpty());
        QCOMPARE(mess(), QString("The project was Saved."));
        QVERIFY(readFile(file).contains("int saved;"));
    }

    void overwriteQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("No") << int(QMessageBox::No) << false;
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false;
    }
    void overwriteQuestion() {
        QFETCH(int, answer);
        QFETCH(bool, written);
        const QString file = path("Old.tzp");
        writeFile(file, "old");
        const QString title = mainWindow->windowTitle();
        QCOMPARE(run("SaveProjectAs1", file, answer), QStringList{"OK to overwrite " + file});
        QCOMPARE(readBytes(file) != "old", written);
        QCOMPARE(mainWindow->windowTitle() != title, written);
    }

    void refusedFilesChangeNothing_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("no class name") << QByteArray("classname=") << QByteArray("other=")
                                       << QString(tz::CorruptProjectMessage);
        QTest::newRow("class name a path")
            << QByteArray("classname=NewClass") << QByteArray("classname=../NewClass")
            << QString(tz::CorruptProjectMessage);
        QTest::newRow("bad object name")
            << QByteArray("\r\nJButton0\r\n") << QByteArray("\r\n9bad\r\n") << QString("9bad");
        QTest::newRow("Java keyword")
            << QByteArray("\r\nJButton0\r\n") << QByteArray("\r\nnew\r\n") << QString("''new''");
    }
    void refusedFilesChangeNothing() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        d->create(1, {QPoint(30, 40)});
        const QString good = path("Good.tzp");
        saveAs(good);
        QByteArray bytes = readBytes(good);
        QVERIFY(bytes.contains(from));
        const QString bad = path("Bad.tzp");
        writeFile(bad, bytes.replace(from, to));
        const QString title = mainWindow->windowTitle();
        const std::string javaPath = d->started.project().javaSourcePath;

        const QStringList texts = run("OpenProject1", bad);
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.first().contains(message), qPrintable(texts.first()));
        QCOMPARE(mainWindow->windowTitle(), title);
        QCOMPARE(d->started.project().projectPath, good.toStdString());
        QCOMPARE(d->started.project().javaSourcePath, javaPath);
        QCOMPARE(d->model.table(tz::ObjectKind::Button).count, 1);
        QVERIFY(d->app.control(tz::ObjectKind::Button, 0));
        // The whole project still equals the file it was saved to.
        QVERIFY(!d->started.hasUnsavedChanges());
    }

    void exportAsksAndSaveFallsBackToExport() {
        const QString out = path("Out.java");
        QString dialog;
        QVERIFY(answerMessageBoxes(
                    [&] {
                        dialog = answerFileDialog(
                            [&] { d->started.program->buildCommands().saveJavaSource(); }, out);
                    },
                    QMessageBox::Ok)
                    .isEmpty());
        QCOMPARE(dialog, QString("save"));
        QCOMPARE(readBytes(out),
                 QByteArray::fromStdString(d->started.program->document().source()));
        QCOMPARE(d->started.project().javaSourcePath, out.toStdString());

        const QString existing = path("Existing.java");
        for (int answer : {QMessageBox::No, QMessageBox::Cancel}) {
            writeFile(existing, "old");
            QCOMPARE(run("FileSaveas", existing, answer),
                     QStringList{"OK to overwrite " + existing});
            QCOMPARE(readBytes(existing), QByteArray("old"));
            QCOMPARE(d->started.project().javaSourcePath, out.toStdString());
        }
        QCOMPARE(run("FileSaveas", existing, QMessageBox::Yes).size(), 1);
        QCOMPARE(readBytes(existing), readBytes(out));
        // Save writes the buffer to the source path, no dialog and no question.
        QVERIFY(run("FileSaveas", QString()).isEmpty());
        QVERIFY(QFile::remove(existing));
        QVERIFY(d->started.program->buildCommands().saveJavaSource());
        QCOMPARE(readBytes(existing), readBytes(out));
    }

    void paintWithoutGraphicsParameterStopsGeneration() {
        auto* tab = mainWindow->findChild<QTabBar*>("tab");
        QTest::mouseClick(tab, Qt::LeftButton, {}, tab->tabRect(2).center());
        QCOMPARE(declaration->text(), QString("public void paint(Graphics g)"));
        declaration->setFocus();
        declaration->selectAll();
        QTest::keyClicks(declaration, "public void paint(Graphics)");
        QCOMPARE(run("GenerateCode1", QString()),
                 QStringList{"Your paint interface does not contain any declaration!"});
        QCOMPARE(mess(), QString("Generating Code..."));
        // Export still writes what was generated.
        const QString out = path("Partial.java");
        QCOMPARE(run("FileSaveas", out).size(), 1);
        QVERIFY(!readBytes(out).isEmpty());
        QCOMPARE(readBytes(out),
                 QByteArray::fromStdString(d->started.program->document().source()));
    }

    void imageQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes copies") << int(QMessageBox::Yes);
        QTest::newRow("No copies nothing") << int(QMessageBox::No);
    }
    void imageQuestion() {
        QFETCH(int, answer);
        QVERIFY(QDir(d->started.directory.path()).mkpath("pics/out"));
        QByteArray picture;
        for (int i = 0; i < 5000; ++i) picture += char(i * 7);
        const QString original = path("pics/pic.gif");
        writeFile(original, picture);
        tz::ProjectFileContent content;
        tz::ObjectTable& images = content.objects[int(tz::ObjectKind::Image)];
        images.records[0].fields = {original.toStdString(), "1", "2", "73", "65", "JImage0", ""};
        images.count = 1;
        const QString project = path("Pictured.tzp");
        writeFile(project, QByteArray::fromStdString(tz::writeProjectFile(content)));
        QVERIFY(run("OpenProject1", project).isEmpty());

        const QString folder = path("pics/out/");  // where the export writes
        QCOMPARE(run("FileSaveas", folder + "Applet.java", answer),
                 QStringList{"The file \"pic.gif\" cant be found in " + folder +
                             " Do you want to copy it there?"});
        const bool copied = answer == QMessageBox::Yes;
        QCOMPARE(QFile::exists(folder + "pic.gif"), copied);
        if (copied) QCOMPARE(readBytes(folder + "pic.gif"), picture);
        QVERIFY(d->started.program->document().source().find("\"pic.gif\"") != std::string::npos);
    }

    void questionOnClose_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << true << true;
        QTest::newRow("No") << int(QMessageBox::No) << true << false;
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false << false;
    }
    void questionOnClose() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        const QString file = path("Closing.tzp");
        saveAs(file);
        // Unchanged: no question.
        QVERIFY(answerMessageBoxes([&] { QVERIFY(mainWindow->close()); }, answer).isEmpty());
        mainWindow->show();
        typeIntoBody("int late;");
        bool wasClosed = false;
        QCOMPARE(answerMessageBoxes([&] { wasClosed = mainWindow->close(); }, answer),
                 QStringList{SaveQuestion});
        QCOMPARE(wasClosed, closed);
        QCOMPARE(mainWindow->isVisible(), !closed);
        QCOMPARE(readFile(file).contains("int late;"), saved);
    }

    void questionBeforeOpen_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("dialogShown");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes saves, then opens") << int(QMessageBox::Yes) << "openProject" << true;
        QTest::newRow("No opens") << int(QMessageBox::No) << "openProject" << false;
        QTest::newRow("Cancel stops") << int(QMessageBox::Cancel) << QString() << false;
    }
    void questionBeforeOpen() {
        QFETCH(int, answer);
        QFETCH(QString, dialogShown);
        QFETCH(bool, saved);
        const QString file = path("Before.tzp");
        saveAs(file);
        typeIntoBody("int pending;");
        QString dialog;
        QCOMPARE(run("OpenProject1", QString(), answer, &dialog), QStringList{SaveQuestion});
        QCOMPARE(dialog, dialogShown);
        QCOMPARE(readFile(file).contains("int pending;"), saved);
    }
};

QTEST_MAIN(ProjectCommandsTest)
#include "tst_projectcommands.moc"

// The project's undo stack: random edits of every kind undo back to the
// project's bytes and redo forward to them; Ctrl+Z and Ctrl+Y on the windows.
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QUndoStack>
#include <QtTest>
#include <map>

#include "app/MainWindow.h"
#include "document/ProjectDocument.h"
#include "document/ui/DocumentEdits.h"
#include "tst_designer_fixture.h"

namespace {

std::string projectBytes(const tz::ProjectDocument& document) {
    return tz::writeProjectFile(document.content());
}

// One random edit of one of the kinds the views make.
void randomEdit(tz::DocumentEdits& edits, QRandomGenerator& random) {
    const auto number = [&](int low, int high) { return int(random.bounded(low, high + 1)); };
    const tz::ObjectKind kind = tz::AllKinds[number(0, 3)];
    const tz::DesignModel& design = edits.design();
    const tz::ObjectRef object{kind, number(0, std::max(0, design.table(kind).count - 1))};
    const bool inUse = object.slot < design.table(kind).count && design.record(object).inUse();
    tz::Project& project = edits.document().project();
    project.currentClass = number(0, project.classCount());
    project.currentSlot = number(0, project.lastSlot(project.currentClass));
    switch (number(0, 9)) {
        case 0: {
            const std::string name = "o" + std::to_string(random.generate());
            edits.addObject(kind,
                            {{"c", std::to_string(number(-50, 50)), "3", "20", "9", name, ""}});
            break;
        }
        case 1:
            if (inUse) edits.removeObject(object);
            break;
        case 2:
        case 3:
            if (inUse) {
                tz::ObjectRecord record = design.record(object);
                record.fields[number(tz::Caption, tz::Height)] = std::to_string(number(1, 400));
                if (number(0, 3) == 0) record.fields[tz::Name] += "x";
                edits.setRecord(object, record, "Edit");
            }
            break;
        case 4:
            edits.setAppletSize(number(1, 900), number(27, 900));
            break;
        case 5: {
            tz::ProjectOptions options = edits.document().options();
            options.optimize = !options.optimize;
            options.parameters.push_back({"p", std::to_string(number(0, 9))});
            edits.setOptions(options, number(1, 800), std::nullopt);
            break;
        }
        case 6:
            number(0, 1) ? edits.addMethod() : edits.addClass();
            break;
        case 7:
            number(0, 1) ? edits.deleteMethod() : edits.deleteClass();
            break;
        case 8:
        case 9:
            edits.storeDeclaration("public void m" + std::to_string(number(0, 99)) + "()");
            break;
    }
}

}  // namespace

class DocumentEditsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // The bytes after every step are recorded as the edits go; undoing and
    // redoing to each step gives them again.
    void undoAndRedoRestoreTheProjectBytes() {
        tz::ProjectDocument document;
        QUndoStack history;
        tz::DocumentEdits edits(document, history);
        QRandomGenerator random(20261208);
        std::map<int, std::string> bytesAt{{0, projectBytes(document)}};
        for (int edit = 0; edit < 400; ++edit) {
            randomEdit(edits, random);
            bytesAt[history.index()] = projectBytes(document);
        }
        QVERIFY(history.count() > 200);
        for (int index = history.count(); index >= 0; --index) {
            history.setIndex(index);
            QCOMPARE(projectBytes(document), bytesAt[index]);
        }
        QVERIFY(!document.isModified());
        for (int index = 1; index <= history.count(); ++index) {
            history.setIndex(index);
            QCOMPARE(projectBytes(document), bytesAt[index]);
        }
    }

    // Code typed into a method after it was added comes back with its redo.
    void redoBringsBackWhatWasTypedSince() {
        tz::ProjectDocument document;
        QUndoStack history;
        tz::DocumentEdits edits(document, history);
        document.project().buildDefault();
        QVERIFY(edits.addMethod());
        QVERIFY(edits.addClass());
        document.project().setBody(1, 3, "typed");
        document.project().setBody(2, 0, "class code");
        history.undo();
        history.undo();
        history.redo();
        history.redo();
        QCOMPARE(document.project().slot(1, 3).body, std::string("typed"));
        QCOMPARE(document.project().slot(2, 0).body, std::string("class code"));
    }

    // Real gestures and keys: Ctrl+Z as often as there were steps leaves a
    // new project's bytes, Ctrl+Y as often the edited ones; closing asks only
    // while the project differs from the saved one.
    void ctrlZAndCtrlYWalkTheDesignSteps() {
        Designer d;
        MainWindow& main = d.started.program->mainWindow();
        const QString path = d.started.directory.filePath("Undo.tzp");
        answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, path);
        const QByteArray fresh = readBytes(path);
        d.create(1, {QPoint(20, 20)});
        d.create(2, {QPoint(120, 20)});
        QTest::mousePress(d.control(tz::ObjectKind::Button, 0), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(&d.app, QPoint(60, 90));
        QTest::mouseRelease(&d.app, Qt::LeftButton, {}, QPoint(60, 90));
        d.clickTreeItem("JLabel0");
        QVERIFY(d.enterCell(5, "Title").isEmpty());
        d.clickTreeItem("JButton0");
        QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
        triggerCommand("SaveProject1");
        const QByteArray edited = readBytes(path);
        QCOMPARE(commandAction("Undo1")->text(), QString("Undo Delete JButton0"));

        const auto press = [&](Qt::Key key, int times) {
            main.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&main));
            auto* tree = main.findChild<QTreeWidget*>();
            tree->setFocus();
            for (int time = 0; time < times; ++time)
                QTest::keyClick(tree, key, Qt::ControlModifier);
        };
        press(Qt::Key_Z, 5);
        QVERIFY(d.app.findChildren<QPushButton*>().isEmpty());
        QVERIFY(!d.control(tz::ObjectKind::Label, 0));
        QVERIFY(!commandAction("Undo1")->isEnabled());
        QCOMPARE(commandAction("Redo1")->text(), QString("Redo Create JButton0"));
        triggerCommand("SaveProject1");
        QCOMPARE(readBytes(path), fresh);
        press(Qt::Key_Y, 5);
        triggerCommand("SaveProject1");
        QCOMPARE(readBytes(path), edited);

        press(Qt::Key_Z, 1);
        QVERIFY(d.started.hasUnsavedChanges());
        press(Qt::Key_Y, 1);
        QVERIFY(!d.started.hasUnsavedChanges());
        d.create(3, {QPoint(10, 150)});
        QCOMPARE(answerMessageBoxes([&] { QVERIFY(!main.close()); }, QMessageBox::Cancel),
                 QStringList("Save changes to the current project?"));
        press(Qt::Key_Z, 1);
        QVERIFY(answerMessageBoxes([&] { QVERIFY(main.close()); }, QMessageBox::Cancel).isEmpty());
    }
};

QTEST_MAIN(DocumentEditsTest)
#include "tst_documentedits.moc"

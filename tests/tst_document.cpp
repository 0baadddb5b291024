// The project document against the windows: what a file's odd values become
// in the generated Java and the saved project, and edits with no window.
#include <QMessageBox>

#include "app/FileCommands.h"
#include "designer/DesignRules.h"
#include "document/ProjectDocument.h"
#include "testhelpers.h"

namespace {

using Change = std::function<void(tz::ProjectFileContent&)>;
using Fields = std::array<std::string, tz::RecordFieldCount>;

void add(tz::ProjectFileContent& content, tz::ObjectKind kind, const Fields& fields) {
    tz::ObjectTable& table = content.objects[int(kind)];
    table.records[table.count++].fields = fields;
}

QByteArray projectBytes(const Change& change) {
    tz::ProjectFileContent content;
    change(content);
    return QByteArray::fromStdString(tz::writeProjectFile(content));
}

const std::string LongCaption(40000, 'w');

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT
    std::unique_ptr<StartedProgram> started;
    QString path(const QString& name) { return started->directory.filePath(name); }

  private Q_SLOTS:
    void initTestCase() { started = std::make_unique<StartedProgram>(); }

    // The windows (design window, inspector, options) and the document read
    // one file into the same Java and the same saved project; a file one of
    // them refuses, both refuse.
    void oddFilesGenerateAndSaveAsTheWindowsDo_data() {
        QTest::addColumn<QByteArray>("file");
        const auto odd = [](const char* name, const Change& change) {
            QTest::newRow(name) << projectBytes(change);
        };
        odd("caption over 32767", [](auto& c) {
            add(c, tz::ObjectKind::TextField, {LongCaption, "1", "2", "3", "4", "JTextfield0", ""});
            add(c, tz::ObjectKind::Button, {LongCaption, "1", "2", "3", "4", "JButton0", ""});
        });
        odd("unknown Align", [](auto& c) {
            add(c, tz::ObjectKind::Label, {"L", "1", "2", "3", "4", "JLabel0", "[MIDDLE]"});
        });
        odd("Latin-1 texts", [](auto& c) {
            add(c, tz::ObjectKind::Button, {"Gr\xfc\xdf", "1", "2", "3", "4", "JButton0", "x"});
            c.options.parameters = {{"n\xe4me", "v\xe4lue"}};
        });
        odd("edge numbers", [](auto& c) {
            add(c, tz::ObjectKind::Button, {"", "-4096", "+0004096", "1", "4096", "JButton0", ""});
            add(c, tz::ObjectKind::Label, {"", " 7", "007", "4096", "1", "JLabel0", "[LEFT]"});
        });
        odd("picture paths", [](auto& c) {
            add(c, tz::ObjectKind::Image, {"", "1", "2", "3", "4", "JImage0", ""});
            add(c, tz::ObjectKind::Image, {"a b/../c.gif", "1", "2", "3", "4", "JImage1", "[x]"});
        });
        odd("no parameters, unlisted colour", [](auto& c) {
            c.options.parameters.clear();
            c.options.colourIndex = -1;
            c.options.automaticBackground = true;
        });
        QByteArray wide = projectBytes([](auto&) {});
        QTest::newRow("applet width -5") << wide.replace("width=410", "width=-5");
        QTest::newRow("object width -5") << projectBytes([](auto& c) {
            add(c, tz::ObjectKind::Button, {"B", "1", "2", "-5", "4", "JButton0", ""});
        });
    }
    void oddFilesGenerateAndSaveAsTheWindowsDo() {
        QFETCH(QByteArray, file);
        writeFile(path("Odd.tzp"), file);
        Program& program = *started->program;
        bool windowsOpened = false;
        answerMessageBoxes(
            [&] { windowsOpened = program.fileCommands().openProjectFile(path("Odd.tzp")); },
            QMessageBox::Ok);
        tz::ProjectDocument document;
        QCOMPARE(document.open(path("Odd.tzp")).ok(), windowsOpened);
        if (!windowsOpened) return;
        answerMessageBoxes([&] { triggerCommand("GenerateCode1"); }, QMessageBox::No);
        document.generate([](const std::string&) { return false; });
        QCOMPARE(document.source(), program.document().source());
        program.document().takePendingEdits();
        QVERIFY(program.document().save(path("Windows.tzp")).ok());
        QVERIFY(document.save(path("Document.tzp")).ok());
        QCOMPARE(readBytes(path("Document.tzp")), readBytes(path("Windows.tzp")));
    }

    // An inspector's Enter with no design window: the model checks the edit
    // as the windows do, and the generator reads the model.
    void captionEditReachesTheJava() {
        tz::ProjectDocument document;
        tz::DesignModel& design = document.design();
        QVERIFY(!design.addObject(tz::ObjectKind::Button,
                                  {{"Go", "5", "6", "65", "33", "JButton0", ""}}));
        QVERIFY(
            !design.addObject(tz::ObjectKind::Label, {{"Hi", "1", "2", "3", "4", "JLabel0", ""}}));
        const tz::ObjectRef button{tz::ObjectKind::Button, 0};
        tz::ObjectRecord edited = design.record(button);
        edited.fields[tz::Caption] = "Start now";
        QVERIFY(!design.setRecord(button, edited));
        edited.fields[tz::Name] = "jlabel0";
        QCOMPARE(design.setRecord(button, edited), tz::nameTakenError("jlabel0"));
        edited.fields[tz::Width] = "0";
        QVERIFY(design.setRecord(button, edited).has_value());
        QVERIFY(document.isModified());
        QVERIFY(document.generate({}).ok());
        QVERIFY(document.source().find("JButton0_Caption=\"Start now\"") != std::string::npos);
        QCOMPARE(document.source().find("Go"), std::string::npos);
    }
};

QTEST_MAIN(DocumentTest)
#include "tst_document.moc"

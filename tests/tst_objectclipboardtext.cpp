// Design objects as clipboard text and the records a paste of them adds.
#include <QtTest>

#include "designer/DesignRules.h"
#include "document/ObjectClipboardText.h"
#include "project/ProjectFile.h"
#include "testhelpers.h"

using namespace tz;

namespace {

ObjectRecord record(const std::string& caption, int x, int y, const std::string& name,
                    const std::string& align = "", int width = 65, int height = 33) {
    return {{caption, std::to_string(x), std::to_string(y), std::to_string(width),
             std::to_string(height), name, align}};
}

// The design holds the records in consecutive slots of their kinds.
void fill(DesignModel& design, const KindRecords& objects) {
    ObjectTables tables;
    for (const auto& [kind, object] : objects) {
        ObjectTable& table = tables[int(kind)];
        table.records[table.count++] = object;
    }
    design.reset(tables, 410, 316);
}

std::string linesOf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const std::string_view line : lines) (text += line) += "\r\n";
    return text;
}

const std::string OneLabel =
    linesOf({"[Objects]", "Buttons=0", "Labels=1", "Textfields=0", "Images=0", "[Applet]", "Hi",
             "5", "6", "73", "25", "JLabel0", "[CENTER]"});

std::vector<std::string> names(const KindRecords& objects) {
    std::vector<std::string> found;
    for (const auto& [kind, object] : objects) found.push_back(object.fields[Name]);
    return found;
}

}  // namespace

class ObjectClipboardTextTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // The text is the project file's own object lines, in kind and slot order.
    void selectedObjectsRoundTripAsTheProjectFileWritesThem() {
        DesignModel design;
        fill(design, {{ObjectKind::Button, record("OK", 10, 20, "JButton0")},
                      {ObjectKind::Label, record("Hi", 5, 6, "JLabel0", "[CENTER]", 73, 25)},
                      {ObjectKind::Button, record("B", 1, 2, "JButton1")}});
        const std::vector<ObjectRef> selection = {{ObjectKind::Label, 0}, {ObjectKind::Button, 1}};
        const std::string text = objectsText(design, selection);
        QCOMPARE(text, linesOf({"[Objects]", "Buttons=1", "Labels=1", "Textfields=0", "Images=0",
                                "[Applet]", "B", "1", "2", "65", "33", "JButton1", ""}) +
                           OneLabel.substr(OneLabel.find("Hi")));
        QCOMPARE(objectsOfText(text), std::optional(recordsOf(design, selection)));
        ProjectFileContent content;
        content.objects = design.tables();
        const std::vector<ObjectRef> all = {selection[0], selection[1], {ObjectKind::Button, 0}};
        QVERIFY(writeProjectFile(content).find(objectsText(design, all)) != std::string::npos);
    }

    void foreignOrMalformedTextGivesNothing() {
        const std::string withCount = "Labels=1\r\n";
        const auto changed = [&](std::string_view from, std::string_view to) {
            std::string text = OneLabel;
            return text.replace(text.find(from), from.size(), to);
        };
        const std::string texts[] = {"",
                                     "plain text",
                                     OneLabel.substr(OneLabel.find("Buttons")),
                                     changed(withCount, "Labels=2\r\n"),
                                     changed(withCount, "Labels=32\r\n"),
                                     changed(withCount, "Labels=0\r\n"),
                                     changed("\r\n73\r\n", "\r\nwide\r\n"),
                                     changed("JLabel0", "open"),
                                     changed("JLabel0", "2nd"),
                                     OneLabel + "tail\r\n",
                                     changed("Hi", std::string(MaxObjectsTextBytes, 'i'))};
        for (const std::string& text : texts)
            QVERIFY2(!objectsOfText(text), text.substr(0, 40).c_str());
        QVERIFY(objectsOfText(OneLabel));
    }

    // Names as new objects get them, for the slots the objects take in turn.
    void pastedObjectsTakeFreeNamesOfTheirKinds() {
        DesignModel design;
        fill(design, {{ObjectKind::Button, record("A", 0, 0, "JButton0")},
                      {ObjectKind::Button, record("B", 0, 50, "Gone")},
                      {ObjectKind::Button, record("C", 0, 90, "jbutton3")},
                      {ObjectKind::Label, record("L", 0, 140, "JButton4")}});
        design.removeObject({ObjectKind::Button, 1});
        const ObjectRecord label = record("Hi", 200, 5, "JLabel0", "[CENTER]");
        const KindRecords pasted =
            pastedRecords(design,
                          {{ObjectKind::Button, record("X", 300, 0, "JButton0")},
                           {ObjectKind::Label, label},
                           {ObjectKind::Button, record("Y", 300, 50, "Q")},
                           {ObjectKind::Button, record("Z", 300, 90, "R")}},
                          GridStep);
        QCOMPARE(names(pasted),
                 std::vector<std::string>({"JButton1", "JLabel1", "JButton5", "JButton6"}));
        ObjectRecord renamed = label;
        renamed.fields[Name] = "JLabel1";
        QCOMPARE(pasted[1].second, renamed);
    }

    // The whole paste moves on while any of its objects lies exactly on another.
    void pastesMoveByTheStepOffObjectsTheyWouldCover() {
        DesignModel design;
        fill(design, {{ObjectKind::Button, record("A", 10, 20, "A")},
                      {ObjectKind::Button, record("B", 18, 28, "B")},
                      {ObjectKind::Label, record("C", 100, 20, "C")}});
        const std::tuple<ObjectRecord, int, int, int> cases[] = {
            {record("P", 50, 50, "P"), 8, 50, 50},              // covers nothing
            {record("P", 10, 20, "P", "", 65, 34), 8, 10, 20},  // another size
            {record("P", 10, 20, "P"), 5, 15, 25},              // the step given
            {record("P", 10, 20, "P"), 8, 26, 36},              // past the next one too
            {record("P", 100, 20, "P"), 8, 108, 28}};           // of another kind
        for (const auto& [object, step, x, y] : cases) {
            const KindRecords pasted = pastedRecords(
                design,
                {{ObjectKind::Button, object}, {ObjectKind::Image, record("I", 0, 300, "I")}},
                step);
            QCOMPARE(pasted[0].second.fields[Xpos], std::to_string(x));
            QCOMPARE(pasted[0].second.fields[Ypos], std::to_string(y));
            QCOMPARE(pasted[1].second.fields[Ypos],
                     std::to_string(300 + y - std::stoi(object.fields[Ypos])));
        }
    }
};

QTEST_GUILESS_MAIN(ObjectClipboardTextTest)
#include "tst_objectclipboardtext.moc"

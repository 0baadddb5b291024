// Design objects as clipboard text, and the records a paste of them adds.
#include <QtTest>

#include "designer/DesignRules.h"
#include "document/ObjectClipboardText.h"
#include "project/ProjectFile.h"

using namespace tz;

namespace {

ObjectRecord record(const std::string& name, int x, int y, const std::string& align = "") {
    return {{"Hi", std::to_string(x), std::to_string(y), "65", "33", name, align}};
}

// The objects in consecutive slots of their kinds.
struct Design : DesignModel {
    explicit Design(const KindRecords& objects) {
        for (const auto& [kind, object] : objects) addObject(kind, object);
    }
};

const std::string TwoObjects =
    "[Objects]\r\nButtons=1\r\nLabels=1\r\nTextfields=0\r\nImages=0\r\n[Applet]\r\nHi\r\n1\r\n2\r\n"
    "65\r\n33\r\nB\r\n\r\nHi\r\n5\r\n6\r\n65\r\n33\r\nL\r\n[CENTER]\r\n";

}  // namespace

class ObjectClipboardTextTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // The project file's own object lines, in kind and slot order.
    void selectedObjectsRoundTripAsTheProjectFileHoldsThem() {
        const Design design({{ObjectKind::Button, record("A", 10, 20)},
                             {ObjectKind::Label, record("L", 5, 6, "[CENTER]")},
                             {ObjectKind::Button, record("B", 1, 2)}});
        const std::vector<ObjectRef> selection = {{ObjectKind::Label, 0}, {ObjectKind::Button, 1}};
        QCOMPARE(objectsText(design, selection), TwoObjects);
        QCOMPARE(objectsOfText(TwoObjects), std::optional(recordsOf(design, selection)));
        const std::vector<ObjectRef> all = {selection[0], selection[1], {ObjectKind::Button, 0}};
        tz::ProjectFileContent content;
        content.objects = design.tables();
        const std::string file = writeProjectFile(content);
        QVERIFY(file.find(objectsText(design, all)) != std::string::npos);
    }

    void foreignOrMalformedTextGivesNothing() {
        const std::pair<std::string, std::string> changes[] = {
            {"[Objects]", "plain text"}, {"[CENTER]\r\n", "[CENTER]\r\n\r\n"},
            {"Labels=1", "Labels=2"},    {"Labels=1", "Labels=32"},
            {"\r\n5\r\n", "\r\nx\r\n"},  {"\r\nL\r\n", "\r\nopen\r\n"},
            {"\r\nL\r\n", "\r\nB\r\n"},  {"Hi", std::string(MaxObjectsTextBytes, 'i')}};
        for (const auto& [from, to] : changes) {
            std::string text = TwoObjects;
            QVERIFY2(!objectsOfText(text.replace(text.find(from), from.size(), to)), to.c_str());
        }
    }

    // New objects' names for the slots taken in turn; off any object covered exactly.
    void pastedObjectsTakeFreeNamesAndFreePlaces() {
        Design design({{ObjectKind::Button, record("JButton0", 10, 20)},
                       {ObjectKind::Button, record("Gone", 0, 0)},
                       {ObjectKind::Button, record("jbutton3", 200, 200)},
                       {ObjectKind::Label, record("JButton4", 18, 28)}});
        design.removeObject({ObjectKind::Button, 1});
        const KindRecords pasted = pastedRecords(design,
                                                 {{ObjectKind::Button, record("X", 10, 20)},
                                                  {ObjectKind::Label, record("Y", 0, 0, "[RIGHT]")},
                                                  {ObjectKind::Button, record("Z", 0, 50)},
                                                  {ObjectKind::Button, record("X", 0, 90)}},
                                                 GridStep);
        const ObjectRecord expected[] = {record("JButton1", 26, 36),  // past two objects
                                         record("JLabel1", 16, 16, "[RIGHT]"),
                                         record("JButton5", 16, 66), record("JButton6", 16, 106)};
        for (std::size_t i = 0; i < pasted.size(); ++i) QCOMPARE(pasted[i].second, expected[i]);
    }
};

QTEST_GUILESS_MAIN(ObjectClipboardTextTest)
#include "tst_objectclipboardtext.moc"

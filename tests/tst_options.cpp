// The project options dialog: its start state, the parameter rows, and OK
// applying colour and size to the design window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "designer/ui/DesignWindow.h"
#include "document/ProjectDocument.h"
#include "settings/ui/ProjectOptionsDialog.h"
#include "testhelpers.h"

namespace {

struct Options {
    StartedProgram started;
    ProjectOptionsDialog& opt = started.program->projectOptions();
    DesignWindow& app = started.program->designWindow();
    tz::ProjectDocument& document = started.program->document();
    QTableWidget* grid = opt.findChild<QTableWidget*>("grid");

    template <typename T>
    T* child(const char* name) {
        return opt.findChild<T*>(name);
    }
    void click(const char* name) {
        QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    void setParameters(const QStringList& names) {
        grid->setRowCount(names.size());
        for (int row = 0; row < names.size(); ++row) {
            grid->setItem(row, 0, new QTableWidgetItem(names[row]));
            grid->setItem(row, 1, new QTableWidgetItem(names[row] + "-value"));
        }
    }
    QStringList parameterNames() {
        QStringList names;
        for (int row = 0; row < grid->rowCount(); ++row)
            names << (grid->item(row, 0) ? grid->item(row, 0)->text() : QString());
        return names;
    }
    QStringList pressOk() {
        return answerMessageBoxes([&] { click("BitBtn1"); }, QMessageBox::Ok);
    }
};

}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void startsWithTheDefaults() {
        Options o;
        o.opt.show();
        QCOMPARE(o.child<QComboBox>("colorz")->currentText(), QString("lightGray"));
        QVERIFY(o.child<QComboBox>("colorz")->isEnabled());
        QVERIFY(o.pressOk().isEmpty());
        QCOMPARE(o.document.options(), tz::ProjectOptions{});
        QVERIFY(!o.document.isModified());
    }

    void showingFillsTitlesAndTheDesignWindowSize() {
        Options o;
        o.app.show();
        o.app.resize(333, 222);
        o.opt.show();
        QVERIFY(o.child<QPushButton>("BitBtn2")->isVisible());  // Cancel
        QCOMPARE(o.grid->horizontalHeaderItem(0)->text(), QString("Parameter"));
        QCOMPARE(o.grid->horizontalHeaderItem(1)->text(), QString("Value"));
        QCOMPARE(o.child<QLineEdit>("appx")->text(), QString("333"));
        QCOMPARE(o.child<QLineEdit>("appy")->text(), QString("248"));
    }

    void deleteKeepsOneParameterRow() {
        Options o;
        o.opt.show();
        o.setParameters({"only"});
        o.click("delete");
        QCOMPARE(o.grid->rowCount(), 1);
        o.pressOk();
        QCOMPARE(o.document.options().parameters,
                 std::vector<tz::RunParameter>{tz::RunParameter{}});

        o.opt.show();
        o.setParameters({"a", "b", "c", "d", "e"});
        o.grid->setCurrentCell(2, 1);
        o.click("delete");
        QCOMPARE(o.parameterNames(), QStringList({"a", "b", "d", "e"}));
        QCOMPARE(o.grid->item(2, 1)->text(), QString("d-value"));
        o.click("add");
        QCOMPARE(o.parameterNames(), QStringList({"a", "b", "d", "e", ""}));
    }

    void colourListFollowsTheAutomaticBox() {
        Options o;
        o.opt.show();
        auto* colourList = o.child<QComboBox>("colorz");
        o.click("optimize");
        QVERIFY(!colourList->isEnabled());
        o.click("autoBCOL");
        QVERIFY(colourList->isEnabled());
        tz::ProjectOptions loaded;
        loaded.automaticBackground = false;
        loaded.colourIndex = 3;
        loaded.parameters = {{"speed", "3"}, {"mode", "x"}};
        o.opt.reject();
        o.document.setOptions(loaded);
        o.opt.show();
        QVERIFY(!colourList->isEnabled());
        o.pressOk();
        QCOMPARE(o.document.options(), loaded);
    }

    void okAppliesColourThenSize() {
        Options o;
        o.opt.show();
        o.click("autoBCOL");
        auto* colourList = o.child<QComboBox>("colorz");
        colourList->setCurrentIndex(3);  // darkGray
        o.child<QLineEdit>("appx")->setText("300");
        o.child<QLineEdit>("appy")->setText("200");
        QVERIFY(o.pressOk().isEmpty());
        QVERIFY(!o.opt.isVisible());
        const QColor darkGray = o.app.palette().color(QPalette::Window);
        QCOMPARE(o.app.appletWidth(), 300);
        QCOMPARE(o.app.appletHeight(), 200);
        o.opt.show();
        colourList->setCurrentIndex(4);  // gray
        o.pressOk();
        QCOMPARE(o.app.palette().color(QPalette::Window), darkGray);
        QCOMPARE(darkGray, QColor(128, 128, 128));

        // Without the automatic colour: light grey, whatever is chosen; a bad
        // height is reported after the colour and width are applied.
        o.opt.show();
        o.click("autoBCOL");
        colourList->setCurrentIndex(10);
        o.child<QLineEdit>("appx")->setText("250");
        o.child<QLineEdit>("appy")->setText("2OO");
        QCOMPARE(o.pressOk(), QStringList("'2OO' is not a valid integer value"));
        QVERIFY(!o.opt.isVisible());
        QCOMPARE(o.app.palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(o.app.appletWidth(), 250);
        QCOMPARE(o.app.appletHeight(), 200);
    }

    void tabLeavesTheGridEnterIsOkAndCancelUndoesAll() {
        Options o;
        tz::ProjectOptions three;
        three.parameters = {{"a", ""}, {"b", ""}, {"c", ""}};
        o.document.setOptions(three);
        for (const auto last : {Qt::Key_Escape, Qt::Key_Return})
            whileModal([] { triggerCommand("Options1"); },
                       [&](QDialog*) {
                           o.opt.activateWindow();
                           QTRY_COMPARE(QApplication::activeWindow(), &o.opt);
                           o.click("optimize");
                           o.grid->setCurrentCell(1, 0);
                           QTest::keyClick(o.grid, Qt::Key_F2);
                           QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                           QVERIFY(!o.grid->isAncestorOf(QApplication::focusWidget()));
                           o.click("delete");
                           QTest::keyClick(o.child<QPushButton>("delete"), last);
                           QVERIFY(!o.opt.isVisible());
                       });
        QCOMPARE(o.document.options().parameters,
                 (std::vector<tz::RunParameter>{{"a", ""}, {"c", ""}}));
        QVERIFY(o.document.options().optimize);  // changed once: Escape undid its round
    }

    void sizesOutsideTheirRangeAreRefused() {
        Options o;
        const std::tuple<const char*, const char*, const char*, QSize> cases[] = {
            {"-5", "200", "Value must be between 1 and 4096", QSize(410, 316)},
            {"40000", "200", "Value must be between 1 and 4096", QSize(410, 316)},
            {"300", "-20", "Value must be between 27 and 4096", QSize(300, 316)},
            {"4096", "27", "", QSize(4096, 27)}};
        for (const auto& [width, height, message, applied] : cases) {
            o.opt.show();
            for (const auto& [name, text] : {std::pair{"appx", width}, {"appy", height}}) {
                o.child<QLineEdit>(name)->selectAll();
                QTest::keyClicks(o.child<QLineEdit>(name), text);
            }
            QCOMPARE(o.pressOk().join(""), QString(message));
            QCOMPARE(QSize(o.app.appletWidth(), o.app.appletHeight()), applied);
        }
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"

#pragma once
// Driving the design window, the palette and the inspector as a user would.
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "designer/ui/DesignWindow.h"
#include "designer/ui/PaletteWindow.h"
#include "inspector/ui/InspectorWindow.h"
#include "testhelpers.h"

struct Designer {
    StartedProgram started;
    DesignWindow& app = started.program->designWindow();
    InspectorWindow& obj = started.program->inspector();
    PaletteWindow& tool = started.program->palette();
    tz::DesignModel& model = started.program->document().design();
    QTreeWidget* tree = obj.findChild<QTreeWidget*>("tree");
    QTableWidget* grid = obj.findChild<QTableWidget*>("grid");

    void pressPalette(int number) { QTest::mouseClick(tool.button(number), Qt::LeftButton); }
    QToolButton* deleteButton() const { return obj.findChild<QToolButton*>("delobj"); }

    void clickBackground(QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&app, button, {}, point);
    }

    QWidget* control(tz::ObjectKind kind, int slot) { return app.control(kind, slot); }

    const tz::ObjectRecord& record(tz::ObjectKind kind, int slot) {
        return model.record({kind, slot});
    }

    // Puts palette button number down unless it is down already.
    void arm(int number) {
        if (!tool.button(number)->isChecked()) pressPalette(number);
    }

    // Palette button number, then one click per point.
    void create(int paletteButton, std::initializer_list<QPoint> points) {
        arm(paletteButton);
        for (QPoint point : points) clickBackground(point);
    }

    QStringList treeTexts() {
        QStringList texts;
        for (int row = 1; QTreeWidgetItem* item = treeItem(row); ++row) texts << item->text(0);
        return texts;
    }

    QTreeWidgetItem* treeItem(int row) {
        int number = 0;
        for (int top = 0; top < tree->topLevelItemCount(); ++top) {
            if (++number == row) return tree->topLevelItem(top);
            for (int child = 0; child < tree->topLevelItem(top)->childCount(); ++child)
                if (++number == row) return tree->topLevelItem(top)->child(child);
        }
        return nullptr;
    }

    void clickTreeItem(const QString& text) {
        const QList<QTreeWidgetItem*> found =
            tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        tree->scrollToItem(found.first());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(found.first()).center());
    }

    QString selectedTreeText() {
        QTreeWidgetItem* item = tree->currentItem();
        return item ? item->text(0) : QString();
    }

    // The project as File > Save Project As writes it.
    QByteArray saved() {
        const QString path = started.directory.filePath("Saved.tzp");
        answerFileDialog([] { triggerCommand("SaveProjectAs1"); }, path);
        return readBytes(path);
    }

    QString value(int row) { return grid->item(row, 1)->text(); }
    QString label(int row) { return grid->item(row, 0)->text(); }

    QPoint cellPoint(int row, int column) {
        const QRect rect = grid->visualItemRect(grid->item(row, column));
        return QPoint(rect.left() + 8, rect.center().y());
    }

    // Clicks a value cell where the user would: on its editor, if one is open.
    void clickCell(int row) {
        QWidget* target = grid->viewport();
        const QPoint at = cellPoint(row, 1);
        if (QWidget* editor = target->childAt(at)) target = editor;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid->viewport(), at));
    }

    QLineEdit* openEditor() {
        for (QLineEdit* editor : grid->viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible()) return editor;
        return nullptr;
    }

    // Clicks a value cell and types text into its in-place editor.
    QLineEdit* typeIntoCell(int row, const QString& text) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellPoint(row, 1));
        if (!openEditor()) QTest::keyClick(grid, Qt::Key_F2);
        QLineEdit* editor = openEditor();
        if (!editor) return nullptr;
        editor->selectAll();
        QTest::keyClicks(editor, text);
        return editor;
    }

    // Types text into a value cell and presses Enter; returns the messages shown.
    QStringList enterCell(int row, const QString& text) {
        QLineEdit* editor = typeIntoCell(row, text);
        if (!editor) return {"no editor"};
        return answerMessageBoxes([&] { QTest::keyClick(editor, Qt::Key_Return); },
                                  QMessageBox::Ok);
    }

    void doubleClickGrid(int row, int column) {
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellPoint(row, column));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cellPoint(row, column));
    }
};

inline QString writePicture(const QString& folder, const QString& name, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    const QString path = folder + "/" + name;
    if (!image.save(path)) return QString();
    return path;
}

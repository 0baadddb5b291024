#include "app/LayoutCommands.h"

#include <QAction>
#include <QApplication>
#include <QPainter>

#include "app/CommandAction.h"
#include "designer/Arrangement.h"
#include "document/ui/DocumentEdits.h"
#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"
#include "platform/ui/PaintedIcon.h"

using tz::Arrangement;
using tz::Box;

namespace {

struct LayoutCommand {
    const char* name;
    const char* text;
    Arrangement arrangement;
};

constexpr LayoutCommand Commands[] = {
    {"AlignLeft1", "Align &Left", Arrangement::AlignLeft},
    {"AlignRight1", "Align &Right", Arrangement::AlignRight},
    {"AlignTop1", "Align &Top", Arrangement::AlignTop},
    {"AlignBottom1", "Align &Bottom", Arrangement::AlignBottom},
    {"AlignHorizontalCentres1", "Align Horizontal &Centres", Arrangement::AlignHorizontalCentres},
    {"AlignVerticalCentres1", "Align &Vertical Centres", Arrangement::AlignVerticalCentres},
    {"SameWidth1", "Same &Width", Arrangement::SameWidth},
    {"SameHeight1", "Same &Height", Arrangement::SameHeight},
    {"DistributeHorizontally1", "Distribute H&orizontally", Arrangement::DistributeHorizontally},
    {"DistributeVertically1", "Distribute V&ertically", Arrangement::DistributeVertically}};
constexpr int SectionSizes[] = {6, 2, 2};

Box boxOf(const tz::LiveObject& object) {
    return {object.left, object.top, object.width, object.height};
}

// Sample boxes after the arrangement, the reference dark, with the edges
// and centres the first two share.
void drawGlyph(QPainter& painter, Arrangement arrangement) {
    std::vector<Box> boxes = {{1, 2, 12, 5}, {3, 9, 5, 5}};
    if (tz::fewestBoxesFor(arrangement) == 3) boxes = {{1, 2, 3, 8}, {5, 5, 4, 8}, {12, 4, 3, 8}};
    if (tz::arrangesVertically(arrangement))
        for (Box& box : boxes) box = tz::transposed(box);
    boxes = tz::arranged(boxes, arrangement);
    painter.setPen(Qt::black);
    for (const Box& box : boxes) {
        painter.setBrush(&box == &boxes.front() ? QColor(0, 0, 128) : QColor(Qt::white));
        painter.drawRect(box.left, box.top, box.width - 1, box.height - 1);
    }
    const tz::GuideSnap shared = tz::findGuides(boxes[1], {boxes[0]}, 0);
    painter.setPen(QColor(220, 0, 0));
    for (const tz::GuideLine& line : shared.vertical)
        painter.drawLine(line.position, 0, line.position, 15);
    for (const tz::GuideLine& line : shared.horizontal)
        painter.drawLine(0, line.position, 15, line.position);
}

}  // namespace

LayoutCommands::LayoutCommands(tz::DocumentEdits& edits, QObject* parent)
    : QObject(parent), edits_(edits) {
    for (int command = 0; command < int(std::size(Commands)); ++command) {
        QAction* action = addCommandAction(this, Commands[command].name, Commands[command].text,
                                           [this, command] { arrange(command); });
        const Arrangement arrangement = Commands[command].arrangement;
        action->setIcon(tz::paintedIcon(
            QSize(16, 16), [arrangement](QPainter& painter) { drawGlyph(painter, arrangement); }));
        action->setIconVisibleInMenu(false);
        actions_ << action;
    }
    int first = 0;
    for (int size : SectionSizes) {
        sections_ << actions_.mid(first, size);
        first += size;
    }
    tz::DesignModel& design = edits_.design();
    connect(&design, &tz::DesignModel::currentObjectChanged, this,
            &LayoutCommands::enableForSelection);
    connect(&design, &tz::DesignModel::modelReset, this, &LayoutCommands::enableForSelection);
    enableForSelection();
}

void LayoutCommands::arrange(int command) {
    const std::vector<tz::ObjectRef> selection = edits_.design().selection();
    const Arrangement arrangement = Commands[command].arrangement;
    if (int(selection.size()) < tz::fewestBoxesFor(arrangement)) return;
    const auto refusal = edits_.editObjects(selection, QString(Commands[command].text).remove('&'),
                                            [arrangement](std::vector<tz::LiveObject>& objects) {
                                                std::vector<Box> boxes;
                                                for (const tz::LiveObject& object : objects)
                                                    boxes.push_back(boxOf(object));
                                                boxes = tz::arranged(boxes, arrangement);
                                                for (std::size_t i = 0; i < objects.size(); ++i) {
                                                    objects[i].left = boxes[i].left;
                                                    objects[i].top = boxes[i].top;
                                                    objects[i].width = boxes[i].width;
                                                    objects[i].height = boxes[i].height;
                                                }
                                            });
    if (refusal) tz::reportError(QApplication::activeWindow(), tz::displayLine(*refusal));
}

void LayoutCommands::enableForSelection() {
    const int selected = int(edits_.design().selection().size());
    for (int command = 0; command < actions_.size(); ++command)
        actions_[command]->setEnabled(selected >=
                                      tz::fewestBoxesFor(Commands[command].arrangement));
}

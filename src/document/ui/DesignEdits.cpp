#include "document/ui/DesignEdits.h"

#include <QSize>
#include <QUndoCommand>
#include <QUndoStack>

#include "designer/DesignRules.h"
#include "document/ProjectDocument.h"
#include "platform/TextBytes.h"

namespace tz {

namespace {

enum StepId { AppletSizeStepId = 1 };

QString nameOf(const ObjectRecord& record) {
    return displayLine(record.fields[Name]);
}

// One slot of a kind's table and the kind's slot count.
class SlotStep : public QUndoCommand {
  public:
    SlotStep(DesignModel& design, const ObjectRef& object, const ObjectRecord& after,
             int countAfter, const QString& text)
        : QUndoCommand(text),
          design_(design),
          object_(object),
          before_(design.table(object.kind).records[object.slot]),
          after_(after),
          countBefore_(design.table(object.kind).count),
          countAfter_(countAfter) {}

    void redo() override { design_.restoreSlot(object_, after_, countAfter_); }
    void undo() override { design_.restoreSlot(object_, before_, countBefore_); }

  private:
    DesignModel& design_;
    ObjectRef object_;
    ObjectRecord before_;
    ObjectRecord after_;
    int countBefore_;
    int countAfter_;
};

class AppletSizeStep : public QUndoCommand {
  public:
    AppletSizeStep(DesignModel& design, QSize after)
        : QUndoCommand("Resize Applet"),
          design_(design),
          before_(design.appletWidth(), design.appletHeight()),
          after_(after) {}

    void redo() override { design_.setAppletSize(after_.width(), after_.height()); }
    void undo() override { design_.setAppletSize(before_.width(), before_.height()); }
    int id() const override { return AppletSizeStepId; }
    bool mergeWith(const QUndoCommand* other) override {
        after_ = static_cast<const AppletSizeStep*>(other)->after_;
        return true;
    }

  private:
    DesignModel& design_;
    QSize before_;
    QSize after_;
};

class OptionsStep : public QUndoCommand {
  public:
    OptionsStep(ProjectDocument& document, const ProjectOptions& after, QSize sizeAfter)
        : QUndoCommand("Change Options"),
          document_(document),
          before_(document.options()),
          after_(after),
          sizeBefore_(document.design().appletWidth(), document.design().appletHeight()),
          sizeAfter_(sizeAfter) {}

    void redo() override { apply(after_, sizeAfter_); }
    void undo() override { apply(before_, sizeBefore_); }

  private:
    void apply(const ProjectOptions& options, QSize size) {
        document_.setOptions(options);
        document_.design().setAppletSize(size.width(), size.height());
    }

    ProjectDocument& document_;
    ProjectOptions before_;
    ProjectOptions after_;
    QSize sizeBefore_;
    QSize sizeAfter_;
};

}  // namespace

DesignEdits::DesignEdits(ProjectDocument& document, QUndoStack& history)
    : document_(document), history_(history) {}

DesignModel& DesignEdits::design() {
    return document_.design();
}

void DesignEdits::pushSlot(const ObjectRef& object, const ObjectRecord& after, int countAfter,
                           const QString& text) {
    history_.push(new SlotStep(design(), object, after, countAfter, text));
}

std::optional<std::string> DesignEdits::addObject(ObjectKind kind, const ObjectRecord& record) {
    const ObjectRef object{kind, design().freeSlot(kind)};
    if (object.slot >= ObjectTable::SlotCount) return capacityError();
    if (auto refusal = design().recordError(std::nullopt, record)) return refusal;
    const int count = std::max(design().table(kind).count, object.slot + 1);
    pushSlot(object, record, count, "Create " + nameOf(record));
    design().markMadeHere(object);
    return std::nullopt;
}

std::optional<std::string> DesignEdits::setRecord(const ObjectRef& object,
                                                  const ObjectRecord& record,
                                                  const QString& action) {
    if (auto refusal = design().recordError(object, record)) return refusal;
    const ObjectRecord& before = design().record(object);
    if (record != before)
        pushSlot(object, record, design().table(object.kind).count, action + " " + nameOf(before));
    return std::nullopt;
}

void DesignEdits::removeObject(const ObjectRef& object) {
    ObjectRecord removed = design().record(object);
    if (!removed.inUse()) return;
    const QString text = "Delete " + nameOf(removed);
    removed.fields[Name].clear();
    pushSlot(object, removed, design().table(object.kind).count, text);
}

QSize DesignEdits::cappedSize(int width, int height) {
    const auto [cappedWidth, cappedHeight] = DesignModel::cappedAppletSize(width, height);
    return {cappedWidth, cappedHeight};
}

bool DesignEdits::isAppletSize(QSize size) {
    return size == QSize(design().appletWidth(), design().appletHeight());
}

void DesignEdits::setAppletSize(int width, int height) {
    const QSize size = cappedSize(width, height);
    if (!isAppletSize(size)) history_.push(new AppletSizeStep(design(), size));
}

void DesignEdits::setOptions(const ProjectOptions& options, std::optional<int> width,
                             std::optional<int> height) {
    const QSize size = cappedSize(width.value_or(design().appletWidth()),
                                  height.value_or(design().appletHeight()));
    if (optionsAsShown(options) == document_.options() && isAppletSize(size)) return;
    history_.push(new OptionsStep(document_, options, size));
}

}  // namespace tz

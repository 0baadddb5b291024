#pragma once
// The Layout menu's commands: the selected objects aligned with, or sized
// like, the object selected first, or spread out evenly; each one step.
#include <QList>
#include <QObject>

class QAction;
namespace tz {
class DocumentEdits;
}

class LayoutCommands : public QObject {
    Q_OBJECT
  public:
    LayoutCommands(tz::DocumentEdits& edits, QObject* parent);

    // The menu's sections: six alignments, two sizes, two distributions.
    const QList<QList<QAction*>>& sections() const { return sections_; }

  private:
    void arrange(int command);
    // Each command needs two selected objects, or three to distribute.
    void enableForSelection();

    tz::DocumentEdits& edits_;
    QList<QList<QAction*>> sections_;
    QList<QAction*> actions_;
};

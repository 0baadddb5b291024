#pragma once
// Copy, cut, paste and duplicate of the selected design objects, each one
// step of the project's history; the clipboard holds them under the
// program's own format, so a paste of anything else does nothing.
#include <QObject>

#include "designer/SelectionHandles.h"
#include "document/ObjectClipboardText.h"

namespace tz {

class DocumentEdits;

class ObjectClipboard : public QObject {
  public:
    explicit ObjectClipboard(DocumentEdits& edits, QObject* parent = nullptr);

    bool hasSelection() const;
    void copy();
    void cut();
    void paste();
    // A paste of the selection that leaves the clipboard alone.
    void duplicate();
    // A paste that would cover the originals moves by step.
    void setGridStep(int step) { gridStep_ = step; }

  private:
    // The added objects become the selection; a refusal is reported.
    void add(const KindRecords& objects, const QString& action);

    DocumentEdits& edits_;
    int gridStep_ = GridStep;
};

}  // namespace tz

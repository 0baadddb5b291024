#pragma once
// What the command groups show in the main window, and the one editor
// state they read.
#include <QString>
#include <vector>

#include "project/Scanner.h"

class BusyPanels;
class QWidget;

class CommandView {
  public:
    // The message memo: progress, results and compiler output.
    virtual void setMessages(const QString& text) = 0;
    virtual void appendMessage(const QString& text) = 0;
    virtual QString messagesText() const = 0;
    virtual void showStatus(const QString& text) = 0;
    virtual QString statusText() const = 0;
    // The caption names the file the next Save Project writes.
    virtual void showCaption() = 0;

    virtual void showMethodTabs(int classIndex, int slotIndex) = 0;
    virtual void rebuildTree() = 0;
    virtual void showScannedItems(const std::vector<tz::ScanTreeItem>& items) = 0;
    // Selects body line n (from 0) of the body editor.
    virtual void selectBodyLine(int n) = 0;
    // The focused editor for the edit commands: body, else declaration, else none.
    virtual QWidget* focusedEditor() const = 0;
    virtual BusyPanels& busyPanels() = 0;

  protected:
    ~CommandView() = default;
};

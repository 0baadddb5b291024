#pragma once
// Qt 6.4's text controls crash when they paste clipboard data that holds no
// format at all (an empty clipboard after its owner quit, for example). One
// application-wide filter drops such pastes for every editor of the program.
#include <QClipboard>
#include <QObject>

namespace tz {

// True when the clipboard of that mode holds something a paste could use.
bool clipboardHoldsData(QClipboard::Mode mode = QClipboard::Clipboard);

class PasteGuard : public QObject {
  public:
    // Watches every event of the application while it lives.
    explicit PasteGuard(QObject* parent = nullptr);
    ~PasteGuard() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tz

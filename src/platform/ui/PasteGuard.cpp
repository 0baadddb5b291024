#include "platform/ui/PasteGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace tz {

namespace {

// The clipboard a paste key reads: Ctrl+Shift+Insert pastes the selection
// where the system has one, as the text controls do.
QClipboard::Mode modeOfPasteKey(const QKeyEvent* key) {
    const bool selectionKey = key->key() == Qt::Key_Insert &&
                              key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
    return selectionKey && QGuiApplication::clipboard()->supportsSelection()
               ? QClipboard::Selection
               : QClipboard::Clipboard;
}

bool isTextControlViewport(const QObject* object) {
    const QObject* owner = object->parent();
    return owner &&
           (qobject_cast<const QPlainTextEdit*>(owner) || qobject_cast<const QTextEdit*>(owner));
}

}  // namespace

bool clipboardHoldsData(QClipboard::Mode mode) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    return data && !data->formats().isEmpty();
}

PasteGuard::PasteGuard(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

PasteGuard::~PasteGuard() {
    qApp->removeEventFilter(this);
}

bool PasteGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste) && !clipboardHoldsData(modeOfPasteKey(key)))
            return true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        // A middle click pastes the selection into a text control.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::MiddleButton && isTextControlViewport(watched) &&
            QGuiApplication::clipboard()->supportsSelection() &&
            !clipboardHoldsData(QClipboard::Selection))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tz

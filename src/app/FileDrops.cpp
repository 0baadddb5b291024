#include "app/FileDrops.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

// The one local .tzp or .java file an event carries, else the empty text.
QString droppedProjectFile(const QDropEvent& event) {
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
    const QString path = urls.first().toLocalFile();
    const bool known =
        path.endsWith(".tzp", Qt::CaseInsensitive) || path.endsWith(".java", Qt::CaseInsensitive);
    return known ? path : QString();
}

}  // namespace

FileDrops::FileDrops(const QList<QWidget*>& windows, std::function<void(const QString&)> open,
                     QObject* parent)
    : QObject(parent), open_(std::move(open)) {
    for (QWidget* window : windows) window->setAcceptDrops(true);
    // Also over the editors, which would take the file's name as text.
    qApp->installEventFilter(this);
}

FileDrops::~FileDrops() {
    qApp->removeEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = droppedProjectFile(*drop);
    if (path.isEmpty()) return QObject::eventFilter(watched, event);
    drop->acceptProposedAction();
    // Opened after the drag has ended, so that no question runs inside it.
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, path] { open_(path); }, Qt::QueuedConnection);
    return true;
}

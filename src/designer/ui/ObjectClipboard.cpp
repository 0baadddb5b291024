#include "designer/ui/ObjectClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "designer/DesignRules.h"
#include "document/ui/DocumentEdits.h"
#include "platform/TextBytes.h"
#include "platform/ui/ErrorBox.h"

namespace tz {

ObjectClipboard::ObjectClipboard(DocumentEdits& edits, QObject* parent)
    : QObject(parent), edits_(edits) {}

bool ObjectClipboard::hasSelection() const {
    return !edits_.design().selection().empty();
}

void ObjectClipboard::copy() {
    if (!hasSelection()) return;
    const std::string text = objectsText(edits_.design(), edits_.design().selection());
    auto* data = new QMimeData;
    data->setData(ObjectsMimeType, QByteArray::fromStdString(text));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ObjectClipboard::cut() {
    copy();
    edits_.removeObjects(edits_.design().selection(), "Cut");
}

void ObjectClipboard::paste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(ObjectsMimeType)) return;
    if (const auto objects = objectsOfText(data->data(ObjectsMimeType).toStdString()))
        add(*objects, "Paste");
}

void ObjectClipboard::duplicate() {
    add(recordsOf(edits_.design(), edits_.design().selection()), "Duplicate");
}

void ObjectClipboard::add(const KindRecords& objects, const QString& action) {
    const KindRecords added = pastedRecords(edits_.design(), objects, gridStep_);
    if (const auto refusal = edits_.addObjects(added, action))
        reportError(QApplication::activeWindow(), displayLine(*refusal));
}

}  // namespace tz

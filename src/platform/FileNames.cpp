#include "platform/FileNames.h"

#include <QDir>
#include <QFileInfo>

namespace tz {

QString resolveNameCase(const QString& path) {
    const QFileInfo named(path);
    if (named.exists()) return path;
    const QDir folder = named.dir();
    const QStringList entries = folder.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(named.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return path;
}

}  // namespace tz

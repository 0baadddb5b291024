#include "build/RunFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tz {

namespace {

QStringList candidatePlaces() {
    QStringList places;
    // Asked only when set: the toolkit would otherwise make one up and warn.
    if (!qEnvironmentVariable("XDG_RUNTIME_DIR").isEmpty())
        places << QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    places << QStandardPaths::writableLocation(QStandardPaths::CacheLocation) << QDir::tempPath();
    places.removeAll(QString());
    return places;
}

// The folders that making place would add, deepest first.
QStringList missingFolders(const QString& place) {
    QStringList missing;
    for (QString folder = QDir::cleanPath(place); !QFileInfo::exists(folder);
         folder = QFileInfo(folder).path())
        missing << folder;
    return missing;
}

}  // namespace

std::shared_ptr<QTemporaryDir> makeRunFolder(QString& error) {
    // The process id tells a user which program's folder it is.
    const QString name = QStringLiteral("tzjava-%1-XXXXXX").arg(QCoreApplication::applicationPid());
    for (const QString& place : candidatePlaces()) {
        const QStringList made = missingFolders(place);
        QDir().mkpath(place);
        // Folders made for it go with it, unless another run uses them by then.
        std::shared_ptr<QTemporaryDir> folder(new QTemporaryDir(place + "/" + name),
                                              [made](QTemporaryDir* runFolder) {
                                                  delete runFolder;
                                                  for (const QString& path : made)
                                                      QDir().rmdir(path);
                                              });
        if (folder->isValid()) return folder;
        error = QStringLiteral("Unable to create a working folder in %1: %2")
                    .arg(place, folder->errorString());
    }
    return nullptr;
}

}  // namespace tz

#include "build/RunFolder.h"

#include <QCoreApplication>
#include <QDir>
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

}  // namespace

std::shared_ptr<QTemporaryDir> makeRunFolder(QString& error) {
    // The process id tells a user which program's folder it is.
    const QString name = QStringLiteral("tzjava-%1-XXXXXX").arg(QCoreApplication::applicationPid());
    for (const QString& place : candidatePlaces()) {
        QDir().mkpath(place);
        auto folder = std::make_shared<QTemporaryDir>(place + "/" + name);
        if (folder->isValid()) return folder;
        error = QStringLiteral("Unable to create a working folder in %1: %2")
                    .arg(place, folder->errorString());
    }
    return nullptr;
}

}  // namespace tz

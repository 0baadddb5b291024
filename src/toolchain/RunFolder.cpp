#include "toolchain/RunFolder.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cerrno>
#include <climits>

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

QString folderName(const QString& pid) {
    return QStringLiteral("tzjava-%1-").arg(pid);
}

bool processGone(qint64 pid) {
    return pid > 0 && pid <= INT_MAX && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

std::shared_ptr<QTemporaryDir> makeRunFolder(QString& error) {
    // The process id tells a user which program's folder it is.
    const QString name = folderName(QString::number(QCoreApplication::applicationPid())) + "XXXXXX";
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

void removeStaleRunFolders() {
    static const QRegularExpression stale("^" + folderName("([0-9]{1,10})") + "[A-Za-z0-9]{6}$");
    for (const QString& place : candidatePlaces()) {
        const QFileInfoList folders =
            QDir(place).entryInfoList({folderName("*") + "*"}, QDir::Dirs | QDir::NoSymLinks);
        for (const QFileInfo& folder : folders) {
            const auto match = stale.match(folder.fileName());
            if (match.hasMatch() && folder.ownerId() == ::getuid() &&
                processGone(match.captured(1).toLongLong()))
                QDir(folder.filePath()).removeRecursively();
        }
    }
}

}  // namespace tz

#pragma once
// The private working folder of one compile or external compile. The batch,
// its input and the compiler's output live there, never beside the program:
// two runs at once never see each other's files, and a program installed
// read-only still compiles.
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace tz {

// A new empty folder that only this user can enter: under the user's
// runtime folder, else the user's cache folder, else the system's
// temporary folder. It goes, with everything in it and the folders made to
// hold it, when the last pointer goes. nullptr when none could be made; error then names the place tried
// last and the system's reason.
std::shared_ptr<QTemporaryDir> makeRunFolder(QString& error);

// Removes the working folders that programs of this user left behind when
// they were killed: only folders this user owns, named after a process
// that no longer exists.
void removeStaleRunFolders();

}  // namespace tz

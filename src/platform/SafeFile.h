#pragma once
// Every file the program reads or writes goes through here. Only regular
// files are opened (symbolic links to them are followed), so a FIFO or a
// device neither blocks the program nor gets replaced; a write replaces the
// whole file at once or leaves it as it was.
#include <optional>
#include <string>

namespace tz {

// Whether path names a regular file, following symbolic links.
bool isRegularFile(const std::string& path);

// The whole file, or nullopt with the system's reason set.
std::optional<std::string> readRegularFile(const std::string& path, std::string& reason);
// The same; the error names the file: "Cannot open file PATH. REASON".
std::optional<std::string> loadFileBytes(const std::string& path, std::string& error);

// Creates or replaces the file with bytes. The error text, naming the file
// ("Unable to write to PATH: REASON"), of a write that did not happen.
std::optional<std::string> saveFileBytes(const std::string& path, const std::string& bytes);

// The same, but a path that is a symbolic link leading out of the folder it
// lies in is refused: a received project folder must not have the program
// replace a file elsewhere. Links within the folder are followed.
std::optional<std::string> saveFileInItsFolder(const std::string& path, const std::string& bytes);

// Whether both paths name one existing file: the same device and inode, or
// the same canonical path.
bool sameFile(const std::string& first, const std::string& second);

}  // namespace tz

#pragma once
// Pictures of image objects are loaded by the applet from beside its source;
// a missing one is copied there when the user agrees.
#include <functional>
#include <string>

namespace tz {

// Asked once per missing picture; true means copy it.
using CopyQuestion = std::function<bool(const std::string& question)>;

// The picture path without its folder: the part after the last "/", "\\" or ":".
std::string pictureFileName(const std::string& picturePath);

// Asks whether to copy the picture next to the Java source when no file of
// its name is there, and copies it on Yes. Returns the error text of a
// failed copy, else the empty text.
std::string checkImage(const std::string& picturePath, const std::string& javaSourcePath,
                       const CopyQuestion& askCopy);

// Copies a file byte for byte, creating or replacing the target. Returns
// the error text, or the empty text.
std::string copyFile(const std::string& from, const std::string& to);

}  // namespace tz

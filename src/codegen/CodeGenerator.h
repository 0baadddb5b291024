#pragma once
// Turns the project and its design objects into one Java source text, with a
// location marker on every line taken from the project's own texts.
#include <string>
#include <vector>

#include "codegen/ImageCheck.h"
#include "codegen/SourceLines.h"
#include "designer/DesignObjects.h"
#include "project/Project.h"
#include "settings/ProjectOptions.h"

namespace tz {

inline constexpr const char* GeneratingMessage = "Generating Code...";
inline constexpr const char* GeneratedMessage = "Code Generated...";
inline constexpr const char* PaintDeclarationMessage =
    "Your paint interface does not contain any declaration!";

enum class CodeFailure {
    None,
    PaintDeclaration,  // a plain message box with the message
    ImageCopy,         // the error box with the message
};

struct GeneratedCode {
    // The whole source, or what was generated before a failure.
    std::string source;
    // Where each line of source came from.
    SourceLineMap lines;
    CodeFailure failure = CodeFailure::None;
    std::string message;
    bool ok() const { return failure == CodeFailure::None; }
};

// objects: the in-use design objects, any order. askCopy is asked about each
// picture missing beside the Java source when the applet's init is written.
GeneratedCode generateJava(const Project& project, const std::vector<LiveObject>& objects,
                           const ProjectOptions& options, const CopyQuestion& askCopy);

// The text trimmed, each CR LF replaced by a marker for its line and LF.
std::string markedText(const std::string& text, int classIndex, int slotIndex);

// The text as the body of a Java string literal.
std::string javaStringBody(const std::string& text);

}  // namespace tz

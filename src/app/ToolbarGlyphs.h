#pragma once
#include <QIcon>

namespace tz {

enum class Glyph {
    Open,
    Save,
    Generate,
    Compile,
    ExternalCompile,
    Run,
    CompileRun,
    Browser,
    CompileBrowse
};

// Small pictures of our own for the toolbar buttons.
QIcon toolbarGlyph(Glyph glyph);

}  // namespace tz

#include "project/ui/BodyEditor.h"

#include <QFontDatabase>

namespace tz {

const QStringList& javaKeywords() {
    // Duplicates and entries that can never match a word are kept as they are.
    // clang-format off
    static const QStringList keywords = {
        "drawLine", "getImage", "addItem", "add", "extends", "Checkbox", "new", "showStatus",
        "Choice", "List", "TextArea", "TextField", "setForeground", "setBakground", "appendText",
        "Button", "Image", "equals", "drawLine", "drawImage", "setLabel", "reshape", "drawString",
        "Graphics", "fill3DRect", "drawOval", "drawRoundRect", "drawRect", "drawLine", "int",
        "String", "import", "drawPolygon", "setColor", "while", "try", "catch", "if", "repaint()",
        "paint", "update", "show", "GridBagConstraints", "GridBagLayout", "boolean", "Scrollbar",
        "setValue", "Font", "setFont", "return", "true", "Color", "BOLD", "ITALIC", "PLAIN", "else",
        "Thread", "float", "for", "Integer", "toString", "sleep", "URL", "getAppletContext",
        "showDocument", "getText", "setText", "parseInt", "start", "stop", "null", "width",
        "height", "size()", "fillRect", "fill3DRect", "getDocumentBase()", "BorderLayout", "Canvas",
        "Checkbox", "CheckboxGroup", "Color", "Component", "Event", "Frame", "GridLayout", "Insets",
        "Label", "Menu", "MenuItem", "MenuBar", "MenuCompontent", "Point", "Panel", "Scrollbar",
        "this", "getCodeBase()", "DataInputStream", "openStream()", "readLine()", "false",
        "substring", "length()", "close()", "Exception", "printStackTrace()", "charAt",
        "toUpperCase()", "toLowerCase()", "++", "--", "MalformedURLException", "getParent()",
        "CROSSHAIR_CURSOR", "DEFAULT_CURSOR", "WAIT_CURSOR", "target", "instanceof", "repaint()",
        "id", "key", "KEY_PRESS", "KEY_ACTION", "draw3DRect", "getSelectedItem()",
        "getSelectedIndex()"};
    // clang-format on
    return keywords;
}

BodyEditor* createBodyEditor(QWidget* parent) {
    auto* editor = new BodyEditor(parent);
    editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette colours = editor->palette();
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    editor->setPalette(colours);
    editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    editor->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setTabChangesFocus(false);
    editor->setKeyDrawingType(ColourKeywords);
    editor->setKeyCase(true);
    editor->setKeyColor(Qt::blue);
    editor->setKeyBrushColor(Qt::white);
    editor->setKeyBeginChar(u'<');
    editor->setKeyEndChar(u'>');
    editor->setKeywords(javaKeywords());
    return editor;
}

}  // namespace tz

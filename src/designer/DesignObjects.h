#pragma once
// Design objects as data: the four kinds, the seven-text object record and
// the per-kind tables of 31 slots.
#include <array>
#include <string>

namespace tz {

enum class ObjectKind { Button = 0, Label = 1, TextField = 2, Image = 3 };
inline constexpr std::array<ObjectKind, 4> AllKinds = {ObjectKind::Button, ObjectKind::Label,
                                                       ObjectKind::TextField, ObjectKind::Image};

// Fields of an object record, in their stored order.
enum RecordField { Caption = 0, Xpos, Ypos, Width, Height, Name, Align, RecordFieldCount };

struct ObjectRecord {
    std::array<std::string, RecordFieldCount> fields;
    // An object is in use while its Name is not empty.
    bool inUse() const { return !fields[Name].empty(); }
    bool operator==(const ObjectRecord&) const = default;
};

struct ObjectTable {
    static constexpr int SlotCount = 31;
    std::array<ObjectRecord, SlotCount> records;
    int count = 0;  // slots used so far: the index of the next new object
    bool operator==(const ObjectTable&) const = default;
};

using ObjectTables = std::array<ObjectTable, AllKinds.size()>;

// The stored applet height counts a caption bar of this height; the applet
// itself is that much lower.
inline constexpr int AppletCaptionHeight = 26;
// The largest stored applet width or height.
inline constexpr int MaxAppletSize = 4096;

enum class Alignment { Left, Right, Center };

// The state of one live design control, as the code generator reads it.
struct LiveObject {
    ObjectKind kind = ObjectKind::Button;
    int slot = 0;
    std::string text;  // caption (Button, Label), text (TextField), picture path (Image)
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string name;
    Alignment alignment = Alignment::Left;  // labels only
};

struct KindInfo {
    const char* namePrefix;
    const char* captionPrefix;
    int defaultWidth;
    int defaultHeight;
    const char* rowZeroLabel;
    const char* treeItem;
};

inline const KindInfo& kindInfo(ObjectKind kind) {
    static const KindInfo infos[] = {
        {"JButton", "Button ", 65, 33, "Caption", "[Buttons]"},
        {"JLabel", "Label ", 73, 25, "Caption", "[Labels]"},
        {"JTextfield", "Textfield ", 73, 21, "Text", "[Textfields]"},
        {"JImage", "", 73, 65, "Picture", "[Images]"},
    };
    return infos[static_cast<int>(kind)];
}

}  // namespace tz

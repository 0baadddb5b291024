#include "codegen/CodeGenerator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>

#include "codegen/ByteChunks.h"
#include "codegen/JavaText.h"
#include "platform/TextBytes.h"
#include "project/NameHelpers.h"

namespace tz {

namespace {

constexpr const char* CrLf = "\r\n";
constexpr int DeclarationLine = -1;

std::string_view trimmed(std::string_view text) {
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && isBlankByte(text[start])) ++start;
    while (end > start && isBlankByte(text[end - 1])) --end;
    return text.substr(start, end - start);
}

// Two characters that would open or close a comment when written side by side.
bool formsCommentMark(char last, char next) {
    return (last == '/' && (next == '/' || next == '*')) || (last == '*' && next == '/');
}

// The marker at the end of a line of a slot: "//\", the class, slot and
// line numbers, each with a comma, and the line end.
class MarkerText {
  public:
    static constexpr std::size_t Room = 3 + 3 * 12 + 2;
    MarkerText(const SourcePlace& place, std::string_view lineEnd) : place_(place) {
        char* end = text_.data() + 3;
        for (const int number : {place.classIndex, place.slot, place.bodyLine}) {
            end = std::to_chars(end, text_.data() + text_.size(), number).ptr;
            *end++ = ',';
        }
        lineEndSize_ = lineEnd.size();
        length_ = std::size_t(std::copy(lineEnd.begin(), lineEnd.end(), end) - text_.data());
    }
    // Its whole room is copied at once, which costs less than a call.
    const std::array<char, Room>& room() const { return text_; }
    std::size_t length() const { return length_; }
    const SourcePlace& place() const { return place_; }
    // The marker of the next line, counted in its text: most lines differ
    // from the last in one digit.
    void toNextLine() {
        ++place_.bodyLine;
        char* const last = text_.data() + length_ - lineEndSize_ - 2;
        char* digit = last;
        while (*digit == '9') *digit-- = '0';
        if (*digit != ',') {
            ++*digit;
            return;
        }
        // All nines: one more digit, a 1 and zeros.
        digit[1] = '1';
        std::copy_backward(last + 1, text_.data() + length_, text_.data() + length_ + 1);
        last[1] = '0';
        ++length_;
    }

  private:
    SourcePlace place_;
    std::array<char, Room> text_ = {'/', '/', '\\'};
    std::size_t length_;
    std::size_t lineEndSize_;
};

// The source text with the places its pieces came from. Blank runs are
// folded once the text cannot fail any more, most lines while they are
// copied from the project.
class SourceWriter {
  public:
    // A blank goes between two texts that would otherwise form a comment mark.
    void put(std::string_view piece) {
        char* to = room(piece.size() + 1);
        if (!piece.empty() && length_ > 0 && formsCommentMark(to[-1], piece.front())) *to++ = ' ';
        std::copy(piece.begin(), piece.end(), to);
        length_ = std::size_t(to - buffer_.data()) + piece.size();
    }
    // Same as put(marker's text).
    void putMarker(const MarkerText& marker) { putMarker(marker, lastByte()); }
    // The same after text whose last byte is known, which spares reading
    // back what was just written.
    void putMarker(const MarkerText& marker, char last) {
        char* to = room(MarkerText::Room + 1);
        if (formsCommentMark(last, '/')) *to++ = ' ';
        std::copy(marker.room().begin(), marker.room().end(), to);
        length_ = std::size_t(to - buffer_.data()) + marker.length();
    }
    // What is put from now on comes from place.
    void from(const SourcePlace& place, bool fromProject) {
        recordLines();
        lines_.from(place, fromProject);
    }
    // Folds the blank runs of the text put since the last fold.
    void foldNewText() {
        recordLines();
        length_ = folded_ + folder_.foldInPlace(buffer_.data() + folded_, length_ - folded_);
        folded_ = recorded_ = length_;
    }
    // The text put so far is folded, and so is what is put from now on;
    // before, it is kept as it was put.
    void foldFromHere() {
        folding_ = true;
        foldNewText();
    }
    // The text trimmed, each CR LF replaced by the marker of its line and LF.
    // Returns where it starts in the text.
    std::size_t putMarked(std::string_view slotText, int classIndex, int slotIndex) {
        const std::string_view body = trimmed(slotText);
        MarkerText marker({classIndex, slotIndex, 0}, "\n");
        recordLines();
        if (folding_) foldNewText();
        const std::size_t start = length_;
        std::size_t lineStart = 0;
        while (lineStart < body.size()) {
            if (!putFoldedLine(body, lineStart, marker)) {
                bool broken = false;  // the line holds a lone CR or LF
                const std::size_t end = nextCrLf(body, lineStart, broken);
                if (end == std::string_view::npos) break;
                putMarkedLine(body.substr(lineStart, end - lineStart), broken, marker);
                lineStart = end + 2;
                if (folding_) foldNewText();
            }
            marker.toNextLine();
        }
        from(marker.place(), true);
        put(body.substr(lineStart));
        return start;
    }
    std::string_view text() const { return {buffer_.data(), length_}; }
    // The text, which is taken away.
    std::string takeText() {
        buffer_.resize(length_);
        return std::move(buffer_);
    }
    // The line map of all text put; ends the writing.
    SourceLineMap takeLineMap() {
        recordLines();
        return lines_.takeMap();
    }
    void reserve(std::size_t size, std::size_t lineCount) {
        buffer_.reserve(size);
        lines_.reserve(lineCount);
    }

  private:
    // Room grows by this much at least: the bytes are cleared as it grows,
    // in steps that stay in cache.
    static constexpr std::size_t RoomStep = 64 * 1024;
    // Chunks of sixteen bytes may be written past the text's end.
    static constexpr std::size_t ChunkSlack = 16;

    char lastByte() const { return length_ > 0 ? buffer_[length_ - 1] : '\n'; }
    // Where size bytes go at the end of the text, with room past them for
    // a chunk.
    char* room(std::size_t size) {
        const std::size_t needed = length_ + size + ChunkSlack;
        if (needed > buffer_.size()) buffer_.resize(needed + RoomStep);
        return buffer_.data() + length_;
    }
    // The first CR LF of body from position i on, or npos; broken tells
    // whether a lone CR or LF came before it.
    static std::size_t nextCrLf(std::string_view body, std::size_t i, bool& broken) {
        for (i = firstOf<'\r', '\n'>(body, i); i < body.size();
             i = firstOf<'\r', '\n'>(body, i + 1)) {
            if (body.substr(i).starts_with(CrLf)) return i;
            broken = true;
        }
        return std::string_view::npos;
    }
    // While folding, a line of code that ends in its CR LF, or in a line
    // comment and its CR LF, is copied folded, with its marker: most are.
    // Only the first line may follow something else than a marker's line
    // feed, and form a comment mark with it.
    bool putFoldedLine(std::string_view body, std::size_t& lineStart, const MarkerText& marker) {
        if (!folding_ || (lineStart == 0 && formsCommentMark(lastByte(), body.front())))
            return false;
        char* to = room(body.size() - lineStart + MarkerText::Room + 1);
        const auto folded = folder_.foldCommentedLine(body, lineStart, to);
        if (!folded) return false;
        length_ += folded->length;
        // Folding keeps a line's last byte.
        putMarker(marker, folded->end > lineStart ? body[folded->end - 1] : lastByte());
        lines_.addUnbrokenLine(marker.place());
        folded_ = recorded_ = length_;
        lineStart = folded->end + 2;
        return true;
    }
    // Most lines hold no line end, and the line map takes them without
    // reading them.
    void putMarkedLine(std::string_view piece, bool broken, const MarkerText& marker) {
        put(piece);
        putMarker(marker);
        if (broken) {
            lines_.from(marker.place(), true);
            recordLines();
        } else {
            lines_.addUnbrokenLine(marker.place());
            recorded_ = length_;
        }
    }
    // The line map takes in the text put since the last call, all from one
    // place: one call for many pieces.
    void recordLines() {
        lines_.add(text().substr(recorded_));
        recorded_ = length_;
    }

    // The text is its first length_ bytes; the rest is room.
    std::string buffer_;
    std::size_t length_ = 0;
    SourceLineRecorder lines_;
    std::size_t recorded_ = 0;
    BlankFolder folder_;
    bool folding_ = false;
    std::size_t folded_ = 0;
};

std::string quoted(const std::string& text) {
    return "\"" + javaStringBody(text) + "\"";
}

const char* alignmentCode(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            return "0";
        case Alignment::Center:
            return "1";
        case Alignment::Right:
            return "2";
    }
    return "0";
}

constexpr int TextFieldColumnWidth = 8;

class Generator {
  public:
    Generator(const Project& project, const std::vector<LiveObject>& objects,
              const ProjectOptions& options, const CopyQuestion& askCopy)
        : project_(project), options_(options), askCopy_(askCopy) {
        sep_ = options.withoutLineBreaks ? "" : CrLf;
        lineBreak_ = options.withoutLineBreaks ? "\n" : CrLf;
        const int colour =
            isColourIndex(options.colourIndex) ? options.colourIndex : DefaultColourIndex;
        background_ = ColourTable[colour].name;
        contrast_ = background_ == "black" ? "white" : "black";
        for (const LiveObject& object : objects) {
            if (!object.name.empty()) byKind_[int(object.kind)].push_back(&object);
        }
        for (auto& kind : byKind_) {
            std::stable_sort(
                kind.begin(), kind.end(),
                [](const LiveObject* a, const LiveObject* b) { return a->slot < b->slot; });
        }
        reserveOutput(objects.size());
    }

    GeneratedCode run() {
        appendMarked(project_.imports, Project::ImportsEntry, 0, false);
        put(sep_);
        for (int k = 1; k <= project_.classCount(); ++k) {
            if (!appendClass(k)) return std::move(result_);
        }
        out_.foldNewText();
        result_.lines = out_.takeLineMap();
        result_.source = out_.takeText();
        return std::move(result_);
    }

  private:
    // Room for the whole source at once: growing it copies it. Markers are
    // taken as a quarter of the texts, as counting lines would cost a pass
    // over them; a source of many short lines grows once or twice.
    void reserveOutput(std::size_t objectCount) {
        constexpr std::size_t ObjectRoom = 400;  // the statements of one object
        constexpr std::size_t SlotRoom = 64;     // braces, separators and a marker
        constexpr std::size_t LineRoom = 32;     // text per line, for the line map
        std::size_t size = project_.imports.size() + objectCount * ObjectRoom;
        for (int k = 1; k <= project_.classCount(); ++k) {
            for (int m = 0; m <= project_.lastSlot(k); ++m) {
                const MethodSlot& slot = project_.slot(k, m);
                size += slot.declaration.size() + slot.body.size() + SlotRoom;
            }
        }
        out_.reserve(size + size / 4, size / LineRoom);
    }

    // Generation stops; the text so far is kept, unfolded.
    bool fail(CodeFailure failure, const std::string& message) {
        result_.source = out_.text();
        result_.lines = out_.takeLineMap();
        result_.failure = failure;
        result_.message = message;
        return false;
    }

    const std::vector<const LiveObject*>& objectsOf(ObjectKind kind) const {
        return byKind_[int(kind)];
    }

    bool appendClass(int k) {
        const int lastFailing = lastFailingSlot(k);
        const MethodSlot& header = project_.slot(k, 0);
        appendDeclaration(header.declaration, k, 0);
        put(sep_ + "{" + sep_);
        if (options_.addAppletObjects) put(fieldGroups());
        appendMarked(header.body, k, 0, false);
        put(sep_);
        for (int m = 1; m <= project_.lastSlot(k); ++m) {
            if (!appendMethod(k, m)) return false;
            // After a method's closing brace no escape or comment mark is
            // left open.
            if (m >= lastFailing) out_.foldFromHere();
        }
        put("}");
        return true;
    }

    static bool isAppletInit(int k, const MethodSlot& method) {
        return k == 1 && method.name == "init";
    }
    static bool isAppletPaint(int k, const MethodSlot& method) {
        return k == 1 && method.name == "paint";
    }
    // Only the applet's init and paint can fail, and a failure keeps the
    // text unfolded: folding starts after the last of them, or after the
    // first method.
    int lastFailingSlot(int k) const {
        int last = 0;
        for (int m = 1; m <= project_.lastSlot(k); ++m) {
            const MethodSlot& method = project_.slot(k, m);
            if (isAppletInit(k, method) || isAppletPaint(k, method)) last = m;
        }
        return last;
    }

    bool appendMethod(int k, int m) {
        const MethodSlot& method = project_.slot(k, m);
        if (isAppletInit(k, method)) return appendInit(method, k, m);
        if (isAppletPaint(k, method)) return appendPaint(method, k, m);
        appendDeclaration(method.declaration, k, m);
        put(std::string("{") + CrLf);
        appendMarked(method.body, k, m, true);
        put("}" + sep_);
        return true;
    }

    bool appendInit(const MethodSlot& method, int k, int m) {
        appendDeclaration(method.declaration, k, m);
        put(sep_ + "{" + sep_);
        if (options_.addAppletObjects && !appendInitStatements()) return false;
        appendMarked(method.body, k, m, false);
        put(sep_ + "}" + sep_);
        return true;
    }

    bool appendPaint(const MethodSlot& method, int k, int m) {
        const std::string graphicsMark = "(Graphics ";
        const auto found = method.declaration.find(graphicsMark);
        if (found == std::string::npos) {
            return fail(CodeFailure::PaintDeclaration, PaintDeclarationMessage);
        }
        const std::size_t nameStart = found + graphicsMark.size();
        const auto nameEnd = method.declaration.find(')');
        const std::string g = nameEnd != std::string::npos && nameEnd > nameStart
                                  ? method.declaration.substr(nameStart, nameEnd - nameStart)
                                  : std::string();
        // The name is written into statements: anything else would break them.
        if (!isJavaIdentifier(trimmed(g))) {
            return fail(CodeFailure::PaintDeclaration, PaintDeclarationMessage);
        }
        appendDeclaration(method.declaration, k, m);
        put(sep_ + "{" + sep_);
        if (options_.automaticBackground) {
            put(g + ".setColor(Color." + background_ + ");" + sep_);
            put(g + ".fillRect(0,0,size().width,size().height);" + sep_);
        }
        if (options_.addAppletObjects) appendPaintStatements(g);
        appendMarked(method.body, k, m, false);
        put(sep_);
        if (options_.automaticBackground) put(g + ".setColor(Color." + contrast_ + ");" + sep_);
        put(sep_ + "}" + sep_);
        return true;
    }

    // The marker ends its line, with a line feed alone when there are no line
    // separators, so that the code after it is not commented out.
    void appendDeclaration(const std::string& declaration, int k, int m) {
        out_.from({k, m, DeclarationLine}, true);
        put(trimmed(declaration));
        out_.putMarker(MarkerText({k, m, DeclarationLine}, lineBreak_));
        out_.from({k, 0, DeclarationLine}, false);
    }

    // A text that ends in a line comment gets a line break wherever code
    // would follow on its last line.
    void appendMarked(const std::string& text, int k, int m, bool codeFollowsOnLine) {
        const std::size_t start = out_.putMarked(text, k, m);
        if ((codeFollowsOnLine || options_.withoutLineBreaks) &&
            endsInLineComment(out_.text().substr(start))) {
            put(lineBreak_);
        }
        out_.from({k, 0, DeclarationLine}, false);
    }

    // The fields of the objects, the same in every class: made once.
    const std::string& fieldGroups() {
        if (!fieldGroups_) fieldGroups_ = fieldGroupsText();
        return *fieldGroups_;
    }

    std::string fieldGroupsText() const {
        std::string text;
        for (const LiveObject* object : objectsOf(ObjectKind::Button)) {
            text +=
                fieldGroup("Button ", *object,
                           ";String " + object->name + "_Caption=" + quoted(object->text) + ";");
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Image)) {
            text += fieldGroup("Image ", *object,
                               ";String " + object->name +
                                   "_Picture=" + quoted(pictureFileName(object->text)) + ";");
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Label)) {
            const std::string& n = object->name;
            text += fieldGroup("Label ", *object,
                               ";int " + n + "_Align=" + alignmentCode(object->alignment) +
                                   ";String " + n + "_Caption=" + quoted(object->text) + ";");
        }
        for (const LiveObject* object : objectsOf(ObjectKind::TextField)) {
            text += fieldGroup("TextField ", *object, ";");
        }
        return text;
    }

    std::string fieldGroup(const char* type, const LiveObject& object,
                           const std::string& tail) const {
        const std::string& n = object.name;
        return type + n + ";int " + n + "_Xpos=" + std::to_string(object.left) + ";int " + n +
               "_Ypos=" + std::to_string(object.top) + ";int " + n +
               "_Width=" + std::to_string(object.width) + ";int " + n +
               "_Height=" + std::to_string(object.height) + tail + sep_ + sep_;
    }

    bool appendInitStatements() {
        for (const LiveObject* object : objectsOf(ObjectKind::Button)) {
            appendCreation(object->name, "Button(" + quoted(object->text) + ")");
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Image)) {
            const std::string error = checkImage(object->text, project_.javaSourcePath, askCopy_);
            if (!error.empty()) return fail(CodeFailure::ImageCopy, error);
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Label)) {
            appendCreation(object->name, "Label(" + quoted(object->text) + ")");
        }
        for (const LiveObject* object : objectsOf(ObjectKind::TextField)) {
            const int columns = object->width / TextFieldColumnWidth;
            appendCreation(object->name, "TextField(" + quoted(object->text) + "," +
                                             std::to_string(columns) + ")");
        }
        return true;
    }

    void appendCreation(const std::string& n, const std::string& construction) {
        put(n + "= new " + construction + ";" + sep_ + "add (" + n + ");" + sep_ + sep_);
    }

    void appendPaintStatements(const std::string& g) {
        for (const LiveObject* object : objectsOf(ObjectKind::Image)) {
            const std::string& n = object->name;
            put(n + " = getImage(getDocumentBase()," + n + "_Picture);" + sep_);
            put(g + ".drawImage(" + n + "," + n + "_Xpos," + n + "_Ypos," + n + "_Width," + n +
                "_Height,this);" + sep_);
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Button)) {
            const std::string& n = object->name;
            appendMove(n);
            put(n + ".setLabel(" + n + "_Caption);" + sep_);
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Label)) {
            const std::string& n = object->name;
            put(n + ".setAlignment(" + n + "_Align);" + sep_);
            put(n + ".setText(" + n + "_Caption);" + sep_);
            appendMove(n);
        }
        for (const LiveObject* object : objectsOf(ObjectKind::TextField)) appendMove(object->name);
    }

    void put(std::string_view piece) { out_.put(piece); }

    // A control runs at its designed size, not at the size its text asks for.
    void appendMove(const std::string& n) {
        put(n + ".move(" + n + "_Xpos," + n + "_Ypos);" + sep_);
        put(n + ".setSize(" + n + "_Width," + n + "_Height);" + sep_);
    }

    const Project& project_;
    const ProjectOptions& options_;
    const CopyQuestion& askCopy_;
    std::array<std::vector<const LiveObject*>, AllKinds.size()> byKind_;
    std::string sep_;
    std::string lineBreak_;
    std::string background_;
    std::string contrast_;
    std::optional<std::string> fieldGroups_;
    SourceWriter out_;
    GeneratedCode result_;
};

}  // namespace

std::string markedText(const std::string& text, int classIndex, int slotIndex) {
    SourceWriter marked;
    marked.putMarked(text, classIndex, slotIndex);
    return marked.takeText();
}

std::string javaStringBody(const std::string& text) {
    std::string body;
    body.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\\':
                body += "\\\\";
                break;
            case '"':
                body += "\\\"";
                break;
            case '\r':
                body += "\\r";
                break;
            case '\n':
                body += "\\n";
                break;
            case '\t':
                body += "\\t";
                break;
            default:
                body += c;
        }
    }
    return body;
}

GeneratedCode generateJava(const Project& project, const std::vector<LiveObject>& objects,
                           const ProjectOptions& options, const CopyQuestion& askCopy) {
    return Generator(project, objects, options, askCopy).run();
}

}  // namespace tz

#include "codegen/CodeGenerator.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "codegen/JavaText.h"

namespace tz {

namespace {

constexpr const char* CrLf = "\r\n";
constexpr int DeclarationLine = -1;

bool isWhiteOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view trimmed(std::string_view text) {
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && isWhiteOrControl(text[start])) ++start;
    while (end > start && isWhiteOrControl(text[end - 1])) --end;
    return text.substr(start, end - start);
}

void appendMarker(std::string& out, int classIndex, int slotIndex, int line) {
    out += "//\\";
    out += std::to_string(classIndex);
    out += ',';
    out += std::to_string(slotIndex);
    out += ',';
    out += std::to_string(line);
    out += ',';
}

void appendMarkedText(std::string& out, std::string_view text, int classIndex, int slotIndex) {
    const std::string_view body = trimmed(text);
    int line = 0;
    std::size_t from = 0;
    for (auto pair = body.find(CrLf); pair != std::string_view::npos;
         pair = body.find(CrLf, from)) {
        out.append(body, from, pair - from);
        appendMarker(out, classIndex, slotIndex, line++);
        out += '\n';
        from = pair + 2;
    }
    out.append(body, from, std::string_view::npos);
}

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
        sep_ = options.cWithout ? "" : CrLf;
        lineBreak_ = options.cWithout ? "\n" : CrLf;
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
    }

    GeneratedCode run() {
        appendMarked(project_.imports, Project::ImportsEntry, 0, false);
        out_ += sep_;
        for (int k = 1; k <= project_.classCount(); ++k) {
            if (!appendClass(k)) return std::move(result_);
        }
        result_.source = foldBlankRuns(out_);
        return std::move(result_);
    }

  private:
    // Generation stops; the text so far is kept, without the blank pass.
    bool fail(CodeFailure failure, const std::string& message) {
        result_.source = out_;
        result_.failure = failure;
        result_.message = message;
        return false;
    }

    const std::vector<const LiveObject*>& objectsOf(ObjectKind kind) const {
        return byKind_[int(kind)];
    }

    bool appendClass(int k) {
        const MethodSlot& header = project_.slot(k, 0);
        appendDeclaration(header.declaration, k, 0);
        out_ += sep_ + "{" + sep_;
        if (options_.addApplet) appendFieldGroups();
        appendMarked(header.body, k, 0, false);
        out_ += sep_;
        for (int m = 1; m <= project_.lastSlot(k); ++m) {
            if (!appendMethod(k, m)) return false;
        }
        out_ += "}";
        return true;
    }

    bool appendMethod(int k, int m) {
        const MethodSlot& method = project_.slot(k, m);
        const bool appletClass = k == 1;
        if (appletClass && method.name == "init") return appendInit(method, k, m);
        if (appletClass && method.name == "paint") return appendPaint(method, k, m);
        appendDeclaration(method.declaration, k, m);
        out_ += std::string("{") + CrLf;
        appendMarked(method.body, k, m, true);
        out_ += "}" + sep_;
        return true;
    }

    bool appendInit(const MethodSlot& method, int k, int m) {
        appendDeclaration(method.declaration, k, m);
        out_ += sep_ + "{" + sep_;
        if (options_.addApplet && !appendInitStatements()) return false;
        appendMarked(method.body, k, m, false);
        out_ += sep_ + "}" + sep_;
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
        appendDeclaration(method.declaration, k, m);
        out_ += sep_ + "{" + sep_;
        if (options_.autoBCOL) {
            out_ += g + ".setColor(Color." + background_ + ");" + sep_;
            out_ += g + ".fillRect(0,0,size().width,size().height);" + sep_;
        }
        if (options_.addApplet) appendPaintStatements(g);
        appendMarked(method.body, k, m, false);
        out_ += sep_;
        if (options_.autoBCOL) out_ += g + ".setColor(Color." + contrast_ + ");" + sep_;
        out_ += sep_ + "}" + sep_;
        return true;
    }

    // With no line separators the marker gets its own line end, so that the
    // code after it is not commented out.
    void appendDeclaration(const std::string& declaration, int k, int m) {
        out_ += trimmed(declaration);
        appendMarker(out_, k, m, DeclarationLine);
        if (options_.cWithout) out_ += "\n";
        out_ += sep_;
    }

    // A text that ends in a line comment gets a line break wherever code
    // would follow on its last line.
    void appendMarked(const std::string& text, int k, int m, bool codeFollowsOnLine) {
        const std::size_t start = out_.size();
        appendMarkedText(out_, text, k, m);
        if ((codeFollowsOnLine || options_.cWithout) &&
            endsInLineComment(std::string_view(out_).substr(start))) {
            out_ += lineBreak_;
        }
    }

    void appendFieldGroups() {
        for (const LiveObject* object : objectsOf(ObjectKind::Button)) {
            appendFieldGroup("Button ", *object,
                             ";String " + object->name + "_Caption=" + quoted(object->text) + ";");
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Image)) {
            appendFieldGroup("Image ", *object,
                             ";String " + object->name +
                                 "_Picture=" + quoted(pictureFileName(object->text)) + ";");
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Label)) {
            const std::string& n = object->name;
            appendFieldGroup("Label ", *object,
                             ";int " + n + "_Align=" + alignmentCode(object->alignment) +
                                 ";String " + n + "_Caption=" + quoted(object->text) + ";");
        }
        for (const LiveObject* object : objectsOf(ObjectKind::TextField)) {
            appendFieldGroup("TextField ", *object, ";");
        }
    }

    void appendFieldGroup(const char* type, const LiveObject& object, const std::string& tail) {
        const std::string& n = object.name;
        out_ += type + n + ";int " + n + "_Xpos=" + std::to_string(object.left) + ";int " + n +
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
        out_ += n + "= new " + construction + ";" + sep_ + "add (" + n + ");" + sep_ + sep_;
    }

    void appendPaintStatements(const std::string& g) {
        for (const LiveObject* object : objectsOf(ObjectKind::Image)) {
            const std::string& n = object->name;
            out_ += n + " = getImage(getDocumentBase()," + n + "_Picture);" + sep_;
            out_ += g + ".drawImage(" + n + "," + n + "_Xpos," + n + "_Ypos," + n + "_Width," + n +
                    "_Height,this);" + sep_;
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Button)) {
            const std::string& n = object->name;
            appendMove(n);
            out_ += n + ".setLabel(" + n + "_Caption);" + sep_;
        }
        for (const LiveObject* object : objectsOf(ObjectKind::Label)) {
            const std::string& n = object->name;
            out_ += n + ".setAlignment(" + n + "_Align);" + sep_;
            out_ += n + ".setText(" + n + "_Caption);" + sep_;
            appendMove(n);
        }
        for (const LiveObject* object : objectsOf(ObjectKind::TextField)) appendMove(object->name);
    }

    void appendMove(const std::string& n) {
        out_ += n + ".move(" + n + "_Xpos," + n + "_Ypos);" + sep_;
    }

    const Project& project_;
    const ProjectOptions& options_;
    const CopyQuestion& askCopy_;
    std::array<std::vector<const LiveObject*>, AllKinds.size()> byKind_;
    std::string sep_;
    std::string lineBreak_;
    std::string background_;
    std::string contrast_;
    std::string out_;
    GeneratedCode result_;
};

}  // namespace

std::string markedText(const std::string& text, int classIndex, int slotIndex) {
    std::string marked;
    appendMarkedText(marked, text, classIndex, slotIndex);
    return marked;
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

GeneratedCode CreateCode(const Project& project, const std::vector<LiveObject>& objects,
                         const ProjectOptions& options, const CopyQuestion& askCopy) {
    return Generator(project, objects, options, askCopy).run();
}

}  // namespace tz

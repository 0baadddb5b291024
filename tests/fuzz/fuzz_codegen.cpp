// Generated source read as the Java compiler reads it: when every text of the
// user's balances its braces on its own, so does the whole source, and it
// ends outside comments and literals.
#include <fuzzer/FuzzedDataProvider.h>
#include <string_view>

#include "codegen/CodeGenerator.h"
#include "fuzzcheck.h"

namespace {

class JavaBraces {
  public:
    void read(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            const char next = i + 1 < text.size() ? text[i + 1] : '\0';
            switch (state_) {
                case State::Code:
                    if (c == '/' && (next == '/' || next == '*')) {
                        state_ = next == '/' ? State::LineComment : State::BlockComment;
                        ++i;
                    } else if (c == '"' || c == '\'') {
                        state_ = State::Literal;
                        quote_ = c;
                    } else if (c == '{') {
                        ++depth_;
                    } else if (c == '}' && --depth_ < 0) {
                        wentNegative_ = true;
                    }
                    break;
                case State::LineComment:
                    if (c == '\r' || c == '\n') state_ = State::Code;
                    break;
                case State::BlockComment:
                    if (c == '*' && next == '/') {
                        state_ = State::Code;
                        ++i;
                    }
                    break;
                case State::Literal:
                    if (c == '\\' && next != '\r' && next != '\n' && next != '\0') {
                        ++i;
                    } else if (c == quote_ || c == '\r' || c == '\n') {
                        state_ = State::Code;
                    }
                    break;
            }
        }
    }
    // Closed braces only, never more "}" than "{" on the way, and nothing
    // left open but a line comment, which a line end closes.
    bool balanced() const {
        return !wentNegative_ && depth_ == 0 &&
               (state_ == State::Code || state_ == State::LineComment);
    }

  private:
    enum class State { Code, LineComment, BlockComment, Literal };
    State state_ = State::Code;
    char quote_ = 0;
    long depth_ = 0;
    bool wentNegative_ = false;
};

bool balanced(std::string_view text) {
    JavaBraces braces;
    braces.read(text);
    return braces.balanced();
}

// A text as the generator places it: without white space and control
// characters at either end.
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
    return text;
}

const char* const MethodNames[] = {"init", "paint", "run"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    tz::ProjectOptions options;
    options.addAppletObjects = input.ConsumeBool();
    options.withoutLineBreaks = input.ConsumeBool();
    options.automaticBackground = input.ConsumeBool();
    options.colourIndex = input.ConsumeIntegralInRange(-1, 13);

    tz::Project project;
    bool usersBalanced = true;
    const auto text = [&](std::size_t maxLength) {
        std::string result = input.ConsumeRandomLengthString(maxLength);
        usersBalanced = usersBalanced && balanced(trimmed(result));
        return result;
    };
    project.imports = text(40);
    project.setClassCount(input.ConsumeIntegralInRange(0, 2));
    for (int k = 1; k <= project.classCount(); ++k) {
        project.setLastSlot(k, input.ConsumeIntegralInRange(0, 3));
        project.fillSlot(k, 0, "C", text(60), text(60));
        for (int m = 1; m <= project.lastSlot(k); ++m)
            project.fillSlot(k, m, MethodNames[input.ConsumeIntegralInRange(0, 2)], text(60),
                             text(100));
    }
    // Pictures are left out: their check looks at files.
    std::vector<tz::LiveObject> objects(input.ConsumeIntegralInRange(0, 3));
    for (std::size_t i = 0; i < objects.size(); ++i) {
        tz::LiveObject& object = objects[i];
        object.kind = static_cast<tz::ObjectKind>(input.ConsumeIntegralInRange(0, 2));
        object.slot = static_cast<int>(i);
        object.name = "n" + std::to_string(i);
        object.text = input.ConsumeRandomLengthString(20);
        object.width = input.ConsumeIntegral<int>();
    }
    if (!usersBalanced) return 0;

    const tz::GeneratedCode code =
        tz::generateJava(project, objects, options, [](const std::string&) { return false; });
    if (code.ok()) FUZZ_CHECK(balanced(code.source));
    return 0;
}

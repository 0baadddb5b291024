#include "codegen/JavaText.h"

#include <array>
#include <cstring>
#include <string_view>

namespace tz {

namespace {
bool startsWith(std::string_view text, std::size_t i, char first, char second) {
    return i + 1 < text.size() && text[i] == first && text[i + 1] == second;
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

using CharacterSet = std::array<bool, 256>;

CharacterSet characters(std::string_view members) {
    CharacterSet set{};
    for (const char c : members) set[static_cast<unsigned char>(c)] = true;
    return set;
}

// Per state: the characters that may end it, and the blank.
const std::array<CharacterSet, 5> NotableCharacters = {characters(" /\"'"), characters(" \n"),
                                                       characters(" *"), characters(" \\\"\r\n"),
                                                       characters(" \\'\r\n")};

}  // namespace

std::size_t JavaTextReader::nextNotable(std::string_view text, std::size_t i) const {
    const CharacterSet& notable = NotableCharacters[static_cast<int>(state_)];
    // Local copies: a char read may alias the string, which would reload them.
    const char* const data = text.data();
    const std::size_t size = text.size();
    while (i < size && !notable[static_cast<unsigned char>(data[i])]) ++i;
    return i;
}

std::size_t JavaTextReader::read(std::string_view text, std::size_t i) {
    const char c = text[i];
    switch (state_) {
        case State::Code:
            if (startsWith(text, i, '/', '/')) {
                state_ = State::LineComment;
                return 2;
            }
            if (startsWith(text, i, '/', '*')) {
                state_ = State::BlockComment;
                return 2;
            }
            if (c == '"') state_ = State::String;
            if (c == '\'') state_ = State::Character;
            return 1;
        case State::LineComment:
            if (c == '\n') state_ = State::Code;
            return 1;
        case State::BlockComment:
            if (startsWith(text, i, '*', '/')) {
                state_ = State::Code;
                return 2;
            }
            return 1;
        case State::String:
            return readLiteral(text, i, '"');
        case State::Character:
            return readLiteral(text, i, '\'');
    }
    return 1;
}

std::size_t JavaTextReader::readLiteral(std::string_view text, std::size_t i, char quote) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && !isLineEnd(text[i + 1])) return 2;
    if (c == quote || isLineEnd(c)) state_ = State::Code;
    return 1;
}

std::size_t foldBlankRunsInPlace(char* text, std::size_t size) {
    const std::string_view view(text, size);
    JavaTextReader reader;
    std::size_t kept = 0;      // length of the folded text written so far
    std::size_t copyFrom = 0;  // start of the text not yet moved down
    bool afterFreeBlank = false;
    for (std::size_t i = 0; i < size;) {
        const std::size_t notable = reader.nextNotable(view, i);
        if (notable != i) afterFreeBlank = false;
        i = notable;
        if (i == size) break;
        // A blank changes no state: only the other notable characters are read.
        if (text[i] != ' ') {
            afterFreeBlank = false;
            i += reader.read(view, i);
            continue;
        }
        const bool freeBlank = !reader.inLiteral();
        if (freeBlank && afterFreeBlank) {
            std::memmove(text + kept, text + copyFrom, i - copyFrom);
            kept += i - copyFrom;
            copyFrom = i + 1;
        }
        afterFreeBlank = freeBlank;
        ++i;
    }
    std::memmove(text + kept, text + copyFrom, size - copyFrom);
    return kept + size - copyFrom;
}

std::string foldBlankRuns(std::string_view text) {
    std::string folded(text);
    folded.resize(foldBlankRunsInPlace(folded.data(), folded.size()));
    return folded;
}

bool endsInLineComment(std::string_view text) {
    // Only a block comment outlasts a line feed: without one, the last line decides.
    if (text.find("/*") == std::string_view::npos) {
        if (const std::size_t feed = text.rfind('\n'); feed != std::string_view::npos)
            text.remove_prefix(feed + 1);
    }
    JavaTextReader reader;
    for (std::size_t i = reader.nextNotable(text, 0); i < text.size();
         i = reader.nextNotable(text, i)) {
        i += reader.read(text, i);
    }
    return reader.state() == JavaTextReader::State::LineComment;
}

}  // namespace tz

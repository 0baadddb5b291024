#pragma once
// What a document command has to say: nothing, a note, a message or an error,
// and the file it is about. The windows show it in a box or the memo; the
// command line prints it as one line.
#include <QString>
#include <functional>

namespace tz {

struct Outcome {
    enum class Kind { Done, Note, Message, Error };
    Kind kind = Kind::Done;
    QString message;
    // The file the message is about when its text does not name it.
    QString file;

    static Outcome done() { return {}; }
    static Outcome note(const QString& text, const QString& about = {}) {
        return {Kind::Note, text, about};
    }
    static Outcome plainMessage(const QString& text, const QString& about = {}) {
        return {Kind::Message, text, about};
    }
    static Outcome error(const QString& text, const QString& about = {}) {
        return {Kind::Error, text, about};
    }
    // Done, or done with a note: the command went through.
    bool ok() const { return kind == Kind::Done || kind == Kind::Note; }
    // The message on one line, after the file it is about.
    QString line() const {
        QString text = file.isEmpty() ? message : file + ": " + message;
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    }
};

// Shows an outcome while a command runs; false stops the command.
using Reporter = std::function<bool(const Outcome&)>;

}  // namespace tz

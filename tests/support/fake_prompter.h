#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"

namespace lexo {

// Records every message box instead of showing it and answers questions from a script:
// queued answers first, in order, then defaultAnswer.
class FakePrompter final : public Prompter {
public:
    enum class Kind { Information, Warning, Error, YesNo, YesNoCancel };

    struct Message {
        Kind kind;
        std::string text;
        bool operator==(const Message&) const = default;
    };

    std::vector<Message> messages;
    std::deque<Answer> answers;
    Answer defaultAnswer = Answer::Yes;

    void queueAnswer(Answer answer) { answers.push_back(answer); }

    void information(std::string_view text) override { record(Kind::Information, text); }
    void warning(std::string_view text) override { record(Kind::Warning, text); }
    void error(std::string_view text) override { record(Kind::Error, text); }

    // A queued Cancel answers a Yes/No question with No.
    bool askYesNo(std::string_view text) override {
        record(Kind::YesNo, text);
        return nextAnswer() == Answer::Yes;
    }

    Answer askYesNoCancel(std::string_view text) override {
        record(Kind::YesNoCancel, text);
        return nextAnswer();
    }

    std::vector<std::string> texts(Kind kind) const {
        std::vector<std::string> result;
        for (const Message& message : messages)
            if (message.kind == kind) result.push_back(message.text);
        return result;
    }

    std::size_t count(Kind kind) const {
        return static_cast<std::size_t>(std::count_if(messages.begin(), messages.end(),
                                                      [&](const Message& m) { return m.kind == kind; }));
    }

    void clear() {
        messages.clear();
        answers.clear();
    }

private:
    void record(Kind kind, std::string_view text) { messages.push_back({kind, std::string(text)}); }

    Answer nextAnswer() {
        if (answers.empty()) return defaultAnswer;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

inline std::ostream& operator<<(std::ostream& out, FakePrompter::Kind kind) {
    switch (kind) {
    case FakePrompter::Kind::Information: return out << "information";
    case FakePrompter::Kind::Warning: return out << "warning";
    case FakePrompter::Kind::Error: return out << "error";
    case FakePrompter::Kind::YesNo: return out << "yes/no";
    case FakePrompter::Kind::YesNoCancel: return out << "yes/no/cancel";
    }
    return out;
}

// Lets test failures print the messages.
inline void PrintTo(const FakePrompter::Message& message, std::ostream* out) {
    *out << message.kind << " \"" << message.text << '"';
}

}  // namespace lexo

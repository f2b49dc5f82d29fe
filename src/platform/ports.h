#pragma once

#include <string_view>

namespace lexo {

// Message boxes. The Qt side shows modal boxes captioned with the application title;
// tests record the texts and answer from a script.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    virtual void information(std::string_view text) = 0;
    virtual void warning(std::string_view text) = 0;
    virtual void error(std::string_view text) = 0;
    virtual bool askYesNo(std::string_view text) = 0;
    virtual Answer askYesNoCancel(std::string_view text) = 0;
};

}  // namespace lexo

#include "help/author_message.h"

#include "text/line_splitter.h"
#include "text/text_codec.h"

namespace lexo {

std::filesystem::path noteFilePath(const std::filesystem::path& programFolder) {
    return programFolder / "WorkDir" / "Zprava.txt";
}

std::string noteFileBytes(std::string_view note) {
    std::string text;
    text.reserve(note.size() + 64);
    // A memo's lines: a last line break adds no empty line of its own.
    forEachLine(note, [&](std::string_view line, std::size_t) {
        text += line;
        text += "\r\n";
    });
    TextEncoding encoding = TextEncoding::Windows1250;
    return encodeText(text, encoding);
}

FileResult saveNote(const std::filesystem::path& path, std::string_view note) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    return writeFileAtomically(path, noteFileBytes(note));
}

std::vector<std::string> mailArguments(const std::filesystem::path& attachment, std::string_view address,
                                       std::string_view subject) {
    return {"--utf8",
            "--subject",
            std::string(subject.empty() ? kDefaultMailSubject : subject),
            "--attach",
            attachment.string(),
            std::string(address)};
}

}  // namespace lexo

#include "help/tips.h"

#include <limits>

#include "platform/ports.h"
#include "text/line_splitter.h"

namespace lexo {
namespace {

// A tips file larger than this is not a tips file.
constexpr std::size_t kMaxTipsFileBytes = 64u << 20;

std::string flattened(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ';') {
            out += ',';
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::optional<int> parseTipNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) return std::nullopt;
    return static_cast<int>(value);
}

std::string notAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

TipsLoad parseTips(std::string bytes) {
    TipsLoad load;
    DecodedText decoded = decodeText(std::move(bytes));
    load.encoding = decoded.encoding;
    if (decoded.text.empty()) {
        load.status = TipsLoad::Status::Empty;
        return load;
    }
    forEachLine(decoded.text, [&](std::string_view line, std::size_t) {
        if (line.empty()) return;
        const std::vector<std::string_view> fields = splitFieldViews(line);
        const std::optional<int> number = parseTipNumber(fields[0]);
        if (!number) {
            load.conversionErrors.push_back(notAnIntegerMessage(fields[0]));
            return;
        }
        Tip tip;
        tip.number = *number;
        tip.numberText = std::string(fields[0]);
        if (fields.size() > 1) tip.heading = std::string(fields[1]);
        if (fields.size() > 2) tip.text = std::string(fields[2]);
        load.tips.push_back(std::move(tip));
    });
    return load;
}

TipsLoad loadTips(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        TipsLoad load;
        load.status = TipsLoad::Status::Missing;
        return load;
    }
    ReadResult read = readWholeFile(path, kMaxTipsFileBytes);
    if (read.status != ReadStatus::Ok) {
        TipsLoad load;
        load.status = TipsLoad::Status::Missing;
        return load;
    }
    return parseTips(std::move(read.data));
}

std::string tipBoxText(const Tip& tip) { return "\n" + tip.heading + "\n\n\n" + tip.text; }

std::size_t chooseTip(Random& random, std::size_t count) {
    if (count <= 1) return 0;
    const std::uint64_t pick = random.below(count);
    return pick < count ? static_cast<std::size_t>(pick) : count - 1;
}

bool TipsBook::add(std::string_view heading, std::string_view text) {
    if (heading.empty() || text.empty()) return false;
    Tip tip;
    tip.number = static_cast<int>(tips_.size() + 1);
    tip.numberText = std::to_string(tip.number);
    // What is kept is what the file will hold, so the run and the next start agree.
    tip.heading = flattened(heading);
    tip.text = flattened(text);
    tips_.push_back(std::move(tip));
    return true;
}

bool TipsBook::remove(std::size_t index) {
    if (index >= tips_.size()) return false;
    tips_.erase(tips_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void TipsBook::renumber() {
    int number = 0;
    for (Tip& tip : tips_) {
        tip.number = ++number;
        tip.numberText = std::to_string(number);
    }
}

std::string TipsBook::fileBytes(TextEncoding& encoding) const {
    std::string text;
    int number = 0;
    for (const Tip& tip : tips_) {
        text += std::to_string(++number);
        text += ';';
        text += flattened(tip.heading);
        text += ';';
        text += flattened(tip.text);
        text += "\r\n";
    }
    encoding = encoding_;
    return encodeText(text, encoding);
}

FileResult TipsBook::save(const std::filesystem::path& path) {
    renumber();
    TextEncoding encoding = encoding_;
    const std::string bytes = fileBytes(encoding);
    FileResult result = writeFileAtomically(path, bytes);
    if (result.ok) encoding_ = encoding;
    return result;
}

bool SecretSequence::feed(char32_t key) {
    if (matched_ < letters_.size() && key == static_cast<unsigned char>(letters_[matched_])) ++matched_;
    if (matched_ < letters_.size()) return false;
    matched_ = 0;
    return true;
}

}  // namespace lexo

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_codec.h"

namespace lexo {

inline constexpr std::string_view kWordListFileName = "prekladac.dat";
// The line that ends the foreign-to-Czech part; the line just before it is not an entry.
inline constexpr std::string_view kWordListMarker = "Začátek český výrazů";

// One direction of the word list: entries in file order, each a searched text (the key)
// and its translation, kept as the file's own bytes so that a million entries load without
// decoding. An index sorted by the first seven bytes of each key answers every search
// with the first matching entry in file order, as a scan would.
class WordListPart {
public:
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // UTF-8 texts for showing.
    std::string key(std::size_t entry) const;
    std::string translation(std::size_t entry) const;

    // The first entry from the second one on whose key begins with `prefix` (UTF-8, up to
    // seven characters); an empty key never matches.
    std::optional<std::size_t> findPrefix(std::string_view prefix) const;
    // The first entry, the first one included, whose key equals `text` (UTF-8).
    std::optional<std::size_t> findExact(std::string_view text) const;

    struct Indexed {
        std::uint64_t packed;  // first seven key bytes, big-endian, then the key's size
        std::uint32_t entry;
    };

private:
    friend class WordList;
    struct Entry {
        std::uint32_t keyOffset;
        std::uint32_t keySize;
        std::uint32_t translationSize;  // the translation follows the key and its ";"
    };
    std::string_view rawKey(std::size_t entry) const;
    std::string_view rawTranslation(std::size_t entry) const;
    std::optional<std::string> toFileEncoding(std::string_view utf8) const;
    std::string toUtf8(std::string_view raw) const;
    void buildIndex();
    std::uint32_t firstEntryIn(std::size_t from, std::size_t to) const;
    std::optional<std::size_t> scanPrefix(std::string_view raw) const;

    const std::string* bytes_ = nullptr;
    TextEncoding encoding_ = TextEncoding::Windows1250;
    std::vector<Entry> entries_;
    std::vector<Indexed> index_;  // sorted by packed key, equal keys in file order
    std::vector<std::vector<std::uint32_t>> blockMinima_;  // sparse table over blocks of the index
};

enum class WordListStatus { Loaded, CannotRead };

// The whole word list: the foreign-to-Czech part before the marker line, the Czech-to-
// foreign part after it; without a marker the whole file is foreign-to-Czech. Zero-length
// lines are skipped; a line without ";" has an empty translation.
class WordList {
public:
    WordList() = default;
    WordList(const WordList&) = delete;
    WordList& operator=(const WordList&) = delete;
    WordList(WordList&& other) noexcept { *this = std::move(other); }
    WordList& operator=(WordList&& other) noexcept;

    static WordList parse(std::string bytes);
    static WordList load(const std::filesystem::path& file, WordListStatus& status);

    const WordListPart& foreignToCzech() const { return parts_[0]; }
    const WordListPart& czechToForeign() const { return parts_[1]; }
    bool hasMarker() const { return hasMarker_; }
    TextEncoding encoding() const { return encoding_; }
    std::size_t entryCount() const { return parts_[0].size() + parts_[1].size(); }

private:
    void adopt();

    std::string bytes_;
    TextEncoding encoding_ = TextEncoding::Windows1250;
    bool hasMarker_ = false;
    WordListPart parts_[2];
};

}  // namespace lexo

#include "translator/word_list.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

#include "platform/atomic_file.h"
#include "text/huge_pages.h"
#include "text/line_splitter.h"

namespace lexo {
namespace {

constexpr std::size_t kPrefixBytes = 7;
constexpr std::size_t kBlock = 32;
constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
// Offsets are 32-bit: four bytes a field keep a million entries small.
constexpr std::size_t kMaxBytes = std::size_t{std::numeric_limits<std::uint32_t>::max()} - 1;

std::uint64_t pack(std::string_view key, unsigned char fill, unsigned char sizeByte) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < kPrefixBytes; ++i) {
        const unsigned char c = i < key.size() ? static_cast<unsigned char>(key[i]) : fill;
        value = (value << 8) | c;
    }
    return (value << 8) | sizeByte;
}

std::uint64_t packKey(std::string_view key) {
    return pack(key, 0, static_cast<unsigned char>(std::min<std::size_t>(key.size(), 255)));
}

// Room for a large array asked for in huge pages: a million entries then cost a few dozen
// page faults instead of thousands.
template <class T>
void reserveLarge(std::vector<T>& items, std::size_t count) {
    items.reserve(count);
    adviseHugePages(items.data(), count * sizeof(T));
}

// Stable LSD radix sort on the packed key, a byte a pass (few buckets keep the scattered
// writes in the cache); a pass where every key has the same byte is skipped.
template <class Item>
void radixSort(std::vector<Item>& items) {
    constexpr int kPasses = 8;
    std::vector<std::array<std::uint32_t, 256>> counts(kPasses);
    for (auto& c : counts) c.fill(0);
    for (const Item& item : items)
        for (int p = 0; p < kPasses; ++p) ++counts[p][(item.packed >> (8 * p)) & 0xFF];
    std::vector<Item> scratch;
    reserveLarge(scratch, items.size());
    scratch.resize(items.size());
    for (int p = 0; p < kPasses; ++p) {
        auto& count = counts[p];
        if (std::find(count.begin(), count.end(), items.size()) != count.end()) continue;
        std::uint32_t sum = 0;
        for (auto& c : count) {
            const std::uint32_t n = c;
            c = sum;
            sum += n;
        }
        for (const Item& item : items) scratch[count[(item.packed >> (8 * p)) & 0xFF]++] = item;
        items.swap(scratch);
    }
}

bool packedBelow(const WordListPart::Indexed& item, std::uint64_t value) { return item.packed < value; }
bool packedAbove(std::uint64_t value, const WordListPart::Indexed& item) { return value < item.packed; }

}  // namespace

std::string_view WordListPart::rawKey(std::size_t entry) const {
    const Entry& e = entries_[entry];
    return std::string_view(*bytes_).substr(e.keyOffset, e.keySize);
}

std::string_view WordListPart::rawTranslation(std::size_t entry) const {
    const Entry& e = entries_[entry];
    if (e.translationSize == 0) return {};
    return std::string_view(*bytes_).substr(std::size_t{e.keyOffset} + e.keySize + 1, e.translationSize);
}

std::string WordListPart::toUtf8(std::string_view raw) const {
    return encoding_ == TextEncoding::Windows1250 ? decodeWindows1250(raw) : std::string(raw);
}

std::optional<std::string> WordListPart::toFileEncoding(std::string_view utf8) const {
    if (encoding_ == TextEncoding::Windows1250) return encodeWindows1250(utf8);
    return std::string(utf8);
}

std::string WordListPart::key(std::size_t entry) const { return toUtf8(rawKey(entry)); }
std::string WordListPart::translation(std::size_t entry) const { return toUtf8(rawTranslation(entry)); }

void WordListPart::buildIndex() {
    std::vector<Indexed> items;
    reserveLarge(items, entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].keySize == 0) continue;  // never matches anything
        items.push_back({packKey(rawKey(i)), static_cast<std::uint32_t>(i)});
    }
    radixSort(items);
    index_ = std::move(items);

    // Minimum entry of each block of the index, then of every run of 2^k blocks, with the
    // first entry left out: typing never finds it.
    const std::size_t blocks = (index_.size() + kBlock - 1) / kBlock;
    blockMinima_.clear();
    if (blocks == 0) return;
    std::vector<std::uint32_t> level(blocks, kNone);
    for (std::size_t i = 0; i < index_.size(); ++i) {
        const std::uint32_t e = index_[i].entry == 0 ? kNone : index_[i].entry;
        level[i / kBlock] = std::min(level[i / kBlock], e);
    }
    blockMinima_.push_back(std::move(level));
    for (std::size_t width = 2; width <= blocks; width *= 2) {
        const auto& previous = blockMinima_.back();
        std::vector<std::uint32_t> next(blocks - width + 1);
        for (std::size_t b = 0; b < next.size(); ++b) next[b] = std::min(previous[b], previous[b + width / 2]);
        blockMinima_.push_back(std::move(next));
    }
}

std::uint32_t WordListPart::firstEntryIn(std::size_t from, std::size_t to) const {
    std::uint32_t best = kNone;
    const auto scan = [&](std::size_t a, std::size_t b) {
        for (std::size_t i = a; i < b; ++i)
            if (index_[i].entry != 0) best = std::min(best, index_[i].entry);
    };
    const std::size_t firstBlock = (from + kBlock - 1) / kBlock;
    const std::size_t endBlock = to / kBlock;
    if (firstBlock >= endBlock) {
        scan(from, to);
        return best;
    }
    scan(from, firstBlock * kBlock);
    scan(endBlock * kBlock, to);
    const std::size_t count = endBlock - firstBlock;
    const int level = std::bit_width(count) - 1;
    const auto& minima = blockMinima_[static_cast<std::size_t>(level)];
    best = std::min({best, minima[firstBlock], minima[endBlock - (std::size_t{1} << level)]});
    return best;
}

std::optional<std::size_t> WordListPart::scanPrefix(std::string_view raw) const {
    for (std::size_t i = 1; i < entries_.size(); ++i)
        if (rawKey(i).starts_with(raw)) return i;
    return std::nullopt;
}

std::optional<std::size_t> WordListPart::findPrefix(std::string_view prefix) const {
    const auto raw = toFileEncoding(prefix);
    if (!raw || raw->empty()) return std::nullopt;
    // Padding is zero bytes, so a prefix holding one cannot use the index's ranges.
    if (raw->find('\0') != std::string::npos) return scanPrefix(*raw);
    const std::string_view head = std::string_view(*raw).substr(0, kPrefixBytes);
    const auto lo = std::lower_bound(index_.begin(), index_.end(), pack(head, 0x00, 0x00), packedBelow);
    const auto hi = std::upper_bound(lo, index_.end(), pack(head, 0xFF, 0xFF), packedAbove);
    const auto from = static_cast<std::size_t>(lo - index_.begin());
    const auto to = static_cast<std::size_t>(hi - index_.begin());
    if (raw->size() <= kPrefixBytes) {
        const std::uint32_t first = firstEntryIn(from, to);
        if (first == kNone) return std::nullopt;
        return first;
    }
    // Longer in bytes than the index holds (UTF-8 letters): the keys sharing the first
    // seven bytes are few, so look through them.
    std::uint32_t best = kNone;
    for (std::size_t i = from; i < to; ++i) {
        const std::uint32_t e = index_[i].entry;
        if (e != 0 && e < best && rawKey(e).starts_with(*raw)) best = e;
    }
    if (best == kNone) return std::nullopt;
    return best;
}

std::optional<std::size_t> WordListPart::findExact(std::string_view text) const {
    const auto raw = toFileEncoding(text);
    if (!raw || raw->empty()) return std::nullopt;
    const std::uint64_t packed = packKey(*raw);
    // Equal packed keys stand in file order, so the first equal key is the first entry.
    for (auto it = std::lower_bound(index_.begin(), index_.end(), packed, packedBelow);
         it != index_.end() && it->packed == packed; ++it) {
        if (rawKey(it->entry) == *raw) return it->entry;
    }
    return std::nullopt;
}

WordList& WordList::operator=(WordList&& other) noexcept {
    if (this == &other) return *this;
    bytes_ = std::move(other.bytes_);
    encoding_ = other.encoding_;
    hasMarker_ = other.hasMarker_;
    parts_[0] = std::move(other.parts_[0]);
    parts_[1] = std::move(other.parts_[1]);
    adopt();
    other.bytes_.clear();
    other.parts_[0] = WordListPart{};
    other.parts_[1] = WordListPart{};
    other.adopt();
    return *this;
}

void WordList::adopt() {
    for (WordListPart& part : parts_) {
        part.bytes_ = &bytes_;
        part.encoding_ = encoding_;
    }
}

WordList WordList::parse(std::string bytes) {
    WordList list;
    if (bytes.size() > kMaxBytes) bytes.resize(kMaxBytes);
    list.bytes_ = std::move(bytes);
    list.encoding_ = detectEncoding(list.bytes_);
    list.adopt();
    std::string_view text = list.bytes_;
    if (list.encoding_ == TextEncoding::Utf8WithBom) {
        text.remove_prefix(kUtf8Bom.size());
        // A BOM before bytes that are not UTF-8 promised too much: such bytes are read as
        // Windows-1250, so every text shown is sound UTF-8.
        if (!isValidUtf8(text)) list.encoding_ = TextEncoding::Windows1250;
        list.adopt();
    }

    std::string marker(kWordListMarker);
    if (list.encoding_ == TextEncoding::Windows1250) marker = encodeWindows1250(kWordListMarker).value_or(marker);

    std::vector<WordListPart::Entry>* entries = &list.parts_[0].entries_;
    // Generous room: pages never touched cost nothing, a regrown array costs a copy.
    reserveLarge(*entries, text.size() / 12 + 16);
    bool previousAdded = false;  // whether the line before this one became an entry
    forEachLine(text, [&](std::string_view line, std::size_t) {
        if (!list.hasMarker_ && line == marker) {
            // The line just before the marker is not an entry.
            if (previousAdded) entries->pop_back();
            list.hasMarker_ = true;
            entries = &list.parts_[1].entries_;
            reserveLarge(*entries, static_cast<std::size_t>(text.end() - line.end()) / 12 + 16);
            previousAdded = false;
            return;
        }
        previousAdded = !line.empty();
        if (line.empty()) return;
        const std::size_t offset = static_cast<std::size_t>(line.data() - list.bytes_.data());
        const std::size_t split = line.find(';');
        WordListPart::Entry entry{static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(line.size()), 0};
        if (split != std::string_view::npos) {
            entry.keySize = static_cast<std::uint32_t>(split);
            const std::string_view rest = line.substr(split + 1);
            entry.translationSize = static_cast<std::uint32_t>(std::min(rest.find(';'), rest.size()));
        }
        entries->push_back(entry);
    });
    for (WordListPart& part : list.parts_) part.buildIndex();
    return list;
}

WordList WordList::load(const std::filesystem::path& file, WordListStatus& status) {
    const MappedFile mapped = MappedFile::open(file, kMaxBytes);
    if (mapped.status() != ReadStatus::Ok) {
        status = WordListStatus::CannotRead;
        return {};
    }
    status = WordListStatus::Loaded;
    // One copy out of the mapping into a buffer that is never zero-filled first: the list
    // must not depend on a file someone may rewrite while the window is open.
    std::string bytes;
    bytes.reserve(mapped.bytes().size());
    adviseHugePages(bytes.data(), mapped.bytes().size());
    bytes.assign(mapped.bytes());
    return parse(std::move(bytes));
}

}  // namespace lexo

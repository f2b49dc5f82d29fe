#include "dictionary/dictionary_file.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <functional>
#include <mutex>
#include <sys/mman.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

#include "platform/atomic_file.h"

namespace lexo {

namespace {

// Room for the shared "[]" and "NENÍ" of short lines.
constexpr std::size_t kDefaultsBytes = kNoPronunciation.size() + kNoSound.size();

static_assert(std::endian::native == std::endian::little, "the byte masks below read words little-endian");

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;

// 0x80 in each byte of `word` that is zero, nothing elsewhere.
constexpr std::uint64_t zeroBytes(std::uint64_t word) {
    return ~(((word & kLowBits) + kLowBits) | word | kLowBits);
}
constexpr std::uint64_t bytesEqual(std::uint64_t word, unsigned char byte) { return zeroBytes(word ^ (kOnes * byte)); }
constexpr std::uint64_t lineEnds(std::uint64_t word) { return bytesEqual(word, '\n') | bytesEqual(word, '\r'); }

std::uint64_t loadWord(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// What one look over the raw bytes tells before anything is allocated.
struct Survey {
    std::size_t bytes = 0;     // up to the first NUL, where reading stops
    std::size_t lineEnds = 0;  // CR and LF: at most this many lines, plus one
    std::size_t decodedBound = 0;  // UTF-8 size of the bytes read as Windows-1250, at most
};

Survey surveyPart(std::string_view all) {
    Survey result;
    const char* p = all.data();
    const char* const end = p + all.size();
    std::size_t lines = 0, high = 0, wide = 0;  // line ends, bytes from 0x80, of those below 0xA0
    auto finish = [&](const char* stop) {
        result.bytes = static_cast<std::size_t>(stop - all.data());
        result.lineEnds = lines;
        // Every byte from 0x80 doubles in UTF-8; some of 0x80…0x9F (€, „, – …) triple.
        result.decodedBound = result.bytes + high + wide;
        return result;
    };
    // Counted in eight byte-wide lanes, summed before a lane could overflow.
    auto sumLanes = [](std::uint64_t lanes) {
        constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FFull;
        const std::uint64_t pairs = (lanes & kEvenBytes) + ((lanes >> 8) & kEvenBytes);
        return static_cast<std::size_t>((pairs * 0x0001000100010001ull) >> 48);
    };
    // A CR LF pair is one line end: pairs are counted to be taken off again, the ones that
    // straddle two words included.
    std::size_t pairs = 0;
    std::uint64_t carriedReturn = 0;
    while (end - p >= 8) {
        std::uint64_t lineLanes = 0, pairLanes = 0, highLanes = 0, wideLanes = 0;
        const char* const stretch = p + 8 * std::min<std::size_t>(255, static_cast<std::size_t>(end - p) / 8);
        for (; p < stretch; p += 8) {
            const std::uint64_t word = loadWord(p);
            if (const std::uint64_t nul = zeroBytes(word); nul != 0) {
                lines += sumLanes(lineLanes);
                pairs += sumLanes(pairLanes);
                high += sumLanes(highLanes);
                wide += sumLanes(wideLanes);
                const char* stop = p + (std::countr_zero(nul) >> 3);
                for (; p < stop; ++p) {
                    const auto c = static_cast<unsigned char>(*p);
                    lines += c == '\n' || c == '\r';
                    high += c >= 0x80;
                    wide += c >= 0x80 && c < 0xA0;
                }
                lines -= pairs;
                return finish(stop);
            }
            const std::uint64_t feeds = bytesEqual(word, '\n');
            const std::uint64_t returns = bytesEqual(word, '\r');
            lineLanes += (feeds | returns) >> 7;
            pairLanes += (returns & (feeds >> 8)) >> 7;
            pairs += static_cast<std::size_t>(carriedReturn & (feeds & 0x80) >> 7);
            carriedReturn = returns >> 63;
            const std::uint64_t highBytes = word & kHighBits;
            highLanes += highBytes >> 7;
            wideLanes += (highBytes & ~(word << 1) & ~(word << 2)) >> 7;
        }
        lines += sumLanes(lineLanes);
        pairs += sumLanes(pairLanes);
        high += sumLanes(highLanes);
        wide += sumLanes(wideLanes);
    }
    lines -= pairs;
    for (; p < end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == 0) break;
        lines += c == '\n' || c == '\r';
        high += c >= 0x80;
        wide += c >= 0x80 && c < 0xA0;
    }
    return finish(p);
}

// A large file is surveyed in two halves at once: the second core is idle before parsing.
Survey survey(std::string_view all) {
    constexpr std::size_t kHalvesFrom = std::size_t{4} << 20;
    if (all.size() < kHalvesFrom || std::thread::hardware_concurrency() < 2) return surveyPart(all);
    const std::size_t half = all.size() / 2;
    Survey second;
    std::thread other;
    try {
        other = std::thread([&second, rest = all.substr(half)] { second = surveyPart(rest); });
    } catch (const std::system_error&) {
        return surveyPart(all);
    }
    const Survey first = surveyPart(all.substr(0, half));
    other.join();
    if (first.bytes < half) return first;  // stopped at a NUL
    Survey whole;
    whole.bytes = half + second.bytes;
    // A CR LF cut by the halves was counted as two line ends.
    const bool cutPair = second.bytes > 0 && all[half - 1] == '\r' && all[half] == '\n';
    whole.lineEnds = first.lineEnds + second.lineEnds - (cutPair ? 1 : 0);
    whole.decodedBound = first.decodedBound + second.decodedBound;
    return whole;
}

// Fresh memory must be zeroed by the kernel before first use, which costs a third of a
// large load. Another core does that ahead of the parser, which then finds the pages ready.
class Prefaulter {
public:
    void add(void* data, std::size_t bytes) {
        if (bytes >= kWorthwhile) regions_.push_back({static_cast<char*>(data), bytes});
    }
    // `progress` runs from 0 to `total` as the parser goes; the pages are prepared only a
    // little ahead of it, so they do not pile up beside the still unread file.
    void start(const std::atomic<std::size_t>& progress, std::size_t total) {
        if (regions_.empty() || total == 0) return;
        thread_ = std::thread([regions = regions_, &progress, total] {
            // Interleaved, so each region is ready ahead of the parser filling them together.
            std::vector<std::size_t> done(regions.size(), 0);
            bool more = true;
            while (more) {
                more = false;
                const double allowed =
                    std::min(1.0, static_cast<double>(progress.load(std::memory_order_relaxed) + kLead) /
                                      static_cast<double>(total));
                bool waiting = false;
                for (std::size_t i = 0; i < regions.size(); ++i) {
                    const auto& [data, bytes] = regions[i];
                    if (done[i] >= bytes) continue;
                    more = true;
                    if (static_cast<double>(done[i]) > allowed * static_cast<double>(bytes)) {
                        waiting = true;
                        continue;
                    }
                    const std::size_t step = std::min(kStep, bytes - done[i]);
                    populate(data + done[i], step);
                    done[i] += step;
                }
                if (waiting) std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
    }
    ~Prefaulter() {
        if (thread_.joinable()) thread_.join();
    }

private:
    static constexpr std::size_t kWorthwhile = std::size_t{8} << 20;
    static constexpr std::size_t kStep = std::size_t{2} << 20;
    static constexpr std::size_t kLead = std::size_t{8} << 20;  // of the parser's input

    static void populate(char* data, std::size_t bytes) {
        const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const auto begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) & ~(page - 1);
        const auto end = reinterpret_cast<std::uintptr_t>(data + bytes) & ~(page - 1);
        // Only prepares pages; what the parser already wrote there stays.
        if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    }

    std::vector<std::pair<char*, std::size_t>> regions_;
    std::thread thread_;
};

}  // namespace

// Decodes the file and cuts it into rows in one pass: the decoded text becomes the table's
// buffer and each row four slots into it, so no field is ever copied on its own.
class DictionaryParser {
public:
    DictionaryParser(DictionaryLoad& load, std::string_view bytes, std::function<void(std::size_t)> consumed)
        : load_(load), table_(load.table), in_(bytes), consumed_(std::move(consumed)) {}

    void parse(const Survey& shape, bool decode, std::size_t spare) {
        table_.clear();
        // The defaults of a short line lead the buffer, shared by every row that needs them.
        const std::size_t textBound = kDefaultsBytes + (decode ? shape.decodedBound : in_.size()) + kSlack;
        table_.text_.reserve(textBound + spare);
        table_.text_.assign(kNoPronunciation).append(kNoSound);
        const std::size_t rowBound = shape.lineEnds + 1;
        table_.rows_.reserve(rowBound);
        adviseHugePages(table_.text_.data(), textBound);
        adviseHugePages(table_.rows_.data(), rowBound * sizeof(ExpressionTable::Row));
        {
            Prefaulter prefaulter;
            prefaulter.add(table_.text_.data(), textBound);
            prefaulter.add(table_.rows_.data(), rowBound * sizeof(ExpressionTable::Row));
            prefaulter.start(progress_, in_.size());
            if (decode)
                run<true>();
            else
                run<false>();
        }
        // Line ends and separators are dead bytes of the buffer.
        table_.garbage_ = 0;
        load_.status = table_.rows_.empty() ? LoadStatus::Empty : LoadStatus::Loaded;
        if (table_.rows_.empty()) table_.clear();
    }

private:
    using Slot = ExpressionTable::Slot;
    static constexpr std::size_t kChunk = std::size_t{1} << 20;
    // Room past the written text for a whole word stored at once.
    static constexpr std::size_t kSlack = 32;
    static constexpr Slot kNoPronunciationSlot{0, static_cast<std::uint32_t>(kNoPronunciation.size())};
    static constexpr Slot kNoSoundSlot{static_cast<std::uint32_t>(kNoPronunciation.size()),
                                       static_cast<std::uint32_t>(kNoSound.size())};

    template <bool kDecode>
    void run() {
        const auto& utf8 = windows1250ToUtf8();
        std::string& text = table_.text_;
        const char* in = in_.data();
        const char* const end = in + in_.size();
        std::size_t outPos = text.size();
        lineStart_ = fieldStart_ = static_cast<std::uint32_t>(outPos);
        std::size_t releasedUpTo = 0;
        while (in < end) {
            // The string grows a chunk at a time within its reserved room, so it never moves
            // and is never zero-filled far ahead of the parser.
            const char* const chunkEnd = in + std::min(kChunk, static_cast<std::size_t>(end - in));
            text.resize(outPos + (kDecode ? 3 : 1) * static_cast<std::size_t>(chunkEnd - in) + kSlack);
            char* out = text.data() + outPos;
            char* const base = text.data();
            while (in < chunkEnd) {
                // Ordinary text moves eight bytes at a time up to the next byte that matters.
                while (chunkEnd - in >= 8) {
                    const std::uint64_t word = loadWord(in);
                    std::uint64_t special = lineEnds(word) | bytesEqual(word, ';');
                    if constexpr (kDecode) special |= word & kHighBits;
                    std::memcpy(out, &word, sizeof word);
                    if (special == 0) {
                        in += 8;
                        out += 8;
                        continue;
                    }
                    const auto skip = static_cast<std::size_t>(std::countr_zero(special) >> 3);
                    in += skip;
                    out += skip;
                    break;
                }
                if (in >= chunkEnd) break;
                const auto c = static_cast<unsigned char>(*in++);
                if (c == ';') {
                    endField(static_cast<std::uint32_t>(out - base));
                } else if (c == '\n' || c == '\r') {
                    if (c == '\r' && in < end && *in == '\n') ++in;
                    endLine(static_cast<std::uint32_t>(out - base));
                } else if (kDecode && c >= 0x80) {
                    const Utf8Sequence& seq = utf8[c - 0x80];
                    std::memcpy(out, seq.bytes.data(), seq.bytes.size());
                    out += seq.size;
                } else {
                    *out++ = static_cast<char>(c);
                }
            }
            outPos = static_cast<std::size_t>(out - base);
            const auto done = static_cast<std::size_t>(in - in_.data());
            progress_.store(done, std::memory_order_relaxed);
            if (consumed_ && done - releasedUpTo >= 8 * kChunk) {
                consumed_(done);
                releasedUpTo = done;
            }
        }
        const auto finalEnd = static_cast<std::uint32_t>(outPos);
        // A last line without an end is a line too.
        if (finalEnd != lineStart_ || fields_ > 0) endLine(finalEnd);
        text.resize(outPos);
    }

    void endField(std::uint32_t at) {
        if (fields_ < 4) pieces_[fields_] = {fieldStart_, at - fieldStart_};
        ++fields_;
        fieldStart_ = at;
    }

    // Zero-length lines are skipped but counted, so reported line numbers match an editor's.
    void endLine(std::uint32_t at) {
        ++lineNumber_;
        if (at != lineStart_ || fields_ > 0) {
            endField(at);
            if (fields_ < 4) load_.shortLines.push_back(lineNumber_);
            if (fields_ > 4) load_.longLines.push_back(lineNumber_);
            // File order is Czech, foreign; the record keeps foreign first.
            table_.rows_.push_back({pieces_[1], pieces_[0], pieces_[2], pieces_[3]});
        }
        pieces_ = {Slot{}, Slot{}, kNoPronunciationSlot, kNoSoundSlot};
        fields_ = 0;
        lineStart_ = fieldStart_ = at;
    }

    DictionaryLoad& load_;
    ExpressionTable& table_;
    std::string_view in_;
    std::function<void(std::size_t)> consumed_;
    std::atomic<std::size_t> progress_{0};
    std::array<Slot, 4> pieces_{Slot{}, Slot{}, kNoPronunciationSlot, kNoSoundSlot};
    std::size_t fields_ = 0;
    std::size_t lineNumber_ = 0;
    std::uint32_t lineStart_ = 0;
    std::uint32_t fieldStart_ = 0;
};

namespace {

// `consumed` is told how much of `bytes` has been read, so a mapping can give it back early.
DictionaryLoad parseBytes(std::string_view bytes, const std::function<void(std::size_t)>& consumed = {}) {
    DictionaryLoad load;
    const Survey shape = survey(bytes);
    bytes = bytes.substr(0, shape.bytes);
    load.encoding = detectEncoding(bytes);
    if (load.encoding == TextEncoding::Utf8WithBom) bytes.remove_prefix(kUtf8Bom.size());
    const bool decode = load.encoding == TextEncoding::Windows1250;
    const std::size_t bound = decode ? shape.decodedBound : bytes.size();
    if (bound + kDefaultsBytes > ExpressionTable::kMaxTextBytes - 64) {
        load.status = LoadStatus::TooLarge;
        return load;
    }
    // Edits and the sound move append to the buffer: room for them spares the first edit a
    // copy of the whole text. Room never written costs no memory.
    const std::size_t spare = std::min(bytes.size() / 4, ExpressionTable::kMaxTextBytes - 64 - bound - kDefaultsBytes);
    DictionaryParser(load, bytes, consumed).parse(shape, decode, spare);
    return load;
}

}  // namespace

DictionaryLoad parseDictionary(std::string bytes) { return parseBytes(bytes); }

DictionaryLoad loadDictionary(const std::filesystem::path& path) {
    MappedFile file = MappedFile::open(path, kMaxDictionaryFileBytes);
    if (file.status() != ReadStatus::Ok) {
        DictionaryLoad load;
        load.status = file.status() == ReadStatus::TooLarge ? LoadStatus::TooLarge : LoadStatus::CannotOpen;
        load.error = file.error();
        return load;
    }
    return parseBytes(file.bytes(), [&file](std::size_t done) { file.dropPagesBefore(done); });
}

namespace {

bool hasNonAscii(std::string_view bytes) {
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & kHighBits) return true;
    }
    for (; i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) return true;
    return false;
}

enum class Encoded { Done, Unencodable, Refused };

// Appends the lines of rows [first, last) at `used` in `out`, which grows as needed.
Encoded encodeRows(const ExpressionTable& table, bool windows1250, std::size_t first, std::size_t last,
                   std::string& out, std::size_t& used) {
    for (std::size_t row = first; row < last; ++row) {
        const std::string_view fields[4] = {table.czech(row), table.foreign(row), table.pronunciation(row),
                                            table.sound(row)};
        // A Windows-1250 line is never longer than its UTF-8 form.
        const std::size_t bound = fields[0].size() + fields[1].size() + fields[2].size() + fields[3].size() + 5;
        if (used + bound > out.size()) out.resize(std::max(out.size() * 2, used + bound));
        char* p = out.data() + used;
        for (int f = 0; f < 4; ++f) {
            if (windows1250) {
                p = writeWindows1250(p, fields[f]);
                if (p == nullptr) return Encoded::Unencodable;
            } else {
                std::memcpy(p, fields[f].data(), fields[f].size());
                p += fields[f].size();
            }
            *p++ = f < 3 ? ';' : '\r';
        }
        *p++ = '\n';
        used = static_cast<std::size_t>(p - out.data());
    }
    return Encoded::Done;
}

// The lines of the table, encoded in pieces of kRowsPerPiece rows, each handed to `put`
// in order while it is still in the cache. A large table is shared by two threads, one
// taking the even pieces and one the odd, each putting its own piece when its turn comes,
// so that one encodes while the other writes. In Windows-1250 `readsAsUtf8` says at the end
// whether the bytes would be taken for UTF-8 by the next reading.
template <class Put>
Encoded encodeLines(const ExpressionTable& table, bool windows1250, std::string_view prefix, Put&& put,
                    bool& readsAsUtf8) {
    constexpr std::size_t kRowsPerPiece = 4096;
    const std::size_t pieces = (table.size() + kRowsPerPiece - 1) / kRowsPerPiece;
    if (!prefix.empty() && !put(prefix)) return Encoded::Refused;

    std::mutex mutex;
    std::condition_variable turnChanged;
    std::size_t turn = 0;  // the piece to be put next
    Encoded outcome = Encoded::Done;
    // Only the thread whose turn it is touches these.
    bool nonAscii = false;
    bool validUtf8 = true;
    bool startsWithBom = false;
    const auto work = [&](std::size_t first, std::size_t step) {
        std::string piece;
        for (std::size_t k = first; k < pieces; k += step) {
            std::size_t used = 0;
            Encoded result = encodeRows(table, windows1250, k * kRowsPerPiece,
                                        std::min(table.size(), (k + 1) * kRowsPerPiece), piece, used);
            {
                std::unique_lock lock(mutex);
                turnChanged.wait(lock, [&] { return turn == k || outcome != Encoded::Done; });
                if (outcome != Encoded::Done) return;
            }
            if (result == Encoded::Done) {
                const std::string_view bytes(piece.data(), used);
                // Pieces end at CR LF, so no character is split between two of them.
                if (windows1250 && validUtf8 && hasNonAscii(bytes)) {
                    nonAscii = true;
                    validUtf8 = isValidUtf8(bytes);
                }
                // "ď»ż" first would be taken for a byte order mark.
                if (windows1250 && k == 0 && bytes.starts_with(kUtf8Bom)) startsWithBom = true;
                if (!put(bytes)) result = Encoded::Refused;
            }
            {
                std::lock_guard lock(mutex);
                if (result != Encoded::Done) outcome = result;
                ++turn;
            }
            turnChanged.notify_all();
            if (result != Encoded::Done) return;
        }
    };

    bool shared = pieces >= 4 && std::thread::hardware_concurrency() >= 2;
    std::thread helper;
    if (shared) {
        try {
            helper = std::thread(work, 1, 2);
        } catch (const std::system_error&) {
            shared = false;
        }
    }
    work(0, shared ? 2 : 1);
    if (helper.joinable()) helper.join();
    readsAsUtf8 = windows1250 && ((nonAscii && validUtf8) || startsWithBom);
    return outcome;
}

// Encodes the table in the wanted encoding, or in UTF-8 when Windows-1250 cannot hold a
// character or its bytes would read back as UTF-8; `encoding` then says which. `restart`
// forgets what was put before the table is put again in UTF-8.
template <class Put, class Restart>
bool encodeDictionary(const ExpressionTable& table, TextEncoding& encoding, Put&& put, Restart&& restart) {
    bool readsAsUtf8 = false;
    if (encoding == TextEncoding::Windows1250) {
        switch (encodeLines(table, true, {}, put, readsAsUtf8)) {
        case Encoded::Refused: return false;
        case Encoded::Done:
            if (!readsAsUtf8) return true;
            encoding = TextEncoding::Utf8WithBom;
            break;
        case Encoded::Unencodable:
            // Rather write UTF-8 than lose a character Windows-1250 has no byte for.
            encoding = TextEncoding::Utf8;
            break;
        }
        if (!restart()) return false;
    }
    // Text that itself starts with U+FEFF would lose it to the next reading as a BOM.
    if (encoding == TextEncoding::Utf8 && !table.empty() && table.czech(0).starts_with(kUtf8Bom))
        encoding = TextEncoding::Utf8WithBom;
    return encodeLines(table, false, encoding == TextEncoding::Utf8WithBom ? kUtf8Bom : "", put, readsAsUtf8) ==
           Encoded::Done;
}

}  // namespace

std::string buildLine(const ExpressionTable& table, std::size_t row) {
    std::string line;
    line.append(table.czech(row)).append(";").append(table.foreign(row)).append(";");
    line.append(table.pronunciation(row)).append(";").append(table.sound(row));
    return line;
}

std::string buildDictionaryText(const ExpressionTable& table, TextEncoding& encoding) {
    std::string text;
    std::size_t size = table.size() * 5;  // three separators and CR LF a row
    for (std::size_t row = 0; row < table.size(); ++row)
        for (int f = 0; f < 4; ++f) size += table.field(row, static_cast<Field>(f)).size();
    text.reserve(size);
    adviseHugePages(text.data(), size);
    encodeDictionary(
        table, encoding,
        [&text](std::string_view piece) {
            text.append(piece);
            return true;
        },
        [&text] {
            text.clear();
            return true;
        });
    return text;
}

SaveResult saveDictionary(const ExpressionTable& table, const std::filesystem::path& path,
                          TextEncoding encoding) {
    SaveResult result;
    result.encoding = encoding;
    AtomicFileWriter writer(path);
    encodeDictionary(
        table, result.encoding, [&writer](std::string_view piece) { return writer.write(piece); },
        [&writer] { return writer.restart(); });
    const FileResult written = writer.commit();
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

std::size_t alternativeCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '+')) + 1;
}

std::string storableField(std::string text) {
    std::replace(text.begin(), text.end(), ';', '+');
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::erase(text, '\0');
    return text;
}

}  // namespace lexo

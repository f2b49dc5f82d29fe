#include "tools/merger_session.h"

#include <algorithm>
#include <string>

#include "dictionary/dictionary_file.h"

namespace lexo {
namespace fs = std::filesystem;

void appendExpressions(ExpressionTable& to, const ExpressionTable& from) {
    if (to.empty()) {
        to = from;
        return;
    }
    // The whole table comes over in one copy of its text, so each buffer grows once.
    to.append(from);
}

bool MergerSession::load(const fs::path& file) {
    DictionaryLoad loaded = loadDictionary(file);
    switch (loaded.status) {
    case LoadStatus::CannotOpen:
        prompter_.error("Slovník " + file.string() + " nelze otevřít: " + loaded.error);
        return false;
    case LoadStatus::TooLarge:
        prompter_.error(kTooLargeDictionaryMessage);
        return false;
    case LoadStatus::Empty:
        prompter_.information(kEmptyDictionaryMessage);
        return false;
    case LoadStatus::Loaded:
        break;
    }
    reset(MergerList::Source, std::move(loaded.table));
    return true;
}

void MergerSession::move(std::size_t sourceRow) {
    if (sourceRow >= source_.size()) return;
    const std::size_t row = result_.size();
    Observer* view = observer(MergerList::Result);
    if (view) view->beginAppend(row, row);
    result_.append(source_.foreign(sourceRow), source_.czech(sourceRow), source_.pronunciation(sourceRow),
                   source_.sound(sourceRow));
    everFilled_ = true;
    if (view) view->endAppend();
}

void MergerSession::moveAll() {
    if (source_.empty()) return;
    const std::size_t first = result_.size();
    Observer* view = observer(MergerList::Result);
    if (view) view->beginAppend(first, first + source_.size() - 1);
    // Room for twice as much again each time the list outgrows its buffers: the next
    // "Převeď vše" of a dictionary about as large only adds to them, without moving what is
    // already there. Room not written to costs no memory.
    const std::size_t rows = result_.size() + source_.size();
    const std::size_t bytes = result_.textBytes() + source_.textBytes();
    if (result_.empty() || rows > resultRoom_.rows || bytes > resultRoom_.bytes) {
        resultRoom_.rows = 3 * rows;
        resultRoom_.bytes = std::min(3 * bytes, ExpressionTable::kMaxTextBytes);
        result_.reserve(resultRoom_.rows, resultRoom_.bytes);
    }
    result_.append(source_);
    everFilled_ = true;
    if (view) view->endAppend();
}

void MergerSession::remove(MergerList list, std::size_t row) {
    ExpressionTable& table = list == MergerList::Source ? source_ : result_;
    if (row >= table.size()) return;
    Observer* view = observer(list);
    if (view) view->beginRemove(row);
    table.remove(row);
    if (view) view->endRemove();
}

void MergerSession::removeAll() {
    if (result_.empty()) return;
    reset(MergerList::Result, {});
}

bool MergerSession::save() {
    if (result_.empty()) {
        prompter_.information(everFilled_ ? kMergerEmptiedMessage : kMergerNeverFilledMessage);
        return false;
    }
    if (!savePathChooser_) return false;
    const auto file = savePathChooser_();
    if (!file) return false;
    return saveTo(*file);
}

bool MergerSession::saveTo(const fs::path& file) {
    if (result_.empty()) {
        prompter_.information(everFilled_ ? kMergerEmptiedMessage : kMergerNeverFilledMessage);
        return false;
    }
    const SaveResult saved = saveDictionary(result_, file);
    if (!saved.ok) {
        prompter_.error("Slovník se nepodařilo uložit do souboru " + file.string() + ": " + saved.error);
        return false;
    }
    return true;
}

void MergerSession::close() {
    reset(MergerList::Source, {});
    reset(MergerList::Result, {});
}

void MergerSession::reset(MergerList list, ExpressionTable table) {
    Observer* view = observer(list);
    if (view) view->beginReset();
    (list == MergerList::Source ? source_ : result_) = std::move(table);
    if (view) view->endReset();
}

}  // namespace lexo

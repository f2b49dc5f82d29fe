#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "dictionary/expression_table.h"
#include "platform/ports.h"

namespace lexo {

inline constexpr std::string_view kMergerNeverFilledMessage = "Nelze uložit prázdný slovník.";
inline constexpr std::string_view kMergerEmptiedMessage = "Nelze uložit prázdný slovník!";

// Appends every expression of `from`, in order.
void appendExpressions(ExpressionTable& to, const ExpressionTable& from);

enum class MergerList { Source, Result };

// "Slučovač slovníků": the source list holds the dictionary loaded last, the result list
// what has been moved so far, across any number of loads. Duplicates are kept on purpose.
class MergerSession {
public:
    // Told before and after every change of one list, so a view over it stays in step.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void beginReset() = 0;
        virtual void endReset() = 0;
        virtual void beginAppend(std::size_t first, std::size_t last) = 0;
        virtual void endAppend() = 0;
        virtual void beginRemove(std::size_t row) = 0;
        virtual void endRemove() = 0;
    };

    // The save dialog; nullopt on Cancel.
    using SavePathChooser = std::function<std::optional<std::filesystem::path>()>;

    explicit MergerSession(Prompter& prompter) : prompter_(prompter) {}

    void setObserver(MergerList list, Observer* observer) { observers_[index(list)] = observer; }
    void setSavePathChooser(SavePathChooser chooser) { savePathChooser_ = std::move(chooser); }

    const ExpressionTable& table(MergerList list) const { return list == MergerList::Source ? source_ : result_; }

    // Replaces the source list; false (with the reason shown) when nothing was loaded.
    bool load(const std::filesystem::path& file);
    // "Převeď", "Převeď vše"; each does nothing while the source list is empty.
    void move(std::size_t sourceRow);
    void moveAll();
    // Both "Uber" buttons; a row past the end does nothing.
    void remove(MergerList list, std::size_t row);
    // "Uber vše".
    void removeAll();
    // "Ulož": asks for the file and writes the result list; true when a file was written.
    bool save();
    bool saveTo(const std::filesystem::path& file);
    // Closing the window empties both lists.
    void close();

private:
    void reset(MergerList list, ExpressionTable table);
    static std::size_t index(MergerList list) { return list == MergerList::Source ? 0 : 1; }
    Observer* observer(MergerList list) const { return observers_[index(list)]; }

    Prompter& prompter_;
    Observer* observers_[2] = {nullptr, nullptr};
    SavePathChooser savePathChooser_;
    ExpressionTable source_;
    ExpressionTable result_;
    // What the result list's buffers were last made ready for (rows, bytes of text).
    struct Room {
        std::size_t rows = 0;
        std::size_t bytes = 0;
    } resultRoom_;
    // Once something has been moved, an empty result list was emptied by the user.
    bool everFilled_ = false;
};

}  // namespace lexo

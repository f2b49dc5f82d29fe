#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "dictionary/expression_table.h"
#include "platform/ports.h"

namespace lexo {

class EditorSession;
class RecordingSession;

inline constexpr int kRecordingTickMilliseconds = 200;

// The edit dialog's work on one expression of the editor: its four texts, writing them
// back, playing the sound and recording a new one. The dialog window shows `fields()`
// and moves the focus where the results say.
class ExpressionEditSession {
public:
    enum class Focus { Foreign, Czech, Pronunciation, Sound, Confirm, Stop };

    ExpressionEditSession(EditorSession& editor, RecordingSession& recording, SoundPlayer& player,
                          Prompter& prompter, Timers& timers);
    ~ExpressionEditSession();
    ExpressionEditSession(const ExpressionEditSession&) = delete;
    ExpressionEditSession& operator=(const ExpressionEditSession&) = delete;

    // Takes table row `row` of the editor; false when there is no such row. The focus
    // goes to the field of the list column the user clicked last.
    bool open(std::size_t row, Field lastClickedColumn);
    bool isOpen() const { return open_; }
    Focus focusOnOpen() const { return focusOnOpen_; }

    const Expression& fields() const { return fields_; }
    void setField(Field field, std::string_view text);

    // "Upravit": refuses more than four alternatives in either text (focus to the Czech
    // field), otherwise writes the four texts into the editor's row and closes.
    enum class ConfirmResult { Written, Refused, RowGone };
    ConfirmResult confirm();
    // "Zrušit": the editor keeps its data.
    void cancel();

    // "Přehrát": false when the sound field names no file that can be found.
    bool play();

    // "Start", "Stop", "Znova". False when nothing changed.
    bool startRecording();
    bool stopRecording();
    bool restartRecording();
    bool recording() const;
    // 0…100, advancing by 5 every tick while recording and wrapping to 0 at 100.
    int progress() const { return progress_; }
    // Where the focus goes after a successful Start, Znova or Stop.
    static constexpr Focus kFocusAfterStart = Focus::Stop;
    static constexpr Focus kFocusAfterStop = Focus::Confirm;

    // Called when the engine itself changed the fields or the progress.
    std::function<void()> onChanged;

private:
    void tick();
    void close();
    void changed();

    EditorSession& editor_;
    RecordingSession& recording_;
    SoundPlayer& player_;
    Prompter& prompter_;
    std::unique_ptr<Timer> timer_;

    Expression fields_{"", "", "", ""};
    bool open_ = false;
    Focus focusOnOpen_ = Focus::Foreign;
    int progress_ = 0;
    // Only a recording this dialog started ends with it.
    bool recordingStartedHere_ = false;
    // The file this dialog recorded into since it opened; "Znova" may replace only that.
    std::filesystem::path recordedHere_;
};

}  // namespace lexo

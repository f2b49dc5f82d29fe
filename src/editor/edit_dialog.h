#pragma once

#include <cstddef>
#include <functional>
#include <memory>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "dictionary/expression_table.h"
#include "editor/editor_edit_session.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace lexo {

struct GeneralSettings;
class EditorSession;
class EntryLineEdit;
class RecordingSession;

// "Upravit výraz": changes the four texts of one expression of the editor, picks, plays
// or records its sound. Not modal: the editor stays usable while it is open.
class EditDialog : public QDialog {
    Q_OBJECT
public:
    // The open dialog for a sound file; an empty text on Cancel.
    using SoundFileChooser = std::function<QString()>;

    EditDialog(EditorSession& editor, RecordingSession& recording, SoundPlayer& player, Prompter& prompter,
               Timers& timers, const GeneralSettings& general, QWidget* parent = nullptr);
    ~EditDialog() override;

    // Shows the dialog for table row `row`, the focus in the field of `lastClickedColumn`.
    bool openFor(std::size_t row, Field lastClickedColumn);
    ExpressionEditSession& session() { return session_; }

    void setSoundFileChooser(SoundFileChooser chooser);
    void applyExpressionFont(const QFont& font);

    // "Upravit", "Zrušit", "Otevřít", "Přehrát", "Start", "Stop", "Znova".
    void confirm();
    void cancel();
    void openSoundFile();
    void play();
    void startRecording();
    void stopRecording();
    void restartRecording();

signals:
    // The dialog went back to the editor, whose foreign edit takes the focus.
    void returnedToEditor();

protected:
    // Escape and the title bar's close button are "Zrušit".
    void reject() override;

private:
    void showFields();
    void takeField(Field field, const QString& text);
    void moveFocus(ExpressionEditSession::Focus focus);
    void leave();
    QString chooseWithDialog();

    ExpressionEditSession session_;
    const GeneralSettings& general_;
    SoundFileChooser soundFileChooser_;
    QStringList soundHistory_;
    bool showing_ = false;

    EntryLineEdit* foreignEdit_ = nullptr;
    EntryLineEdit* czechEdit_ = nullptr;
    EntryLineEdit* pronunciationEdit_ = nullptr;
    EntryLineEdit* soundEdit_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* againButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace lexo

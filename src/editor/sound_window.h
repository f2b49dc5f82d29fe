#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "editor/sound_recording.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace lexo {

// The open dialog for sound files ("Zvukový soubor", *.wav) that the sound window and the
// edit-expression dialog share. Its file-name field is a combo box offering the files
// chosen before in this run.
class SoundFileChooser {
public:
    // Shows a dialog and returns the chosen path, empty on Cancel. Tests put a script here.
    using Dialog = std::function<QString(QWidget* parent, const QStringList& history)>;

    SoundFileChooser();
    void setDialog(Dialog dialog);
    // The chosen path as chosen, or empty on Cancel; a chosen path joins the history.
    QString choose(QWidget* parent);
    // Newest first, each path once.
    const QStringList& history() const { return history_; }

    static QString runFileDialog(QWidget* parent, const QStringList& history);

private:
    Dialog dialog_;
    QStringList history_;
};

// "Práce se zvukem": records the pronunciation of the expression being entered in the
// editor, or picks a wave file for it. Shown over the editor, which waits until it closes.
class SoundWindow : public QDialog {
    Q_OBJECT
public:
    // Receives the sound reference: a full path, or "NENÍ" when none was recorded or picked.
    using SoundHandler = std::function<void(const std::string& soundPath)>;

    SoundWindow(RecordingSession& recording, SoundPlayer& player, Prompter& prompter, Timers& timers,
                QWidget* parent = nullptr);

    // Shows the window ready to record for this foreign text, focus on "Start".
    void openFor(const QString& foreignText);

    // Called by "Stop" and "Otevřít" with the new sound, for the editor's sound field.
    void setSoundChosenHandler(SoundHandler handler) { soundChosen_ = std::move(handler); }
    // Called by "OK" after the window has closed, with the sound to add the expression with.
    void setAcceptHandler(SoundHandler handler) { accepted_ = std::move(handler); }

    SoundFileChooser& fileChooser() { return chooser_; }
    SoundWindowSession& session() { return session_; }

    // Esc and the close button act as "Zpět".
    void reject() override;

private:
    void startClicked();
    void stopClicked();
    void againClicked();
    void openClicked();
    void okClicked();
    void refresh();
    void applyFocus();

    SoundWindowSession session_;
    SoundFileChooser chooser_;
    SoundHandler soundChosen_;
    SoundHandler accepted_;

    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* lengthCaption_ = nullptr;
    QLabel* length_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* again_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* back_ = nullptr;
};

}  // namespace lexo

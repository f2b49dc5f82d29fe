#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "editor/editor_session.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;

namespace lexo {

struct AppContext;
class EditDialog;
class EditorModel;
class EntryLineEdit;
class RecentFilesMenu;
class RecordingSession;
class Timers;

// "Editor výrazů": where dictionaries are typed in, searched, changed and saved. The
// window turns keys and clicks into calls of its EditorSession and shows the result.
// Built once and then shown and hidden; closing it starts the next visit empty.
class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    // The save dialog preset to a file name; an empty text on Cancel.
    using SavePathChooser = std::function<QString(const QString& suggestedName)>;
    // The search's input box; nullopt on Cancel.
    using TextAsker = std::function<std::optional<QString>(const QString& title, const QString& prompt)>;

    EditorWindow(AppContext& context, RecordingSession& recording, Timers& timers, QWidget* parent = nullptr);
    ~EditorWindow() override;

    EditorSession& session() { return session_; }
    RecentFilesMenu& recentFiles() { return *recentFiles_; }
    EditDialog& editDialog() { return *editDialog_; }

    // Replace the standard dialogs (tests, scripted use).
    void setSavePathChooser(SavePathChooser chooser);
    void setTextAsker(TextAsker asker);

    // The sound window. The opener runs when "btpridejzvuk" may open it and gets the
    // foreign text the recording is named after. The window's result goes into the sound
    // edit with setSoundPath; its "OK" is addWithSound.
    void setSoundWindowOpener(std::function<void(const std::string& foreignText)> opener);
    // The info button beside the pronunciation shows or hides the legend of its symbols.
    void setLegendToggler(std::function<void()> toggler);
    void setSoundPath(const std::string& path);
    void addWithSound(const std::string& path);
    std::string foreignText() const;

    // "Převést" and "Sloučit" stay disabled until their windows are plugged in.
    void setConvertHandler(std::function<void()> handler);
    void setMergeHandler(std::function<void()> handler);

    // For the program's exit: false when the user wants to stay with unsaved changes.
    bool confirmLeave();

    // The commands of the tool bar and the menus.
    void newDictionary();
    bool openDictionary();
    bool save();
    bool saveAs();
    void addExpression();
    void deleteExpression();
    void changeExpression();
    void find(Field column);

    void applyExpressionFont(const QFont& font);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildEntryArea(QWidget* central);
    void buildList(QWidget* central);
    void buildMenusAndToolBar();
    void buildStatusBar();
    void connectEntryEdits();

    bool entryKey(EntryField field, EntryLineEdit* edit, QKeyEvent* event);
    void entryLeft(EntryField field, EntryLineEdit* edit, QFocusEvent* event);
    void pronunciationBoxClicked(bool checked);
    void soundBoxClicked(bool checked);
    void enablePronunciation(bool checked);
    void enableSound(bool checked);
    void soundButtonClicked();
    void resetEntries();
    void refresh();
    void fitColumns();
    void reveal(int row, EditorSession::Observer::Reveal how);
    std::size_t currentRow() const;
    std::optional<std::filesystem::path> chooseSavePath(const std::string& suggestedName);
    QString saveWithDialog(const QString& suggestedName);

    AppContext& context_;
    Prompter& prompter_;
    EditorSession session_;
    EditorModel* model_ = nullptr;
    EditDialog* editDialog_ = nullptr;
    RecentFilesMenu* recentFiles_ = nullptr;

    SavePathChooser savePathChooser_;
    TextAsker textAsker_;
    std::function<void(const std::string&)> soundWindowOpener_;
    std::function<void()> legendToggler_;
    std::function<void()> convertHandler_;
    std::function<void()> mergeHandler_;
    QStringList saveHistory_;
    Field lastClickedColumn_ = Field::Foreign;
    bool checkingAlternatives_ = false;

    EntryLineEdit* foreignEdit_ = nullptr;
    EntryLineEdit* czechEdit_ = nullptr;
    EntryLineEdit* pronunciationEdit_ = nullptr;
    EntryLineEdit* soundEdit_ = nullptr;
    QCheckBox* pronunciationBox_ = nullptr;
    QCheckBox* soundBox_ = nullptr;
    QPushButton* soundButton_ = nullptr;
    QTableView* list_ = nullptr;
    QLabel* countPanel_ = nullptr;
    QLabel* hintPanel_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* convertAction_ = nullptr;
    QAction* mergeAction_ = nullptr;
};

}  // namespace lexo

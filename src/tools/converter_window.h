#pragma once

#include <functional>
#include <optional>

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "tools/converter_session.h"

class QPlainTextEdit;

namespace lexo {

class AppSignals;

// "Převaděč slovníků": a Czech and a foreign word list, line by line, into one dictionary.
// Opened from the editor, which it gives back on closing; the boxes keep their contents.
class ConverterWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class FileDialog { OpenCzech, OpenForeign, Save };
    // The open or save dialog; nullopt on Cancel.
    using PathChooser = std::function<std::optional<QString>(FileDialog)>;

    ConverterWindow(Prompter& prompter, AppSignals* appSignals, QWidget* parent = nullptr);
    ~ConverterWindow() override;

    ConverterSession& session() { return session_; }
    void setPathChooser(PathChooser chooser) { pathChooser_ = std::move(chooser); }
    void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

    void open();
    void applyExpressionFont(const QFont& font);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* makeBox(const char* name);
    std::optional<QString> choosePath(FileDialog which);
    void openList(FileDialog which);
    void showBox(ConverterSession::Box box);

    ConverterSession session_;
    PathChooser pathChooser_;
    std::function<void()> closeHandler_;
    QStringList history_;
    QPlainTextEdit* czechBox_ = nullptr;
    QPlainTextEdit* foreignBox_ = nullptr;
    QPlainTextEdit* resultBox_ = nullptr;
};

}  // namespace lexo

#pragma once

#include <QWidget>
#include <filesystem>

class QTextBrowser;

namespace lexo {

// Shows the program's Czech help, a page in the program folder.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(std::filesystem::path helpFile, QWidget* parent = nullptr);

    // Opens the page at an anchor; false (with the reason shown in the window) when the
    // help file is missing.
    bool showTopic(const QString& anchor);

private:
    std::filesystem::path helpFile_;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace lexo

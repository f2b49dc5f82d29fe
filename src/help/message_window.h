#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string_view>

class QPlainTextEdit;
class QProcess;
class QPushButton;

namespace lexo {

// "Zpráva autorovi programu:": the note is saved to WorkDir/Zprava.txt and handed to the
// user's mail program (xdg-email, found on PATH) as the attachment of a new mail.
class MessageWindow : public QWidget {
    Q_OBJECT
public:
    // The error box of a failed hand-over (caption, text).
    using ErrorBox = std::function<void(std::string_view caption, std::string_view text)>;

    MessageWindow(std::filesystem::path programFolder, std::string address, QWidget* parent = nullptr);
    ~MessageWindow() override;

    void setErrorBox(ErrorBox box) { errorBox_ = std::move(box); }
    // Runs whenever the window closes ("Odeslat", "Zpět" or the title bar).
    void setClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

    // "Odeslat". The mail program runs on after the window has closed; its failure is
    // reported when it ends.
    void send();
    QProcess* mailProcess() const { return mail_; }

signals:
    // The mail program has ended or could not start; ok when it took the mail.
    void mailFinished(bool ok);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void mailFailed();

    std::filesystem::path programFolder_;
    std::string address_;
    ErrorBox errorBox_;
    std::function<void()> closed_;
    QPlainTextEdit* note_ = nullptr;
    QProcess* mail_ = nullptr;
};

}  // namespace lexo

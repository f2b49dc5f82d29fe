#include "exam/exam_window_support.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "common/program_context.h"
#include "platform/ports.h"

namespace lexo {
namespace {

class SilentSoundPlayer final : public SoundPlayer {
public:
    bool play(const std::string&) override { return false; }
    void stop() override {}
    bool check(const std::string&) override { return false; }
};

class SilentSpeaker final : public Speaker {
public:
    bool available() const override { return false; }
    int voiceCount() const override { return 0; }
    std::string voiceName(int) const override { return {}; }
    bool selectVoice(int) override { return false; }
    bool setSpeed(int) override { return false; }
    void say(std::string_view) override {}
};

}  // namespace

SoundPlayer& examSoundPlayer(AppContext& context) {
    static SilentSoundPlayer silent;
    return context.soundPlayer != nullptr ? *context.soundPlayer : silent;
}

Speaker& examSpeaker(AppContext& context) {
    static SilentSpeaker silent;
    return context.speaker != nullptr ? *context.speaker : silent;
}

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QPlainTextEdit* examMemo(const char* name, int lines, QWidget* parent) {
    auto* result = new QPlainTextEdit(parent);
    result->setObjectName(QString::fromLatin1(name));
    result->setReadOnly(true);
    result->setFocusPolicy(Qt::ClickFocus);
    result->setTabChangesFocus(true);
    result->setProperty("lines", lines);
    return result;
}

void fitMemoHeight(QPlainTextEdit* memo) {
    const int lines = memo->property("lines").toInt();
    const int frame = 2 * memo->frameWidth() + 2 * static_cast<int>(memo->document()->documentMargin());
    memo->setFixedHeight(lines * memo->fontMetrics().lineSpacing() + frame);
}

void setMemoText(QPlainTextEdit* memo, const std::string& text) {
    const QString shown = qs(text);
    if (memo->toPlainText() != shown) memo->setPlainText(shown);
}

}  // namespace lexo

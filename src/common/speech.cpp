#include "common/speech.h"

#include <charconv>

namespace lexo {

std::vector<std::string> voiceListEntries(const Speaker& speaker) {
    std::vector<std::string> entries{std::string(kNoVoiceEntry)};
    const int count = speaker.voiceCount();
    for (int n = 1; n <= count; ++n) entries.push_back(std::to_string(n) + " - " + speaker.voiceName(n));
    return entries;
}

int voiceOfEntry(std::string_view entry) {
    int voice = 0;
    const auto [end, ec] = std::from_chars(entry.data(), entry.data() + entry.size(), voice);
    if (ec != std::errc() || voice < 1 || std::string_view(end, entry.data() + entry.size() - end).substr(0, 3) != " - ")
        return 0;
    return voice;
}

bool applyVoiceAndSpeed(Speaker& speaker, int voice, int speed, Prompter& prompter) {
    if (voice < 1) return speaker.speechOn();
    if (!speaker.selectVoice(voice) || !speaker.setSpeed(speed)) {
        prompter.error(kSpeechFailedMessage);
        return false;
    }
    return true;
}

}  // namespace lexo

#pragma once

#include <string>
#include <string_view>

#include "common/program_context.h"
#include "platform/ports.h"

namespace lexo {

// Stand in when the program has no sound output or no speech engine at all.
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

inline SoundPlayer& soundPlayerOf(AppContext& context) {
    static SilentSoundPlayer silent;
    return context.soundPlayer != nullptr ? *context.soundPlayer : silent;
}

inline Speaker& speakerOf(AppContext& context) {
    static SilentSpeaker silent;
    return context.speaker != nullptr ? *context.speaker : silent;
}

}  // namespace lexo

#pragma once

#include <string>
#include <vector>

#include "platform/ports.h"

namespace lexo {

// A speech engine with scripted voices that records what it is asked to do.
class FakeSpeaker : public Speaker {
public:
    std::vector<std::string> voices{"Czech", "English (Great Britain)"};
    bool installed = true;
    bool refuseVoice = false;
    bool refuseSpeed = false;

    int selectedVoice = 0;
    int speed = 0;
    std::vector<std::string> spoken;

    bool available() const override { return installed; }
    int voiceCount() const override { return static_cast<int>(voices.size()); }
    std::string voiceName(int voice) const override { return voices.at(static_cast<std::size_t>(voice - 1)); }

protected:
    bool engineSelectVoice(int voice) override {
        if (refuseVoice || voice < 1 || voice > voiceCount()) return false;
        selectedVoice = voice;
        return true;
    }
    bool engineSetSpeed(int value) override {
        if (refuseSpeed) return false;
        speed = value;
        return true;
    }
    void engineSay(std::string_view text) override { spoken.emplace_back(text); }
};

}  // namespace lexo

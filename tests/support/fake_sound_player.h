#pragma once

#include <string>
#include <vector>

#include "platform/ports.h"

namespace lexo {

// Records every sound it is asked to play; `works` says whether sound can be heard.
class FakeSoundPlayer : public SoundPlayer {
public:
    bool works = true;
    std::vector<std::string> played;
    std::vector<std::string> checked;
    int stops = 0;

    bool play(const std::string& path) override {
        played.push_back(path);
        return works;
    }
    void stop() override { ++stops; }
    bool check(const std::string& path) override {
        checked.push_back(path);
        return works;
    }
};

}  // namespace lexo

#pragma once

#include <string>
#include <vector>

#include "common/general_settings.h"
#include "platform/ports.h"

namespace lexo {

inline constexpr std::string_view kNoVoiceEntry = "Zvolte jazyk...";
inline constexpr std::string_view kSpeechFailedMessage = "Chyba apilkace";
inline constexpr std::string_view kNoSpeechMessage =
    "Nebyla na aplikace SPEECH! Prosím podívejte se do nápovědy jak řešit tento problém!";

// "Zvolte jazyk..." then "n - name" for each voice n: entry n is voice n.
std::vector<std::string> voiceListEntries(const Speaker& speaker);

// The voice an entry of that list stands for; 0 for "Zvolte jazyk..." or anything else.
// The whole number counts, so voice 12 is not taken for voice 1.
int voiceOfEntry(std::string_view entry);

// Selects the chosen voice and speed. A refusal shows "Chyba apilkace" and leaves speech off
// (the program goes on: ending it would lose the run's work) until a voice is accepted.
// No voice chosen (0) changes nothing. Returns whether speech is on.
bool applyVoiceAndSpeed(Speaker& speaker, int voice, int speed, Prompter& prompter);

}  // namespace lexo

#include "common/speech.h"

#include <gtest/gtest.h>

#include "support/fake_prompter.h"
#include "support/fake_speaker.h"

namespace lexo {
namespace {

TEST(Speech, VoiceListNumbersEveryVoice) {
    FakeSpeaker speaker;
    EXPECT_EQ(voiceListEntries(speaker),
              (std::vector<std::string>{"Zvolte jazyk...", "1 - Czech", "2 - English (Great Britain)"}));
    speaker.voices.clear();
    EXPECT_EQ(voiceListEntries(speaker), (std::vector<std::string>{"Zvolte jazyk..."}));
}

TEST(Speech, EntryGivesItsWholeVoiceNumber) {
    EXPECT_EQ(voiceOfEntry("Zvolte jazyk..."), 0);
    EXPECT_EQ(voiceOfEntry("1 - Czech"), 1);
    EXPECT_EQ(voiceOfEntry("12 - Welsh"), 12);
    EXPECT_EQ(voiceOfEntry("12"), 0);
    EXPECT_EQ(voiceOfEntry(""), 0);
}

TEST(Speech, RefusedVoiceOrSpeedTurnsSpeechOffWithAMessage) {
    FakeSpeaker speaker;
    FakePrompter prompter;
    EXPECT_TRUE(applyVoiceAndSpeed(speaker, 0, 200, prompter)) << "no voice chosen is not a failure";
    EXPECT_EQ(speaker.selectedVoice, 0);
    EXPECT_TRUE(applyVoiceAndSpeed(speaker, 2, 200, prompter));
    EXPECT_EQ(speaker.selectedVoice, 2);
    EXPECT_EQ(speaker.speed, 200);
    EXPECT_TRUE(prompter.messages.empty());

    EXPECT_FALSE(applyVoiceAndSpeed(speaker, 5, 200, prompter));
    speaker.refuseSpeed = true;
    EXPECT_FALSE(applyVoiceAndSpeed(speaker, 1, 150, prompter));
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, "Chyba apilkace");
}

}  // namespace
}  // namespace lexo

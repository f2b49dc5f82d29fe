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

TEST(Speech, OffAfterARefusalIsSilentForEveryCallerUntilAVoiceIsAccepted) {
    for (const bool refuseSpeed : {false, true}) {
        SCOPED_TRACE(refuseSpeed ? "speed refused" : "voice refused");
        FakeSpeaker speaker;
        FakePrompter prompter;
        Speaker& port = speaker;
        port.say("před");
        speaker.refuseVoice = !refuseSpeed;
        speaker.refuseSpeed = refuseSpeed;
        EXPECT_FALSE(applyVoiceAndSpeed(speaker, 1, 170, prompter));
        EXPECT_FALSE(port.speechOn());
        // Whoever speaks through the port afterwards, the engine hears nothing.
        port.say("pes");
        EXPECT_FALSE(applyVoiceAndSpeed(speaker, 0, 170, prompter)) << "no voice chosen keeps it off";
        port.say("kočka");
        EXPECT_EQ(speaker.spoken, std::vector<std::string>{"před"});

        speaker.refuseVoice = speaker.refuseSpeed = false;
        EXPECT_TRUE(applyVoiceAndSpeed(speaker, 2, 170, prompter));
        EXPECT_TRUE(port.speechOn());
        port.say("kůň");
        EXPECT_EQ(speaker.spoken, (std::vector<std::string>{"před", "kůň"}));
        EXPECT_EQ(prompter.messages.size(), 1u);
    }
}

TEST(Speech, AnAcceptedVoiceWithARefusedSpeedStaysOff) {
    FakeSpeaker speaker;
    speaker.refuseSpeed = true;
    EXPECT_TRUE(speaker.selectVoice(1));
    EXPECT_FALSE(speaker.setSpeed(170));
    speaker.say("pes");
    EXPECT_TRUE(speaker.spoken.empty());
    EXPECT_FALSE(speaker.speechOn());
}

}  // namespace
}  // namespace lexo

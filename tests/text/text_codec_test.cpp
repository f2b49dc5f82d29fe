#include "text/text_codec.h"

#include <gtest/gtest.h>

namespace lexo {
namespace {

TEST(TextCodec, EveryWindows1250ByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string decoded = decodeWindows1250(all);
    EXPECT_TRUE(isValidUtf8(decoded));
    const auto encoded = encodeWindows1250(decoded);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(*encoded, all);
}

TEST(TextCodec, CzechLettersDecodeToTheirUnicodeForms) {
    // "Příliš žluťoučký kůň" in Windows-1250
    const std::string bytes = "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2";
    EXPECT_EQ(decodeWindows1250(bytes), "Příliš žluťoučký kůň");
    EXPECT_EQ(decodeWindows1250("\x80\x81\x98\xFF"), "€\u0081\u0098˙");
}

TEST(TextCodec, CharactersOutsideWindows1250AreRefusedNotDropped) {
    EXPECT_FALSE(encodeWindows1250("dog 犬").has_value());
    EXPECT_FALSE(encodeWindows1250("\xFF broken").has_value());
    TextEncoding enc = TextEncoding::Windows1250;
    EXPECT_EQ(encodeText("ʃ", enc), "ʃ");
    EXPECT_EQ(enc, TextEncoding::Utf8);
    enc = TextEncoding::Windows1250;
    EXPECT_EQ(encodeText("kůň", enc), "k\xF9\xF2");
    EXPECT_EQ(enc, TextEncoding::Windows1250);
}

TEST(TextCodec, DetectsTheEncodingOfAFile) {
    EXPECT_EQ(detectEncoding("plain ascii"), TextEncoding::Windows1250);
    EXPECT_EQ(detectEncoding("k\xC5\xAF\xC5\x88"), TextEncoding::Utf8);           // kůň in UTF-8
    EXPECT_EQ(detectEncoding("k\xF9\xF2"), TextEncoding::Windows1250);           // kůň in 1250
    EXPECT_EQ(detectEncoding("\xEF\xBB\xBFpes"), TextEncoding::Utf8WithBom);
    EXPECT_EQ(detectEncoding("\xC0\x80"), TextEncoding::Windows1250);            // overlong NUL
    EXPECT_EQ(detectEncoding("\xED\xA0\x80"), TextEncoding::Windows1250);        // surrogate
    EXPECT_EQ(detectEncoding("\xF4\x90\x80\x80"), TextEncoding::Windows1250);    // above U+10FFFF
    EXPECT_EQ(detectEncoding("ok \xC5"), TextEncoding::Windows1250);             // cut sequence

    DecodedText bom = decodeText("\xEF\xBB\xBFpes");
    EXPECT_EQ(bom.text, "pes");
    TextEncoding enc = bom.encoding;
    EXPECT_EQ(encodeText(bom.text, enc), "\xEF\xBB\xBFpes");
}

TEST(TextCodec, CaseBlindComparisonCoversCzech) {
    EXPECT_TRUE(equalsIgnoreCase("Zvířata", "ZVÍŘATA"));
    EXPECT_TRUE(equalsIgnoreCase("ďábel", "ĎÁBEL"));
    EXPECT_FALSE(equalsIgnoreCase("zvirata", "zvířata"));
    EXPECT_FALSE(equalsIgnoreCase("abc", "abcd"));
    EXPECT_EQ(toUpperUtf8("žluťoučký kůň ÿ"), "ŽLUŤOUČKÝ KŮŇ Ÿ");
    EXPECT_EQ(toUpperUtf8("a\xFF"), "A\xFF");
    EXPECT_EQ(toLowerUtf8("ŽLUŤOUČKÝ KŮŇ Ÿ /Home/A.SLV"), "žluťoučký kůň ÿ /home/a.slv");
    EXPECT_EQ(toLowerUtf8("A\xFF"), "a\xFF");
}

}  // namespace
}  // namespace lexo

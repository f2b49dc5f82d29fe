#include "common/upper_case_entry.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "text/text_codec.h"

namespace lexo {
namespace {

// Judging upper-cases in the core, the entries through Qt: both must agree on every
// character, or a correctly typed answer is judged wrong.
TEST(CoreUpperCasing, AgreesWithQtOverTheWholeBasicPlane) {
    int mismatches = 0;
    for (char32_t cp = 1; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        const QString text = QString::fromUcs4(&cp, 1);
        const std::string core = toUpperUtf8(text.toStdString());
        const std::string qt = text.toUpper().toStdString();
        if (core != qt && ++mismatches <= 10)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(cp) << ": " << core << " instead of " << qt;
    }
    EXPECT_EQ(mismatches, 0);
    // Outside the basic plane too, and in running text.
    EXPECT_EQ(toUpperUtf8("\xF0\x90\x90\xA8"), "\xF0\x90\x90\x80") << "Deseret";
    const QString sentence = QStringLiteral("straße, привет, ďťňó, ǆ, ﬁ, ΐ: ok");
    EXPECT_EQ(toUpperUtf8(sentence.toStdString()), sentence.toUpper().toStdString());
    EXPECT_EQ(toUpperUtf8("a\xFF" "b"), "A\xFF" "B") << "a byte that is not UTF-8 is kept";
    EXPECT_TRUE(equalsIgnoreCase("Жук", "жУК"));
}

class KeepUpperCaseTest : public ::testing::Test {
protected:
    KeepUpperCaseTest() {
        keepUpperCase(&edit, [this] { return wanted; });
        edit.show();
        edit.setFocus();
    }
    void commit(const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(&edit, &event);
    }

    bool wanted = true;
    QLineEdit edit;
};

TEST_F(KeepUpperCaseTest, EveryWayTheUserEntersTextEndsInCapitals) {
    QTest::keyClicks(&edit, "pes");
    EXPECT_EQ(edit.text(), "PES");
    commit(QStringLiteral("ď"));  // a dead key or an input method hands over composed text
    EXPECT_EQ(edit.text(), QStringLiteral("PESĎ"));
    QGuiApplication::clipboard()->setText(QStringLiteral("straße"));
    edit.paste();
    EXPECT_EQ(edit.text(), QStringLiteral("PESĎSTRASSE"));
    EXPECT_TRUE(edit.isModified());

    // The caret stays behind the letter it followed, also when a letter became two.
    edit.setText(QStringLiteral("ab"));
    edit.setCursorPosition(1);
    commit(QStringLiteral("ß"));
    EXPECT_EQ(edit.text(), QStringLiteral("ASSB"));
    EXPECT_EQ(edit.cursorPosition(), 3);
}

TEST_F(KeepUpperCaseTest, TheProgramsOwnTextAndTheOptionOffAreLeftAlone) {
    edit.setText(QStringLiteral("kočka"));
    EXPECT_EQ(edit.text(), QStringLiteral("kočka")) << "an expression opened for editing keeps its case";
    wanted = false;
    edit.end(false);
    QTest::keyClicks(&edit, "x");
    commit(QStringLiteral("ť"));
    EXPECT_EQ(edit.text(), QStringLiteral("kočkaxť"));
    wanted = true;
    QTest::keyClicks(&edit, "y");
    EXPECT_EQ(edit.text(), QStringLiteral("KOČKAXŤY")) << "the next change takes the whole text";
}

}  // namespace
}  // namespace lexo

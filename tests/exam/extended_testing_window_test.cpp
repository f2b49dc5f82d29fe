// The engine's headers come before Qt's, whose keyword macros would rewrite its names.
#include "common/general_settings.h"
#include "exam/alternatives.h"
#include "exam/extended_testing_session.h"

#include "exam/extended_testing_window.h"
#include "support/find_widget.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>

namespace lexo {
namespace {

// The window alone over a prepared session, as Test I hands it over.
class ExtendedTestingWindowTest : public ::testing::Test {
protected:
    void open(const std::string& question, const std::string& translations, const std::string& firstGuess) {
        text_ = translations;
        session.prepare(question, Alternatives(text_), firstGuess);
        window = std::make_unique<ExtendedTestingWindow>(session, general);
        window->setReturnHandler([this] {
            ++returns;
            session.reset();  // what Test I's return does to the session
        });
        window->open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <class W>
    W* find(const char* name) const {
        return testing::findWidget<W>(*window, name);
    }
    QLabel* mark(int row) const {
        const std::string name = "Label" + std::to_string(row + 4);
        return find<QLabel>(name.c_str());
    }
    QLabel* rowLabel(int row) const {
        const std::string name = "Label" + std::to_string(row);
        return find<QLabel>(name.c_str());
    }
    QLineEdit* edit() const { return find<QLineEdit>("edtvyraz"); }
    QPushButton* button() const { return find<QPushButton>("btclose"); }

    void guess(const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit(), &press);
        }
        QTest::keyClick(edit(), Qt::Key_Return);
    }

    GeneralSettings general;
    ExtendedTestingSession session;
    std::unique_ptr<ExtendedTestingWindow> window;
    int returns = 0;

private:
    std::string text_;  // the translations the session's slots point into
};

TEST_F(ExtendedTestingWindowTest, TwoTranslationsFoundOneAfterTheOther) {
    open("pes", "dog+hound", "dog");
    EXPECT_EQ(window->objectName(), "Form25");
    EXPECT_EQ(window->windowTitle(), "Rozšířené zkoušení");
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(find<QPlainTextEdit>("mevyraz")->toPlainText(), "pes");
    EXPECT_EQ(find<QLabel>("Label12")->text(), "Hádaný výraz:");
    EXPECT_EQ(find<QLabel>("Label13")->text(), "Správný výraz:");
    EXPECT_EQ(find<QLabel>("Label9")->text(), "Číslo výrazu:");
    EXPECT_EQ(find<QLabel>("Label10")->text(), "Uhodnut:");
    EXPECT_EQ(rowLabel(1)->text(), "Výraz 1:");
    EXPECT_EQ(rowLabel(2)->text(), "Výraz 2:");
    EXPECT_EQ(mark(1)->text(), "ANO");
    EXPECT_EQ(mark(1)->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(mark(2)->text(), "NE");
    EXPECT_EQ(mark(2)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (int row : {3, 4}) {
        EXPECT_FALSE(rowLabel(row)->isVisible()) << row;
        EXPECT_FALSE(mark(row)->isVisible()) << row;
    }
    EXPECT_FALSE(find<QLabel>("Label11")->isVisible());
    EXPECT_TRUE(edit()->hasFocus());

    guess("dog");  // found already
    EXPECT_EQ(edit()->text(), "");
    EXPECT_EQ(mark(2)->text(), "NE");
    guess("cat");  // not a translation: no message, nothing marked
    EXPECT_EQ(edit()->text(), "");
    EXPECT_EQ(mark(2)->text(), "NE");
    EXPECT_TRUE(edit()->hasFocus());

    guess("hound");
    EXPECT_EQ(mark(2)->text(), "ANO");
    EXPECT_EQ(mark(2)->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(rowLabel(2)->toolTip(), "hound");
    auto* done = find<QLabel>("Label11");
    EXPECT_TRUE(done->isVisible());
    EXPECT_EQ(done->text(), "Byly uhádnuty všechny výrazy.");
    EXPECT_FALSE(edit()->isEnabled());
    EXPECT_TRUE(button()->hasFocus());
    EXPECT_EQ(returns, 0);
}

TEST_F(ExtendedTestingWindowTest, RowsFillInTheOrderOfFinding) {
    open("být", "be+exist+live+stay", "live");
    EXPECT_EQ(rowLabel(1)->toolTip(), "live");
    for (int row = 2; row <= 4; ++row) EXPECT_EQ(mark(row)->text(), "NE") << row;
    guess("stay");
    guess("be");
    EXPECT_EQ(rowLabel(2)->toolTip(), "stay");
    EXPECT_EQ(rowLabel(3)->toolTip(), "be");
    EXPECT_EQ(mark(3)->text(), "ANO");
    EXPECT_EQ(mark(4)->text(), "NE");
    EXPECT_EQ(rowLabel(4)->toolTip(), "");
    EXPECT_TRUE(edit()->isEnabled());
}

TEST_F(ExtendedTestingWindowTest, CapitalsApplyAsInTheTest) {
    open("pes", "DOG+HOUND", "DOG");
    general.upperCaseEntry = true;
    QTest::keyClicks(edit(), "hou");
    EXPECT_EQ(edit()->text(), "HOU");
    QTest::keyClicks(edit(), "nd");
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(mark(2)->text(), "ANO");

    edit()->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("dog"));
    edit()->paste();
    EXPECT_EQ(edit()->text(), "DOG") << "pasted text too";
}

TEST_F(ExtendedTestingWindowTest, TheButtonRevealsFirstAndReturnsSecond) {
    open("pes", "dog+hound+cur", "cur");
    button()->click();
    EXPECT_EQ(edit()->text(), "dog - hound - cur") << "in dictionary order";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(returns, 0);

    button()->click();
    EXPECT_EQ(returns, 1);
    EXPECT_FALSE(window->isVisible());

    // Prepared again for the next expression, the window shows nothing of the last one.
    open("kočka", "cat+kitty", "cat");
    EXPECT_EQ(edit()->text(), "");
    EXPECT_TRUE(edit()->isEnabled());
    EXPECT_FALSE(rowLabel(3)->isVisible());
    button()->click();
    EXPECT_EQ(edit()->text(), "cat - kitty");
}

TEST_F(ExtendedTestingWindowTest, ClosingReturnsOnceWhetherRevealedOrNot) {
    open("pes", "dog+hound", "dog");
    window->close();
    EXPECT_EQ(returns, 1);
    EXPECT_FALSE(window->isVisible());
    window->close();  // already back in the test: nothing more happens
    EXPECT_EQ(returns, 1);
}

}  // namespace
}  // namespace lexo

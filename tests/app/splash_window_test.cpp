#include "app/splash_window.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include "support/fake_prompter.h"

namespace lexo {
namespace {

// Milliseconds from the splash's first paint to its hand-over, or -1 when none came within
// `patience`; `stall` holds the event loop up right after the paint, as a busy start does.
qint64 handOverAfterPaint(SplashWindow& splash, std::chrono::milliseconds stall, int patience) {
    QSignalSpy handOver(&splash, &SplashWindow::handOver);
    QElapsedTimer sincePaint;
    QObject::connect(&splash, &SplashWindow::firstPainted, &splash, [&] {
        sincePaint.start();
        std::this_thread::sleep_for(stall);
    });
    splash.setUpdatesEnabled(true);
    splash.update();
    if (!handOver.wait(patience)) return -1;
    return sincePaint.elapsed();
}

TEST(SplashWindow, CountsItsTwoSecondsFromTheFirstPaintNotFromShowing) {
    FakePrompter prompter;
    SplashWindow splash(true, prompter);
    QSignalSpy handOver(&splash, &SplashWindow::handOver);
    // Mapped but not drawn yet, as while a slow start keeps the window system waiting.
    splash.setUpdatesEnabled(false);
    splash.show();
    QTest::qWait(2300);
    EXPECT_EQ(handOver.count(), 0) << "handed over before anyone could see it";
    EXPECT_FALSE(splash.painted());

    const qint64 shown = handOverAfterPaint(splash, std::chrono::milliseconds(0), 4000);
    EXPECT_GE(shown, 1950);
    EXPECT_LE(shown, 2400);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(splash.findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->isVisibleTo(&splash));
}

TEST(SplashWindow, ALateFirstTickDoesNotPostponeTheHandOver) {
    FakePrompter prompter;
    SplashWindow splash(true, prompter);
    splash.setUpdatesEnabled(false);
    splash.show();
    // The first tick comes half a second late; the second is still due two seconds after
    // the paint, not a whole second after the late one.
    const qint64 shown = handOverAfterPaint(splash, std::chrono::milliseconds(1500), 4000);
    EXPECT_GE(shown, 1950);
    EXPECT_LE(shown, 2400);
}

TEST(SplashWindow, WithoutSpeechItWaitsForItsButton) {
    FakePrompter prompter;
    SplashWindow splash(false, prompter);
    EXPECT_EQ(prompter.messages.size(), 1u);
    splash.setUpdatesEnabled(false);
    splash.show();
    EXPECT_EQ(handOverAfterPaint(splash, std::chrono::milliseconds(0), 2500), -1);
    EXPECT_TRUE(splash.painted());
    EXPECT_TRUE(splash.isVisible());
}

}  // namespace
}  // namespace lexo

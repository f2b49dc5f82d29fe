#include "app/termination_signals.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>
#include <csignal>

namespace lexo {
namespace {

// Stands for the main window: its close asks about unsaved work, and the user may refuse.
class AskingWindow : public QWidget {
public:
    bool refuse = true;
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closes;
        if (refuse)
            event->ignore();
        else
            event->accept();
    }
};

// Runs the event loop while `signal` arrives; what exec() returned: 42 when the program
// ran on until told to stop, anything else when something ended it early.
int deliver(int signal) {
    QTimer::singleShot(0, [signal] { ::raise(signal); });
    QTimer::singleShot(400, [] { QCoreApplication::exit(42); });
    return QCoreApplication::exec();
}

TEST(TerminationSignals, ARefusedCloseKeepsTheProgramAndItsWork) {
    struct sigaction before[3] {};
    const int handled[3] = {SIGTERM, SIGINT, SIGHUP};
    for (int i = 0; i < 3; ++i) sigaction(handled[i], nullptr, &before[i]);
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);

    {
        AskingWindow window;
        window.show();
        closeOnTerminationSignals(window);

        EXPECT_EQ(deliver(SIGTERM), 42) << "Zrušit: the program goes on";
        EXPECT_EQ(window.closes, 1);
        EXPECT_TRUE(window.isVisible());

        window.refuse = false;
        EXPECT_EQ(deliver(SIGINT), 42);
        EXPECT_EQ(window.closes, 2) << "asked again, and this time the window closes";
        EXPECT_FALSE(window.isVisible());
    }

    for (int i = 0; i < 3; ++i) sigaction(handled[i], &before[i], nullptr);
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
}

}  // namespace
}  // namespace lexo

#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "app/shell.h"

class QLabel;
class QToolButton;

namespace lexo {

class Prompter;

// The first window of a run and, later, the about box. It hands over to the main window
// two seconds after it is first painted (a window mapped but not yet drawn is nothing a
// person sees) and can never be closed, only hidden by its own button.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // Without a speech engine it says so and waits for its button instead of counting down.
    SplashWindow(bool speechFound, Prompter& prompter, QWidget* parent = nullptr);

    // Shown from the main window's "&O Programu": stays until its button is pressed.
    void showAsAboutBox();
    bool speechFound() const { return speechFound_; }
    bool painted() const { return painted_; }

signals:
    void firstPainted();
    void handOver();               // the main window should appear
    void webSiteRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void onTick();
    void finish();

    void scheduleTick();

    SplashCountdown countdown_;
    QTimer timer_;
    QElapsedTimer sincePaint_;
    int ticks_ = 0;
    bool painted_ = false;
    QToolButton* closeButton_ = nullptr;
    bool speechFound_ = false;
};

}  // namespace lexo

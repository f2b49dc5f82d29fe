#pragma once

#include <QTimer>
#include <QWidget>

#include "app/shell.h"

class QLabel;
class QToolButton;

namespace lexo {

class Prompter;

// The first window of a run and, later, the about box. It hands over to the main window
// two seconds after it appears and can never be closed, only hidden by its own button.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    // Without a speech engine it says so and waits for its button instead of counting down.
    SplashWindow(bool speechFound, Prompter& prompter, QWidget* parent = nullptr);

    // Shown from the main window's "&O Programu": stays until its button is pressed.
    void showAsAboutBox();
    bool speechFound() const { return speechFound_; }

signals:
    void handOver();               // the main window should appear
    void webSiteRequested();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void onTick();
    void finish();

    SplashCountdown countdown_;
    QTimer timer_;
    QToolButton* closeButton_ = nullptr;
    bool speechFound_ = false;
};

}  // namespace lexo

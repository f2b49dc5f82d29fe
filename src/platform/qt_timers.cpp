#include "platform/qt_timers.h"

#include <QTimer>
#include <functional>
#include <memory>

namespace lexo {
namespace {

class QtTimer final : public Timer {
public:
    QtTimer() : timer_(new QTimer) {
        timer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer_, &QTimer::timeout, timer_, [this] { fire(); });
    }

    ~QtTimer() override {
        *alive_ = false;
        timer_->stop();
        QObject::disconnect(timer_, nullptr, nullptr, nullptr);
        // A handler may destroy the timer that called it; the QTimer is still inside its
        // own timeout then and must outlive it.
        if (firing_) timer_->deleteLater();
        else delete timer_;
    }

    QtTimer(const QtTimer&) = delete;
    QtTimer& operator=(const QtTimer&) = delete;

    void start(int milliseconds, bool repeat) override {
        timer_->setSingleShot(!repeat);
        timer_->start(milliseconds < 0 ? 0 : milliseconds);
    }
    void stop() override { timer_->stop(); }
    bool active() const override { return timer_->isActive(); }

private:
    void fire() {
        // The handler is copied: it may replace or destroy itself while it runs.
        const std::function<void()> handler = onTimeout;
        if (!handler) return;
        const std::shared_ptr<bool> alive = alive_;
        firing_ = true;
        handler();
        if (*alive) firing_ = false;
    }

    QTimer* timer_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool firing_ = false;
};

}  // namespace

std::unique_ptr<Timer> QtTimers::create() { return std::make_unique<QtTimer>(); }

}  // namespace lexo

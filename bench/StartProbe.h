#pragma once
// For the start-up figure: once the first window has been exposed (Qt paints a widget
// window while delivering its expose event), prints the monotonic clock in nanoseconds and
// ends the process at once. The launcher subtracts the time it started the process.
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace folio::bench {

class StartProbe final : public QObject {
public:
    StartProbe() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !m_seen) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) {
                m_seen = true;
                // After the expose event, and the paint it carries, is done.
                QTimer::singleShot(0, [] {
                    timespec ts{};
                    clock_gettime(CLOCK_MONOTONIC, &ts);
                    std::printf("shown %lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
                    std::fflush(stdout);
                    _exit(0);
                });
            }
        }
        return false;
    }

private:
    bool m_seen = false;
};

}  // namespace folio::bench

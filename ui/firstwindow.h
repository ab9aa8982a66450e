#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace ui {

// The start-up benchmark's probe. With QUILLON_FIRST_WINDOW_PROBE set, the
// program prints the monotonic clock in nanoseconds as its first window is
// exposed, and ends there; without it, nothing. Header-only, so that the
// bare Qt window the benchmark compares with uses the same probe without
// linking anything of Quillon.
class FirstWindowProbe : public QObject {
public:
    static void installIfAsked(QCoreApplication& app)
    {
        if (qEnvironmentVariableIsSet("QUILLON_FIRST_WINDOW_PROBE"))
            app.installEventFilter(new FirstWindowProbe(&app));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                // At once: the peak memory is the first window's.
                std::_Exit(0);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    using QObject::QObject;
};

}  // namespace ui

#pragma once

// What the desktop program's footprint and its bare baseline window measure alike: the
// wall clock of the start, and a share of one core while the event loop runs idle.

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <sys/resource.h>

namespace fh::bench {

inline long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The event loop for `seconds`.
inline void runFor(int seconds)
{
    // exit(), not quit(): quit() first asks every window to close, and the simulation window refuses.
    QTimer::singleShot(seconds * 1000, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// A switch's own work (the simulation window shown and painted, or hidden) and the
// text cursor's ten seconds of blinking after an activation are over by then.
constexpr int settleSeconds = 15;

// Share of one core the process takes, in per cent, while the event loop runs
// `seconds` after it has settled.
inline double cpuWhileIdle(int seconds)
{
    runFor(settleSeconds);
    const double before = cpuSeconds();
    runFor(seconds);
    return 100 * (cpuSeconds() - before) / seconds;
}

} // namespace fh::bench

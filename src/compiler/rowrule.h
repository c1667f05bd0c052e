#pragma once

// What one schedule row does to the greenhouse. The simulation applies it second by
// second and the day model reads the whole cycle with it, so both always agree.

#include "compiler/program.h"

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

namespace fh {

// The set-points the controller starts with, before any temperature line acts.
inline constexpr double startLow = 74;
inline constexpr double startHigh = 78;

// A pulse timer's times as a pulsed line sets them, in seconds.
struct TimerTimes {
    double on = 0, off = 0, phase = 0;
    friend bool operator==(const TimerTimes&, const TimerTimes&) = default;
};

// A timer no line sets pulses 1 s on, 30 s off.
inline constexpr TimerTimes unsetTimer{1, 30, 0};

// Timer N (at N-1) as the controller starts it: 1 s on, 30 s off, N × 4 s into its
// period.
constexpr TimerTimes startTimer(std::size_t n) { return {1, 30, 4.0 * static_cast<double>(n + 1)}; }

// Whether a timer is in its on phase at second `simsecs` of its run: periods and
// sums round halves to even, and a period below one second counts as one.
bool inOnPhase(const TimerTimes& timer, int simsecs);
// The first second of the run after `from` and before `to` at which the timer's phase
// is not the one at `from`; `to` when there is none.
int phaseChange(const TimerTimes& timer, int from, int to);

// Each field is what the row sets; none leaves that part as it was. A light goes on
// or off; a valve goes off, on or onto a timer (10 + N); states other than these
// leave an output alone. A pulsed row without a positive on time leaves its timer.
struct RowEffect {
    std::array<std::optional<bool>, outputCount> lights{};
    std::array<std::optional<double>, outputCount> valves{};
    std::optional<std::pair<double, double>> setPoints; // low, high
    std::optional<std::pair<std::size_t, TimerTimes>> timer; // timer N at N-1
};

RowEffect rowEffect(const ScheduleRow& row);

// The timer (0..5) a valve state pulses by, as the controller picks it from its timer
// list; none for a state that is not pulsed or names no timer 1..6.
std::optional<std::size_t> pulsingTimer(double state);

} // namespace fh

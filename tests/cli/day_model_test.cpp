// `state` and `totals` against a model of the day written from its rules alone: it reads
// the lines as typed, not the compiled program.

#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <random>
#include <set>
#include <vector>

namespace fh::test {
namespace {

constexpr int day = 86400;

struct Line {
    char kind;
    int second;
    std::vector<int> ids;    // outputs 1..6, as named
    std::string state;       // "on", "off" or "P1".."P6"
    double low = 0, high = 0; // T lines
    int pulseOn = 0, pulseOff = 0; // seconds, when a pulsed line gives them
    std::string text;
};

struct Model {
    std::array<std::string, 6> lights, valves;
    double low = 74, high = 78;
    // On and off seconds of each timer; 1 and 30 until a line sets it.
    std::array<std::pair<int, int>, 6> timers;

    // The day starts as the last line naming each output leaves it; then lines act in order.
    explicit Model(const std::vector<Line>& lines)
    {
        lights.fill("off");
        valves.fill("off");
        timers.fill({1, 30});
        for (const Line& line : lines)
            act(line);
    }

    void act(const Line& line)
    {
        if (line.kind == 'T') {
            low = line.low;
            high = line.high;
            return;
        }
        for (int id : line.ids)
            (line.kind == 'L' ? lights : valves)[static_cast<std::size_t>(id - 1)] = line.state;
        if (line.kind == 'W' && line.state[0] == 'P' && !line.ids.empty() && line.pulseOn > 0)
            timers[static_cast<std::size_t>(line.state[1] - '1')] = {line.pulseOn, line.pulseOff};
    }
};

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, v == static_cast<int>(v) ? "%.0f" : "%.1f", v);
    return text;
}

// A program with lines at distinct seconds, typed in the forms a grower might use.
std::vector<Line> generate(std::mt19937& random)
{
    const auto pick = [&random](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    std::set<int> seconds;
    const int count = pick(1, 24);
    while (static_cast<int>(seconds.size()) < count)
        seconds.insert(pick(0, 3) == 0 ? pick(0, 3) * 3600 + pick(0, 59) * 60 : pick(0, day - 1));
    std::vector<Line> lines;
    for (int second : seconds) {
        Line line{"TLW"[pick(0, 2)], second, {}, {}, 0, 0, 0, 0, {}};
        const int h = second / 3600, m = second / 60 % 60, s = second % 60;
        char time[16];
        // Hour 24 on the day's first line only: later, every line before it in the day
        // would wait a day for it (the cycle tests cover that).
        if (h == 0 && second == *seconds.begin() && pick(0, 1))
            std::snprintf(time, sizeof time, "24:%02d:%02d", m, s);
        else if (s == 0 && m == 0 && pick(0, 1))
            std::snprintf(time, sizeof time, "%d", h);
        else
            std::snprintf(time, sizeof time, s == 0 ? "%d:%02d" : "%d:%02d:%02d", h, m, s);
        std::string terms;
        if (line.kind == 'T') {
            line.low = pick(64, 200) / 2.0;
            line.high = line.low + pick(4, static_cast<int>(2 * (110 - line.low))) / 2.0;
            terms.append(number(line.low)).append(pick(0, 1) ? "F," : ",").append(number(line.high));
        } else {
            for (int n = pick(0, 4); n > 0; --n)
                line.ids.push_back(pick(1, 6));
            for (int id : line.ids)
                terms.append(terms.empty() ? "" : "/").append(std::to_string(id));
            const int mode = pick(line.kind == 'L' ? 0 : -6, 1);
            line.state = mode == 1 ? "on" : mode == 0 ? "off" : std::string("P").append(std::to_string(-mode));
            std::string typed = line.state;
            if (pick(0, 1))
                std::transform(typed.begin(), typed.end(), typed.begin(), [](char c) { return static_cast<char>(std::isalpha(static_cast<unsigned char>(c)) ? c ^ ' ' : c); });
            terms.append(",").append(typed);
            if (mode < 0 && pick(0, 1)) {
                line.pulseOn = pick(1, 90);
                line.pulseOff = 60 * pick(1, 30);
                terms.append(",").append(std::to_string(line.pulseOn)).append("S,");
                terms.append(std::to_string(line.pulseOff / 60)).append("M");
            }
        }
        line.text.append(1, line.kind).append(",").append(time).append(",").append(terms);
        lines.push_back(line);
    }
    return lines;
}

std::string list(const std::array<std::string, 6>& items, bool quoted)
{
    std::string out = "[";
    for (const std::string& item : items)
        out += (out.size() > 1 ? "," : "") + (quoted ? '"' + item + '"' : item);
    return out + "]";
}

std::string clock(int second)
{
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
    return time;
}

std::string stateJson(const std::vector<Line>& lines, int second)
{
    Model m(lines);
    for (const Line& line : lines)
        if (line.second <= second)
            m.act(line);
    return std::string("{\"time\":\"") + clock(second) + "\",\"lights\":" + list(m.lights, true) +
           ",\"valves\":" + list(m.valves, true) + ",\"low\":" + number(m.low) + ",\"high\":" + number(m.high) +
           "}\n";
}

std::string totalsJson(const std::vector<Line>& lines)
{
    std::array<int, 6> lightsOn{}, valvesOn{}, valvesPulsed{}, valvesOpen{};
    double lowMin = 0, lowMax = 0, highMin = 0, highMax = 0;
    // Water runs in the first `on` seconds of each period, counted from the second a
    // valve began to pulse by its timer with its times: the day before, for a valve
    // that pulses on over midnight.
    std::array<int, 6> lastBegun{};
    std::array<std::pair<std::string, std::pair<int, int>>, 6> pulsing, endOfDay;
    std::vector<bool> dark(static_cast<std::size_t>(day));
    for (const bool counting : {false, true}) {
        Model m(lines);
        std::array<int, 6> pulsingSince{};
        lowMin = lowMax = m.low, highMin = highMax = m.high;
        std::size_t next = 0;
        // Second by second, in stretches between the lines' seconds.
        for (int second = 0, until = 0; second < day; second = until) {
            for (; next < lines.size() && lines[next].second == second; ++next)
                m.act(lines[next]);
            until = next < lines.size() ? std::clamp(lines[next].second, second + 1, day) : day;
            for (std::size_t k = 0; k < 6; ++k) {
                const bool pulsed = m.valves[k][0] == 'P';
                const auto times = pulsed ? m.timers[static_cast<std::size_t>(m.valves[k][1] - '1')] : std::pair(0, 0);
                if (second == 0) {
                    pulsing[k] = {m.valves[k], times};
                    pulsingSince[k] = lastBegun[k] > 0 && pulsing[k] == endOfDay[k] ? lastBegun[k] - day : 0;
                } else if (pulsing[k] != std::pair(m.valves[k], times)) {
                    pulsing[k] = {m.valves[k], times};
                    pulsingSince[k] = lastBegun[k] = second;
                }
                if (!counting)
                    continue;
                lightsOn[k] += (until - second) * (m.lights[k] == "on");
                valvesOn[k] += (until - second) * (m.valves[k] == "on");
                valvesPulsed[k] += (until - second) * pulsed;
                valvesOpen[k] += (until - second) * (m.valves[k] == "on");
                for (int s = second; pulsed && s < until; ++s)
                    valvesOpen[k] += (s - pulsingSince[k]) % (times.first + times.second) < times.first;
            }
            for (int s = second; s < until; ++s)
                dark[static_cast<std::size_t>(s)] = std::ranges::none_of(m.lights, [](const std::string& l) { return l == "on"; });
            lowMin = std::min(lowMin, m.low), lowMax = std::max(lowMax, m.low);
            highMin = std::min(highMin, m.high), highMax = std::max(highMax, m.high);
        }
        endOfDay = pulsing;
    }
    const auto counts = [](const std::array<int, 6>& values) {
        std::array<std::string, 6> texts;
        std::transform(values.begin(), values.end(), texts.begin(), [](int v) { return std::to_string(v); });
        return list(texts, false);
    };
    // The longest run of dark seconds, the day repeating: taken in the order the runs
    // end, the first of the longest.
    const auto darkAt = [&](int s) { return dark[static_cast<std::size_t>((s % day + day) % day)]; };
    std::string longest = "{\"seconds\":0,\"from\":null,\"to\":null}";
    if (std::ranges::all_of(dark, [](bool d) { return d; }))
        longest = "{\"seconds\":86400,\"from\":null,\"to\":null}";
    for (int end = 1, most = 0; end <= day && longest.find("86400") == std::string::npos; ++end) {
        if (!darkAt(end - 1) || darkAt(end))
            continue;
        int from = end - 1;
        while (darkAt(from - 1))
            --from;
        if (end - from > most) {
            most = end - from;
            longest = "{\"seconds\":" + std::to_string(most) + ",\"from\":\"" + clock((from % day + day) % day) +
                      "\",\"to\":\"" + clock(end % day) + "\"}";
        }
    }
    return "{\"lights_on\":" + counts(lightsOn) + ",\"valves_on\":" + counts(valvesOn) +
           ",\"valves_pulsed\":" + counts(valvesPulsed) + ",\"valves_open\":" + counts(valvesOpen) +
           ",\"valves_litres\":[null,null,null,null,null,null],\"lights_kwh\":[null,null,null,null,null,null]"
           ",\"lights_dli\":[null,null,null,null,null,null],\"dli\":null,\"longest_dark\":" + longest +
           ",\"low\":{\"min\":" + number(lowMin) +
           ",\"max\":" + number(lowMax) + "},\"high\":{\"min\":" + number(highMin) + ",\"max\":" + number(highMax) +
           "}}\n";
}

TEST(DayModel, StateAndTotalsAgreeWithTheRulesOnGeneratedPrograms)
{
    std::mt19937 random(20261206);
    for (int n = 0; n < 150; ++n) {
        const std::vector<Line> lines = generate(random);
        std::string sections[3];
        for (const Line& line : lines)
            sections[line.kind == 'T' ? 0 : line.kind == 'L' ? 1 : 2] += line.text + "\n";
        doubles::MemoryTextFiles files;
        files.files["p.fhp"] = sections[0] + "==\n" + sections[1] + "==\n" + sections[2];
        const Outcome totals = runCli({"totals", "p.fhp", "--format", "json"}, files);
        ASSERT_EQ(totals.out, totalsJson(lines)) << files.files["p.fhp"] << totals.err;
        // Each line's second and the one before it, the day's ends and a few others.
        std::set<int> times = {0, day - 1, std::uniform_int_distribution<int>(0, day - 1)(random)};
        for (const Line& line : lines)
            times.insert({line.second, std::max(0, line.second - 1)});
        for (int second : times) {
            const Outcome state = runCli({"state", "p.fhp", "--at", clock(second), "--format", "json"}, files);
            ASSERT_EQ(state.out, stateJson(lines, second)) << files.files["p.fhp"] << state.err;
        }
    }
}

} // namespace
} // namespace fh::test

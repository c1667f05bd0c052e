#pragma once

// Random programs for the tests that hold two parts of the program to one answer.

#include "language/commandlists.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace fh::test {

// Lines at few distinct seconds, so that lines share a second; times at hour 24;
// pulses with and without times; and lines the check refuses. No line at 00:00:00,
// so a controller switched on at midnight waits for the first line of the code.
inline CommandLists randomLists(std::mt19937& random)
{
    const auto pick = [&random](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    std::vector<int> seconds;
    for (int n = pick(1, 5); n > 0; --n)
        seconds.push_back(pick(1, 86399));
    CommandLists lists;
    for (int n = pick(1, 12); n > 0; --n) {
        const int second = seconds[static_cast<std::size_t>(pick(0, static_cast<int>(seconds.size()) - 1))];
        const int h = second / 3600;
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", h == 0 && pick(0, 1) ? 24 : h, second / 60 % 60,
                      second % 60);
        std::string line;
        const int kind = pick(0, 3);
        if (kind == 0) {
            const int low = pick(40, 90);
            line = "T," + std::string(time) + "," + std::to_string(low) + "," + std::to_string(low + pick(0, 15));
        } else {
            line = std::string(1, "LWW"[kind - 1]) + "," + time + "," + std::to_string(pick(1, 6));
            if (pick(0, 1))
                line += "/" + std::to_string(pick(1, 6));
            const int mode = pick(kind == 1 ? 0 : -3, 1);
            line += mode == 1 ? ",ON" : mode == 0 ? ",OFF" : ",P" + std::to_string(-mode);
            if (mode < 0 && pick(0, 1))
                line += "," + std::to_string(pick(0, 9)) + "S," + std::to_string(pick(1, 20)) + "S";
        }
        if (pick(0, 9) == 0)
            line += ",X,Y,Z";
        lists[static_cast<std::size_t>(kind == 0 ? 0 : kind == 1 ? 1 : 2)].push_back(line);
    }
    return lists;
}

} // namespace fh::test

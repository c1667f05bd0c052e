#include "platform/devices.h"
#include "platform/printer.h"

#include "platform/printer.h"

#include <cstdio>

namespace fh {

int dayOf(long long seconds)
{
    return static_cast<int>((seconds % secondsPerDay + secondsPerDay) % secondsPerDay);
}

std::string formatTime(int secondsOfDay)
{
    const int s = dayOf(secondsOfDay);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::string tooLarge(std::size_t limit)
{
    return "larger than " + std::to_string(limit / (1024 * 1024)) + " MiB, not a program file";
}

std::string notRegular(const std::string& path) { return path + " is not a regular file"; }

std::string readOnly(const std::string& path) { return path + " is read-only"; }

std::string printJobName(std::string_view path, std::string_view document)
{
    // Past the last '/', or from the start when there is none (npos + 1 is 0).
    const std::string_view name = path.substr(path.rfind('/') + 1);
    return std::string(name.empty() ? std::string_view(applicationTitle) : name) + " \u2013 " + std::string(document);
}

std::string printFileName(std::string_view path, std::string_view document)
{
    const std::string suffix = std::string("-").append(document).append(".pdf");
    if (path.empty())
        return suffix.substr(1);
    const auto folder = path.rfind('/') + 1;
    const auto dot = path.rfind('.');
    const auto stem = dot != std::string_view::npos && dot > folder ? path.substr(0, dot) : path;
    return std::string(stem) + suffix;
}

} // namespace fh

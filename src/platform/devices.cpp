#include "platform/devices.h"
#include "platform/printer.h"

#include <cstdio>

namespace fh {

int dayOf(long long seconds)
{
    return static_cast<int>((seconds % secondsPerDay + secondsPerDay) % secondsPerDay);
}

std::string formatTime(int secondsOfDay)
{
    // Digit by digit: the simulation asks every second, and snprintf is far slower.
    const int s = dayOf(secondsOfDay);
    const int parts[] = {s / 3600, s / 60 % 60, s % 60};
    std::string text = "00:00:00";
    for (std::size_t i = 0; i < 3; ++i) {
        text[i * 3] = static_cast<char>('0' + parts[i] / 10);
        text[i * 3 + 1] = static_cast<char>('0' + parts[i] % 10);
    }
    return text;
}

std::string tooLarge(std::size_t limit)
{
    return "larger than " + std::to_string(limit / (1024 * 1024)) + " MiB, not a program file";
}

std::string notRegular(const std::string& path) { return path + " is not a regular file"; }

std::string readOnly(const std::string& path) { return path + " is read-only"; }

namespace {
// Past the last '/', or from the start when there is none (npos + 1 is 0).
std::string_view baseName(std::string_view path) { return path.substr(path.rfind('/') + 1); }
} // namespace

std::string printJobName(std::string_view path, std::string_view document)
{
    const std::string_view name = baseName(path);
    return std::string(name.empty() ? std::string_view(applicationTitle) : name) + " \u2013 " + std::string(document);
}

std::string printFooter(std::string_view path, const DateTime& printed)
{
    const std::string_view name = baseName(path);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, " \u2014 printed %04d-%02d-%02d %s", printed.year, printed.month, printed.day,
                  formatTime(printed.secondsOfDay).substr(0, 5).c_str());
    return std::string(name.empty() ? std::string_view("Untitled") : name) + stamp;
}

std::string footerLine(std::string_view lead, int page, int pages)
{
    return std::string(lead) + " \u2014 page " + std::to_string(page) + " of " + std::to_string(pages);
}

std::optional<PrintVerdict> judgeJob(const PrintJob& job, const JobStatus& status, bool waitOver)
{
    const std::string number = std::to_string(job.id);
    switch (status.state) {
    case JobStatus::State::Printed:
        return PrintVerdict{};
    case JobStatus::State::Failed:
        return PrintVerdict{true, "the printer " + job.queue + " did not print the job " + number + ": " + status.reason};
    case JobStatus::State::QueueStopped:
        return PrintVerdict{false, job.queue + " is stopped (" + status.reason + "); the job waits"};
    case JobStatus::State::ServiceDown:
        return PrintVerdict{true, serviceDownMessage(status.reason)};
    case JobStatus::State::Waiting:
        break;
    }
    if (!waitOver)
        return std::nullopt;
    return PrintVerdict{false, "sent to " + job.queue + " as job " + number};
}

std::string serviceDownMessage(const std::string& reason)
{
    return "the print service is not running (" + reason + ")";
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

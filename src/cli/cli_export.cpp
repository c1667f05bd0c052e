#include "cli/commands.h"
#include "compiler/sun.h"
#include "compiler/why.h"
#include "files/export.h"

#include <chrono>
#include <ctime>
#include <ostream>
#include <string>

namespace fh::cli {

namespace {

// Today in the local calendar: the calendar's times are local, too.
std::chrono::year_month_day today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {std::chrono::year(local.tm_year + 1900), std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
            std::chrono::day(static_cast<unsigned>(local.tm_mday))};
}

} // namespace

int exportDay(const Parsed& args, Streams io, const Devices& devices)
{
    const std::string& path = args.operands.front();
    if (outputIsInput(args, io.err, devices.files))
        return 2;
    const auto cycle = cycleOrReport(path, io.err, devices.files);
    if (!cycle)
        return 2;
    const DayReasons& reasons = cycle->reasons;
    std::string bytes;
    if (formatIs(args, "csv")) {
        bytes = dayCsv(reasons, args.display);
    } else if (formatIs(args, "vcd")) {
        bytes = dayWaveform(reasons, args.display);
    } else {
        const auto date = args.values.find("--date");
        const auto first = date == args.values.end() ? today() : std::chrono::year_month_day(std::chrono::sys_days(std::chrono::days(parseDate(date->second).value().days)));
        const auto stamp = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
        bytes = dayCalendar(reasons, args.display, first, stamp, path);
    }
    const auto out = args.values.find("-o");
    if (out == args.values.end()) {
        io.out << bytes;
        return 0;
    }
    return writeOutput(devices.files, out->second, bytes, io.err);
}

} // namespace fh::cli

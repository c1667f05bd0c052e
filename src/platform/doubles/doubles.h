#pragma once

// In-memory devices for tests, benchmarks and fuzzing: time that moves only when
// told, and sinks that record what the logic showed, asked, wrote or drew.

#include "platform/displaylist.h"
#include "platform/devices.h"
#include "platform/jobwatch.h"
#include "platform/platform.h"
#include "platform/printer.h"
#include "platform/settings.h"
#include "platform/zones.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fh::doubles {

// Every move of the time wakes whoever waits for the next second, as the passing of
// that second would.
class FakeClock : public Clock {
public:
    explicit FakeClock(int seconds = 0) : second(seconds) {}
    int secondsOfDay() const override { return second; }
    DateTime now() const override { return {date.year, date.month, date.day, second}; }
    void wakeAtNextSecond(std::function<void()> wake) override { alarm = std::move(wake); }
    void set(int seconds)
    {
        second = dayOf(seconds);
        if (alarm)
            std::exchange(alarm, {})();
    }
    void advance(int seconds = 1) { set(second + seconds); }
    // The day it stands on; moves of the time leave it.
    DateTime date{2024, 5, 17, 0};

private:
    int second;
    std::function<void()> alarm;
};

// Time in milliseconds that moves only when told; a move wakes the sleeper at the
// moment it asked for, as often as it asks on the way.
class FakeWallTimer : public WallTimer {
public:
    long long milliseconds() const override { return now; }
    void wakeAfter(long long delay, std::function<void()> wake) override
    {
        alarmAt = now + delay;
        alarm = std::move(wake);
    }
    void advance(long long by)
    {
        const long long end = now + by;
        while (alarm && alarmAt <= end) {
            now = std::max(now, alarmAt);
            std::exchange(alarm, {})();
        }
        now = end;
    }

private:
    long long now = 0;
    long long alarmAt = 0;
    std::function<void()> alarm;
};

class CountingBeeper : public Beeper {
public:
    void beep() override { ++count; }
    int count = 0;
};

class RecordingMessageBox : public MessageBox {
public:
    void show(const std::string& text) override { shown.push_back(text); }
    SaveChoice askSave(const std::string& text) override
    {
        asked.push_back(text);
        return answer;
    }
    bool askYesNo(const std::string& text) override
    {
        asked.push_back(text);
        return yes;
    }
    std::vector<std::string> shown;
    std::vector<std::string> asked;
    SaveChoice answer = SaveChoice::Cancel;
    bool yes = false;
};

// Answers with `name` (no value: cancelled) and records the initial names offered.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::optional<std::string> openFileName(const std::string& initial, const FileType&) override
    {
        offered.push_back(initial);
        return name;
    }
    std::optional<std::string> saveFileName(const std::string& initial, const FileType&) override
    {
        offered.push_back(initial);
        return name;
    }
    std::optional<std::string> name;
    std::vector<std::string> offered;
};

class MemoryTextFiles : public TextFiles {
public:
    Read read(const std::string& path, std::size_t limit, bool regularOnly) override;
    std::optional<std::string> write(const std::string& path, const std::string& bytes) override;
    bool exists(const std::string& path) override { return files.contains(path) || failing.contains(path); }
    bool sameFile(const std::string& a, const std::string& b) override { return a == b && exists(a); }
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> failing; // path -> reason, for reads and writes
    std::set<std::string> pipes;                // paths in `files` that are pipes
};

// A print queue's answers to where its jobs stand, in turn, the last one repeated.
struct ScriptedJobs {
    std::vector<JobStatus> answers{{JobStatus::State::Printed, {}}};
    int asked = 0;
    int lastId = 0;
    PrintJob take(const std::string& queue)
    {
        return {queue, ++lastId, [this] {
                    const auto turn = static_cast<std::size_t>(asked++);
                    return answers.at(std::min(turn, answers.size() - 1));
                }};
    }
};

// Pages of printed lines; a page break opens a new page. With a queue, a document
// ended without failure becomes a job there.
class RecordingPrinter : public Printer {
public:
    RecordingPrinter() : pages(1) {}
    void setFontSize(double points) override { fontSize = points; }
    void printLine(const std::string& text) override { pages.back().push_back(text); }
    void newPage() override { pages.emplace_back(); }
    void setLandscape(bool on) override { landscape = on; }
    void setJobName(const std::string& name) override { jobName = name; }
    PageRect pageArea() const override { return area; }
    void paint(const DisplayList& picture, double width, double height, const PageRect& target) override
    {
        painted.push_back({picture, width, height, target});
    }
    std::optional<std::string> endDoc() override
    {
        ++ended;
        return failure;
    }
    void setFooter(const std::string& lead) override { footer = lead; }
    std::optional<PrintJob> job() const override
    {
        if (queue.empty() || ended == 0 || failure)
            return std::nullopt;
        return jobs->take(queue);
    }
    // Each page's footer, as the page would carry it.
    std::vector<std::string> footers() const
    {
        std::vector<std::string> lines;
        if (!footer.empty())
            for (std::size_t page = 1; page <= pages.size(); ++page)
                lines.push_back(footerLine(footer, static_cast<int>(page), static_cast<int>(pages.size())));
        return lines;
    }
    std::vector<std::vector<std::string>> pages;
    std::string footer;
    std::string queue;
    std::shared_ptr<ScriptedJobs> jobs = std::make_shared<ScriptedJobs>();
    double fontSize = 0;
    bool landscape = false;
    std::string jobName;
    PageRect area{0, 0, 11000, 8000};
    struct Painting {
        DisplayList picture;
        double width, height;
        PageRect target;
    };
    std::vector<Painting> painted;
    int ended = 0;
    std::optional<std::string> failure;
};

class MemorySettings : public Settings {
public:
    std::vector<std::string> strings(const std::string& key) const override
    {
        const auto found = values.find(key);
        return found == values.end() ? std::vector<std::string>{} : found->second;
    }
    void setStrings(const std::string& key, const std::vector<std::string>& stored) override { values[key] = stored; }
    std::map<std::string, std::vector<std::string>> values;
};

// Hands out one recording printer, or none as a cancelled dialog does, and records
// the file names offered for a print to a file.
class ScriptedPrinterDialog : public PrinterDialog {
public:
    Printer* choose(const std::string& fileName) override
    {
        offered.push_back(fileName);
        return cancelled ? nullptr : &printer;
    }
    RecordingPrinter printer;
    bool cancelled = false;
    std::vector<std::string> offered;
};

// Printers by name; each job printed is recorded as "PRINTER: JOB", and its footer's
// lead in `footers`. The jobs' states follow `jobs`. A service that is `down` names no
// printer.
class NamedPrinters : public PrintService {
public:
    std::vector<std::string> printerNames() override { return down ? std::vector<std::string>{} : names; }
    std::unique_ptr<Printer> open(const std::string& name) override
    {
        const auto known = printerNames();
        if (std::find(known.begin(), known.end(), name) == known.end())
            return nullptr;
        return std::make_unique<Logged>(name, *this);
    }
    std::optional<std::string> unreachable() override { return down; }
    std::vector<std::string> names;
    std::vector<std::string> opened;
    std::vector<std::string> footers;
    std::shared_ptr<ScriptedJobs> jobs = std::make_shared<ScriptedJobs>();
    std::optional<std::string> down;

private:
    struct Logged : RecordingPrinter {
        Logged(std::string name, NamedPrinters& service) : service(service)
        {
            queue = std::move(name);
            jobs = service.jobs;
        }
        void setJobName(const std::string& job) override { service.opened.push_back(queue + ": " + job); }
        std::optional<std::string> endDoc() override
        {
            service.footers.push_back(footer);
            return RecordingPrinter::endDoc();
        }
        NamedPrinters& service;
    };
};

// Every device of a window's File menu as a double, and the bundle over them. The
// print jobs' status lines are recorded in `statusLines`; their time is `jobTime`.
struct AllDevices {
    AllDevices()
    {
        jobs.setStatusLine([this](const std::string& line) { statusLines.push_back(line); });
    }
    AllDevices(const AllDevices&) = delete;
    AllDevices& operator=(const AllDevices&) = delete;
    FakeClock clock;
    CountingBeeper beeper;
    RecordingMessageBox messages;
    ScriptedFileDialogs dialogs;
    MemoryTextFiles files;
    ScriptedPrinterDialog printers;
    MemorySettings settings;
    FakeWallTimer jobTime;
    JobWatch jobs{jobTime, messages};
    std::vector<std::string> statusLines;
    Devices devices() { return {clock, beeper, messages, dialogs, files, printers, settings, jobs}; }
};

// Zones of a fixed offset each, with no daylight saving; the first is the system's.
class FixedZones : public Zones {
public:
    FixedZones(std::vector<std::pair<std::string, int>> zones) : zones(std::move(zones)) {}
    std::optional<int> offsetAt(const std::string& name, std::int64_t) const override
    {
        const auto found = std::ranges::find(zones, name, &std::pair<std::string, int>::first);
        return found == zones.end() ? std::nullopt : std::optional(found->second);
    }
    std::string systemZone() const override { return zones.empty() ? std::string() : zones.front().first; }

private:
    std::vector<std::pair<std::string, int>> zones;
};

} // namespace fh::doubles

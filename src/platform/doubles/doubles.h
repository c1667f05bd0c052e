#pragma once

// In-memory devices for tests, benchmarks and fuzzing: time that moves only when
// told, and sinks that record what the logic showed, asked, wrote or drew.

#include "platform/displaylist.h"
#include "platform/devices.h"
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
    explicit FakeClock(int seconds = 0) : now(seconds) {}
    int secondsOfDay() const override { return now; }
    void wakeAtNextSecond(std::function<void()> wake) override { alarm = std::move(wake); }
    void set(int seconds)
    {
        now = dayOf(seconds);
        if (alarm)
            std::exchange(alarm, {})();
    }
    void advance(int seconds = 1) { set(now + seconds); }

private:
    int now;
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

// Pages of printed lines; a page break opens a new page.
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
    std::vector<std::vector<std::string>> pages;
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

// Printers by name; each job printed is recorded as "PRINTER: JOB".
class NamedPrinters : public PrintService {
public:
    std::vector<std::string> printerNames() override { return names; }
    std::unique_ptr<Printer> open(const std::string& name) override
    {
        if (std::find(names.begin(), names.end(), name) == names.end())
            return nullptr;
        return std::make_unique<Logged>(name, opened);
    }
    std::vector<std::string> names;
    std::vector<std::string> opened;

private:
    struct Logged : RecordingPrinter {
        Logged(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
        void setJobName(const std::string& job) override { log.push_back(name + ": " + job); }
        std::string name;
        std::vector<std::string>& log;
    };
};

// Every device of a window's File menu as a double, and the bundle over them.
struct AllDevices {
    FakeClock clock;
    CountingBeeper beeper;
    RecordingMessageBox messages;
    ScriptedFileDialogs dialogs;
    MemoryTextFiles files;
    ScriptedPrinterDialog printers;
    MemorySettings settings;
    Devices devices() { return {clock, beeper, messages, dialogs, files, printers, settings}; }
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

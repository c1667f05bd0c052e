#include "session/programfiles.h"

#include "compiler/day.h"
#include "compiler/decode.h"
#include "compiler/why.h"
#include "files/export.h"
#include "session/session.h"
#include "files/listing.h"
#include "files/programfile.h"
#include "language/latin1.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <optional>
#include <utility>

namespace fh {

namespace {

// "line N: note" for each note, at most maxReportedLines of them. Boxes read UTF-8, as
// the path is; a note may quote the line's Latin-1 bytes.
std::string loadReport(const std::string& path, const std::vector<LoadNote>& notes)
{
    if (notes.empty())
        return {};
    std::string report = "Lines of " + path + " to look at:";
    for (std::size_t i = 0; i < notes.size() && i < maxReportedLines; ++i)
        report += "\nline " + std::to_string(notes[i].line) + ": " + utf8FromLatin1(describe(notes[i]));
    if (notes.size() > maxReportedLines)
        report += "\nand " + std::to_string(notes.size() - maxReportedLines) + " more";
    return report;
}

enum class DayForm { Csv, Calendar, Waveform };

// The form a file's extension names, in any case; none for another.
std::optional<DayForm> dayFormOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "csv")
        return DayForm::Csv;
    if (extension == "ics")
        return DayForm::Calendar;
    if (extension == "vcd")
        return DayForm::Waveform;
    return std::nullopt;
}

} // namespace

ProgramFiles::ProgramFiles(Session& owner, const Devices& platform)
    : session(owner), devices(platform), recent(platform.settings.strings(recentFilesKey))
{
    // The settings file is the user's to edit.
    if (recent.size() > recentFileCount)
        recent.resize(recentFileCount);
}

void ProgramFiles::load()
{
    const auto name = devices.dialogs.openFileName(lastName_, programFileType);
    if (!name || name->empty())
        return;
    loadFrom(*name);
}

bool ProgramFiles::loadFrom(const std::string& path)
{
    lastName_ = path;
    // A window never waits on a pipe.
    LoadedProgram loaded = loadProgram(devices.files, path, true);
    if (!loaded.program) {
        devices.messages.show("Cannot load " + path + ": " + loaded.error);
        return false;
    }
    session.open(*loaded.program, path);
    remember(path);
    if (const std::string report = loadReport(path, loaded.program->notes); !report.empty())
        devices.messages.show(report);
    return true;
}

bool ProgramFiles::open(const std::string& path)
{
    if (!devices.files.exists(path)) {
        devices.messages.show(path + " is no longer there.");
        std::erase(recent, path);
        devices.settings.setStrings(recentFilesKey, recent);
        return false;
    }
    return closeRequested() && loadFrom(path);
}

bool ProgramFiles::save()
{
    const auto typed = devices.dialogs.saveFileName(lastName_, programFileType);
    if (!typed || typed->empty())
        return false;
    const std::string name = withProgramExtension(*typed);
    lastName_ = name;
    if (const auto error = saveProgram(devices.files, name, session.lists())) {
        devices.messages.show("Cannot save " + name + ": " + *error);
        return false;
    }
    session.markSaved();
    remember(name);
    return true;
}

bool ProgramFiles::exportDay()
{
    const auto name = devices.dialogs.saveFileName(lastExport, dayExportType);
    if (!name || name->empty())
        return false;
    lastExport = *name;
    const auto form = dayFormOf(*name);
    if (!form) {
        devices.messages.show("Cannot export to " + *name + ": name a file ending in .csv, .ics or .vcd");
        return false;
    }
    const auto program = dayProgram(session.lists(), devices.messages);
    if (!program)
        return false;
    if (program->proglast() < 0) {
        devices.messages.show(std::string(noProgramPresent));
        return false;
    }
    const DayReasons reasons(*program, session.lists());
    const Display& display = session.display();
    std::string bytes;
    if (*form == DayForm::Csv) {
        bytes = dayCsv(reasons, display);
    } else if (*form == DayForm::Waveform) {
        bytes = dayWaveform(reasons, display);
    } else {
        const DateTime today = devices.clock.now();
        const std::chrono::year_month_day first{std::chrono::year(today.year),
                                                std::chrono::month(static_cast<unsigned>(today.month)),
                                                std::chrono::day(static_cast<unsigned>(today.day))};
        const auto stamp = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
        const std::string& file = session.fileName();
        bytes = dayCalendar(reasons, display, first, stamp, file.empty() ? *name : file);
    }
    if (const auto error = devices.files.write(*name, bytes)) {
        devices.messages.show("Cannot export to " + *name + ": " + *error);
        return false;
    }
    return true;
}

void ProgramFiles::importFile()
{
    const auto name = devices.dialogs.openFileName({}, pasteableCodeType);
    if (!name || name->empty())
        return;
    const TextFiles::Read read = devices.files.read(*name, programFileLimit, true);
    if (!read.ok)
        devices.messages.show("Cannot import " + *name + ": " + read.error);
    else
        importCode(read.bytes, *name);
}

bool ProgramFiles::importCode(std::string_view code, const std::string& source)
{
    DecodedCode decoded = decode(code);
    const auto refuse = [&](const std::string& reason) {
        devices.messages.show("Cannot import " + source + ": " + reason);
        return false;
    };
    if (decoded.unreadable)
        return refuse("line " + std::to_string(decoded.unreadable->line) + ": " + decoded.unreadable->reason);
    if (std::all_of(decoded.lists.begin(), decoded.lists.end(), [](const auto& list) { return list.empty(); }))
        return refuse("it holds no pasteable code");
    session.change(std::move(decoded.lists));
    session.setFileName({});
    return true;
}

void ProgramFiles::print()
{
    Printer* printer = devices.printers.choose(printFileName(session.fileName(), "listing"));
    if (!printer)
        return;
    printer->setFooter(printFooter(session.fileName(), devices.clock.now()));
    devices.jobs.finish(*printer, printListing(session.lists(), *printer, printJobName(session.fileName(), "listing")));
}

bool ProgramFiles::closeRequested()
{
    if (!session.modified())
        return true;
    switch (devices.messages.askSave(std::string(saveQuestion))) {
    case SaveChoice::Save:
        return save();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        return false;
    }
    return false;
}

// The lists are now the file's: it names the window and heads the recent files.
void ProgramFiles::remember(const std::string& path)
{
    session.setFileName(path);
    std::erase(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > recentFileCount)
        recent.pop_back();
    devices.settings.setStrings(recentFilesKey, recent);
}

} // namespace fh

#pragma once

// The File menu of a session: Load, Open Recent, Save, Import, Print and the question
// asked when the lists would go with unsaved changes. The window forwards its clicks
// here; the work runs over the device interfaces, so it is the same under test doubles.

#include "files/programfile.h"
#include "platform/platform.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

class Session;

inline constexpr std::string_view saveQuestion = "Save changes to the program?";
inline constexpr FileType pasteableCodeType{"Pasteable code", "txt"};
inline constexpr FileType dayExportType{"The day as CSV (.csv), iCalendar (.ics) or VCD (.vcd)", "csv"};
inline constexpr std::size_t maxReportedLines = 10;
inline constexpr std::size_t recentFileCount = 8;
inline constexpr const char* recentFilesKey = "recentFiles";

class ProgramFiles {
public:
    // The recent files are those the settings hold.
    ProgramFiles(Session& session, const Devices& platform);

    // Open dialog, then loadFrom the confirmed name. Cancelling changes nothing.
    void load();
    // Reads the whole file, then replaces the lists; a file that cannot be read is
    // reported and leaves the lists as they were. The notes on its lines (failing the
    // check, filed anew, not loaded) are reported after loading, before any save.
    bool loadFrom(const std::string& path);
    // A recent or dropped file: loadFrom, once closeRequested allows. A file that is
    // gone is reported and leaves the recent files.
    bool open(const std::string& path);
    // Save dialog, then writes the lists, to a name with an extension. True only when
    // the file was written.
    bool save();
    // Open dialog, then importCode of that file's bytes. Cancelling changes nothing.
    void importFile();
    // The lists rebuilt from pasteable code, which then belong to no file. A line that
    // cannot be read, or code without a line, is reported with `source` and leaves the
    // lists as they were.
    bool importCode(std::string_view code, const std::string& source);
    // Save dialog, then the day of the lists' checked lines, in the form the chosen
    // name's extension names (.csv, .ics, .vcd); another is refused. A calendar's
    // first day is the clock's date. True only when the file was written.
    bool exportDay();
    // Printer dialog, then the listing, as a job named after the file, each page with
    // its footer; the job is followed. Cancelling prints nothing.
    void print();
    // Whether the lists may go (the window closes, another file opens): asks first
    // when they have changed.
    bool closeRequested();

    // The name last confirmed in a dialog (or loaded at start-up), offered next time.
    const std::string& lastName() const { return lastName_; }
    // The last files loaded or saved, newest first.
    const std::vector<std::string>& recentFiles() const { return recent; }

private:
    void remember(const std::string& path);

    Session& session;
    Devices devices;
    std::string lastName_;
    std::string lastExport;
    std::vector<std::string> recent;
};

} // namespace fh

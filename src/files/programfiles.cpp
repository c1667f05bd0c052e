#include "files/programfiles.h"

#include "language/datcheck.h"
#include "language/editor.h"
#include "files/listing.h"
#include "files/programfile.h"

#include <utility>

namespace fh {

namespace {

// "line N: message" for each item that fails the check, N its line in the file:
// every item and the two separators before the third one take one line each.
std::string checkReport(const std::string& path, const CommandLists& lists)
{
    std::string report;
    std::size_t failing = 0;
    std::size_t fileLine = 0;
    for (std::size_t list = 0; list < lists.size(); ++list) {
        if (list > 0)
            ++fileLine;
        for (const auto& item : lists[list]) {
            ++fileLine;
            const CheckResult r = datcheck(item);
            if (r.dataok)
                continue;
            if (++failing <= maxReportedLines)
                report += "\nline " + std::to_string(fileLine) + ": " + r.errmsg;
        }
    }
    if (failing == 0)
        return {};
    if (failing > maxReportedLines)
        report += "\nand " + std::to_string(failing - maxReportedLines) + " more";
    return "Lines of " + path + " that fail the command check:" + report;
}

} // namespace

LoadedProgram loadProgram(TextFiles& files, const std::string& path, bool regularOnly)
{
    const TextFiles::Read read = files.read(path, programFileLimit, regularOnly);
    if (!read.ok)
        return {std::nullopt, read.error};
    return {readProgramFile(read.bytes), {}};
}

std::optional<std::string> saveProgram(TextFiles& files, const std::string& path, const CommandLists& lists)
{
    return files.write(path, writeProgramFile(lists));
}

void ProgramFiles::load()
{
    const auto name = devices.dialogs.openFileName(lastName_);
    if (!name || name->empty())
        return;
    loadFrom(*name);
}

bool ProgramFiles::loadFrom(const std::string& path)
{
    lastName_ = path;
    // A window never waits on a pipe.
    LoadedProgram loaded = loadProgram(devices.files, path, true);
    if (!loaded.lists) {
        devices.messages.show("Cannot load " + path + ": " + loaded.error);
        return false;
    }
    editor.replaceLists(std::move(*loaded.lists));
    if (const std::string report = checkReport(path, editor.lists()); !report.empty())
        devices.messages.show(report);
    return true;
}

bool ProgramFiles::save()
{
    const auto name = devices.dialogs.saveFileName(lastName_);
    if (!name || name->empty())
        return false;
    lastName_ = *name;
    if (const auto error = saveProgram(devices.files, *name, editor.lists())) {
        devices.messages.show("Cannot save " + *name + ": " + *error);
        return false;
    }
    editor.markSaved();
    return true;
}

void ProgramFiles::print()
{
    Printer* printer = devices.printers.choose();
    if (!printer)
        return;
    if (const auto error = printListing(editor.lists(), *printer))
        devices.messages.show("Cannot print: " + *error);
}

bool ProgramFiles::closeRequested()
{
    if (!editor.modified())
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

} // namespace fh

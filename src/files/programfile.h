#pragma once

// The program file: the three command lists in order, separated by lines "==",
// every line ended by CR LF, bytes kept as they are.

#include "language/commandlists.h"
#include "platform/devices.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

inline constexpr std::string_view separatorLine = "==";
// Some editors begin a UTF-8 file with it; it is no part of the first line.
inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// What the file dialogs offer first.
inline constexpr FileType programFileType{"Fernhollow programs", "fhp"};

// `path` with ".fhp" added when the file's own name has no extension: "my.prog" has
// one, "v1.2/plan" has not. A path ending in a folder is left as it is.
std::string withProgramExtension(const std::string& path);

// Far beyond any program; a larger file is refused rather than read.
inline constexpr std::size_t programFileLimit = 16 * 1024 * 1024;

// Something a load tells the user about one line of the file, numbered from 1 with
// the separators counted.
struct LoadNote {
    enum Kind {
        FailsCheck,    // kept as read; `text` is the check's message
        FiledAnew,     // passes the check but was not in filed form; `text` is the line as filed
        NotLoaded,     // after the third separator; `text` is the line
        ByteOrderMark, // at the start of the file, dropped; line 1, no text
    };
    Kind kind;
    std::size_t line;
    std::string text;
    friend bool operator==(const LoadNote&, const LoadNote&) = default;
};

// What the note says, as "line N: " or "FILE:N: error: " continue it.
std::string describe(const LoadNote& note);
// A line failed or was lost; the other notes only say what the load did.
bool isError(const LoadNote& note);

struct ProgramRead {
    CommandLists lists;
    // Each item of `lists` as the file wrote it where that differs from the item, else
    // empty, and nothing after the last that differs: most lines are written as filed,
    // and are not kept twice. Read through written().
    CommandLists writtenIfOther;
    std::array<std::vector<std::size_t>, 3> lineNumbers; // each item's line in the file
    std::vector<LoadNote> notes; // in the order of the file

    // Item `item` of list `list` as the file wrote it.
    std::string_view written(std::size_t list, std::size_t item) const;
};

// A byte-order mark at the start is dropped. CR, LF and CR LF each end a line; a
// last line without a line end counts. A blank line, or one of spaces only, is
// dropped without a word: it holds no command, and a save leaves it out anyway. A
// line that passes the command check is filed in its normalised form, in the list it
// was read into; one that fails stays as read. Lines after a third separator are not
// loaded.
ProgramRead readProgramFile(std::string_view bytes);

// The pasteable code of a program file's bytes, compiled by `clock`; none,
// said through `messages`, when the lists hold more lines than the controller takes.
std::optional<std::string> compileFileText(std::string_view bytes, const Clock& clock, MessageBox& messages);

// Items that are empty or of spaces only are left out.
std::string writeProgramFile(const CommandLists& lists);

// A program file as read, or none and the reason it could not be read.
struct LoadedProgram {
    std::optional<ProgramRead> program;
    std::string error;
};

// Reads a whole program file of at most programFileLimit bytes; `regularOnly`
// refuses pipes and devices.
LoadedProgram loadProgram(TextFiles& files, const std::string& path, bool regularOnly);
// Writes the lists as a program file; returns the reason of a failure.
std::optional<std::string> saveProgram(TextFiles& files, const std::string& path, const CommandLists& lists);

} // namespace fh

#pragma once

// The small device interfaces through which the logic reaches the desktop: clock,
// wall timer, beeper, message box, file dialogs and text files. Each has a Qt
// realisation (platform/qt) and an in-memory double (platform/doubles).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fh {

inline constexpr int secondsPerDay = 86400;

// A moment of the local calendar, to the second.
struct DateTime {
    int year = 2000, month = 1, day = 1;
    int secondsOfDay = 0;
    bool operator==(const DateTime&) const = default;
};

// Local time of day in whole seconds, 0..86399. Nothing the program shows changes
// between whole seconds, so a caller sleeps until the next one begins.
class Clock {
public:
    virtual ~Clock() = default;
    virtual int secondsOfDay() const = 0;
    // The local date and time, for what a printout says of when it was made. A clock
    // that keeps the time of day only (a simulation's) stands on 2000-01-01.
    virtual DateTime now() const { return {2000, 1, 1, secondsOfDay()}; }
    // Calls `wake` once, when the clock's next second has begun, in place of any
    // earlier request. A clock that never moves never wakes.
    virtual void wakeAtNextSecond(std::function<void()> wake) { static_cast<void>(wake); }
};

// Steady time finer than the clock's seconds, for a preview that runs the day faster
// than the clock.
class WallTimer {
public:
    virtual ~WallTimer() = default;
    // Milliseconds since some fixed moment; never goes back.
    virtual long long milliseconds() const = 0;
    // Calls `wake` once, `delay` milliseconds from now, in place of any earlier
    // request; an empty `wake` cancels.
    virtual void wakeAfter(long long delay, std::function<void()> wake) = 0;
};

// "hh:mm:ss" on a 24-hour clock; the seconds are taken modulo one day.
std::string formatTime(int secondsOfDay);
// The second of the day that `seconds` falls on, counted on or back across midnight.
int dayOf(long long seconds);

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

enum class SaveChoice { Save, Discard, Cancel };

// Modal boxes titled with the application title, OK button, no icon.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const std::string& text) = 0;
    // Save, Discard and Cancel buttons.
    virtual SaveChoice askSave(const std::string& text) = 0;
    // Yes and No buttons; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
};

inline constexpr const char* applicationTitle = "Fernhollow";

// The reason given for a file larger than a reader takes.
std::string tooLarge(std::size_t limit);
// The reasons given for a file that is no place to read a program from or write to.
std::string notRegular(const std::string& path);
std::string readOnly(const std::string& path);

// The kind of file a dialog offers first, before all files: its name and its
// extension without the dot.
struct FileType {
    std::string_view name;
    std::string_view extension;
};

// Open and save dialogs without title, offering files of `type` first. They offer
// `initial` and give the confirmed name, or no value when the user cancels.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> openFileName(const std::string& initial, const FileType& type) = 0;
    virtual std::optional<std::string> saveFileName(const std::string& initial, const FileType& type) = 0;
};

// Whole files as bytes. A write leaves the old file as it was unless all was written,
// keeps what the file was (its permissions, owner, group, ACL, extended attributes and
// hard links), and refuses a read-only file and anything that is not a regular file.
class TextFiles {
public:
    virtual ~TextFiles() = default;
    struct Read {
        bool ok = false;
        std::string bytes;
        std::string error; // the reason, when not ok
    };
    // A file larger than `limit` bytes is not read. `regularOnly` refuses anything
    // but a regular file (a pipe would block a window until someone writes to it).
    virtual Read read(const std::string& path, std::size_t limit, bool regularOnly) = 0;
    // Returns the reason of a failure, or no value when all was written.
    virtual std::optional<std::string> write(const std::string& path, const std::string& bytes) = 0;
    // Whether anything, even an unreadable file, stands under `path`.
    virtual bool exists(const std::string& path) = 0;
    // Whether both paths lead to one file that is there, whatever links and names lead to it.
    virtual bool sameFile(const std::string& a, const std::string& b) = 0;
};

} // namespace fh

#pragma once

// The command editor behind the main window: the three command lists (T, L and W
// lines, the program's source), entry of a typed line, removal and copying of
// items, and the program-state indicator. Texts are bytes of the program file's
// 8-bit character set.

#include "language/commandlists.h"
#include "language/datcheck.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

class MessageBox;

enum class Indicator {
    Designed,   // as the window opens: "Not Current", red
    NotCurrent, // "not current", red
    Programmed, // "programmed", green
};

inline constexpr int deleteKey = 46;
inline constexpr int rightButton = 2;

class Editor {
public:
    explicit Editor(MessageBox& messages) : messages(messages) {}

    // Enter in the entry box. Checks the line; a bad line is reported and changes
    // nothing, a good one is filed. Returns true when the entry box is to be emptied.
    bool pumpcom(std::string_view text);
    void oldit() { indicator_ = Indicator::NotCurrent; }
    void sendit() { indicator_ = Indicator::Programmed; }

    // Key down in list `list` (0..2) whose selected item is `selected` (-1: none).
    void keyDown(int list, int selected, int keyCode);
    // Mouse button down: the text to copy into the entry box, if any.
    std::optional<std::string> mouseDown(int list, int selected, int button) const;

    const CommandLists& lists() const { return lists_; }
    void replaceLists(CommandLists lists);
    Indicator indicator() const { return indicator_; }

    // Lists other than when they were last loaded or saved: a line entered and
    // removed again changes nothing.
    bool modified() const { return lists_ != saved; }
    void markSaved() { saved = lists_; }

    int dataok = 0;
    std::string errmsg;
    std::string cmdline;
    std::array<int, 3> sel{}; // remembered index per list for the Delete key

private:
    MessageBox& messages;
    CommandLists lists_;
    CommandLists saved;
    Indicator indicator_ = Indicator::Designed;
};

} // namespace fh

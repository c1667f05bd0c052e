#pragma once

// The command editor behind the main window: the three command lists (T, L and W
// lines, the program's source), entry of a typed line, removal, copying and editing
// of items, and the program-state indicator. Texts are bytes of the program file's
// 8-bit character set.

#include "compiler/display.h"
#include "language/commandlists.h"
#include "language/datcheck.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fh {

class MessageBox;

enum class Indicator {
    Designed,   // as the window opens: "Not Current", red
    NotCurrent, // "not current", red
    Programmed, // "programmed", green
};

// An item of the lists: list 0..2 and its index there.
struct Place {
    int list = 0;
    int index = 0;
    friend bool operator==(const Place&, const Place&) = default;
};

class Editor {
public:
    // What an undo step puts back: the lists and the item each remembers for Delete.
    // Not the indicator: that tells what was sent, and undoing typing sends nothing.
    struct Snapshot {
        CommandLists lists;
        std::array<int, 3> remembered{};
    };

    explicit Editor(MessageBox& messages);

    // Enter in the entry box. Checks the line; a bad line is reported and changes
    // nothing, a good one is filed. Returns true when the entry box is to be emptied.
    bool pumpcom(std::string_view text);
    void oldit() { indicator_ = Indicator::NotCurrent; }
    void sendit() { indicator_ = Indicator::Programmed; }

    // Any key in list `list` (0..2) whose selected item is `selected` (-1: none): the
    // selection, if any, becomes the list's remembered item, kept within the list.
    void rememberSelection(int list, int selected);
    // Delete in a list: removes the selected item, or else the remembered one, and
    // then remembers the item before it.
    void deleteSelected(int list, int selected);
    // The selected item of a list, to copy into the entry box; none when nothing is selected.
    std::optional<std::string> copySelected(int list, int selected) const;
    // Item `index` of list `list` typed anew: checked as Enter checks a line. A bad
    // line is reported and changes nothing; a good one takes the item's place, or
    // moves to the end of its own list when its letter changed; the item filed as it
    // was changes nothing. Returns where it stands; none for a bad line or a place
    // outside the lists.
    std::optional<Place> edit(int list, int index, std::string_view text);

    const CommandLists& lists() const { return lists_; }
    // A load or New: the new lists count as saved.
    void replaceLists(CommandLists lists);
    // Any other change of the lists as a whole, such as a sort or an import.
    void setLists(CommandLists lists) { lists_ = std::move(lists); }
    Snapshot snapshot() const { return {lists_, sel}; }
    void restore(Snapshot state);
    Indicator indicator() const { return indicator_; }

    // Lists other than when they were last loaded or saved: a line entered and
    // removed again changes nothing.
    bool modified() const { return lists_ != saved; }
    void markSaved() { saved = lists_; }

    // How a bad line's message gives set-points: in °C as a grower typing °C reads them.
    const Display& display() const { return display_; }
    void setDisplay(const Display& display) { display_ = display; }

    // The outcome of the last check of a typed line.
    bool dataok() const { return dataok_; }
    const std::string& errmsg() const { return errmsg_; }
    const std::string& cmdline() const { return cmdline_; }
    // Where the line filed by the last Enter or edit stands; none when it was refused.
    const std::optional<Place>& filedAt() const { return filedAt_; }

private:
    // datcheck with its outcome kept; a bad line is reported.
    bool check(std::string_view text);
    std::optional<Place> placeEdited(int list, int index, std::string_view text);

    MessageBox& messages;
    CommandLists lists_;
    CommandLists saved;
    Indicator indicator_ = Indicator::Designed;
    Display display_;
    bool dataok_ = false;
    std::string errmsg_;
    std::string cmdline_;
    std::optional<Place> filedAt_;
    std::array<int, 3> sel{}; // remembered item per list, for the Delete key
};

} // namespace fh

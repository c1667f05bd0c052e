#include "session/editor.h"

#include "language/latin1.h"
#include "language/terms.h"
#include "platform/devices.h"

namespace fh {

Editor::Editor(MessageBox& boxes) : messages(boxes) {}

bool Editor::check(std::string_view text)
{
    const CheckResult r = datcheck(text);
    dataok_ = r.dataok;
    if (!r.dataok) {
        errmsg_ = r.errmsg;
        messages.show(utf8FromLatin1(display_.checkMessage(errmsg_)));
        return false;
    }
    cmdline_ = r.cmdline;
    return true;
}

bool Editor::pumpcom(std::string_view text)
{
    filedAt_.reset();
    if (!check(text))
        return false;
    oldit();
    const int list = listOf(cmdline_);
    if (list >= 0) {
        auto& items = lists_[static_cast<std::size_t>(list)];
        items.push_back(cmdline_);
        filedAt_ = Place{list, static_cast<int>(items.size()) - 1};
    }
    return true;
}

void Editor::rememberSelection(int list, int selected)
{
    if (list < 0 || list > 2)
        return;
    int& remembered = sel[static_cast<std::size_t>(list)];
    const int count = static_cast<int>(lists_[static_cast<std::size_t>(list)].size());
    if (selected >= 0)
        remembered = selected;
    if (count > 0 && remembered > count - 1)
        remembered = count - 1;
    if (remembered < 0)
        remembered = 0;
}

void Editor::deleteSelected(int list, int selected)
{
    rememberSelection(list, selected);
    if (list < 0 || list > 2)
        return;
    auto& items = lists_[static_cast<std::size_t>(list)];
    int& remembered = sel[static_cast<std::size_t>(list)];
    if (items.empty())
        return;
    items.erase(items.begin() + remembered);
    --remembered;
}

std::optional<std::string> Editor::copySelected(int list, int selected) const
{
    if (list < 0 || list > 2)
        return std::nullopt;
    const auto& items = lists_[static_cast<std::size_t>(list)];
    if (selected < 0 || selected >= static_cast<int>(items.size()))
        return std::nullopt;
    return items[static_cast<std::size_t>(selected)];
}

std::optional<Place> Editor::edit(int list, int index, std::string_view text)
{
    filedAt_ = placeEdited(list, index, text);
    return filedAt_;
}

std::optional<Place> Editor::placeEdited(int list, int index, std::string_view text)
{
    if (list < 0 || list > 2)
        return std::nullopt;
    auto& items = lists_[static_cast<std::size_t>(list)];
    if (index < 0 || index >= static_cast<int>(items.size()) || !check(text))
        return std::nullopt;
    const int own = listOf(cmdline_);
    const auto at = items.begin() + index;
    if (own < 0 || own == list) {
        // The same line filed again is no change, and leaves a sent program current.
        if (*at != cmdline_)
            oldit();
        *at = cmdline_;
        return Place{list, index};
    }
    oldit();
    items.erase(at);
    auto& target = lists_[static_cast<std::size_t>(own)];
    target.push_back(cmdline_);
    return Place{own, static_cast<int>(target.size()) - 1};
}

void Editor::restore(Snapshot state)
{
    lists_ = std::move(state.lists);
    sel = state.remembered;
}

void Editor::replaceLists(CommandLists lists)
{
    lists_ = std::move(lists);
    saved = lists_;
}

} // namespace fh

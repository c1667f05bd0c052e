#include "language/editor.h"

#include "language/terms.h"
#include "platform/devices.h"

namespace fh {

bool Editor::pumpcom(std::string_view text)
{
    const CheckResult r = datcheck(text);
    dataok = r.dataok;
    if (!r.dataok) {
        errmsg = r.errmsg;
        messages.show(errmsg);
        return false;
    }
    cmdline = r.cmdline;
    oldit();
    const int list = listOf(cmdline);
    if (list >= 0)
        lists_[static_cast<std::size_t>(list)].push_back(cmdline);
    return true;
}

void Editor::keyDown(int list, int selected, int keyCode)
{
    if (list < 0 || list > 2)
        return;
    auto& items = lists_[static_cast<std::size_t>(list)];
    int& remembered = sel[static_cast<std::size_t>(list)];
    const int count = static_cast<int>(items.size());
    if (selected >= 0)
        remembered = selected;
    if (count > 0 && remembered > count - 1)
        remembered = count - 1;
    if (remembered < 0)
        remembered = 0;
    if (keyCode == deleteKey && count > 0) {
        items.erase(items.begin() + remembered);
        --remembered;
    }
}

std::optional<std::string> Editor::mouseDown(int list, int selected, int button) const
{
    if (button != rightButton || list < 0 || list > 2)
        return std::nullopt;
    const auto& items = lists_[static_cast<std::size_t>(list)];
    if (selected < 0 || selected >= static_cast<int>(items.size()))
        return std::nullopt;
    return items[static_cast<std::size_t>(selected)];
}

void Editor::replaceLists(CommandLists lists)
{
    lists_ = std::move(lists);
    saved = lists_;
}

} // namespace fh

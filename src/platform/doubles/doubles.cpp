#include "platform/doubles/doubles.h"

namespace fh::doubles {

TextFiles::Read MemoryTextFiles::read(const std::string& path, std::size_t limit, bool regularOnly)
{
    if (const auto f = failing.find(path); f != failing.end())
        return {false, {}, f->second};
    if (regularOnly && pipes.contains(path))
        return {false, {}, notRegular(path)};
    const auto found = files.find(path);
    if (found == files.end())
        return {false, {}, "No such file or directory"};
    if (found->second.size() > limit)
        return {false, {}, tooLarge(limit)};
    return {true, found->second, {}};
}

std::optional<std::string> MemoryTextFiles::write(const std::string& path, const std::string& bytes)
{
    if (const auto f = failing.find(path); f != failing.end())
        return f->second;
    if (pipes.contains(path))
        return notRegular(path);
    files[path] = bytes;
    return std::nullopt;
}

} // namespace fh::doubles

#pragma once

// What the program keeps from one run to the next (the recent files, where the
// windows stood, the unit of temperature, the house's flows and watts), by key. The Qt realisation writes the user's settings file;
// tests use an in-memory double.

#include <string>
#include <vector>

namespace fh {

class Settings {
public:
    virtual ~Settings() = default;
    // Empty when nothing was stored under `key`.
    virtual std::vector<std::string> strings(const std::string& key) const = 0;
    virtual void setStrings(const std::string& key, const std::vector<std::string>& values) = 0;
};

} // namespace fh

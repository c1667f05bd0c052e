#pragma once

// Text files on disk, whole files of bytes. A save goes to a new file that replaces
// the old one only once every byte was written, so a failure keeps the old file.
// Names are bytes in the system's encoding.

#include "platform/devices.h"

namespace fh {

class QtTextFiles : public TextFiles {
public:
    Read read(const std::string& path, std::size_t limit, bool regularOnly) override;
    std::optional<std::string> write(const std::string& path, const std::string& bytes) override;
    bool exists(const std::string& path) override;
    bool sameFile(const std::string& a, const std::string& b) override;
};

} // namespace fh

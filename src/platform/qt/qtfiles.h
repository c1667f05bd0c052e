#pragma once

// Text files on disk, whole files of bytes. A save keeps the file what it was: a new
// file given the old one's owner, group, mode and extended attributes (the ACL among
// them) replaces it once every byte is on the disk; where a new file could not be
// given all of them, or the old one has other hard links, the old file is written in
// place, with a copy of its bytes beside it until the write is done, so a failure
// keeps the old bytes. Names are bytes in the system's encoding.

#include "platform/devices.h"

#include <sys/types.h>

namespace fh {

// What a new file, made to take the old one's place, could be given of it.
struct Replacement {
    nlink_t links = 1;           // the old file's names: a rename keeps one of them
    bool ownerGiven = true;      // its owner and group
    bool attributesGiven = true; // its mode and extended attributes, the ACL among them
};

enum class SaveWay { Rename, InPlace };

// Rename only when the new file loses nothing of the old one.
SaveWay saveWay(const Replacement& replacement);

class QtTextFiles : public TextFiles {
public:
    Read read(const std::string& path, std::size_t limit, bool regularOnly) override;
    std::optional<std::string> write(const std::string& path, const std::string& bytes) override;
    bool exists(const std::string& path) override;
    bool sameFile(const std::string& a, const std::string& b) override;
};

} // namespace fh

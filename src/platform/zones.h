#pragma once

// The time zones by their IANA names ("Europe/Amsterdam"): civil time at an instant,
// daylight saving included. Qt knows the zones' rules; the core asks through this.

#include <cstdint>
#include <optional>
#include <string>

namespace fh {

class Zones {
public:
    virtual ~Zones() = default;
    // The seconds to add to UTC for the civil time of zone `name` at the UTC instant
    // `utcSeconds` (from 1970-01-01T00:00:00Z); none when no zone has that name.
    virtual std::optional<int> offsetAt(const std::string& name, std::int64_t utcSeconds) const = 0;
    // The name of the system's zone.
    virtual std::string systemZone() const = 0;
};

} // namespace fh

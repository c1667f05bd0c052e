#pragma once

// The time zones as Qt knows them (the system's zone database).

#include "platform/zones.h"

#include <QTimeZone>

namespace fh {

class QtZones : public Zones {
public:
    std::optional<int> offsetAt(const std::string& name, std::int64_t utcSeconds) const override;
    std::string systemZone() const override;

private:
    // The last zone asked for: a search over a year asks the same one hundreds of times.
    mutable QTimeZone last;
};

} // namespace fh

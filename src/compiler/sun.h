#pragma once

// The sun over the house: when it rises and sets, and when civil twilight begins and
// ends, in the civil time of the house's zone on a date. The sun's course of a date is
// the one whose noon falls on that date at the house's longitude, so a sunset after
// midnight (far north in summer) still belongs to the day before. The sun's centre at
// 0.833 degrees below the horizon rises and sets; at 6 below, civil dawn and dusk.

#include "platform/zones.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace fh {

struct Site {
    double latitude = 0;  // degrees north, -90 to 90
    double longitude = 0; // degrees east, -180 to 180
    std::string zone;     // an IANA name; empty for the system's zone
    friend bool operator==(const Site&, const Site&) = default;
};

// "LAT,LON" or "LAT,LON,ZONE": decimal degrees, north and east positive ("52.37,4.9",
// "-33.9,18.4,Africa/Johannesburg"). Whether the zone exists is the Zones' to say.
std::optional<Site> parseSite(std::string_view text);
// The place as parseSite reads it.
std::string siteText(const Site& place);

// A day of the proleptic Gregorian calendar as days from 1970-01-01.
struct Date {
    int days = 0;
    friend auto operator<=>(const Date&, const Date&) = default;
};
// "YYYY-MM-DD", a real date of the years 1900 to 2199.
std::optional<Date> parseDate(std::string_view text);
std::string dateText(Date date);

enum class SunEvent { Sunrise, Sunset, Dawn, Dusk };
// "sunrise", "sunset", "dawn", "dusk".
std::optional<SunEvent> sunEventNamed(std::string_view name);
std::string_view sunEventName(SunEvent event);

// The instant of `event` on `date` at the place (its zone left aside), in seconds from
// 1970-01-01T00:00:00Z; or, in polar day or night, why there is none.
std::variant<double, std::string> sunEventUtc(SunEvent event, Date date, double latitude, double longitude);

// The civil time of `event` on `date` at `place`, in seconds from the date's midnight:
// past 86400 on the day after, below 0 on the day before. Why there is none: polar
// day or night, or no zone of that name.
std::variant<double, std::string> sunTime(SunEvent event, Date date, const Site& place, const Zones& zones);

} // namespace fh

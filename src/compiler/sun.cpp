#include "compiler/sun.h"

#include "language/decimal.h"
#include "language/terms.h"

#include <libnova/julian_day.h>
#include <libnova/precession.h>
#include <libnova/rise_set.h>
#include <libnova/solar.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace fh {

namespace {

constexpr double unixEpochJulian = 2440587.5;
constexpr double secondsADay = 86400;

// libnova gives the sun's place against the mean equinox of J2000; its rise and set
// take it as of the date, which puts them 80 s early by 2027. Precessed to the date,
// they agree with other ephemerides to a few seconds.
void sunOfDate(double julian, ln_equ_posn* position)
{
    ln_equ_posn j2000{};
    ln_get_solar_equ_coords(julian, &j2000);
    ln_get_equ_prec(&j2000, julian, position);
}

double horizonOf(SunEvent event)
{
    return event == SunEvent::Sunrise || event == SunEvent::Sunset ? -0.8333 : -6.0;
}

bool rises(SunEvent event) { return event == SunEvent::Sunrise || event == SunEvent::Dawn; }

// The rise, transit and set libnova gives for the UT day `days` from 1970-01-01 (each
// kept within that day), or where the sun stays: 1 above the horizon, -1 below.
int courseOfUtDay(int days, double latitude, double longitude, double horizon, ln_rst_time& rst)
{
    ln_lnlat_posn observer{longitude, latitude};
    return ln_get_body_rst_horizon(unixEpochJulian + days, &observer, sunOfDate, horizon, &rst);
}

std::string whyNone(SunEvent event, Date date, double latitude, double longitude, int stays)
{
    const bool twilight = event == SunEvent::Dawn || event == SunEvent::Dusk;
    const std::string where = "there is no " + std::string(sunEventName(event)) + " on " + dateText(date) + " at " +
                              plainNumber(latitude) + "," + plainNumber(longitude) + ": the sun stays ";
    if (twilight)
        return where + (stays > 0 ? "less than 6 degrees below the horizon all night (a white night)"
                                  : "more than 6 degrees below the horizon all day");
    return where + (stays > 0 ? "above the horizon all day (polar day)" : "below the horizon all day (polar night)");
}

} // namespace

std::optional<Site> parseSite(std::string_view text)
{
    const auto parts = split(text, ',');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const auto degrees = [](const std::string& part, double most) -> std::optional<double> {
        const auto d = readDecimal(trim(part));
        if (!d)
            return std::nullopt;
        const double value = static_cast<double>(d->scaled) / std::pow(10.0, d->places);
        if (std::fabs(value) > most)
            return std::nullopt;
        return value;
    };
    const auto latitude = degrees(parts[0], 90);
    const auto longitude = degrees(parts[1], 180);
    if (!latitude || !longitude)
        return std::nullopt;
    Site place{*latitude, *longitude, parts.size() == 3 ? std::string(trim(parts[2])) : std::string()};
    if (parts.size() == 3 && place.zone.empty())
        return std::nullopt;
    return place;
}

std::string siteText(const Site& place)
{
    return plainNumber(place.latitude) + "," + plainNumber(place.longitude) +
           (place.zone.empty() ? "" : "," + place.zone);
}

std::optional<Date> parseDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digitsOnly(text.substr(0, 4)) ||
        !digitsOnly(text.substr(5, 2)) || !digitsOnly(text.substr(8, 2)))
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t size) {
        int value = 0;
        for (const char c : text.substr(at, size))
            value = value * 10 + (c - '0');
        return value;
    };
    const std::chrono::year_month_day day{std::chrono::year(number(0, 4)),
                                          std::chrono::month(static_cast<unsigned>(number(5, 2))),
                                          std::chrono::day(static_cast<unsigned>(number(8, 2)))};
    if (!day.ok() || day.year() < std::chrono::year(1900) || day.year() > std::chrono::year(2199))
        return std::nullopt;
    return Date{static_cast<int>(std::chrono::sys_days(day).time_since_epoch().count())};
}

std::string dateText(Date date)
{
    const std::chrono::year_month_day day{std::chrono::sys_days(std::chrono::days(date.days))};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

std::optional<SunEvent> sunEventNamed(std::string_view name)
{
    for (const SunEvent event : {SunEvent::Sunrise, SunEvent::Sunset, SunEvent::Dawn, SunEvent::Dusk})
        if (sunEventName(event) == name)
            return event;
    return std::nullopt;
}

std::string_view sunEventName(SunEvent event)
{
    switch (event) {
    case SunEvent::Sunrise: return "sunrise";
    case SunEvent::Sunset: return "sunset";
    case SunEvent::Dawn: return "dawn";
    case SunEvent::Dusk: return "dusk";
    }
    return {};
}

std::variant<double, std::string> sunEventUtc(SunEvent event, Date date, double latitude, double longitude)
{
    const double horizon = horizonOf(event);
    // The mean noon of the date at the longitude, in days from 1970: the true noon is
    // within 17 minutes of it, and on the UT day of the date unless near 180 degrees.
    const double meanNoon = date.days + 0.5 - longitude / 360;
    int day = date.days;
    ln_rst_time course{};
    int stays = courseOfUtDay(day, latitude, longitude, horizon, course);
    if (stays != 0)
        return whyNone(event, date, latitude, longitude, stays);
    const double transit = course.transit - unixEpochJulian;
    if (std::fabs(transit - meanNoon) > 0.5) {
        day += transit > meanNoon ? -1 : 1;
        stays = courseOfUtDay(day, latitude, longitude, horizon, course);
        if (stays != 0)
            return whyNone(event, date, latitude, longitude, stays);
    }
    const double noon = course.transit;
    double at = rises(event) ? course.rise : course.set;
    // Each time is kept within its UT day: a rise after noon or a set before it is the
    // next or last course's, which that day's reckoning gives.
    if (rises(event) ? at > noon : at < noon) {
        ln_rst_time other{};
        stays = courseOfUtDay(day + (rises(event) ? -1 : 1), latitude, longitude, horizon, other);
        if (stays != 0)
            return whyNone(event, date, latitude, longitude, stays);
        at = rises(event) ? other.rise : other.set;
    }
    return (at - unixEpochJulian) * secondsADay;
}

std::variant<double, std::string> sunTime(SunEvent event, Date date, const Site& place, const Zones& zones)
{
    const auto utc = sunEventUtc(event, date, place.latitude, place.longitude);
    if (const auto* why = std::get_if<std::string>(&utc))
        return *why;
    const double instant = std::get<double>(utc);
    const std::string zone = place.zone.empty() ? zones.systemZone() : place.zone;
    const auto offset = zones.offsetAt(zone, static_cast<std::int64_t>(std::floor(instant)));
    if (!offset)
        return "there is no time zone " + zone;
    return instant + *offset - date.days * secondsADay;
}

} // namespace fh

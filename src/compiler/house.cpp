#include "compiler/house.h"

#include "language/celsius.h"
#include "language/terms.h"
#include "platform/devices.h"

#include <charconv>
#include <cmath>

namespace fh {

namespace {

std::optional<double> readRate(std::string_view text)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos ||
        text.find('.') != text.rfind('.') || text.front() == '.' || text.back() == '.')
        return std::nullopt;
    double rate = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rate);
    if (error != std::errc() || end != text.data() + text.size() || rate > mostRate)
        return std::nullopt;
    return rate;
}

// Halves away from zero, as every other figure rounds: to_chars alone takes a half to
// the even digit (0.25 l as 0.2).
std::string fixed(double value, int places)
{
    const double scale = std::pow(10.0, places);
    const double rounded = std::round(value * scale) / scale;
    // Room for the largest double written out in full.
    char digits[400];
    const auto end = std::to_chars(digits, digits + sizeof digits, rounded, std::chars_format::fixed, places).ptr;
    return std::string(digits, end);
}

// The compiler's messages kept, not shown: the caller says why there is no day.
class KeptMessages : public MessageBox {
public:
    void show(const std::string& text) override { last = text; }
    SaveChoice askSave(const std::string&) override { return SaveChoice::Cancel; }
    bool askYesNo(const std::string&) override { return false; }
    std::string last;
};

} // namespace

std::variant<std::vector<DayTotals>, std::string> cycleTotalsOf(const CommandLists& lists)
{
    KeptMessages messages;
    const auto program = dayProgram(lists, messages);
    if (!program)
        return messages.last;
    if (program->proglast() < 0)
        return std::string(noProgramPresent);
    const Cycle cycle(*program);
    std::vector<DayTotals> days;
    for (const DayStates& day : cycle.days())
        days.push_back(totalsOf(day));
    return days;
}

std::optional<Rates> parseRates(std::string_view text)
{
    Rates rates;
    if (text.empty())
        return rates;
    for (const std::string& pair : split(text, ',')) {
        const auto equals = pair.find('=');
        if (equals != 1 || pair[0] < '1' || pair[0] > '0' + outputCount)
            return std::nullopt;
        auto& rate = rates[static_cast<std::size_t>(pair[0] - '1')];
        const auto value = readRate(std::string_view(pair).substr(2));
        if (rate || !value)
            return std::nullopt;
        rate = value;
    }
    return rates;
}

std::string ratesText(const Rates& rates)
{
    std::string text;
    for (std::size_t k = 0; k < rates.size(); ++k)
        if (rates[k])
            text.append(text.empty() ? "" : ",").append(std::to_string(k + 1) + "=" + plainNumber(*rates[k]));
    return text;
}

DayUse useOf(const DayTotals& totals, const House& house)
{
    DayUse use;
    for (std::size_t k = 0; k < outputCount; ++k) {
        if (house.flows[k])
            use.litres[k] = totals.valvesOpen[k] * *house.flows[k] / 60;
        if (house.watts[k])
            use.kwh[k] = totals.lightsOn[k] * *house.watts[k] / 3'600'000;
    }
    // Exact to the rounding: a PPFD in millionths (a rate has at most a million) by the
    // seconds on gives millionths of a µmol, 10^11 of them a tenth of a mol.
    std::optional<std::int64_t> all;
    for (std::size_t k = 0; k < outputCount; ++k)
        if (house.ppfd[k]) {
            const std::int64_t micromols = std::llround(*house.ppfd[k] * 1e6) * totals.lightsOn[k];
            use.dliTenths[k] = roundHalfAway(micromols, 100'000'000'000);
            all = all.value_or(0) + micromols;
        }
    if (all)
        use.houseDliTenths = roundHalfAway(*all, 100'000'000'000);
    return use;
}

std::string litresText(double litres) { return fixed(litres, 1); }

std::string kwhText(double kwh) { return fixed(kwh, 2); }

std::string dliText(std::int64_t tenths) { return tenthsText(tenths, false); }

std::string darkText(const DayTotals::Dark& dark, const Display& display)
{
    if (!dark.from || !dark.to)
        return dark.seconds > 0 ? "dark all day" : "dark 0 h 00 min";
    // To the minute, as the duration reads, unless a second falls within one.
    const auto clock = [&](int second) {
        const std::string time = display.time(second);
        return second % 60 == 0 ? time.substr(0, 5) : time;
    };
    return "dark " + display.duration(dark.seconds) + ", " + clock(*dark.from) + "-" + clock(*dark.to);
}

std::vector<std::string> totalsLines(const DayTotals& totals, const House& house, const Display& display)
{
    const DayUse use = useOf(totals, house);
    std::vector<std::string> lines;
    std::optional<double> water, power;
    const std::string perDay = " mol/m\xB2/d";
    for (std::size_t k = 0; k < outputCount; ++k) {
        std::string line = "light " + std::to_string(k + 1) + ": " + display.duration(totals.lightsOn[k]) + " on";
        if (use.kwh[k]) {
            line += ", " + kwhText(*use.kwh[k]) + " kWh";
            power = power.value_or(0) + *use.kwh[k];
        }
        if (use.dliTenths[k])
            line += ", DLI " + dliText(*use.dliTenths[k]) + perDay;
        lines.push_back(line);
    }
    for (std::size_t k = 0; k < outputCount; ++k) {
        std::string line = "valve " + std::to_string(k + 1) + ": " + display.duration(totals.valvesOn[k]) + " on, " +
                           display.duration(totals.valvesPulsed[k]) + " pulsed, water runs " +
                           std::to_string(totals.valvesOpen[k]) + " s";
        if (use.litres[k]) {
            line += ", " + litresText(*use.litres[k]) + " l";
            water = water.value_or(0) + *use.litres[k];
        }
        lines.push_back(line);
    }
    lines.push_back("low set-point: " + display.setPoint(totals.lowMin) + " to " + display.setPoint(totals.lowMax));
    lines.push_back("high set-point: " + display.setPoint(totals.highMin) + " to " +
                    display.setPoint(totals.highMax));
    lines.push_back(darkText(totals.longestDark, display));
    std::vector<std::string> sums;
    if (water)
        sums.push_back(litresText(*water) + " l of water");
    if (power)
        sums.push_back(kwhText(*power) + " kWh");
    if (use.houseDliTenths)
        sums.push_back("DLI " + dliText(*use.houseDliTenths) + perDay);
    for (std::size_t i = 0; i < sums.size(); ++i)
        (i == 0 ? lines.emplace_back("the day: ") : lines.back().append(", ")).append(sums[i]);
    return lines;
}

} // namespace fh

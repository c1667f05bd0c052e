#include "language/decimal.h"

namespace fh {

namespace {

constexpr int mostDigits = 15;

} // namespace

bool digitsOnly(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<Decimal> readDecimal(std::string_view text)
{
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    const auto point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || (!whole.empty() && !digitsOnly(whole)) ||
        (!fraction.empty() && !digitsOnly(fraction)))
        return std::nullopt;
    while (whole.starts_with('0'))
        whole.remove_prefix(1);
    while (fraction.ends_with('0'))
        fraction.remove_suffix(1);
    if (whole.size() + fraction.size() > mostDigits)
        return std::nullopt;
    Decimal d;
    for (const char c : whole)
        d.scaled = d.scaled * 10 + (c - '0');
    for (const char c : fraction)
        d.scaled = d.scaled * 10 + (c - '0');
    d.places = static_cast<int>(fraction.size());
    if (negative)
        d.scaled = -d.scaled;
    return d;
}

} // namespace fh

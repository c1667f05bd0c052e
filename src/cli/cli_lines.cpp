#include "cli/commands.h"
#include "language/latin1.h"
#include "platform/qt/qtzones.h"
#include "session/linewriter.h"

#include <algorithm>
#include <ostream>

namespace fh::cli {

int lines(const Parsed& args, Streams io, const Devices&)
{
    const auto refuse = [&](const std::string& reason) {
        io.err << "fernhollow: lines: " << reason << '\n';
        return 2;
    };
    const std::string& name = args.operands.front();
    const LineKindInfo* kind = lineKindNamed(name);
    if (!kind)
        return refuse(name + " is no kind of lines; the kinds are water, mist, lights, ramp, setpoint and sun");
    // --celsius is the display's, and serves only a kind with fields in degrees.
    const bool inDegrees =
        std::ranges::any_of(kind->fields, [](const LineField& f) { return !f.celsiusExample.empty(); });
    LineWords words;
    for (const auto& [option, value] : args.values) {
        const std::string_view fieldName = option.substr(2);
        if (fieldName == "celsius" && inDegrees)
            continue;
        if (std::ranges::find(kind->fields, fieldName, &LineField::name) == kind->fields.end())
            return refuse(name + " takes no " + std::string(option));
        words.emplace(fieldName, value);
    }
    for (const LineField& field : kind->fields)
        if (field.required && !words.contains(field.name))
            return refuse(name + " needs --" + std::string(field.name));
    const WrittenLines written = writeLines(kind->kind, words, args.display, QtZones());
    if (!written.refusal.empty())
        return refuse(written.refusal);
    if (!written.note.empty())
        io.err << "fernhollow: lines: " << written.note << '\n';
    // In °C a ramp's set-points carry their unit, so that add --celsius reads them as written.
    for (const std::string& line : written.lines)
        io.out << utf8FromLatin1(args.display.asTyped(line)) << '\n';
    return 0;
}

} // namespace fh::cli

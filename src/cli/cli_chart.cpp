#include "cli/commands.h"
#include "cli/drawing.h"
#include "chart/chart.h"
#include "compiler/program.h"
#include "platform/displaylist.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <ostream>

namespace fh::cli {

namespace {

std::optional<PictureFormat> formatOf(const std::string& path)
{
    // No other character lower-cases to an ASCII letter of these names.
    std::string name = path;
    std::ranges::transform(name, name.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    if (name.ends_with(".png"))
        return PictureFormat::Png;
    if (name.ends_with(".svg"))
        return PictureFormat::Svg;
    if (name.ends_with(".pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

} // namespace

std::optional<Size> parseSize(const std::string& text)
{
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    int w = 0, h = 0;
    const char* end = text.data() + text.size();
    const auto [wEnd, wErr] = std::from_chars(text.data(), text.data() + x, w);
    const auto [hEnd, hErr] = std::from_chars(text.data() + x + 1, end, h);
    if (wErr != std::errc() || hErr != std::errc() || wEnd != text.data() + x || hEnd != end)
        return std::nullopt;
    if (w < 1 || h < 1 || w > largestSide || h > largestSide)
        return std::nullopt;
    return Size{w, h};
}

int chart(const Parsed& args, Streams io, const Devices& devices)
{
    const bool toPrinter = args.values.contains("--printer");
    const std::string out = toPrinter ? std::string() : args.values.at("-o");
    Size size{1680, 1008};
    if (const auto wanted = args.values.find("--size"); wanted != args.values.end())
        size = parseSize(wanted->second).value();
    const auto format = formatOf(out);
    if (!toPrinter && !format) {
        io.err << "fernhollow: " << out << ": the chart is written as .png, .svg or .pdf\n";
        return 2;
    }
    if (outputIsInput(args, io.err, devices.files))
        return 2;
    const auto read = loadOrReport(args.operands.front(), io.err, devices.files);
    if (!read)
        return 2;

    StreamMessages messages(io.err, args.operands.front());
    ChartState state;
    state.totals = !args.values.contains("--no-totals");
    DisplayList drawing;
    const auto program = compile(read->lists, FixedClock(0), messages);
    if (!program || !plot(*program, args.display, state, drawing, messages))
        return 2;

    Drawing* const drawn = devices.drawing(io.err);
    if (!drawn)
        return 2;
    if (toPrinter) {
        // As the chart window prints it at that size.
        const auto printer = openPrinter(args, io.err, devices);
        if (!printer)
            return 2;
        const std::string& path = args.operands.front();
        printer->setFooter(pageFooter(args, path, devices));
        return printed(*printer,
                       printChart(drawing, size.width, size.height, *printer, printJobName(path, "chart")), args,
                       io.err, devices);
    }
    const auto bytes =
        drawn->chartFile(drawing, size.width, size.height, *format, pageFooter(args, args.operands.front(), devices));
    if (!bytes) {
        io.err << "fernhollow: cannot write " << out << ": cannot paint the chart\n";
        return 2;
    }
    // Written as a program file is: whole, or not at all.
    return writeOutput(devices.files, out, *bytes, io.err);
}

} // namespace fh::cli

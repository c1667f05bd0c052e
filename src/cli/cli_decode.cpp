#include "cli/commands.h"
#include "compiler/decode.h"
#include "files/programfile.h"
#include "language/latin1.h"

#include <ostream>
#include <string>

namespace fh::cli {

int decode(const Parsed& args, Streams io, const Devices& devices)
{
    const std::string& path = args.operands.front();
    if (outputIsInput(args, io.err, devices.files))
        return 2;
    // Code is read as a program file is: Latin-1 bytes, and a script may pipe it in.
    const TextFiles::Read code = devices.files.read(path, programFileLimit, false);
    if (!code.ok) {
        io.err << "fernhollow: cannot read " << path << ": " << code.error << '\n';
        return 2;
    }
    const DecodedCode decoded = fh::decode(code.bytes);
    if (decoded.unreadable) {
        io.err << path << ':' << decoded.unreadable->line << ": error: " << utf8FromLatin1(decoded.unreadable->reason)
               << '\n';
        return 1;
    }
    if (const auto out = args.values.find("-o"); out != args.values.end()) {
        if (const auto error = saveProgram(devices.files, out->second, decoded.lists)) {
            io.err << "fernhollow: cannot write " << out->second << ": " << *error << '\n';
            return 2;
        }
        return 0;
    }
    // On a terminal a line ends as every other output's does.
    std::string text = writeProgramFile(decoded.lists);
    std::erase(text, '\r');
    io.out << text;
    return 0;
}

} // namespace fh::cli

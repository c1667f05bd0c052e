#include "app/modules.h"
#include "cli/cli.h"
#include "cli/descriptorbuf.h"
#include "platform/qt/qtfiles.h"
#include "platform/qt/qtclock.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <thread>

#include <unistd.h>

int main(int argc, char* argv[])
{
    // Under a file-size limit a write then fails (EFBIG) and is reported as a full disk
    // is, rather than ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    const fh::cli::Args args(argv + 1, argv + argc);
    if (fh::cli::opensWindow(args, fh::cli::pathExists))
        return fh::app::openWindows(argc, argv);
    fh::cli::DescriptorBuf input(0), output(1);
    std::istream in(&input);
    std::ostream out(&output);
    // Each answer shows before the next line is read, and on a terminal in step with
    // the messages on standard error.
    in.tie(&out);
    if (::isatty(1))
        out.setf(std::ios::unitbuf);
    fh::QtTextFiles files;
    fh::app::DrawingModule drawing(files);
    const fh::QtClock clock;
    const auto pause = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    return fh::cli::run(args, {in, out, std::cerr},
                        {files, fh::cli::pathExists, drawing, clock, pause,
                         [&drawing](std::ostream& err) { return drawing.load(err); }});
}

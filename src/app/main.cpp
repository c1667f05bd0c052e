#include "cli/cli.h"
#include "app/gui.h"

#include <iostream>

int main(int argc, char* argv[])
{
    const fh::cli::Args args(argv + 1, argv + argc);
    if (const auto status = fh::cli::run(args, {std::cin, std::cout, std::cerr}))
        return *status;
    return fh::gui::run(argc, argv);
}

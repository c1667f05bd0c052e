#include "app/modules.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace fh::app {

namespace {

// The symbol `entry` of a module of this program, found beside the installed executable,
// else in the build folder; no value with the reason in `error`.
void* loadEntry(const char* module, const char* entry, std::string& error)
{
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        error = "cannot find the program's own folder: " + ec.message();
        return nullptr;
    }
    for (const char* folder : {FERNHOLLOW_MODULE_DIR, FERNHOLLOW_BUILD_MODULE_DIR}) {
        const auto path = (self.parent_path() / folder / module).lexically_normal();
        if (!std::filesystem::exists(path, ec))
            continue;
        // Its symbols stay its own: the module holds its own copy of the core.
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* symbol = handle ? ::dlsym(handle, entry) : nullptr;
        if (!symbol)
            error = ::dlerror();
        return symbol;
    }
    error = "no " + std::string(module) + " in " +
            (self.parent_path() / FERNHOLLOW_MODULE_DIR).lexically_normal().string();
    return nullptr;
}

} // namespace

int openWindows(int argc, char* argv[])
{
    std::string error;
    const auto run = reinterpret_cast<int (*)(int, char**)>(loadEntry(FERNHOLLOW_WINDOWS_MODULE, "fernhollow_windows", error));
    if (!run) {
        std::fprintf(stderr, "fernhollow: cannot open the window: %s\n", error.c_str());
        return 2;
    }
    return run(argc, argv);
}

cli::Drawing* DrawingModule::load(std::ostream& err)
{
    if (drawing)
        return drawing.get();
    std::string error;
    const auto make = reinterpret_cast<cli::Drawing* (*)()>(loadEntry(FERNHOLLOW_DRAWING_MODULE, "fernhollow_drawing", error));
    if (!make) {
        err << "fernhollow: cannot draw: " << error << '\n';
        return nullptr;
    }
    drawing.reset(make());
    return drawing.get();
}

PrintService* DrawingModule::queues()
{
    if (!printers)
        if (cli::Drawing* loaded = load(std::cerr))
            printers = loaded->printService(files);
    return printers.get();
}

std::vector<std::string> DrawingModule::printerNames()
{
    PrintService* service = queues();
    return service ? service->printerNames() : std::vector<std::string>{};
}

std::unique_ptr<Printer> DrawingModule::open(const std::string& name)
{
    PrintService* service = queues();
    return service ? service->open(name) : nullptr;
}

std::optional<std::string> DrawingModule::unreachable()
{
    PrintService* service = queues();
    return service ? service->unreachable() : std::nullopt;
}

} // namespace fh::app

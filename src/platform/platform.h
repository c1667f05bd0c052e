#pragma once

// All devices of the platform layer, handed to the logic as one bundle.

#include "platform/devices.h"
#include "platform/jobwatch.h"
#include "platform/printer.h"
#include "platform/settings.h"

namespace fh {

struct Devices {
    Clock& clock;
    Beeper& beeper;
    MessageBox& messages;
    FileDialogs& dialogs;
    TextFiles& files;
    PrinterDialog& printers;
    Settings& settings;
    // The jobs the printer dialog's prints became.
    JobWatch& jobs;
};

} // namespace fh

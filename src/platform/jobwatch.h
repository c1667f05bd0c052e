#pragma once

// The windows' print jobs, followed without blocking the windows: a status line while a
// job waits and when it ends, and a message box when it fails.

#include "platform/printer.h"

#include <functional>
#include <string>
#include <vector>

namespace fh {

class MessageBox;
class WallTimer;

class JobWatch {
public:
    using StatusLine = std::function<void(const std::string&)>;
    JobWatch(WallTimer& wall, MessageBox& boxes) : timer(wall), messages(boxes) {}
    JobWatch(const JobWatch&) = delete;
    JobWatch& operator=(const JobWatch&) = delete;

    // Where the status lines go; none: nowhere.
    void setStatusLine(StatusLine line) { status = std::move(line); }
    // Ends a print: `failure` (endDoc's) is shown at once; a job on a queue is followed
    // for printWaitSeconds, asked every printPollMilliseconds.
    void finish(const Printer& printer, const std::optional<std::string>& failure);
    // The jobs still followed.
    std::size_t following() const { return jobs.size(); }

private:
    struct Followed {
        PrintJob job;
        long long until;
    };
    void poll();
    void say(const std::string& text) const;

    WallTimer& timer;
    MessageBox& messages;
    StatusLine status;
    std::vector<Followed> jobs;
};

} // namespace fh

#include "platform/jobwatch.h"

#include "platform/devices.h"

#include <utility>

namespace fh {

void JobWatch::finish(const Printer& printer, const std::optional<std::string>& failure)
{
    if (failure) {
        say("Cannot print: " + *failure);
        messages.show("Cannot print: " + *failure);
        return;
    }
    auto job = printer.job();
    if (!job)
        return;
    say("Sent to " + job->queue + " as job " + std::to_string(job->id) + "; waiting for the printer");
    jobs.push_back({std::move(*job), timer.milliseconds() + printWaitSeconds * 1000LL});
    if (jobs.size() == 1)
        timer.wakeAfter(printPollMilliseconds, [this] { poll(); });
}

void JobWatch::poll()
{
    const long long now = timer.milliseconds();
    std::vector<Followed> still;
    std::vector<std::string> failures;
    for (Followed& f : jobs) {
        const auto verdict = judgeJob(f.job, f.job.status(), now >= f.until);
        if (!verdict) {
            still.push_back(std::move(f));
            continue;
        }
        say(verdict->message.empty() ? f.job.queue + " printed job " + std::to_string(f.job.id) : verdict->message);
        if (verdict->failed)
            failures.push_back("Cannot print: " + verdict->message);
    }
    jobs = std::move(still);
    if (!jobs.empty())
        timer.wakeAfter(printPollMilliseconds, [this] { poll(); });
    // A box waits for the user: the jobs are followed on meanwhile.
    for (const std::string& failure : failures)
        messages.show(failure);
}

void JobWatch::say(const std::string& text) const
{
    if (status)
        status(text);
}

} // namespace fh

#pragma once

// The default printer, as chosen in the printer dialog: text lines for the program
// listing, and a page area that a canvas can draw on for the chart.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fh {

class DisplayList;

struct PageRect {
    double left = 0, top = 0, width = 0, height = 0;
};

struct DateTime;

// Where a job on a print queue stands.
struct JobStatus {
    enum class State {
        Waiting,      // pending, held or being printed
        Printed,
        Failed,       // aborted or cancelled
        QueueStopped, // the queue holds its jobs
        ServiceDown,  // the print service does not answer
    };
    State state = State::Waiting;
    // Why it failed or waits, as the print service says.
    std::string reason;
};

// A job a print queue took, and how to ask where it stands.
struct PrintJob {
    std::string queue;
    int id = 0;
    std::function<JobStatus()> status;
};

// What the user is told of a job: a message (none when it printed), and whether the
// print failed.
struct PrintVerdict {
    bool failed = false;
    std::string message;
};

// The verdict on `job` standing at `status`; none while it waits and `waitOver` is false.
std::optional<PrintVerdict> judgeJob(const PrintJob& job, const JobStatus& status, bool waitOver);
std::string serviceDownMessage(const std::string& reason);

// How long a job is followed unless the user says otherwise, and how often it is asked.
inline constexpr int printWaitSeconds = 10;
inline constexpr int printPollMilliseconds = 500;

class Printer {
public:
    virtual ~Printer() = default;
    virtual void setFontSize(double points) = 0;
    // A line of text in UTF-8.
    virtual void printLine(const std::string& text) = 0;
    virtual void newPage() = 0;
    // Page orientation of this document; call before anything is printed.
    virtual void setLandscape(bool landscape) = 0;
    // The document's name in the print queue, in UTF-8 as file names are; call
    // before anything is printed.
    virtual void setJobName(const std::string& jobName) = 0;
    // Printable area of the page, in printer device units.
    virtual PageRect pageArea() const = 0;
    // Paints a picture drawn on a surface of width x height pixels, at 96 dots per
    // inch, stretched into `target` of the current page: text keeps its size
    // relative to the lines around it, as on the surface.
    virtual void paint(const DisplayList& picture, double width, double height, const PageRect& target) = 0;
    // Sends the document; returns the reason of a failure, or no value.
    virtual std::optional<std::string> endDoc() = 0;
    // Each page carries footerLine(lead, page, pages) in its bottom margin, below the
    // place of its last line; call before endDoc. Without it, pages carry none.
    virtual void setFooter(const std::string& lead) = 0;
    // After an endDoc without failure: the job the print queue took; none for a
    // document written to a file.
    virtual std::optional<PrintJob> job() const = 0;
};

// A footer's lead, "greenhouse.fhp — printed 2024-05-17 14:03": the name of `path`
// without its folders ("Untitled" when there is no file yet) and the local time.
std::string printFooter(std::string_view path, const DateTime& printed);
// The footer of page `page` of `pages`: "LEAD — page 1 of 2", in UTF-8.
std::string footerLine(std::string_view lead, int page, int pages);

// A print job's name, as in "greenhouse.fhp – listing": the name of `path` without
// its folders, or the application title when there is no file yet, and the document.
// A queue that writes each job to a file names the file after it.
std::string printJobName(std::string_view path, std::string_view document);

// Where a print to a file goes unless the user says otherwise: beside the program,
// "greenhouse.fhp" giving "greenhouse-listing.pdf", so that each document has its own
// file; "listing.pdf" in the working folder when there is no file yet.
std::string printFileName(std::string_view path, std::string_view document);

// The printers of the system's print service, for printing without the dialog.
class PrintService {
public:
    virtual ~PrintService() = default;
    virtual std::vector<std::string> printerNames() = 0;
    // The printer `name` for one document; none for a name that is not among
    // printerNames().
    virtual std::unique_ptr<Printer> open(const std::string& name) = 0;
    // Why the print service does not answer; none when it does.
    virtual std::optional<std::string> unreachable() = 0;
};

// Shows the printer dialog; no printer when the user cancels. A print to a file
// offers `fileName`.
class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    virtual Printer* choose(const std::string& fileName) = 0;
};

} // namespace fh

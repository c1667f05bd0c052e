#include "chart/chart.h"
#include "compiler/day.h"
#include "gui/chartcontrols.h"
#include "gui/compilercontrols.h"
#include "gui/form2.h"
#include "gui/form4.h"
#include "session/session.h"
#include "gui/form1.h"
#include "platform/doubles/doubles.h"
#include "platform/qt/paintercanvas.h"
#include "platform/qt/pdfprinter.h"
#include "platform/qt/qtfonts.h"
#include "platform/qt/qtfiles.h"

#include "support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using namespace fh;

class ChartWindows : public testing::Test {
protected:
    void SetUp() override
    {
        clock.set(7 * 3600);
        test::showActive(form);
    }

    // Windows closed by the user go at the next turn of the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QCheckBox* box(Form2* w, int i) { return w->findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(i)); }
    std::array<bool, 3> ticks(Form2* w) { return {box(w, 0)->isChecked(), box(w, 1)->isChecked(), box(w, 2)->isChecked()}; }

    // Program > Graph: the chart window, if one opened.
    Form4* chart() { form.menus().plotAction->trigger(); return charts.chartWindow(); }
    QListWidget* list5() { return form.findChild<QListWidget*>(QStringLiteral("List5")); }

    doubles::AllDevices devices;
    doubles::RecordingMessageBox& messages = devices.messages;
    doubles::FakeClock& clock = devices.clock;
    Session session{messages, clock};
    doubles::ScriptedPrinterDialog& printers = devices.printers;
    Form1 form{session, messages};
    CompilerControls compiler{form, session};
    ChartControls charts{form, session, devices.devices()};
};

TEST_F(ChartWindows, SelectionBoxesComeBackAsLeftAfterClosing)
{
    form.menus().selectPlotsAction->trigger();
    Form2* first = charts.selectionWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ticks(first), (std::array{false, false, false}));
    // The boxes are remembered only: every chart draws all three kinds of trace, as
    // their tooltips say.
    session.open({{{"T,08:00:00,60,80"}, {"L,06:00:00,1,ON"}, {"W,07:00:00,2,ON"}}});
    ASSERT_NE(chart(), nullptr);
    const DisplayList all = charts.chartWindow()->drawing();
    QTest::mouseClick(box(first, 1), Qt::LeftButton);
    QTest::mouseClick(box(first, 2), Qt::LeftButton);
    EXPECT_EQ(chart()->drawing().items(), all.items());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(box(first, i)->toolTip().contains("the chart always shows")) << i;
    first->close();
    settle();
    EXPECT_EQ(charts.selectionWindow(), nullptr);
    EXPECT_EQ(charts.state().plotsel, (std::array<bool, 3>{false, true, true}));

    form.menus().selectPlotsAction->trigger();
    Form2* again = charts.selectionWindow();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ticks(again), charts.state().plotsel);
}

TEST_F(ChartWindows, ChartWindowShowsAProgramsChartAndClosingItHidesThePasteableCode)
{
    EXPECT_EQ(chart(), nullptr) << "no program, no window";
    EXPECT_EQ(messages.shown, std::vector<std::string>{"no program present!"});

    session.open({{{"T,08:00:00,60,80"}, {"L,06:00:00,1,ON"}, {}}});
    Form4* window = chart();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(list5()->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    // The light 1 trace, on all day, in the window's own picture.
    const QImage shot = window->grab().toImage();
    const QPoint on(qRound(15.5 * shot.width() / 28), qRound((12 - 4.7) * shot.height() / 24));
    EXPECT_EQ(shot.pixelColor(on), QColor(0, 0, 0));

    // A new chart replaces the one shown, in the open window at the size the user
    // left it and in the coordinates it has.
    const std::size_t oneChart = window->drawing().items().size();
    window->showNormal();
    EXPECT_EQ(chart(), window);
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->drawing().items().size(), oneChart);
    EXPECT_EQ(window->drawing().items().front().kind, DrawItem::Scale);

    window->close();
    settle();
    EXPECT_EQ(charts.chartWindow(), nullptr);
    EXPECT_FALSE(list5()->isVisible());

    ASSERT_NE(chart(), nullptr);
    EXPECT_TRUE(charts.chartWindow()->isMaximized());
    EXPECT_TRUE(list5()->isVisible());
}

TEST_F(ChartWindows, PrintPlacesTheChartOnThePageAndReportsAFailure)
{
    session.open({{{}, {"L,06:00:00,1,ON"}, {}}});
    Form4* window = chart();
    ASSERT_NE(window, nullptr);
    auto* print = window->findChild<QPushButton*>(QStringLiteral("Command1"));

    printers.cancelled = true;
    print->click();
    EXPECT_EQ(printers.printer.ended, 0);

    printers.cancelled = false;
    form.setWindowFilePath(QStringLiteral("/home/ann/greenhouse.fhp"));
    printers.printer.area = {0, 0, 11000, 8250};
    printers.printer.failure = "the printer is offline";
    print->click();
    ASSERT_EQ(printers.printer.painted.size(), 1u);
    const auto& painted = printers.printer.painted[0];
    EXPECT_EQ(QSize(painted.width, painted.height), window->size());
    EXPECT_EQ(printers.printer.ended, 1);
    EXPECT_EQ(printers.printer.jobName, "greenhouse.fhp \u2013 chart");
    EXPECT_EQ(printers.offered.back(), "/home/ann/greenhouse-chart.pdf");
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Cannot print: the printer is offline"});
}

// The window is not held while a job is followed: the job is asked again at each turn
// of the job timer, the status bar tells each step, and a failure ends in a box.
TEST_F(ChartWindows, PrintFollowsTheJobWithoutHoldingTheWindow)
{
    using State = JobStatus::State;
    const JobStatus waiting{State::Waiting, {}};
    const std::string sent = "Sent to Office as job 1; waiting for the printer";
    const struct {
        const char* name;
        std::vector<JobStatus> answers;
        long long elapse;
        std::string status;
        std::vector<std::string> boxes;
    } cases[] = {
        {"completed", {waiting, {State::Printed, {}}}, 1000, "Office printed job 1", {}},
        {"aborted",
         {waiting, {State::Failed, "The printer is not responding."}},
         1000,
         "the printer Office did not print the job 1: The printer is not responding.",
         {"Cannot print: the printer Office did not print the job 1: The printer is not responding."}},
        {"cancelled", {{State::Failed, "job-canceled-by-user"}}, 500,
         "the printer Office did not print the job 1: job-canceled-by-user",
         {"Cannot print: the printer Office did not print the job 1: job-canceled-by-user"}},
        {"pending past the wait", {waiting}, 10000, "sent to Office as job 1", {}},
        {"on a stopped queue", {{State::QueueStopped, "paused"}}, 500, "Office is stopped (paused); the job waits",
         {}},
        {"the service gone", {{State::ServiceDown, "no answer at localhost: Bad file descriptor"}}, 500,
         "the print service is not running (no answer at localhost: Bad file descriptor)",
         {"Cannot print: the print service is not running (no answer at localhost: Bad file descriptor)"}},
    };
    session.open({{{}, {"L,06:00:00,1,ON"}, {}}});
    Form4* window = chart();
    ASSERT_NE(window, nullptr);
    form.setWindowFilePath(QStringLiteral("/home/ann/greenhouse.fhp"));
    auto* print = window->findChild<QPushButton*>(QStringLiteral("Command1"));
    printers.printer.queue = "Office";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        devices.statusLines.clear();
        messages.shown.clear();
        printers.printer.jobs = std::make_shared<doubles::ScriptedJobs>();
        printers.printer.jobs->answers = c.answers;
        print->click();
        EXPECT_EQ(printers.printer.footer, "greenhouse.fhp \u2014 printed 2024-05-17 07:00");
        EXPECT_EQ(devices.statusLines, std::vector<std::string>{sent});
        EXPECT_EQ(devices.jobs.following(), 1u);
        devices.jobTime.advance(c.elapse - 1);
        EXPECT_EQ(devices.jobs.following(), 1u) << "not before its time";
        devices.jobTime.advance(1);
        EXPECT_EQ(devices.jobs.following(), 0u);
        EXPECT_EQ(devices.statusLines, (std::vector<std::string>{sent, c.status}));
        EXPECT_EQ(messages.shown, c.boxes);
    }
}

TEST_F(ChartWindows, TheReadoutFollowsTheMouseOverTheDayOnly)
{
    session.open({{{"T,08:00:00,60,80"}, {"L,06:00:00,1,ON", "L,18:00:00,1,OFF"}, {"W,12:00:00,2,P3,3S,10M"}}});
    Form4* window = chart();
    ASSERT_NE(window, nullptr);
    auto* readout = window->findChild<QLabel*>(QStringLiteral("Readout"));
    ASSERT_NE(readout, nullptr);
    const auto hover = [&](double hours) {
        const QPointF at((hours + 2) / 28 * window->width(), window->height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &move);
    };
    // A pixel is about a minute and a half of the day.
    const double pixel = 28.0 * 3600 / window->width();
    const struct { double hours; const char* reads; } rows[] = { // reads nothing: no readout
        {14.5, "   1   2   3   4   5   6\n"
               "Lights    on off off off off off\n"
               "Valves   off  P3 off off off off\n"
               "Low 60  High 80\n"
               "valve 4  not set by the program: starts off"},
        {-1, ""},
        {24.5, ""},
    };
    for (const auto& row : rows) {
        hover(row.hours);
        ASSERT_EQ(readout->isVisible(), *row.reads != 0) << row.hours;
        if (!*row.reads)
            continue;
        const std::string text = readout->text().toStdString();
        EXPECT_EQ(text.substr(8), row.reads);
        EXPECT_NEAR(secondOfDay(std::string_view(text).substr(0, 8)).value_or(-1), row.hours * 3600, pixel) << text;
    }
    hover(14.5);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(window, &leave);
    EXPECT_FALSE(readout->isVisible());
}

// The last line of the readout names the trace under the mouse and the line behind its value.
TEST_F(ChartWindows, TheReadoutNamesTheLineBehindTheTraceUnderTheMouse)
{
    session.open({{{"T,08:00:00,60,80"}, {"L,06:00:00,1,ON", "L,18:00:00,1,OFF"}, {"W,12:00:00,2,P3,3S,10M"}}});
    Form4* window = chart();
    ASSERT_NE(window, nullptr);
    auto* readout = window->findChild<QLabel*>(QStringLiteral("Readout"));
    ASSERT_NE(readout, nullptr);
    const struct {
        double hours, level;
        const char* last; // empty: the readout names no trace
    } rows[] = {
        {14.5, lightLevel(0, 1), "light 1  by L,06:00:00,1,ON (lights line 1)"},
        {20, lightLevel(0, 0), "light 1  by L,18:00:00,1,OFF (lights line 2)"},
        {3, lightLevel(0, 0) + 0.3, "light 1  by L,18:00:00,1,OFF (lights line 2)"},
        {14.5, (valveLevel(1, 0) + valveLevel(1, 1)) / 2, "valve 2  by W,12:00:00,2,P3,3S,10M (water line 1)"},
        {11, valveLevel(1, 0), "valve 2  by W,12:00:00,2,P3,3S,10M (water line 1)"},
        {14.5, temperatureLevel(60), "low  by T,08:00:00,60,80 (temperature line 1)"},
        {3, temperatureLevel(80) + 0.2, "high  by T,08:00:00,60,80 (temperature line 1)"},
        {14.5, lightLevel(5, 0), "light 6  not set by the program: starts off"},
        {14.5, lightLevel(5, 0) + 1.5, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.last);
        const QPointF at((row.hours + 2) / 28 * window->width(), (chartTop - row.level) / 24 * window->height());
        QMouseEvent move(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &move);
        ASSERT_TRUE(readout->isVisible());
        const QStringList lines = readout->text().split('\n');
        ASSERT_FALSE(lines.empty());
        if (*row.last)
            EXPECT_EQ(lines.back().toStdString(), row.last);
        else
            EXPECT_EQ(lines.size(), 4);
    }
}

// A click on a trace makes the line behind its value there the current one of its list.
TEST_F(ChartWindows, AClickOnATraceSelectsTheLineBehindIt)
{
    session.open({{{"T,08:00:00,60,80"}, {"L,06:00:00,1,ON", "L,18:00:00,1,OFF"}, {"W,12:00:00,2,P3,3S,10M"}}});
    Form4* window = chart();
    ASSERT_NE(window, nullptr);
    const struct {
        double hours, level;
        const char* list; // the list whose current line it is
        int row;
    } rows[] = {
        {20, lightLevel(0, 0), "List2", 1},
        {14.5, lightLevel(0, 1), "List2", 0},
        {14.5, valveLevel(1, 0.5), "List3", 0},
        {3, temperatureLevel(80), "List1", 0},
        // Nothing sets light 6: the current line stays.
        {20, lightLevel(5, 0), "List1", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.hours);
        for (const char* name : {"List2", "List3"})
            test::control<QListWidget>(form, name)->setCurrentRow(-1);
        const QPoint at(static_cast<int>((row.hours + 2) / 28 * window->width()),
                        static_cast<int>((chartTop - row.level) / 24 * window->height()));
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(test::control<QListWidget>(form, row.list)->currentRow(), row.row);
    }
}

TEST(PrintedChart, TextKeepsItsSizeNextToTheDrawingAtAnyResolution)
{
    DisplayList label;
    label.text(10, 10, "Light #1", black);
    const QSize window(200, 60);
    // The width of the dark pixels the label leaves.
    const auto inkWidth = [&](int dpi, int stretch) {
        QImage image(window * stretch, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        QPainter painter(&image);
        painter.scale(stretch, stretch);
        PainterCanvas canvas(painter, QRectF(QPointF(0, 0), QSizeF(window)), chartFontPoints);
        label.replay(canvas);
        painter.end();
        int left = image.width(), right = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right - left + 1;
    };
    // A page of a 1200-dpi printer, the window stretched five times over it.
    const int screen = inkWidth(96, 1), paper = inkWidth(1200, 5);
    ASSERT_GT(screen, 20);
    EXPECT_NEAR(paper, 5 * screen, 0.15 * 5 * screen);
}

// Fault mended: a print to a PDF file on a full disk was reported as done.
TEST(PrintedChart, APdfThatCouldNotBeWrittenIsAFailure)
{
    const QString written =
        QDir::temp().filePath(QStringLiteral("fernhollow-print-%1.pdf").arg(QCoreApplication::applicationPid()));
    QtTextFiles files;
    for (const QString& name : {QStringLiteral("/dev/full"), written}) {
        PdfPrinter printer(files, PrintTarget{name.toStdString(), {}, 1}, defaultPageLayout(), 1200);
        printer.printLine("T,06:00:00,70,80");
        const auto failure = printer.endDoc();
        EXPECT_EQ(failure.has_value(), name == "/dev/full") << name.toStdString();
    }
    QFile pdfFile(written);
    ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdfFile.readAll().trimmed().endsWith("%%EOF"));
    QFile::remove(written);
}

// The program's default font is the windows' own; a printed listing keeps the
// system's typeface, as the command line prints it.
TEST(PrintedListing, KeepsTheSystemsTypefaceWhateverTheProgramsDefaultFont)
{
    const QFont before = QApplication::font();
    QApplication::setFont(sansFont(8));
    doubles::MemoryTextFiles files;
    {
        PdfPrinter printer(files, PrintTarget{"listing.pdf", {}, 1}, defaultPageLayout(), 1200);
        printer.setFontSize(12);
        printer.printLine("T,06:00:00,70,80");
        EXPECT_FALSE(printer.endDoc());
    }
    QApplication::setFont(before);
    const QString system = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    if (system == sansFont(8).family())
        GTEST_SKIP() << "the system's typeface is the windows' own";
    EXPECT_TRUE(QByteArray::fromStdString(files.files["listing.pdf"]).contains(QString(system).remove(' ').toLatin1()))
        << system.toStdString();
}

} // namespace

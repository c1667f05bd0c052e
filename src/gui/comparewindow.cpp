#include "gui/comparewindow.h"

#include "chart/chart.h"
#include "chart/comparechart.h"
#include "draw/chartpicture.h"
#include "language/latin1.h"
#include "platform/devices.h"
#include "platform/printer.h"
#include "platform/qt/qtfonts.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace fh {

namespace {

std::string toUtf8(const QString& text) { return text.toUtf8().toStdString(); }

// A titled list under the charts.
QListWidget* titledList(const char* name, const char* title, const char* accessible, QHBoxLayout* row,
                        QWidget* parent)
{
    auto* column = new QVBoxLayout;
    auto* label = new QLabel(QString::fromUtf8(title), parent);
    label->setObjectName(QStringLiteral("%1Label").arg(QLatin1String(name)));
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setFont(fixedFont(8.25));
    list->setAccessibleName(QString::fromUtf8(accessible));
    label->setBuddy(list);
    column->addWidget(label);
    column->addWidget(list);
    row->addLayout(column);
    return list;
}

} // namespace

ComparedChart::ComparedChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(400, 160);
}

void ComparedChart::setPlot(Plot chart)
{
    plot = std::move(chart);
    draw();
}

double ComparedChart::labelPoints() const
{
    // A line of the labels within nine tenths of a row: the chart spans 24 rows.
    const double row = height() / (chartTop - chartBottom);
    double points = chartFontPoints;
    while (points > 4 && QFontMetricsF(documentFont(points)).height() > row * 0.9)
        points -= 0.25;
    return points;
}

void ComparedChart::draw()
{
    drawnPoints = labelPoints();
    drawing_.set(plot ? plot(drawnPoints) : DisplayList());
    update();
}

void ComparedChart::resizeEvent(QResizeEvent*)
{
    if (labelPoints() != drawnPoints)
        draw();
}

void ComparedChart::setCursorAt(std::optional<int> second)
{
    cursor = second;
    update();
}

void ComparedChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, drawing_.at(size()));
    if (!cursor)
        return;
    const double x = (*cursor / 3600.0 - chartLeft) / (chartRight - chartLeft) * width();
    painter.setPen(QPen(QColor(0, 0, 0), 2));
    painter.drawLine(QPointF(x, 0), QPointF(x, height()));
}

CompareWindow::CompareWindow(const Devices& devices, std::function<std::string()> programFile)
    : QWidget(nullptr, Qt::Window), devices(devices), programFile(std::move(programFile))
{
    setObjectName(QStringLiteral("CompareWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(fixedFont(chartFontPoints));
    resize(1000, 760);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addStretch();
    auto* printButton = new QPushButton(QStringLiteral("Print"), this);
    printButton->setObjectName(QStringLiteral("Print"));
    printButton->setFont(fixedFont(8.25));
    printButton->setAccessibleName(QStringLiteral("Print comparison"));
    printButton->setToolTip(QStringLiteral("Print both charts and the differences, landscape"));
    connect(printButton, &QPushButton::clicked, this, &CompareWindow::print);
    top->addWidget(printButton);
    layout->addLayout(top);

    chartA = new ComparedChart(this);
    chartA->setObjectName(QStringLiteral("ChartA"));
    chartA->setAccessibleName(QStringLiteral("Chart of the first program"));
    chartB = new ComparedChart(this);
    chartB->setObjectName(QStringLiteral("ChartB"));
    chartB->setAccessibleName(QStringLiteral("Chart of the second program"));
    layout->addWidget(chartA, 3);
    layout->addWidget(chartB, 3);

    auto* lists = new QHBoxLayout;
    differences = titledList("Differences", "&Differences", "Differences of the days", lists, this);
    lines = titledList("Lines", "&Lines only in one program", "Lines only in one program", lists, this);
    totals = titledList("Totals", "Changed daily &totals", "Changed daily totals", lists, this);
    differences->setToolTip(QStringLiteral("Choose one to put a cursor at its start on both charts"));
    connect(differences, &QListWidget::currentRowChanged, this, &CompareWindow::choose);
    layout->addLayout(lists, 2);
}

void CompareWindow::compare(const ComparedSide& a, const ComparedSide& b, const DayComparison& comparison,
                            const Display& reading)
{
    shown = comparison;
    display = reading;
    setWindowTitle(QStringLiteral("Compare \u2014 %1 and %2").arg(a.name, b.name));
    for (auto [side, chart] : {std::pair{&a, chartA}, std::pair{&b, chartB}}) {
        chart->setPlot([this, program = side->program, name = toUtf8(side->name)](double labelPoints) {
            DisplayList drawing;
            plotCompared(program, display, shown.differences, name, labelPoints, drawing, devices.messages);
            return drawing;
        });
        chart->setCursorAt(std::nullopt);
    }

    differences->clear();
    for (const DayDifference& d : comparison.differences)
        differences->addItem(QString::fromStdString(differenceLine(d, display)));
    lines->clear();
    for (auto [side, only] : {std::pair{&a, &comparison.onlyA}, std::pair{&b, &comparison.onlyB}}) {
        if (only->empty())
            continue;
        lines->addItem(QStringLiteral("only in %1:").arg(side->name));
        for (const std::string& line : *only)
            lines->addItem(QStringLiteral("  ") + QString::fromLatin1(line));
    }
    totals->clear();
    for (const auto& [before, after] : comparison.totals)
        totals->addItem(QString::fromLatin1(before) + QStringLiteral(" \u2192 ") + QString::fromLatin1(after));
}

void CompareWindow::choose(int row)
{
    std::optional<int> second;
    if (row >= 0 && static_cast<std::size_t>(row) < shown.differences.size())
        second = shown.differences[static_cast<std::size_t>(row)].from;
    chartA->setCursorAt(second);
    chartB->setCursorAt(second);
}

// Both charts on the first page, as the window shows them; the lists after.
void CompareWindow::print()
{
    const std::string file = programFile();
    Printer* printer = devices.printers.choose(printFileName(file, "comparison"));
    if (!printer)
        return;
    printer->setJobName(printJobName(file, "comparison"));
    printer->setFooter(printFooter(file, devices.clock.now()));
    printer->setLandscape(true);
    const PageRect area = printer->pageArea();
    const double left = area.left + area.width / 25, width = area.width / 1.1, height = area.height * 0.46;
    printer->paint(chartA->drawing(), chartA->width(), chartA->height(), {left, area.top, width, height});
    printer->paint(chartB->drawing(), chartB->width(), chartB->height(),
                   {left, area.top + area.height / 2, width, height});
    printer->newPage();
    printer->setFontSize(10);
    printer->printLine(toUtf8(windowTitle().replace(QChar(0x2014), QLatin1Char('-'))));
    printer->printLine({});
    for (const DayDifference& d : shown.differences)
        printer->printLine(differenceLine(d, display, "-", "->"));
    for (int row = 0; row < lines->count(); ++row)
        printer->printLine(toUtf8(lines->item(row)->text()));
    for (const auto& [before, after] : shown.totals)
        printer->printLine(utf8FromLatin1(before) + " -> " + utf8FromLatin1(after));
    devices.jobs.finish(*printer, printer->endDoc());
}

} // namespace fh

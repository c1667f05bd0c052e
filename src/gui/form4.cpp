#include "gui/form4.h"

#include "chart/chart.h"
#include "draw/chartpicture.h"
#include "platform/devices.h"
#include "platform/printer.h"
#include "platform/qt/qtfonts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace fh {

namespace {

// Aligned columns in the window's fixed-pitch font:
//   14:30:00   1   2   3   4   5   6
//   Lights   off off off  on  on off
QString readoutText(int second, const DayState& s, const Display& display)
{
    const auto column = [](const std::string& text) { return QString::fromStdString(text).rightJustified(4); };
    QString time = QString::fromStdString(display.time(second)).leftJustified(8);
    QString lights = QStringLiteral("Lights  ");
    QString valves = QStringLiteral("Valves  ");
    for (std::size_t k = 0; k < outputCount; ++k) {
        time += column(std::to_string(k + 1));
        lights += column(s.lights[k] ? "on" : "off");
        valves += column(display.valveState(s.valves[k]));
    }
    return time + '\n' + lights + '\n' + valves + QStringLiteral("\nLow %1  High %2")
                                                    .arg(QString::fromLatin1(display.setPoint(s.low)),
                                                         QString::fromLatin1(display.setPoint(s.high)));
}

} // namespace

Form4::Form4(const Devices& devices, std::function<std::string()> programFile,
             QWidget* parent)
    : QWidget(parent, Qt::Window), devices(devices), programFile(std::move(programFile))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QString::fromLatin1(chartWindowTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(fixedFont(chartFontPoints));
    // 11835 x 4770 twips; the window is shown maximised.
    resize(789, 318);

    // 17040, 120, 735 x 375 twips: beyond the normal width, reached when maximised.
    command1 = new QPushButton(QStringLiteral("Print"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setFont(fixedFont(8.25));
    command1->setGeometry(1136, 8, 49, 25);
    command1->setAccessibleName(QStringLiteral("Print chart"));
    command1->setToolTip(QStringLiteral("Print the chart as the window shows it"));
    connect(command1, &QPushButton::clicked, this, &Form4::command1Click);

    readout = new QLabel(this);
    readout->setObjectName(QStringLiteral("Readout"));
    readout->setFont(fixedFont(8.25));
    readout->setStyleSheet(QStringLiteral("background: #ffffe8; border: 1px solid #808080; padding: 2px"));
    readout->setAttribute(Qt::WA_TransparentForMouseEvents);
    readout->setAccessibleName(QStringLiteral("State at the cursor"));
    readout->hide();
    setMouseTracking(true);
}

void Form4::draw(const DisplayList& chart, DayReasons read, const Display& reading)
{
    reasons.emplace(std::move(read));
    display = reading;
    follow({-1, -1});
    // A chart drawn without setting coordinates keeps those the window has.
    DisplayList next;
    const auto& items = drawing_.chart().items();
    const bool setsScale = !chart.empty() && chart.items().front().kind == DrawItem::Scale;
    if (!setsScale && !items.empty() && items.front().kind == DrawItem::Scale)
        next.scale(items.front().x1, items.front().y1, items.front().x2, items.front().y2);
    next.append(chart);
    drawing_.set(std::move(next));
    update();
}

void Form4::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, drawing_.at(size()));
    if (cursorX >= 0) {
        painter.setPen(QColor(0, 0, 0, 120));
        painter.drawLine(cursorX, 0, cursorX, height());
    }
}

void Form4::mouseMoveEvent(QMouseEvent* e) { follow(e->position().toPoint()); }

void Form4::mousePressEvent(QMouseEvent* e)
{
    const auto pointed = e->button() == Qt::LeftButton ? pointedAt(e->position().toPoint()) : std::nullopt;
    if (!pointed || !pointed->item)
        return;
    const int line = reasons->why(0, pointed->second, *pointed->item, display).line;
    if (line < 0)
        return;
    const FiledLine& filed = reasons->filed(line);
    emit lineChosen(static_cast<int>(filed.list), static_cast<int>(filed.number) - 1);
}

void Form4::leaveEvent(QEvent*) { follow({-1, -1}); }

std::optional<Form4::Pointed> Form4::pointedAt(QPoint at) const
{
    const auto& items = drawing_.chart().items();
    if (!reasons || at.x() < 0 || width() <= 0 || height() <= 0 || items.empty() || items.front().kind != DrawItem::Scale)
        return std::nullopt;
    const DrawItem& scale = items.front();
    const double hours = scale.x1 + (at.x() + 0.5) / width() * (scale.x2 - scale.x1);
    if (!(hours >= 0 && hours < 24))
        return std::nullopt;
    const int second = std::min(secondsPerDay - 1, static_cast<int>(std::floor(hours * 3600)));
    const double level = scale.y1 + (at.y() + 0.5) / height() * (scale.y2 - scale.y1);
    return Pointed{second, itemAtLevel(level, reasons->cycle().days().front().at(second))};
}

void Form4::follow(QPoint at)
{
    const int x = at.x();
    const auto pointed = pointedAt(at);
    if (cursorX >= 0)
        update(cursorX, 0, 1, height());
    cursorX = pointed ? x : -1;
    if (!pointed) {
        readout->hide();
        return;
    }
    update(cursorX, 0, 1, height());
    const int second = pointed->second;
    QString text = readoutText(second, reasons->cycle().days().front().at(second), display);
    if (const auto item = pointed->item)
        text += u'\n' + QString::fromLatin1(itemReasonText(*reasons, reasons->why(0, second, *item, display)));
    readout->setText(text);
    readout->adjustSize();
    // Beside the cursor, on whichever side has room.
    const int gap = 8;
    const int left = x + gap + readout->width() <= width() ? x + gap : std::max(0, x - gap - readout->width());
    readout->move(left, 40);
    readout->show();
}

void Form4::closeEvent(QCloseEvent* e)
{
    emit closing();
    e->accept();
}

void Form4::command1Click()
{
    const std::string file = programFile ? programFile() : std::string();
    Printer* printer = devices.printers.choose(printFileName(file, "chart"));
    if (!printer)
        return;
    printer->setFooter(printFooter(file, devices.clock.now()));
    devices.jobs.finish(*printer, printChart(drawing_.chart(), width(), height(), *printer, printJobName(file, "chart")));
}

} // namespace fh

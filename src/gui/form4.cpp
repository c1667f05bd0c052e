#include "gui/form4.h"

#include "chart/chart.h"
#include "gui/chartpicture.h"
#include "platform/devices.h"
#include "platform/printer.h"
#include "platform/qt/qtfonts.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>

#include <utility>

namespace fh {

Form4::Form4(PrinterDialog& printers, MessageBox& messages, std::function<std::string()> programFile,
             QWidget* parent)
    : QWidget(parent, Qt::Window), printers(printers), messages(messages), programFile(std::move(programFile))
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
}

void Form4::draw(const DisplayList& chart)
{
    // A chart drawn without setting coordinates keeps those the window has.
    DisplayList next;
    const auto& items = drawing_.items();
    const bool setsScale = !chart.empty() && chart.items().front().kind == DrawItem::Scale;
    if (!setsScale && !items.empty() && items.front().kind == DrawItem::Scale)
        next.scale(items.front().x1, items.front().y1, items.front().x2, items.front().y2);
    next.append(chart);
    drawing_ = std::move(next);
    picture = QImage();
    update();
}

void Form4::paintEvent(QPaintEvent*)
{
    if (picture.size() != size())
        picture = chartImage(drawing_, size());
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}

void Form4::closeEvent(QCloseEvent* e)
{
    emit closing();
    e->accept();
}

void Form4::command1Click()
{
    Printer* printer = printers.choose();
    if (!printer)
        return;
    const std::string jobName = printJobName(programFile ? programFile() : std::string(), "chart");
    if (const auto failure = printChart(drawing_, width(), height(), *printer, jobName))
        messages.show("Cannot print: " + *failure);
}

} // namespace fh

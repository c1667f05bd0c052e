#include "gui/chartcontrols.h"

#include "platform/displaylist.h"
#include "gui/form2.h"
#include "gui/form4.h"
#include "compiler/program.h"
#include "language/editor.h"
#include "gui/form1.h"

#include <QAction>
#include <QFile>

namespace fh {

ChartControls::ChartControls(Form1& form1, const Editor& editor, Program& program, MessageBox& messages,
                             const Clock& clock, PrinterDialog& printers)
    : form1(form1), editor(editor), program(program), messages(messages), clock(clock),
      printers(printers)
{
    connect(form1.menus().sps, &QAction::triggered, this, &ChartControls::spsClick);
    connect(form1.menus().pgh, &QAction::triggered, this, &ChartControls::pghClick);
    // Coming back to the main window (choosing a menu item does) sets the chart
    // coordinates again at the next chart.
    connect(&form1, &Form1::activated, this, [this] { state_.scaled = 0; });
}

// The chart window has no owner, so it would outlive the main window.
ChartControls::~ChartControls() { delete form4; }

Form2* ChartControls::selectionWindow() const { return form2; }

Form4* ChartControls::chartWindow() const { return form4; }

void ChartControls::spsClick()
{
    if (!form2)
        form2 = new Form2(state_, &form1);
    form2->show();
    form2->raise();
}

void ChartControls::pghClick()
{
    // A new chart window has no coordinates of its own yet.
    if (!form4)
        state_.scaled = 0;
    DisplayList chart;
    const bool drawn = plot(editor.lists(), program, state_, chart, messages, clock);
    form1.render();
    if (!drawn)
        return;
    if (form4) {
        // An open chart window keeps the size the user gave it.
        form4->show();
        form4->raise();
    } else {
        form4 = new Form4(printers, messages,
                          [this] { return QFile::encodeName(form1.windowFilePath()).toStdString(); });
        connect(form4, &Form4::closing, this, [this] {
            program.hideCode();
            form1.render();
        });
        form4->showMaximized();
    }
    form4->draw(chart, DayStates(program));
}

} // namespace fh

#include "gui/chartcontrols.h"

#include "platform/displaylist.h"
#include "gui/form2.h"
#include "gui/form4.h"
#include "gui/form1.h"
#include "session/session.h"

#include <QAction>
#include <QFile>

namespace fh {

ChartControls::ChartControls(Form1& form1, Session& session, const Devices& devices)
    : form1(form1), session(session), devices(devices)
{
    connect(form1.menus().selectPlotsAction, &QAction::triggered, this, &ChartControls::spsClick);
    connect(form1.menus().plotAction, &QAction::triggered, this, &ChartControls::pghClick);
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
    const bool drawn = session.compile() && plot(session.program(), session.display(), state_, chart, devices.messages);
    form1.render();
    if (!drawn)
        return;
    if (form4) {
        // An open chart window keeps the size the user gave it.
        form4->show();
        form4->raise();
    } else {
        form4 = new Form4(devices, [this] { return QFile::encodeName(form1.windowFilePath()).toStdString(); });
        connect(form4, &Form4::lineChosen, &form1, &Form1::selectItem);
        connect(form4, &Form4::closing, this, [this] {
            session.codeView().hide(session.program());
            form1.render();
        });
        form4->showMaximized();
    }
    form4->draw(chart, DayReasons(session.program(), session.program().source()), session.display());
}

void ChartControls::redraw()
{
    DisplayList chart;
    if (form4 && plot(session.program(), session.display(), state_, chart, devices.messages))
        form4->draw(chart, DayReasons(session.program(), session.program().source()), session.display());
}

} // namespace fh

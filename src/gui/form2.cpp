#include "gui/form2.h"

#include "chart/chart.h"

#include <QCheckBox>

namespace fh {

Form2::Form2(ChartState& state, QWidget* owner) : QWidget(owner, Qt::Window), plotsel(state.plotsel)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    // 1410 x 1575 twips, and a row for the totals; wide enough for "Temperature"
    // in the substitute font.
    resize(120, 129);

    struct Box {
        const char* caption;
        QRect twips;
        const char* tip;
    };
    const Box boxes[] = {
        {"Temperature", {120, 0, 1575, 375}, "Kept as ticked; the chart always shows the set-points"},
        {"Light", {120, 480, 975, 375}, "Kept as ticked; the chart always shows the light relays"},
        {"Water", {120, 960, 975, 375}, "Kept as ticked; the chart always shows the water valves"},
    };
    for (std::size_t i = 0; i < plotsel.size(); ++i) {
        QCheckBox* box = new QCheckBox(QString::fromLatin1(boxes[i].caption), this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(i));
        const QRect& t = boxes[i].twips;
        box->setGeometry(t.x() / 15, t.y() / 15, t.width() / 15, t.height() / 15);
        box->setChecked(plotsel[i]);
        box->setAccessibleName(box->text());
        box->setToolTip(QString::fromLatin1(boxes[i].tip));
        // A greyed box counts as not ticked.
        connect(box, &QCheckBox::stateChanged, this,
                [this, i](int ticked) { this->plotsel[i] = ticked == Qt::Checked; });
    }
    // The chart's daily totals, a choice of this program beside the three boxes above.
    QCheckBox* totals = new QCheckBox(QStringLiteral("Totals"), this);
    totals->setObjectName(QStringLiteral("Check1_3"));
    totals->setGeometry(8, 96, 65, 25);
    totals->setChecked(state.totals);
    totals->setAccessibleName(totals->text());
    totals->setToolTip(QStringLiteral("Show each light's and valve's hours in the day beside its trace"));
    connect(totals, &QCheckBox::toggled, this, [&state](bool on) { state.totals = on; });
}

} // namespace fh

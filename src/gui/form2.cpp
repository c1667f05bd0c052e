#include "gui/form2.h"

#include <QCheckBox>

namespace fh {

Form2::Form2(std::array<bool, 3>& plotsel, QWidget* owner) : QWidget(owner, Qt::Window), plotsel(plotsel)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    // 1410 x 1575 twips.
    resize(94, 105);

    struct Box {
        const char* caption;
        QRect twips;
        const char* tip;
    };
    const Box boxes[] = {
        {"Temperature", {120, 0, 1335, 375}, "Show the set-points in the chart"},
        {"Light", {120, 480, 975, 375}, "Show the light relays in the chart"},
        {"Water", {120, 960, 975, 375}, "Show the water valves in the chart"},
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
                [this, i](int state) { this->plotsel[i] = state == Qt::Checked; });
    }
}

} // namespace fh

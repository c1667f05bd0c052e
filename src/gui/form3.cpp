#include "gui/form3.h"

#include "compiler/daydiff.h"
#include "compiler/display.h"
#include "compiler/why.h"
#include "gui/controltable.h"
#include "gui/clocklabel.h"
#include "gui/pictures.h"
#include "platform/qt/qtfonts.h"
#include "simulation/preview.h"
#include "simulation/simulation.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolTip>

#include <optional>
#include <string>
#include <utility>

namespace fh {

namespace {

// Positions are written in twips, 15 to a pixel, so they read as the layout gives them.
constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

// An Image's caption names its picture.
enum class Kind { Box, Circle, Label, Clock, Image, List, Text, Time, Choice, Button, Check };

// In the order of creation, which is also the order of stacking and of the Tab key.
// Outputs 1, 3, 5 sit in the left column of a group, 2, 4, 6 in the right; the
// circles come first so that a shown image covers its circle.
constexpr Control<Kind> controls[] = {
    {Kind::Box, "Shape1", "", twips(120, 0, 1815, 2055), "Lights group",
     "The six lamps: a lamp shows while its relay is on"},
    {Kind::Box, "Shape2", "", twips(2160, 0, 1815, 2055), "Water group",
     "The six valves: a tap shows while its valve runs"},
    {Kind::Box, "Shape3", "", twips(4200, 0, 1455, 2055), "Temperature group", "The set-points now in force"},
    {Kind::Circle, "Shape4_0", "", twips(720, 240, 135, 135), "Light 1", "Light 1: its lamp shows while it is on"},
    {Kind::Circle, "Shape4_6", "", twips(2760, 240, 135, 135), "Valve 1", "Valve 1: its tap shows while it runs"},
    {Kind::Circle, "Shape4_1", "", twips(1200, 240, 135, 135), "Light 2", "Light 2: its lamp shows while it is on"},
    {Kind::Circle, "Shape4_7", "", twips(3240, 240, 135, 135), "Valve 2", "Valve 2: its tap shows while it runs"},
    {Kind::Circle, "Shape4_2", "", twips(720, 720, 135, 135), "Light 3", "Light 3: its lamp shows while it is on"},
    {Kind::Circle, "Shape4_8", "", twips(2760, 720, 135, 135), "Valve 3", "Valve 3: its tap shows while it runs"},
    {Kind::Circle, "Shape4_3", "", twips(1200, 720, 135, 135), "Light 4", "Light 4: its lamp shows while it is on"},
    {Kind::Circle, "Shape4_9", "", twips(3240, 720, 135, 135), "Valve 4", "Valve 4: its tap shows while it runs"},
    {Kind::Circle, "Shape4_4", "", twips(720, 1200, 135, 135), "Light 5", "Light 5: its lamp shows while it is on"},
    {Kind::Circle, "Shape4_10", "", twips(2760, 1200, 135, 135), "Valve 5", "Valve 5: its tap shows while it runs"},
    {Kind::Circle, "Shape4_5", "", twips(1200, 1200, 135, 135), "Light 6", "Light 6: its lamp shows while it is on"},
    {Kind::Circle, "Shape4_11", "", twips(3240, 1200, 135, 135), "Valve 6", "Valve 6: its tap shows while it runs"},
    {Kind::Image, "Image1_0", "lamp", twips(600, 120, 345, 345), "Light 1 on", "Light 1 is on"},
    {Kind::Image, "Image2_0", "tap", twips(2640, 120, 375, 375), "Valve 1 running", "Valve 1 runs"},
    {Kind::Label, "Label7_0", "1", twips(360, 120, 255, 375), "Light 1 number", "Light 1"},
    {Kind::Label, "Label7_6", "1", twips(2400, 120, 255, 375), "Valve 1 number", "Valve 1"},
    {Kind::Image, "Image1_1", "lamp", twips(1080, 120, 375, 375), "Light 2 on", "Light 2 is on"},
    {Kind::Image, "Image2_1", "tap", twips(3120, 120, 375, 375), "Valve 2 running", "Valve 2 runs"},
    {Kind::Label, "Label7_1", "2", twips(1560, 120, 255, 375), "Light 2 number", "Light 2"},
    {Kind::Label, "Label7_7", "2", twips(3600, 120, 255, 375), "Valve 2 number", "Valve 2"},
    {Kind::Image, "Image1_2", "lamp", twips(600, 600, 375, 375), "Light 3 on", "Light 3 is on"},
    {Kind::Image, "Image2_2", "tap", twips(2640, 600, 375, 375), "Valve 3 running", "Valve 3 runs"},
    {Kind::Label, "Label7_2", "3", twips(360, 600, 255, 375), "Light 3 number", "Light 3"},
    {Kind::Label, "Label7_8", "3", twips(2400, 600, 255, 375), "Valve 3 number", "Valve 3"},
    {Kind::Image, "Image1_3", "lamp", twips(1080, 600, 375, 375), "Light 4 on", "Light 4 is on"},
    {Kind::Image, "Image2_3", "tap", twips(3120, 600, 375, 375), "Valve 4 running", "Valve 4 runs"},
    {Kind::Label, "Label7_3", "4", twips(1560, 600, 255, 375), "Light 4 number", "Light 4"},
    {Kind::Label, "Label7_9", "4", twips(3600, 600, 255, 375), "Valve 4 number", "Valve 4"},
    {Kind::Image, "Image1_4", "lamp", twips(600, 1080, 375, 375), "Light 5 on", "Light 5 is on"},
    {Kind::Image, "Image2_4", "tap", twips(2640, 1080, 375, 375), "Valve 5 running", "Valve 5 runs"},
    {Kind::Label, "Label7_4", "5", twips(360, 1080, 255, 375), "Light 5 number", "Light 5"},
    {Kind::Label, "Label7_10", "5", twips(2400, 1080, 255, 375), "Valve 5 number", "Valve 5"},
    {Kind::Image, "Image1_5", "lamp", twips(1080, 1080, 375, 375), "Light 6 on", "Light 6 is on"},
    {Kind::Image, "Image2_5", "tap", twips(3120, 1080, 375, 375), "Valve 6 running", "Valve 6 runs"},
    {Kind::Label, "Label7_5", "6", twips(1560, 1080, 255, 375), "Light 6 number", "Light 6"},
    {Kind::Label, "Label7_11", "6", twips(3600, 1080, 255, 375), "Valve 6 number", "Valve 6"},
    {Kind::Label, "Label3", "Lights", twips(840, 1560, 735, 255), "Lights caption", "The light relays above"},
    {Kind::Label, "Label4", "Water", twips(2760, 1560, 855, 375), "Water caption", "The water valves above"},
    {Kind::Label, "usetLab", "78", twips(4440, 120, 855, 375), "Upper set-point", "Cooling set-point, degrees F",
     Face::MediumBold},
    {Kind::Label, "Label1", "Upper Set-Cool", twips(4320, 480, 1455, 255), "Upper set-point caption",
     "Cooling starts above the number above"},
    {Kind::Label, "lsetLab", "74", twips(4440, 840, 855, 375), "Lower set-point", "Heating set-point, degrees F",
     Face::MediumBold},
    {Kind::Label, "Label2", "Lower Set-Heat", twips(4320, 1320, 1575, 255), "Lower set-point caption",
     "Heating starts below the number above"},
    // Label6 and Label5 are a little wider than designed, for their captions in the
    // substitute font.
    {Kind::Label, "Label6", "Temperature", twips(4320, 1680, 1095, 255), "Temperature caption",
     "The set-points above"},
    {Kind::List, "List4", "", twips(6240, 120, 1695, 1410), "Pulse timers",
     "Pulse timers p 1 to p 6, highlighted while on"},
    {Kind::Label, "Label13", "Timers", twips(6600, 1680, 975, 375), "Timers caption", "The pulse timers above",
     Face::Medium},
    {Kind::Text, "Text1", "Text1", twips(120, 2640, 5895, 495), "Pending line",
     "The program line that takes effect next"},
    {Kind::Label, "Label5", ": Pending", twips(6240, 2760, 855, 375), "Pending caption",
     "The line at the left takes effect next"},
    {Kind::Image, "Image3", "lamp", twips(480, 2040, 540, 540), "Lights picture", "Lights"},
    {Kind::Image, "Image4", "tap", twips(2520, 2040, 540, 540), "Water picture", "Water"},
    // The preview row, below the window's own controls.
    {Kind::Label, "PreviewCaption", "Preview:", twips(120, 3360, 735, 375), "Preview caption",
     "Run the day from a chosen time at a chosen speed"},
    {Kind::Time, "PreviewStart", "", twips(900, 3360, 1215, 375), "Preview start",
     "The time of day Play starts the preview from, such as 6, 6:30 or 06:30:00; Enter jumps there"},
    {Kind::Choice, "PreviewSpeed", "", twips(2220, 3360, 1020, 375), "Preview speed",
     "Simulated seconds to a second"},
    {Kind::Button, "PreviewPlay", "", twips(3345, 3360, 900, 375), "Play or pause the preview",
     "Play the preview from the start time, or pause and play it on"},
    {Kind::Button, "PreviewNext", "Next line", twips(4350, 3360, 1080, 375), "Next line",
     "Jump to the second of the pending line, which then takes effect"},
    {Kind::Button, "PreviewLive", "Live", twips(5535, 3360, 735, 375), "Live",
     "End the preview: back to the computer's clock"},
    {Kind::Check, "PreviewMute", "Mute", twips(6375, 3360, 900, 375), "Mute",
     "No beep each second; a preview never beeps"},
    {Kind::Clock, "PreviewTime", "", twips(7380, 3360, 1275, 375), "Preview time",
     "The simulation's time of day: the preview's while it runs"},
    {Kind::Label, "PulsingLabel", "", twips(120, 3795, 8535, 315), "Pulsing valves",
     "The valves pulsed now, with their timer's on and off times"},
};

// An outline drawn in the window's text colour; it takes no mouse clicks.
class Shape : public QWidget {
public:
    Shape(QWidget* parent, bool circle) : QWidget(parent), circle(circle)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect r = rect().adjusted(0, 0, -1, -1);
        if (circle) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.drawEllipse(r);
        } else {
            painter.drawRect(r);
        }
    }

private:
    bool circle;
};

QWidget* make(const Control<Kind>& control, QWidget* parent)
{
    const QString caption = QString::fromLatin1(control.caption);
    switch (control.kind) {
    case Kind::Box:
    case Kind::Circle:
        return new Shape(parent, control.kind == Kind::Circle);
    case Kind::Label:
    case Kind::Clock:
    case Kind::Image: {
        const bool image = control.kind == Kind::Image;
        auto* label = control.kind == Kind::Clock ? new ClockLabel(caption, parent)
                                                  : new QLabel(image ? QString() : caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (image) {
            label->setScaledContents(true);
            label->setPixmap(picture(caption, control.at.size()));
            label->hide();
        }
        return label;
    }
    case Kind::List: {
        // The selection shows the timers' phases; clicks would only fight the next second.
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        list->setFocusPolicy(Qt::NoFocus);
        list->setAttribute(Qt::WA_TransparentForMouseEvents);
        return list;
    }
    case Kind::Text: {
        auto* text = new QLineEdit(caption, parent);
        text->setReadOnly(true);
        return text;
    }
    case Kind::Time:
        return new QLineEdit(parent);
    case Kind::Choice: {
        auto* choice = new QComboBox(parent);
        for (const int speed : previewSpeeds)
            choice->addItem(QString::number(speed) + QChar(0x00D7));
        return choice;
    }
    case Kind::Button:
        return new QPushButton(caption, parent);
    case Kind::Check:
        break;
    }
    return new QCheckBox(caption, parent);
}

int itemNamed(const std::string& name) { return dayItemNamed(name).value(); }

} // namespace

Form3::Form3()
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QString::fromLatin1(form3Title));
    setWindowIcon(leafIcon());
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(sansFont(8));
    // Placed beside the main window as it is shown.
    resize(twips(0, 0, 8775, 4170).size());

    for (const Control<Kind>& control : controls)
        place(*make(control, this), control);

    auto& timers = child<QLabel>(*this, "Label13");
    timers.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    timers.setAutoFillBackground(true);
    timers.setBackgroundRole(QPalette::Button);
    child<QLabel>(*this, "PreviewCaption").setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    for (std::size_t k = 0; k < lamps.size(); ++k) {
        lamps[k] = &child<QLabel>(*this, QStringLiteral("Image1_%1").arg(k));
        taps[k] = &child<QLabel>(*this, QStringLiteral("Image2_%1").arg(k));
    }
    list4 = &child<QListWidget>(*this, "List4");
    // An output's picture, its circle and its number; the valves' circles and numbers
    // follow the lights'.
    for (std::size_t k = 0; k < outputCount; ++k)
        for (const bool valve : {false, true}) {
            const int item = itemNamed((valve ? "valve " : "light ") + std::to_string(k + 1));
            const std::size_t slot = k + (valve ? outputCount : 0);
            for (const QString& name : {QStringLiteral("Image%1_%2").arg(valve ? 2 : 1).arg(k),
                                        QStringLiteral("Shape4_%1").arg(slot), QStringLiteral("Label7_%1").arg(slot)})
                itemControls.emplace_back(&child<QWidget>(*this, name), item);
        }
    pulsing = &child<QLabel>(*this, "PulsingLabel");
    usetLab = &child<QLabel>(*this, "usetLab");
    lsetLab = &child<QLabel>(*this, "lsetLab");
    text1 = &child<QLineEdit>(*this, "Text1");
    itemControls.emplace_back(usetLab, itemNamed("high"));
    itemControls.emplace_back(lsetLab, itemNamed("low"));
    // Their tooltip events come here first; over a circle or the timer list, which let
    // the mouse through, the window has its own.
    for (const auto& [control, item] : itemControls)
        control->installEventFilter(this);
    previewRow_ = {
        .start = &child<QLineEdit>(*this, "PreviewStart"),
        .speed = &child<QComboBox>(*this, "PreviewSpeed"),
        .play = &child<QPushButton>(*this, "PreviewPlay"),
        .next = &child<QPushButton>(*this, "PreviewNext"),
        .live = &child<QPushButton>(*this, "PreviewLive"),
        .mute = &child<QCheckBox>(*this, "PreviewMute"),
        .time = &child<ClockLabel>(*this, "PreviewTime"),
    };
    // The simulation's time is all that changes each second while it runs.
    previewRow_.time->paintAlone();
}

void Form3::render(const GreenhouseView& view, const Display& display)
{
    for (std::size_t k = 0; k < lamps.size(); ++k) {
        lamps[k]->setHidden(!view.lamps[k]);
        taps[k]->setHidden(!view.taps[k]);
    }
    if (view.timerItems && list4->count() == 0)
        for (int n = 1; n <= timerCount; ++n)
            list4->addItem(QStringLiteral("p %1").arg(n));
    for (int i = 0; i < std::min(list4->count(), timerCount); ++i)
        if (const bool on = view.timerOn[static_cast<std::size_t>(i)]; list4->item(i)->isSelected() != on)
            list4->item(i)->setSelected(on);
    setLatin1Text(usetLab, display.setPoint(view.highSetPoint));
    setLatin1Text(lsetLab, display.setPoint(view.lowSetPoint));
    const QString scale = display.temperature == Display::Temperature::Celsius ? QStringLiteral("degrees C")
                                                                                : QStringLiteral("degrees F");
    for (auto [label, tip] : {std::pair{usetLab, "Cooling set-point, "}, std::pair{lsetLab, "Heating set-point, "}})
        if (const QString told = QLatin1String(tip) + scale; label->toolTip() != told)
            label->setToolTip(told);
    // Until a line is pending the box keeps its caption.
    if (view.pendingLine) {
        const QString pending = QString::fromLatin1(*view.pendingLine);
        if (text1->text() != pending)
            text1->setText(pending);
    }
    if (view.shown && isHidden())
        show();
    else if (!view.shown && !isHidden())
        hide();
}

void Form3::render(const PreviewPanel& preview)
{
    const PreviewRow& row = previewRow_;
    // Shown as the core holds it, without reporting it back as the user's change.
    const QSignalBlocker speedQuiet(row.speed);
    const QSignalBlocker muteQuiet(row.mute);
    // A time being typed is left as it is until Enter.
    if (const QString start = QString::fromLatin1(formatTime(preview.start));
        !row.start->isModified() && row.start->text() != start)
        row.start->setText(start);
    row.speed->setCurrentIndex(static_cast<int>(preview.speed));
    row.play->setText(QString::fromLatin1(preview.playCaption));
    row.live->setEnabled(preview.previewing);
    row.mute->setChecked(preview.muted);
    row.time->showTime(QString::fromLatin1(preview.time));
    setLatin1Text(pulsing, preview.pulsing);
}

void Form3::explainWith(std::function<QString(int item)> explaining) { explain = std::move(explaining); }

bool Form3::explainAt(QPoint at, QPoint global, QWidget* over)
{
    if (!explain)
        return false;
    std::optional<int> item;
    QRect zone;
    for (const auto& [control, named] : itemControls)
        if (control->geometry().contains(at)) {
            item = named;
            zone = control->geometry();
            break;
        }
    if (!item && list4->geometry().contains(at)) {
        const QPoint inList = list4->viewport()->mapFrom(this, at);
        if (const int row = list4->indexAt(inList).row(); row >= 0 && row < timerCount) {
            item = itemNamed("timer " + std::to_string(row + 1));
            zone = list4->visualRect(list4->model()->index(row, 0)).translated(list4->viewport()->mapTo(this, QPoint()));
        }
    }
    const QString text = item ? explain(*item) : QString();
    if (text.isEmpty())
        return false;
    // Asked again each time the mouse comes to rest: it follows the simulation's clock.
    QToolTip::showText(global, text, over, zone.translated(-over->mapTo(this, QPoint())));
    return true;
}

bool Form3::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        if (explainAt(help->pos(), help->globalPos(), this))
            return true;
    }
    return QWidget::event(e);
}

bool Form3::eventFilter(QObject* watched, QEvent* e)
{
    auto* control = qobject_cast<QWidget*>(watched);
    if (e->type() != QEvent::ToolTip || !control)
        return QWidget::eventFilter(watched, e);
    const auto* help = static_cast<QHelpEvent*>(e);
    return explainAt(control->mapTo(this, help->pos()), help->globalPos(), control);
}

void Form3::closeEvent(QCloseEvent* e)
{
    e->ignore();
    emit closeRequested();
}

} // namespace fh

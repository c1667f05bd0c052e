#include "gui/form3.h"

#include "gui/pictures.h"
#include "platform/qt/qtfonts.h"
#include "simulation/preview.h"
#include "simulation/simulation.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>

namespace fh {

namespace {

// Positions are written in twips, 15 to a pixel, so they read as the layout gives them.
QRect twips(int left, int top, int width, int height)
{
    return {left / 15, top / 15, width / 15, height / 15};
}

// What a control is, for screen readers, and what its tooltip says.
void describe(QWidget* w, const QString& spoken, const QString& tip)
{
    w->setAccessibleName(spoken);
    w->setToolTip(tip);
}

// An outline drawn in the window's text colour; it takes no mouse clicks.
class Shape : public QWidget {
public:
    Shape(QWidget* parent, const QString& name, const QRect& at, bool circle, const QString& spoken,
          const QString& tip)
        : QWidget(parent), circle(circle)
    {
        setObjectName(name);
        setGeometry(at);
        describe(this, spoken, tip);
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

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& at, const QString& spoken,
             const QString& tip)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(at);
    describe(l, spoken, tip);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QLabel* image(QWidget* parent, const QString& name, const QString& picture, const QRect& at, const QString& spoken,
             const QString& tip)
{
    auto* l = label(parent, name, {}, at, spoken, tip);
    l->setScaledContents(true);
    l->setPixmap(fh::picture(picture, at.size()));
    l->hide();
    return l;
}

QLabel* setPoint(QWidget* parent, const QString& name, const QString& text, const QRect& at, const QString& spoken,
                 const QString& tip)
{
    QLabel* l = label(parent, name, text, at, spoken, tip);
    QFont font = l->font();
    font.setPointSizeF(13.5);
    font.setBold(true);
    l->setFont(font);
    return l;
}

template <class W>
W* control(W* w, const QString& name, const QRect& at, const QString& spoken, const QString& tip)
{
    w->setObjectName(name);
    w->setGeometry(at);
    describe(w, spoken, tip);
    return w;
}

void setText(QLabel* l, const std::string& text)
{
    const QString shown = QString::fromLatin1(text);
    if (l->text() != shown)
        l->setText(shown);
}

} // namespace

Form3::Form3()
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QString::fromLatin1(form3Title));
    setWindowIcon(leafIcon());
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(sansFont(8));
    // Placed beside the main window as it is shown.
    resize(twips(0, 0, 8775, 3870).size());

    new Shape(this, QStringLiteral("Shape1"), twips(120, 0, 1815, 2055), false, QStringLiteral("Lights group"),
              QStringLiteral("The six lamps: a lamp shows while its relay is on"));
    new Shape(this, QStringLiteral("Shape2"), twips(2160, 0, 1815, 2055), false, QStringLiteral("Water group"),
              QStringLiteral("The six valves: a tap shows while its valve runs"));
    new Shape(this, QStringLiteral("Shape3"), twips(4200, 0, 1455, 2055), false,
              QStringLiteral("Temperature group"), QStringLiteral("The set-points now in force"));

    // Outputs 1, 3, 5 in the left column of a group, 2, 4, 6 in the right; the
    // circles come first so that a shown image covers its circle.
    constexpr int rowTop[] = {120, 600, 1080};
    for (int k = 0; k < 6; ++k) {
        const int top = rowTop[k / 2];
        const bool right = k % 2 == 1;
        const QString light = QStringLiteral("Light %1").arg(k + 1);
        const QString valve = QStringLiteral("Valve %1").arg(k + 1);
        new Shape(this, QStringLiteral("Shape4_%1").arg(k), twips(right ? 1200 : 720, top + 120, 135, 135), true,
                  light, light + QStringLiteral(": its lamp shows while it is on"));
        new Shape(this, QStringLiteral("Shape4_%1").arg(k + 6), twips(right ? 3240 : 2760, top + 120, 135, 135),
                  true, valve, valve + QStringLiteral(": its tap shows while it runs"));
    }
    for (int k = 0; k < 6; ++k) {
        const int top = rowTop[k / 2];
        const bool right = k % 2 == 1;
        const int lampSide = k == 0 ? 345 : 375;
        const QString light = QStringLiteral("Light %1").arg(k + 1);
        const QString valve = QStringLiteral("Valve %1").arg(k + 1);
        lamps[static_cast<std::size_t>(k)] =
            image(this, QStringLiteral("Image1_%1").arg(k), QStringLiteral("lamp"),
                  twips(right ? 1080 : 600, top, lampSide, lampSide), light + QStringLiteral(" on"),
                  light + QStringLiteral(" is on"));
        taps[static_cast<std::size_t>(k)] =
            image(this, QStringLiteral("Image2_%1").arg(k), QStringLiteral("tap"),
                  twips(right ? 3120 : 2640, top, 375, 375), valve + QStringLiteral(" running"),
                  valve + QStringLiteral(" runs"));
        label(this, QStringLiteral("Label7_%1").arg(k), QString::number(k + 1),
              twips(right ? 1560 : 360, top, 255, 375), light + QStringLiteral(" number"), light);
        label(this, QStringLiteral("Label7_%1").arg(k + 6), QString::number(k + 1),
              twips(right ? 3600 : 2400, top, 255, 375), valve + QStringLiteral(" number"), valve);
    }

    label(this, QStringLiteral("Label3"), QStringLiteral("Lights"), twips(840, 1560, 735, 255),
          QStringLiteral("Lights caption"), QStringLiteral("The light relays above"));
    label(this, QStringLiteral("Label4"), QStringLiteral("Water"), twips(2760, 1560, 855, 375),
          QStringLiteral("Water caption"), QStringLiteral("The water valves above"));
    usetLab = setPoint(this, QStringLiteral("usetLab"), QStringLiteral("78"), twips(4440, 120, 855, 375),
                       QStringLiteral("Upper set-point"), QStringLiteral("Cooling set-point, degrees F"));
    label(this, QStringLiteral("Label1"), QStringLiteral("Upper Set-Cool"), twips(4320, 480, 1455, 255),
          QStringLiteral("Upper set-point caption"), QStringLiteral("Cooling starts above the number above"));
    lsetLab = setPoint(this, QStringLiteral("lsetLab"), QStringLiteral("74"), twips(4440, 840, 855, 375),
                       QStringLiteral("Lower set-point"), QStringLiteral("Heating set-point, degrees F"));
    label(this, QStringLiteral("Label2"), QStringLiteral("Lower Set-Heat"), twips(4320, 1320, 1575, 255),
          QStringLiteral("Lower set-point caption"), QStringLiteral("Heating starts below the number above"));
    // Label6 and Label5 are a little wider than designed, for their captions in the
    // substitute font.
    label(this, QStringLiteral("Label6"), QStringLiteral("Temperature"), twips(4320, 1680, 1095, 255),
          QStringLiteral("Temperature caption"), QStringLiteral("The set-points above"));

    // The selection shows the timers' phases; clicks would only fight the next second.
    list4 = new QListWidget(this);
    list4->setObjectName(QStringLiteral("List4"));
    list4->setGeometry(twips(6240, 120, 1695, 1410));
    list4->setSelectionMode(QAbstractItemView::MultiSelection);
    list4->setFocusPolicy(Qt::NoFocus);
    list4->setAttribute(Qt::WA_TransparentForMouseEvents);
    describe(list4, QStringLiteral("Pulse timers"), QStringLiteral("Pulse timers p 1 to p 6, highlighted while on"));

    QLabel* timers = label(this, QStringLiteral("Label13"), QStringLiteral("Timers"), twips(6600, 1680, 975, 375),
                           QStringLiteral("Timers caption"), QStringLiteral("The pulse timers above"));
    QFont big = timers->font();
    big.setPointSizeF(13.5);
    timers->setFont(big);
    timers->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    timers->setAutoFillBackground(true);
    timers->setBackgroundRole(QPalette::Button);

    text1 = new QLineEdit(QStringLiteral("Text1"), this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setGeometry(twips(120, 2640, 5895, 495));
    text1->setReadOnly(true);
    describe(text1, QStringLiteral("Pending line"), QStringLiteral("The program line that takes effect next"));
    label(this, QStringLiteral("Label5"), QStringLiteral(": Pending"), twips(6240, 2760, 855, 375),
          QStringLiteral("Pending caption"), QStringLiteral("The line at the left takes effect next"));

    image(this, QStringLiteral("Image3"), QStringLiteral("lamp"), twips(480, 2040, 540, 540),
          QStringLiteral("Lights picture"), QStringLiteral("Lights"));
    image(this, QStringLiteral("Image4"), QStringLiteral("tap"), twips(2520, 2040, 540, 540),
          QStringLiteral("Water picture"), QStringLiteral("Water"));

    // The preview row, below the window's own controls.
    label(this, QStringLiteral("PreviewCaption"), QStringLiteral("Preview:"), twips(120, 3360, 735, 375),
          QStringLiteral("Preview caption"), QStringLiteral("Run the day from a chosen time at a chosen speed"))
        ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    previewStart = control(new QTimeEdit(this), QStringLiteral("PreviewStart"), twips(900, 3360, 1215, 375),
                           QStringLiteral("Preview start"),
                           QStringLiteral("The time of day Play starts the preview from; a preview jumps there"));
    previewStart->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    previewSpeed = control(new QComboBox(this), QStringLiteral("PreviewSpeed"), twips(2220, 3360, 1020, 375),
                           QStringLiteral("Preview speed"), QStringLiteral("Simulated seconds to a second"));
    for (const int speed : previewSpeeds)
        previewSpeed->addItem(QString::number(speed) + QChar(0x00D7));
    previewPlay = control(new QPushButton(this), QStringLiteral("PreviewPlay"), twips(3345, 3360, 900, 375),
                          QStringLiteral("Play or pause the preview"),
                          QStringLiteral("Play the preview from the start time, or pause and play it on"));
    control(new QPushButton(QStringLiteral("Next line"), this), QStringLiteral("PreviewNext"),
            twips(4350, 3360, 1080, 375), QStringLiteral("Next line"),
            QStringLiteral("Jump to the second of the pending line, which then takes effect"));
    previewLive = control(new QPushButton(QStringLiteral("Live"), this), QStringLiteral("PreviewLive"),
                          twips(5535, 3360, 735, 375), QStringLiteral("Live"),
                          QStringLiteral("End the preview: back to the computer's clock"));
    previewMute = control(new QCheckBox(QStringLiteral("Mute"), this), QStringLiteral("PreviewMute"),
                          twips(6375, 3360, 900, 375), QStringLiteral("Mute"),
                          QStringLiteral("No beep each second; a preview never beeps"));
}

void Form3::render(const GreenhouseView& display)
{
    for (std::size_t k = 0; k < lamps.size(); ++k) {
        lamps[k]->setHidden(!display.lamps[k]);
        taps[k]->setHidden(!display.taps[k]);
    }
    if (display.timerItems && list4->count() == 0)
        for (int n = 1; n <= timerCount; ++n)
            list4->addItem(QStringLiteral("p %1").arg(n));
    for (int i = 0; i < std::min(list4->count(), timerCount); ++i)
        list4->item(i)->setSelected(display.timerOn[static_cast<std::size_t>(i)]);
    setText(usetLab, display.highSetPoint);
    setText(lsetLab, display.lowSetPoint);
    // Until a line is pending the box keeps its caption.
    if (display.pendingLine) {
        const QString pending = QString::fromLatin1(*display.pendingLine);
        if (text1->text() != pending)
            text1->setText(pending);
    }
    if (display.shown && isHidden())
        show();
    else if (!display.shown && !isHidden())
        hide();
}

void Form3::render(const PreviewPanel& preview)
{
    // Shown as the core holds it, without reporting it back as the user's change.
    const QSignalBlocker startQuiet(previewStart);
    const QSignalBlocker speedQuiet(previewSpeed);
    const QSignalBlocker muteQuiet(previewMute);
    // Set only when changed, so that an edit under way keeps its cursor.
    if (const QTime start = QTime::fromMSecsSinceStartOfDay(preview.start * 1000); previewStart->time() != start)
        previewStart->setTime(start);
    previewSpeed->setCurrentIndex(static_cast<int>(preview.speed));
    previewPlay->setText(QString::fromLatin1(preview.playCaption));
    previewLive->setEnabled(preview.previewing);
    previewMute->setChecked(preview.muted);
}

void Form3::closeEvent(QCloseEvent* e)
{
    e->ignore();
    emit closeRequested();
}

} // namespace fh

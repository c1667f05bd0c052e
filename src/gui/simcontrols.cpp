#include "gui/simcontrols.h"

#include "gui/form1.h"

#include "gui/form3.h"
#include "gui/pictures.h"
#include "simulation/preview.h"
#include "simulation/simulation.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimeEdit>
#include <QWidget>

#include <functional>

namespace fh {

namespace {

// Drawing a picture costs start-up time, so it is drawn when first shown.
void showPicture(QLabel* image, const QString& name, bool shown)
{
    if (!image)
        return;
    if (shown && image->pixmap().isNull())
        image->setPixmap(picture(name, image->size()));
    image->setHidden(!shown);
}

void setText(QLabel* label, const std::string& text)
{
    const QString shown = QString::fromLatin1(text);
    if (label && label->text() != shown)
        label->setText(shown);
}

void setChecked(QAction* action, bool checked)
{
    if (action) {
        action->setCheckable(true);
        action->setChecked(checked);
    }
}

} // namespace

SimulationControls::SimulationControls(Form1& form1, Simulation& simulation, Preview& preview)
    : QObject(&form1), form1(form1), simulation(simulation), preview(preview)
{
    sson = form1.findChild<QAction*>(QStringLiteral("sson"));
    ssoff = form1.findChild<QAction*>(QStringLiteral("ssoff"));
    label6 = form1.findChild<QLabel*>(QStringLiteral("Label6"));
    label13 = form1.findChild<QLabel*>(QStringLiteral("Label13"));
    image1 = form1.findChild<QLabel*>(QStringLiteral("Image1"));
    image2 = form1.findChild<QLabel*>(QStringLiteral("Image2"));
    image3 = form1.findChild<QLabel*>(QStringLiteral("Image3"));
    check13 = form1.findChild<QCheckBox*>(QStringLiteral("Check13"));
    command2 = form1.findChild<QPushButton*>(QStringLiteral("Command2"));
    // The preview's mark goes on a second line: the label is only as wide as a time.
    if (label6)
        label6->setWordWrap(true);

    if (sson)
        connect(sson, &QAction::triggered, this, [this] {
            this->simulation.switchOn();
            handled();
        });
    if (auto* preset = form1.findChild<QAction*>(QStringLiteral("sfp"))) {
        simulation.setPresetStart(preset->isChecked());
        connect(preset, &QAction::toggled, this, [this](bool on) { this->simulation.setPresetStart(on); });
    }
    if (ssoff)
        connect(ssoff, &QAction::triggered, this, [this] {
            this->simulation.switchOff();
            handled();
        });
    if (command2)
        connect(command2, &QPushButton::clicked, this, [this] {
            this->simulation.toggleForceLights();
            handled();
        });
    if (check13)
        check13->installEventFilter(this);
    connect(&form1, &Form1::firstActivated, this, &SimulationControls::startUp);
    connect(this, &SimulationControls::changed, &form1, &Form1::render);
    render();
}

SimulationControls::~SimulationControls() = default;

Form3& SimulationControls::form3()
{
    if (!form3_) {
        form3_ = std::make_unique<Form3>();
        connect(form3_.get(), &Form3::closeRequested, this, [this] {
            form1.show();
            form1.raise();
            form1.activateWindow();
            simulation.switchOff();
            handled();
        });
        joinPreviewRow();
        form3_->render(simulation.greenhouse());
        form3_->render(preview.panel());
    }
    return *form3_;
}

void SimulationControls::joinPreviewRow()
{
    const Form3::PreviewRow& row = form3_->previewRow();
    connect(row.start, &QTimeEdit::timeChanged, this, [this](QTime time) {
        preview.setStart(time.msecsSinceStartOfDay() / 1000);
        handled();
    });
    connect(row.speed, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            preview.setSpeed(static_cast<std::size_t>(index));
        handled();
    });
    const auto button = [this](QPushButton* b, const std::function<void()>& action) {
        connect(b, &QPushButton::clicked, this, [this, action] {
            action();
            handled();
        });
    };
    button(row.play, [this] { preview.playOrPause(); });
    button(row.next, [this] { preview.nextLine(); });
    button(row.live, [this] { preview.goLive(); });
    connect(row.mute, &QCheckBox::toggled, this, [this](bool on) {
        preview.setMuted(on);
        handled();
    });
}

void SimulationControls::startUp()
{
    simulation.startUp();
    preview.keepTime([this] { handled(); });
    handled();
}

void SimulationControls::render()
{
    const ControlPanel& shown = simulation.panel();
    const PreviewPanel row = preview.panel();
    // Until the first tick the clock keeps its caption.
    if (const auto clock = preview.clockCaption())
        setText(label6, *clock);
    // Two lines from the top stay clear of Command2, which overlaps the label's foot.
    if (label6)
        label6->setAlignment(Qt::AlignLeft | (row.previewing ? Qt::AlignTop : Qt::AlignVCenter));
    setText(label13, shown.switchCaption);
    showPicture(image2, QStringLiteral("light-green"), shown.greenLight);
    showPicture(image3, QStringLiteral("light-red"), shown.redLight);
    showPicture(image1, QStringLiteral("warning"), shown.warningSign);
    setChecked(sson, shown.simOnChecked);
    setChecked(ssoff, shown.simOffChecked);
    if (check13) {
        check13->setChecked(shown.fanTicked);
        check13->setText(QString::fromLatin1(shown.fanCaption));
    }
    if (command2 && command2->text() != QString::fromLatin1(shown.forceCaption))
        command2->setText(QString::fromLatin1(shown.forceCaption));
    if (form3_ || simulation.greenhouse().shown) {
        Form3& window = form3();
        window.render(simulation.greenhouse());
        window.render(row);
    }
}

void SimulationControls::handled()
{
    preview.follow();
    render();
    emit changed();
}

// Check13 takes its presses and releases from here only: the toolkit's own flip on
// a click is left out, so each complete click flips the switch once.
bool SimulationControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != check13)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        simulation.fanPressed();
        handled();
        return true;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        simulation.fanReleased(check13->rect().contains(mouse->position().toPoint()));
        handled();
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Space)
            return false;
        if (!key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress)
                simulation.fanPressed();
            else
                simulation.fanReleased(true);
            handled();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace fh

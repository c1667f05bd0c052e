#include "gui/simcontrols.h"

#include "gui/form1.h"

#include "compiler/daydiff.h"
#include "compiler/display.h"
#include "compiler/program.h"
#include "simulation/codeview.h"
#include "gui/controltable.h"
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
#include <QLineEdit>
#include <QWidget>

#include <functional>

namespace fh {

namespace {

// Drawing a picture costs start-up time, so it is drawn when first shown.
void showPicture(QLabel* image, const QString& name, bool shown)
{
    if (shown && image->pixmap().isNull())
        image->setPixmap(picture(name, image->size()));
    image->setHidden(!shown);
}

void setChecked(QAction* action, bool checked)
{
    action->setCheckable(true);
    action->setChecked(checked);
}

} // namespace

SimulationControls::SimulationControls(Form1& form1, Simulation& simulation, Preview& preview, const Display& display)
    : QObject(&form1), form1(form1), widgets(form1.widgets()), menus(form1.menus()), simulation(simulation),
      preview(preview), display(display)
{
    // The preview's mark goes on a second line: the label is only as wide as a time.
    widgets.clock->setWordWrap(true);

    connect(menus.simOnAction, &QAction::triggered, this, [this] {
        this->simulation.switchOn();
        handled();
    });
    simulation.setPresetStart(menus.presetStartAction->isChecked());
    connect(menus.presetStartAction, &QAction::toggled, this, [this](bool on) { this->simulation.setPresetStart(on); });
    connect(menus.simOffAction, &QAction::triggered, this, [this] {
        this->simulation.switchOff();
        handled();
    });
    connect(widgets.forceLights, &QPushButton::clicked, this, [this] {
        this->simulation.toggleForceLights();
        handled();
    });
    widgets.fan->installEventFilter(this);
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
        form3_->explainWith([this](int item) { return why(item); });
        form3_->render(simulation.greenhouse(), display);
        form3_->render(preview.panel());
    }
    return *form3_;
}

QString SimulationControls::why(int item)
{
    if (!simulation.simready())
        return {};
    const Program& played = simulation.played();
    if (!reasons || reasonsRevision != played.revision()) {
        reasons.emplace(played, played.source());
        reasonsRevision = played.revision();
    }
    const auto at = simulation.inCycle(reasons->cycle());
    if (!at)
        return {};
    const Reason reason = reasons->why(at->day, at->second, item, display);
    const std::string name = dayItemName(item);
    // Switched on without the program's state, set by a preview's jump or played under
    // an earlier compile, the run can show what the program has otherwise at this second.
    if (const std::string shown = dayItemValue(simulation.shown(), item, display); shown != reason.value)
        return QString::fromLatin1(name + "  " + shown + ": not by this program, which has it " + reason.value +
                                   " here");
    return QString::fromLatin1(itemReasonText(*reasons, reason));
}

void SimulationControls::joinPreviewRow()
{
    const Form3::PreviewRow& row = form3_->previewRow();
    connect(row.start, &QLineEdit::returnPressed, this, [this, start = row.start] {
        // Text that is no time is put back to the start as it was.
        if (const auto second = typedTime(start->text().toStdString()))
            preview.setStart(*second);
        start->setModified(false);
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
    preview.keepTime([this] { ticked(); });
    handled();
}

void SimulationControls::render()
{
    shown.reset();
    refresh();
}

void SimulationControls::refresh()
{
    const ControlPanel& panel = simulation.panel();
    const PreviewPanel row = preview.panel();
    // Compared without the time, which changes each second.
    Shown now{panel, simulation.greenhouse(), row, display};
    now.panel.clock.reset();
    now.row.time.clear();
    if (now != shown) {
        showAllButTheTime(panel, now.view, row);
        shown = std::move(now);
    }
    // Until the first tick the clock keeps its caption.
    if (const auto clock = preview.clockCaption())
        widgets.clock->showTime(QString::fromLatin1(*clock));
    if (form3_)
        form3_->previewRow().time->showTime(QString::fromLatin1(row.time));
}

void SimulationControls::showAllButTheTime(const ControlPanel& panel, const GreenhouseView& view,
                                           const PreviewPanel& row)
{
    // Two lines from the top stay clear of Command2, which overlaps the label's foot.
    widgets.clock->setAlignment(Qt::AlignLeft | (row.previewing ? Qt::AlignTop : Qt::AlignVCenter));
    setLatin1Text(widgets.simulationState, panel.switchCaption);
    showPicture(widgets.greenLight, QStringLiteral("light-green"), panel.greenLight);
    showPicture(widgets.redLight, QStringLiteral("light-red"), panel.redLight);
    showPicture(widgets.warningSign, QStringLiteral("warning"), panel.warningSign);
    setChecked(menus.simOnAction, panel.simOnChecked);
    setChecked(menus.simOffAction, panel.simOffChecked);
    widgets.fan->setChecked(panel.fanTicked);
    setLatin1Text(widgets.fan, panel.fanCaption);
    setLatin1Text(widgets.forceLights, panel.forceCaption);
    if (form3_ || view.shown) {
        Form3& window = form3();
        window.render(view, display);
        window.render(row);
    }
}

void SimulationControls::handled()
{
    shownStep.reset();
    shown.reset();
    ticked();
}

void SimulationControls::ticked()
{
    preview.follow();
    refresh();
    if (const std::pair step{simulation.simrun(), simulation.codeView().highlighted}; step != shownStep) {
        shownStep = step;
        emit changed();
    }
}

// Check13 takes its presses and releases from here only: the toolkit's own flip on
// a click is left out, so each complete click flips the switch once.
bool SimulationControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widgets.fan)
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
        simulation.fanReleased(widgets.fan->rect().contains(mouse->position().toPoint()));
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

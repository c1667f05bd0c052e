#include "gui/form1.h"

#include "compiler/listorder.h"
#include "gui/addlines.h"
#include "gui/controltable.h"
#include "gui/lineeditor.h"
#include "gui/clocklabel.h"
#include "gui/slipnote.h"
#include "session/session.h"
#include "language/latin1.h"
#include "platform/devices.h"
#include "platform/qt/qtfonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringList>
#include <QWindow>

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace fh {

namespace {

constexpr QSize clientSize{897, 468};
const QColor grey{192, 192, 192};
const QColor red{255, 0, 0};
const QColor green{0, 255, 0};

const QStringList helpLines = {
    "Format: Device(T,L,W), Time (h:m:s) ",
    "   if   Temp: low temp, high temp (F)",
    "   if Lights: ID.#'s(1/4/6), Mode (on <default>,off)",
    "   if  Water: ID.#'s(1/2/3), Mode (on <default>,off,pulse), Pulse on (5s), pulse off time (10m)",
    "examples:",
    "T,4:00:33,78,84",
    "L,15:22:00,2/4/6,on",
    "W,12:00:00,1/3/5,p1,3s,10m",
};

const QStringList exampleLines = {
    "T,4:00:33,78,84",
    "L,15:22:00,1/3/4,on",
    "W,12:00:00,2/4/6,p1,3s,10m",
};

const QString crlf = "\r\n";

constexpr const char* houseNote = "a note about the house; the program does not read it";

// The fixed captions of the set-point boxes Text5, Text4 and Text1, in °F.
constexpr std::array<double, 3> setPointCaptions = {70, 74, 74};

enum class Kind { Shape, Line, Frame, Label, Clock, Image, Text, Memo, Option, Check, Button, List };

// In the order of creation, which is also the order of stacking and of the Tab key:
// the shapes come first so that they lie under the controls they frame. The twelve
// small check boxes, Label8, Label9 and Text7 are a few pixels larger than designed,
// so that their texts fit in the substitute fonts.
constexpr Control<Kind> controls[] = {
    {Kind::Shape, "Shape1", "", {40, 56, 193, 97}, "Heating panel", "Heating mode and fan"},
    {Kind::Shape, "Shape2", "", {272, 56, 193, 97}, "Lights panel", "The six light relays"},
    {Kind::Shape, "Shape3", "", {504, 56, 193, 97}, "Water panel", "The six water valves"},
    {Kind::Line, "Line1", "", {40, 304, 825, 1}, "Divider", "Below: the command format and example lines"},
    {Kind::Label, "Label1", "Temp:", {40, 16, 81, 33}, "Temperature caption", "Greenhouse temperature", Face::Large},
    {Kind::Label, "Label2", "Lights:", {272, 16, 81, 33}, "Lights caption", "Light level", Face::Large},
    {Kind::Label, "Label3", "Water:", {520, 16, 80, 33}, "Water caption", "Water given a day", Face::Large},
    {Kind::Text, "Text1", "74F", {128, 16, 105, 33}, "Temperature", "Greenhouse temperature", Face::Large},
    {Kind::Text, "Text2", "800W/M", {352, 16, 145, 33}, "Light level", "Light level in watts a square metre",
     Face::Large},
    {Kind::Text, "Text3", "3in/day", {600, 16, 105, 33}, "Water a day", "Water given a day", Face::Large},
    {Kind::Label, "Label5", "Heat:", {56, 64, 49, 25}, "Heat caption", "Heating mode", Face::Medium},
    {Kind::Label, "Label4", "Fan:", {56, 120, 49, 25}, "Fan caption", "Fan switch", Face::Medium},
    {Kind::Option, "Option1", "Heat", {112, 72, 57, 17}, "Heat", "Heating mode: heat"},
    {Kind::Option, "Option3", "Cool", {176, 72, 49, 17}, "Cool", "Heating mode: cool"},
    {Kind::Option, "Option4", "Auto", {112, 96, 57, 17}, "Auto", "Heating mode: heat or cool as needed"},
    {Kind::Option, "Option2", "Off", {176, 96, 49, 17}, "Heating off", "Heating mode: off"},
    {Kind::Check, "Check13", "Off", {112, 120, 41, 25}, "Fan", "Fan on or off"},
    // Light relays 1 to 6, then valves 1 to 6, in rows of three.
    {Kind::Check, "Check1", "Check1", {304, 72, 29, 25}, "Light 1", "Light relay 1"},
    {Kind::Check, "Check2", "Check2", {352, 72, 29, 25}, "Light 2", "Light relay 2"},
    {Kind::Check, "Check3", "Check3", {400, 72, 29, 25}, "Light 3", "Light relay 3"},
    {Kind::Check, "Check4", "Check4", {304, 112, 29, 25}, "Light 4", "Light relay 4"},
    {Kind::Check, "Check5", "Check5", {352, 112, 29, 25}, "Light 5", "Light relay 5"},
    {Kind::Check, "Check6", "Check6", {400, 112, 29, 25}, "Light 6", "Light relay 6"},
    {Kind::Check, "Check7", "Check7", {544, 72, 29, 25}, "Valve 1", "Water valve 1"},
    {Kind::Check, "Check8", "Check8", {592, 72, 29, 25}, "Valve 2", "Water valve 2"},
    {Kind::Check, "Check9", "Check9", {640, 72, 29, 25}, "Valve 3", "Water valve 3"},
    {Kind::Check, "Check10", "Check10", {544, 112, 29, 25}, "Valve 4", "Water valve 4"},
    {Kind::Check, "Check11", "Check11", {592, 112, 29, 25}, "Valve 5", "Water valve 5"},
    {Kind::Check, "Check12", "Check12", {640, 112, 29, 25}, "Valve 6", "Water valve 6"},
    {Kind::Label, "Label10", "<Valves", {704, 88, 73, 25}, "Valves caption", "The boxes at the left are the valves",
     Face::Medium},
    {Kind::Clock, "Label6", "Label6", {712, 24, 81, 33}, "Clock", "The computer's time of day, or the preview's"},
    {Kind::Button, "Command2", "Force Lights", {728, 48, 89, 33}, "Force Lights",
     "Mark the lights as forced by hand, or release them"},
    {Kind::Image, "Image1", "", {848, 48, 32, 32}, "Forced lights warning", "The lights are forced by hand"},
    {Kind::Label, "Label12", "Not Current", {824, 104, 73, 17}, "Program state",
     "Program state: not current until sent, programmed once sent and unchanged"},
    {Kind::Button, "Command1", "Send Program", {728, 128, 89, 33}, "Send Program",
     "Mark the program as handed over to the controller"},
    {Kind::Frame, "Frame1", "", {840, 136, 41, 17}, "Program state lamp",
     "Green: the program was sent and is unchanged; red: it is not current"},
    // Within Frame1.
    {Kind::Option, "Option5", "", {12, 0, 17, 17}, "Programmed",
     "Green: the program was sent and is unchanged; red: it is not current"},
    {Kind::List, "List1", "", {40, 160, 193, 64}, "Temperature lines",
     "The T lines; Delete removes the selected one, F2 or a double click edits it, a right click copies it",
     Face::CommandList},
    {Kind::List, "List2", "", {272, 160, 193, 64}, "Light lines",
     "The L lines; Delete removes the selected one, F2 or a double click edits it, a right click copies it",
     Face::CommandList},
    {Kind::List, "List3", "", {504, 160, 193, 64}, "Water lines",
     "The W lines; Delete removes the selected one, F2 or a double click edits it, a right click copies it",
     Face::CommandList},
    {Kind::Label, "Label11", "<Delete commands", {704, 184, 177, 25}, "Delete caption",
     "Select a line in a list and press Delete to remove it", Face::Medium},
    // The compile's three steps in turn; a name would not fit.
    {Kind::Button, "Command3", "1", {16, 216, 17, 17}, "Combine",
     "Step 1: combine the three lists into the program"},
    {Kind::Button, "Command4", "2", {16, 256, 17, 17}, "Sort", "Step 2: sort the program by time"},
    {Kind::Button, "Command5", "3", {16, 296, 17, 17}, "Make pasteable code",
     "Step 3: turn the program into pasteable code and find the next line"},
    {Kind::Text, "Text5", "70F", {40, 240, 73, 33}, "Low set-point", "Heating set-point", Face::Large},
    {Kind::Text, "Text4", "74F", {120, 240, 73, 33}, "High set-point", "Cooling set-point", Face::Large},
    {Kind::Label, "Label7", "Setpoints", {72, 272, 97, 25}, "Set-points caption", "Heating and cooling set-points",
     Face::Medium},
    {Kind::Text, "Text6", "", {272, 240, 425, 33}, "Command entry",
     "Type one command line and press Enter to check it and file it in its list", Face::Medium},
    {Kind::Label, "Label9", "< Enter commands", {704, 248, 169, 25}, "Entry caption",
     "Type command lines in the box at the left", Face::Medium},
    {Kind::Label, "Label8", "", {192, 312, 689, 129}, "Command format", "How command lines are written, with examples",
     Face::Fixed},
    {Kind::List, "List5", "", {168, 312, 489, 132}, "Pasteable code",
     "The compiled program as the controller takes it; the next line is highlighted", Face::FixedBold},
    {Kind::Image, "Image2", "", {112, 328, 32, 32}, "Simulation on", "Green: the simulation runs"},
    {Kind::Image, "Image3", "", {112, 336, 32, 32}, "Simulation off", "Red: the simulation is off"},
    {Kind::Label, "Label13", "SIM On/off", {112, 376, 33, 41}, "Simulation state",
     "The light above shows whether the simulation runs"},
    {Kind::Memo, "Text7", "", {664, 368, 193, 53}, "Example lines", "Example command lines to copy"},
    {Kind::Label, "Label14", "Pasteable Code", {704, 424, 97, 17}, "Example lines caption",
     "The box above holds lines ready to paste"},
};

QWidget* make(const Control<Kind>& control, QWidget* parent)
{
    const QString caption = QString::fromLatin1(control.caption);
    switch (control.kind) {
    case Kind::Shape:
    case Kind::Line: {
        auto* frame = new QFrame(parent);
        frame->setFrameShape(control.kind == Kind::Shape ? QFrame::Box : QFrame::HLine);
        frame->setFrameShadow(QFrame::Plain);
        return frame;
    }
    case Kind::Frame:
        return new QFrame(parent);
    case Kind::Label:
        return new QLabel(caption, parent);
    case Kind::Clock:
        return new ClockLabel(caption, parent);
    case Kind::Image: {
        // Pictures stretch to the image's size.
        auto* image = new QLabel(parent);
        image->setScaledContents(true);
        return image;
    }
    case Kind::Text:
        return new QLineEdit(parent);
    case Kind::Memo:
        return new QPlainTextEdit(parent);
    case Kind::Option:
        return new QRadioButton(caption, parent);
    case Kind::Check:
        return new QCheckBox(caption, parent);
    case Kind::Button:
        return new QPushButton(caption, parent);
    case Kind::List:
        break;
    }
    return new QListWidget(parent);
}

void setBackground(QWidget* w, const QColor& colour)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

bool isLatin1(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

// A typed line as the core reads it; a character beyond Latin-1 is reported.
std::optional<std::string> typedLine(const QString& text, MessageBox& messages)
{
    if (!isLatin1(text)) {
        messages.show(std::string(notLatin1));
        return std::nullopt;
    }
    return text.toLatin1().toStdString();
}

int selectedRow(const QListWidget* list)
{
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

void clearSelection(QListWidget* list)
{
    list->clearSelection();
    list->setCurrentRow(-1);
}

} // namespace

Form1::Form1(Session& session, MessageBox& messages, QWidget* parent)
    : QMainWindow(parent), session(session), messages(messages),
      history_(*this, session.history())
{
    setObjectName("Form1");
    setWindowTitle(mainWindowTitle);
    setFont(sansFont(8));
    createActions();
    build();
    render();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Form1::windowFocused);
}

void Form1::createActions()
{
    const auto item = [](QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(key);
        return action;
    };
    const auto menu = [this](const char* name, const char* caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };

    QMenu* plots = menu("plots", "Plots");
    menus_.selectPlotsAction = item(plots, "sps", "Select Plots");
    menus_.plotAction = item(plots, "pgh", "Plot GH Control");

    QMenu* file = menu("file", "File");
    menus_.newAction = item(file, "nw", "New", QKeySequence::New);
    connect(menus_.newAction, &QAction::triggered, this, &Form1::newProgram);
    menus_.loadAction = item(file, "ld", "Load", QKeySequence::Open);
    menus_.recentMenu = file->addMenu("Open Recent");
    menus_.recentMenu->setObjectName("rcnt");
    menus_.recentMenu->menuAction()->setObjectName("rcnt");
    menus_.importAction = item(file, "imp", "Import Pasteable Code…");
    menus_.importClipboardAction = item(file, "impc", "Import Pasteable Code from Clipboard");
    menus_.saveAction = item(file, "sv", "Save", QKeySequence::Save);
    // Save always asks for the name; Save As is there for who looks for it.
    menus_.saveAsAction = item(file, "Save As…", "Save As…", Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    menus_.printAction = item(file, "pt", "Print", QKeySequence::Print);
    menus_.exportAction = item(file, "Export…", "Export…");
    menus_.compareWith = item(file, "Compare With…", "Compare With…");
    menus_.compareWithSaved = item(file, "Compare With Saved", "Compare With Saved");
    // Some keyboard schemes (Windows, the offscreen platform's) have no standard Quit key.
    menus_.quitAction = item(file, "qu", "Quit", Qt::CTRL | Qt::Key_Q);
    // Closing asks the save question through the close guard.
    connect(menus_.quitAction, &QAction::triggered, this, &QWidget::close);

    // Undo and Redo name the step ("Undo Delete"). A text box with the focus keeps
    // Ctrl+Z for its own typing.
    QMenu* edit = menu("edit", "Edit");
    QUndoStack& steps = history_.stack();
    menus_.undoAction = steps.createUndoAction(edit);
    menus_.redoAction = steps.createRedoAction(edit);
    menus_.undoAction->setObjectName("ud");
    menus_.redoAction->setObjectName("rd");
    menus_.undoAction->setShortcut(Qt::CTRL | Qt::Key_Z);
    menus_.redoAction->setShortcuts({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y});
    edit->addActions({menus_.undoAction, menus_.redoAction});
    edit->addSeparator();
    menus_.sortAction = item(edit, "srt", "Sort Lists by Time");
    connect(menus_.sortAction, &QAction::triggered, this, &Form1::sortLists);

    QMenu* ss = menu("ss", "Sim");
    menus_.simOnAction = item(ss, "sson", "SimON", Qt::Key_F5);
    menus_.simOffAction = item(ss, "ssoff", "SimOFF", Qt::SHIFT | Qt::Key_F5);
    menus_.simOnAction->setCheckable(true);
    menus_.simOffAction->setCheckable(true);
    menus_.simOffAction->setChecked(true);
    // Ticked, SimON shows the greenhouse as the program has it at that second;
    // unticked, it starts from a blank greenhouse.
    ss->addSeparator();
    menus_.presetStartAction = item(ss, "sfp", "Start from the Program's State");
    menus_.presetStartAction->setCheckable(true);
    menus_.presetStartAction->setChecked(true);

    QMenu* prg = menu("prg", "Program");
    menus_.checkAction = item(prg, "chk", "Check Program", Qt::Key_F7);
    menus_.addLinesAction = item(prg, "adl", "Add Lines…");
    connect(menus_.addLinesAction, &QAction::triggered, this, &Form1::addLines);
    menus_.houseAction = item(prg, "hse", "House…");
    menus_.dailyTotalsAction = item(prg, "dtot", "Daily Totals");

    QMenu* view = menu("vw", "View");
    menus_.celsiusAction = item(view, "tmpc", "Temperatures in °C");
    menus_.celsiusAction->setCheckable(true);
}

void Form1::build()
{
    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(clientSize);
    setBackground(client, grey);
    setCentralWidget(client);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, grey);
    setPalette(palette);

    for (const Control<Kind>& control : controls) {
        QWidget* made = make(control, client);
        place(*made, control);
        // A line edit lays its text out when made and again with each font: given
        // its text after its font, it lays it out once.
        if (auto* edit = qobject_cast<QLineEdit*>(made))
            edit->setText(QString::fromLatin1(control.caption));
    }

    frame1 = &child<QWidget>(*client, "Frame1");
    option5 = &child<QRadioButton>(*client, "Option5");
    option5->setParent(frame1);
    // A lamp, not a switch: only the indicator's state moves it.
    option5->setAutoExclusive(false);
    option5->setAttribute(Qt::WA_TransparentForMouseEvents);
    option5->setFocusPolicy(Qt::NoFocus);
    option2 = &child<QRadioButton>(*client, "Option2");
    label12 = &child<QLabel>(*client, "Label12");
    for (std::size_t i = 0; i < checks.size(); ++i)
        checks[i] = &child<QCheckBox>(*client, QStringLiteral("Check%1").arg(i + 1));
    for (std::size_t i = 0; i < lists.size(); ++i) {
        lists[i] = &child<QListWidget>(*client, QStringLiteral("List%1").arg(i + 1));
        lists[i]->installEventFilter(this);
        lists[i]->viewport()->installEventFilter(this);
        const auto file = [this, list = static_cast<int>(i)](int row, const QString& line) {
            return fileEdited(list, row, line);
        };
        auto* editor = new LineEditor(file, lists[i]);
        lists[i]->setItemDelegate(editor);
        // An edit held for its slip goes with its editor.
        connect(editor, &LineEditor::closeEditor, this, [this] {
            if (held && held->edit)
                releaseSlip();
        });
    }
    widgets_ = {
        .clock = &child<ClockLabel>(*client, "Label6"),
        .simulationState = &child<QLabel>(*client, "Label13"),
        .warningSign = &child<QLabel>(*client, "Image1"),
        .greenLight = &child<QLabel>(*client, "Image2"),
        .redLight = &child<QLabel>(*client, "Image3"),
        .fan = &child<QCheckBox>(*client, "Check13"),
        .forceLights = &child<QPushButton>(*client, "Command2"),
        .combineButton = &child<QPushButton>(*client, "Command3"),
        .sortButton = &child<QPushButton>(*client, "Command4"),
        .compileButton = &child<QPushButton>(*client, "Command5"),
        .code = &child<QListWidget>(*client, "List5"),
        .lists = lists,
    };
    widgets_.warningSign->hide();
    widgets_.greenLight->hide();
    widgets_.code->hide();

    // Below the fixed client area, so the window grows by its height and the
    // controls keep their places.
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    auto* label15 = new QLabel(bar);
    label15->setObjectName("Label15");
    label15->setCursor(Qt::PointingHandCursor);
    label15->setAccessibleName("Program checks");
    label15->setToolTip("The program checks' findings; click to list them (F7)");
    bar->addWidget(label15, 1);
    widgets_.checksCount = label15;

    connect(&child<QPushButton>(*client, "Command1"), &QPushButton::clicked, this, [this] {
        if (sendGuard && !sendGuard())
            return;
        session.send();
        render();
    });
    text6 = &child<QLineEdit>(*client, "Text6");
    connect(text6, &QLineEdit::returnPressed, this, &Form1::pumpcom);
    // Under the entry box, out to the window's right margin.
    slipNote = new SlipNote(client, text6->geometry().bottomLeft() + QPoint(0, 2),
                            clientSize.width() - 16 - text6->x());
    connect(slipNote, &SlipNote::fixChosen, this, &Form1::fileFix);
    connect(text6, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (held && !held->edit && text != held->text)
            releaseSlip();
    });
    text6->setFocus();
    text7 = &child<QPlainTextEdit>(*client, "Text7");
    label8 = &child<QLabel>(*client, "Label8");
    setPoints = {&child<QLineEdit>(*client, "Text5"), &child<QLineEdit>(*client, "Text4"),
                 &child<QLineEdit>(*client, "Text1")};
    setPointFace = setPoints[0]->font();
    // The panel's boxes keep the texts typed into them, and nothing reads them: say so.
    for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5"}) {
        auto& box = child<QLineEdit>(*client, name);
        box.setToolTip(box.toolTip() + QStringLiteral(": ") + QLatin1String(houseNote));
        box.setAccessibleDescription(QLatin1String(houseNote));
    }
    label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widgets_.simulationState->setWordWrap(true);
    widgets_.simulationState->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The clock is all that changes each second of an idle window.
    widgets_.clock->paintAlone();
}

void Form1::selectItem(int list, int index)
{
    if (list < 0 || list >= static_cast<int>(lists.size()))
        return;
    QListWidget* shown = lists[static_cast<std::size_t>(list)];
    if (index < 0 || index >= shown->count())
        return;
    raise();
    activateWindow();
    // Making it current scrolls it into view.
    shown->setCurrentRow(index);
    shown->setFocus();
}

bool Form1::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && (!activatedOnce || otherWindowActive)) {
        otherWindowActive = false;
        formActivate();
    }
    return QMainWindow::event(e);
}

void Form1::windowFocused(const QWindow* window)
{
    if (!window || window == windowHandle() || window->modality() != Qt::NonModal)
        return;
    // Menus and tool tips are windows too, but no window of the program.
    if (window->type() == Qt::Window || window->type() == Qt::Dialog)
        otherWindowActive = true;
}

void Form1::formActivate()
{
    option2->setChecked(true);
    for (std::size_t i = 0; i < checks.size(); ++i)
        checks[i]->setText(QString::number(i % 6 + 1));
    label8->setText(helpLines.join(crlf));
    text7->setPlainText(exampleLines.join(crlf));
    if (!activatedOnce) {
        activatedOnce = true;
        emit firstActivated();
    }
    emit activated();
}

QRect Form1::inSight() const
{
    QRect sight = widgets_.clock->geometry();
    for (const QListWidget* list : lists)
        sight |= list->geometry();
    return {widgets_.clock->parentWidget()->mapToGlobal(sight.topLeft()), sight.size()};
}

void Form1::closeEvent(QCloseEvent* e)
{
    formUnload(*e);
}

void Form1::formUnload(QCloseEvent& e)
{
    if (closeGuard && !closeGuard()) {
        e.ignore();
        return;
    }
    e.accept();
    // quit() would ask every other window to close and give up at the first that
    // refuses (the simulation window always does), leaving the rest, among them the
    // ownerless chart window, open with the program running. The main window's close
    // is the end: the event loops stop, and the other windows go with the program.
    QCoreApplication::exit(0);
}

bool Form1::holdSlip(const QString& text, const std::string& line, std::optional<Row> edit)
{
    if (held && held->text == text && held->edit == edit) {
        releaseSlip();
        return false;
    }
    std::vector<Finding> slips = typedFindings(line, session.display());
    std::erase_if(slips, [](const Finding& f) { return !changesMeaning(f); });
    if (slips.empty()) {
        releaseSlip();
        return false;
    }
    held = Held{text, edit};
    slipNote->hold(slips, slipFixes(line, session.display()));
    return true;
}

void Form1::releaseSlip()
{
    held.reset();
    slipNote->hide();
}

void Form1::fileFix(const QString& line)
{
    if (!held)
        return;
    if (const auto edit = held->edit) {
        if (fileEdited(edit->first, edit->second, line))
            releaseSlip();
        return;
    }
    text6->setText(line);
    pumpcom();
    text6->setFocus();
}

void Form1::pumpcom()
{
    const QString text = text6->text();
    const auto line = typedLine(text, messages);
    if (!line || holdSlip(text, *line, std::nullopt))
        return;
    const CommandLists before = session.lists();
    const CelsiusReading typed = session.display().typed(*line);
    bool filed = false;
    history_.record("Entry", [&] { filed = session.enter(*line); });
    // clear(), unlike setText(), keeps the line in the box's own undo for Ctrl+Z.
    if (filed) {
        text6->clear();
        emit lineFiled(before, typed);
    }
}

bool Form1::fileEdited(int list, int row, const QString& text)
{
    const auto line = typedLine(text, messages);
    if (!line || holdSlip(text, *line, Row{list, row}))
        return false;
    const CommandLists before = session.lists();
    const CelsiusReading typed = session.display().typed(*line);
    std::optional<Place> filed;
    history_.record("Edit Line", [&] {
        filed = session.edit(list, row, *line);
        if (!filed)
            return;
        render();
        std::array<int, 3> rows = selectedRows();
        rows[static_cast<std::size_t>(filed->list)] = filed->index;
        selectRows(rows);
    });
    if (filed) {
        lists[static_cast<std::size_t>(filed->list)]->setFocus();
        emit lineFiled(before, typed);
    }
    return filed.has_value();
}

void Form1::sortLists()
{
    std::optional<std::string> refusal;
    history_.record("Sort", [&] { refusal = session.sortByTime(); });
    if (refusal)
        messages.show(utf8FromLatin1(*refusal));
}

void Form1::newProgram()
{
    if (closeGuard && !closeGuard())
        return;
    history_.record("New", [this] { session.renew(); });
    emit renewed();
}

void Form1::addLines()
{
    auto* dialog = new AddLinesDialog(session, history_, housePlace ? housePlace() : std::string(), this);
    dialog->open();
}

std::array<int, 3> Form1::selectedRows() const
{
    return {selectedRow(lists[0]), selectedRow(lists[1]), selectedRow(lists[2])};
}

void Form1::selectRows(const std::array<int, 3>& rows)
{
    for (std::size_t i = 0; i < lists.size(); ++i) {
        if (rows[i] >= 0 && rows[i] < lists[i]->count())
            lists[i]->setCurrentRow(rows[i]);
        else
            clearSelection(lists[i]);
    }
}

int Form1::listIndex(const QObject* watched) const
{
    for (std::size_t i = 0; i < lists.size(); ++i) {
        if (lists[i] && (watched == lists[i] || watched == lists[i]->viewport()))
            return static_cast<int>(i);
    }
    return -1;
}

bool Form1::eventFilter(QObject* watched, QEvent* e)
{
    const int index = listIndex(watched);
    if (index < 0)
        return QMainWindow::eventFilter(watched, e);
    QListWidget* list = lists[static_cast<std::size_t>(index)];

    if (e->type() == QEvent::KeyPress && watched == list) {
        // Every key updates the remembered item, before the list moves its selection.
        const bool isDelete = static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete;
        if (isDelete) {
            history_.record("Delete", [&] { session.deleteSelected(index, selectedRow(list)); });
            return true;
        }
        session.rememberSelection(index, selectedRow(list));
        render();
        return false;
    }
    // The second press of a double click comes as a double-click event; left to the
    // list, a right one would select the item under the pointer.
    const bool press = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
    if (press && watched == list->viewport()) {
        if (static_cast<QMouseEvent*>(e)->button() != Qt::RightButton)
            return QMainWindow::eventFilter(watched, e);
        // The right button copies the item selected before; it selects nothing.
        if (const auto copied = session.copySelected(index, selectedRow(list)))
            text6->setText(QString::fromLatin1(*copied));
        render();
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void Form1::render()
{
    renderLists();
    renderIndicator();
    renderSetPoints();
    emit rendered();
}

void Form1::renderSetPoints()
{
    // Only a change of unit writes the captions, over whatever was typed there.
    if (setPointsShown == session.display())
        return;
    setPointsShown = session.display();
    for (std::size_t i = 0; i < setPoints.size(); ++i) {
        QLineEdit* box = setPoints[i];
        const QString caption = QString::fromLatin1(session.display().degrees(setPointCaptions[i]));
        // A caption wider than its box ("21.1 °C" in the large face) takes a smaller
        // face, so that it shows whole; the frame and margins take some pixels.
        QFont face = setPointFace;
        while (face.pointSize() > 8 && QFontMetrics(face).horizontalAdvance(caption) > box->width() - 12)
            face.setPointSize(face.pointSize() - 1);
        box->setFont(face);
        box->setText(caption);
        box->setCursorPosition(0);
    }
}

void Form1::renderLists()
{
    const CommandLists& source = session.lists();
    for (std::size_t i = 0; i < lists.size(); ++i) {
        QListWidget* list = lists[i];
        const auto& items = source[i];
        bool same = list->count() == static_cast<int>(items.size());
        for (int row = 0; same && row < list->count(); ++row)
            same = list->item(row)->text() == QString::fromLatin1(items[static_cast<std::size_t>(row)]);
        if (same)
            continue;
        // A refilled list has no selected item, so Delete goes on at the remembered index.
        list->clear();
        for (const std::string& item : items) {
            auto* row = new QListWidgetItem(QString::fromLatin1(item), list);
            row->setFlags(row->flags() | Qt::ItemIsEditable);
        }
        clearSelection(list);
    }
}

void Form1::renderIndicator()
{
    // Setting a palette costs even when it is the same, and the main window renders
    // whenever the simulation's pending line moves.
    const Indicator state = session.indicator();
    if (state == indicatorShown)
        return;
    indicatorShown = state;
    const bool programmed = state == Indicator::Programmed;
    const QColor& colour = programmed ? green : red;
    setBackground(option5, colour);
    setBackground(frame1, colour);
    option5->setChecked(programmed);
    switch (state) {
    case Indicator::Designed:
        label12->setText("Not Current");
        break;
    case Indicator::NotCurrent:
        label12->setText("not current");
        break;
    case Indicator::Programmed:
        label12->setText("programmed");
        break;
    }
}

} // namespace fh

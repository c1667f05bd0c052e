#include "gui/form1.h"

#include "language/editor.h"
#include "platform/devices.h"
#include "platform/qt/qtfonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
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
#include <QStringList>
#include <QWindow>

#include <string_view>

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

template <class W>
W* place(QWidget* parent, const char* name, QRect geometry)
{
    auto* w = new W(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

template <class W>
W* place(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* w = place<W>(parent, name, geometry);
    w->setText(caption);
    return w;
}

QLabel* image(QWidget* parent, const char* name, QRect geometry)
{
    auto* label = place<QLabel>(parent, name, geometry);
    label->setScaledContents(true);
    return label;
}

void setBackground(QWidget* w, const QColor& colour)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

QString fromBytes(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool isLatin1(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
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

Form1::Form1(Editor& editor, MessageBox& messages, QWidget* parent)
    : QMainWindow(parent), editor(editor), messages(messages)
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
    const auto item = [](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    const auto menu = [this](const char* name, const char* caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };

    QMenu* plots = menu("plots", "Plots");
    menus_.sps = item(plots, "sps", "Select Plots");
    menus_.pgh = item(plots, "pgh", "Plot GH Control");

    QMenu* file = menu("file", "File");
    menus_.ld = item(file, "ld", "Load");
    menus_.sv = item(file, "sv", "Save");
    menus_.pt = item(file, "pt", "Print");

    QMenu* ss = menu("ss", "Sim");
    menus_.sson = item(ss, "sson", "SimON");
    menus_.ssoff = item(ss, "ssoff", "SimOFF");
    menus_.sson->setCheckable(true);
    menus_.ssoff->setCheckable(true);
    menus_.ssoff->setChecked(true);
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

    // Created first so that they lie under the controls they frame.
    const int shapeLeft[] = {40, 272, 504};
    const char* const shapeNames[] = {"Shape1", "Shape2", "Shape3"};
    for (int i = 0; i < 3; ++i) {
        auto* shape = place<QFrame>(client, shapeNames[i], {shapeLeft[i], 56, 193, 97});
        shape->setFrameShape(QFrame::Box);
        shape->setFrameShadow(QFrame::Plain);
    }
    auto* line1 = place<QFrame>(client, "Line1", {40, 304, 825, 1});
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Plain);

    const QFont big = sansFont(18);
    const QFont medium = sansFont(13.5);
    const auto bigText = [&](const char* name, const char* text, QRect geometry) {
        auto* edit = place<QLineEdit>(client, name, text, geometry);
        edit->setFont(big);
    };
    const auto label = [&](const char* name, const char* caption, QRect geometry,
                           const QFont& font) {
        auto* l = place<QLabel>(client, name, caption, geometry);
        l->setFont(font);
        return l;
    };

    label("Label1", "Temp:", {40, 16, 81, 33}, big);
    label("Label2", "Lights:", {272, 16, 81, 33}, big);
    label("Label3", "Water:", {520, 16, 80, 33}, big);
    bigText("Text1", "74F", {128, 16, 105, 33});
    bigText("Text2", "800W/M", {352, 16, 145, 33});
    bigText("Text3", "3in/day", {600, 16, 105, 33});

    label("Label5", "Heat:", {56, 64, 49, 25}, medium);
    label("Label4", "Fan:", {56, 120, 49, 25}, medium);
    place<QRadioButton>(client, "Option1", "Heat", {112, 72, 57, 17});
    place<QRadioButton>(client, "Option3", "Cool", {176, 72, 49, 17});
    place<QRadioButton>(client, "Option4", "Auto", {112, 96, 57, 17});
    option2 = place<QRadioButton>(client, "Option2", "Off", {176, 96, 49, 17});
    controls_.check13 = place<QCheckBox>(client, "Check13", "Off", {112, 120, 41, 25});

    for (int i = 0; i < 12; ++i) {
        const int left = (i < 6 ? 304 : 544) + 48 * (i % 3);
        const int top = i % 6 < 3 ? 72 : 112;
        const QByteArray name = "Check" + QByteArray::number(i + 1);
        checks[static_cast<std::size_t>(i)] =
            place<QCheckBox>(client, name.constData(), name, {left, top, 25, 25});
    }
    label("Label10", "<Valves", {704, 88, 73, 25}, medium);

    controls_.label6 = place<QLabel>(client, "Label6", "Label6", {712, 24, 81, 33});
    controls_.command2 = place<QPushButton>(client, "Command2", "Force Lights", {728, 48, 89, 33});
    controls_.image1 = image(client, "Image1", {848, 48, 32, 32});
    controls_.image1->hide();

    label12 = place<QLabel>(client, "Label12", "Not Current", {824, 104, 73, 17});
    auto* command1 = place<QPushButton>(client, "Command1", "Send Program", {728, 128, 89, 33});
    connect(command1, &QPushButton::clicked, this, [this] {
        editor.sendit();
        render();
    });
    frame1 = place<QFrame>(client, "Frame1", {840, 136, 41, 17});
    option5 = place<QRadioButton>(frame1, "Option5", {12, 0, 17, 17});
    // A lamp, not a switch: only the indicator's state moves it.
    option5->setAutoExclusive(false);
    option5->setAttribute(Qt::WA_TransparentForMouseEvents);
    option5->setFocusPolicy(Qt::NoFocus);

    const QFont listFont = sansFont(12, true);
    const int listLeft[] = {40, 272, 504};
    const char* const listNames[] = {"List1", "List2", "List3"};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        QListWidget* list = place<QListWidget>(client, listNames[i], {listLeft[i], 160, 193, 64});
        list->setFont(listFont);
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        lists[i] = list;
    }
    label("Label11", "<Delete commands", {704, 184, 177, 25}, medium);

    const auto tiny = [&](const char* name, int top) {
        return place<QPushButton>(client, name, name, {16, top, 17, 17});
    };
    tiny("Command3", 216);
    tiny("Command4", 256);
    tiny("Command5", 296);

    bigText("Text5", "70F", {40, 240, 73, 33});
    bigText("Text4", "74F", {120, 240, 73, 33});
    label("Label7", "Setpoints", {72, 272, 97, 25}, medium);
    text6 = place<QLineEdit>(client, "Text6", {272, 240, 425, 33});
    text6->setFont(medium);
    connect(text6, &QLineEdit::returnPressed, this, &Form1::pumpcom);
    text6->setFocus();
    label("Label9", "< Enter commands", {704, 248, 161, 25}, medium);

    label8 = label("Label8", "", {192, 312, 681, 129}, fixedFont(8));
    label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* list5 = place<QListWidget>(client, "List5", {168, 312, 489, 132});
    list5->setFont(fixedFont(9.75, true));
    list5->hide();

    controls_.image2 = image(client, "Image2", {112, 328, 32, 32});
    controls_.image2->hide();
    controls_.image3 = image(client, "Image3", {112, 336, 32, 32});
    controls_.label13 = place<QLabel>(client, "Label13", "SIM On/off", {112, 376, 33, 41});
    controls_.label13->setWordWrap(true);
    controls_.label13->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    text7 = place<QPlainTextEdit>(client, "Text7", {664, 368, 193, 49});
    label("Label14", "Pasteable Code", {704, 424, 97, 17}, font());
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
    QCoreApplication::quit();
}

void Form1::pumpcom()
{
    const QString text = text6->text();
    if (!isLatin1(text)) {
        messages.show(notLatin1);
        return;
    }
    const QByteArray bytes = text.toLatin1();
    if (editor.pumpcom(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        text6->clear();
    render();
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
        if (isDelete)
            editor.deleteSelected(index, selectedRow(list));
        else
            editor.rememberSelection(index, selectedRow(list));
        render();
        return isDelete;
    }
    // The second press of a double click comes as a double-click event; left to the
    // list, a right one would select the item under the pointer.
    const bool press = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
    if (press && watched == list->viewport()) {
        if (static_cast<QMouseEvent*>(e)->button() != Qt::RightButton)
            return QMainWindow::eventFilter(watched, e);
        // The right button copies the item selected before; it selects nothing.
        if (const auto copied = editor.copySelected(index, selectedRow(list)))
            text6->setText(fromBytes(*copied));
        render();
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void Form1::render()
{
    renderLists();
    renderIndicator();
    emit rendered();
}

void Form1::renderLists()
{
    const CommandLists& source = editor.lists();
    for (std::size_t i = 0; i < lists.size(); ++i) {
        QListWidget* list = lists[i];
        const auto& items = source[i];
        bool same = list->count() == static_cast<int>(items.size());
        for (int row = 0; same && row < list->count(); ++row)
            same = list->item(row)->text() == fromBytes(items[static_cast<std::size_t>(row)]);
        if (same)
            continue;
        // A refilled list has no selected item, so Delete goes on at the remembered index.
        list->clear();
        for (const std::string& item : items)
            list->addItem(fromBytes(item));
        clearSelection(list);
    }
}

void Form1::renderIndicator()
{
    const Indicator state = editor.indicator();
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

#pragma once

// The main window, "Greenhouse Control". It owns widgets only: each event of the
// command editor is handed to the editor (command entry, list editing, program-state
// indicator), and render() then shows its state again. The controls of the
// compiler, the simulation and the checks are joined to it by classes of their own,
// which reach them through widgets(), and the menu items through menus(). The
// status bar below the client area holds Label15, for the program checks' count.
// Every change of the lists goes through history(), so that Edit > Undo takes it back.

#include "compiler/display.h"
#include "gui/clocklabel.h"
#include "gui/listhistory.h"
#include "language/commandlists.h"

#include <QFont>
#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class QWindow;

namespace fh {
class SlipNote;
}

namespace fh {

class Editor;
enum class Indicator;
class MessageBox;
class Session;

inline constexpr const char* mainWindowTitle = "Greenhouse Control";

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    Form1(Session& session, MessageBox& messages, QWidget* parent = nullptr);

    // The menu items that other classes join to the core; each is the action whose
    // object name is in the comment. sson and ssoff are checkable and ssoff starts
    // checked. Qt flips a checkable item's mark when it is triggered, so their
    // handlers set both marks themselves.
    struct Menus {
        QAction* selectPlotsAction = nullptr;     // sps
        QAction* plotAction = nullptr;            // pgh
        QAction* newAction = nullptr;             // nw
        QAction* loadAction = nullptr;            // ld
        QMenu* recentMenu = nullptr;              // Open Recent
        QAction* importAction = nullptr;          // imp
        QAction* importClipboardAction = nullptr; // impc
        QAction* saveAction = nullptr;            // sv
        QAction* saveAsAction = nullptr;
        QAction* printAction = nullptr;           // pt
        QAction* exportAction = nullptr;
        QAction* compareWith = nullptr;
        QAction* compareWithSaved = nullptr;
        QAction* quitAction = nullptr;        // qu
        QAction* undoAction = nullptr;        // ud
        QAction* redoAction = nullptr;        // rd
        QAction* sortAction = nullptr;        // srt
        QAction* simOnAction = nullptr;       // sson
        QAction* simOffAction = nullptr;      // ssoff
        QAction* presetStartAction = nullptr; // sfp
        QAction* checkAction = nullptr;       // chk
        QAction* addLinesAction = nullptr;    // adl
        QAction* houseAction = nullptr;       // hse
        QAction* dailyTotalsAction = nullptr; // dtot
        QAction* celsiusAction = nullptr;     // tmpc, checkable
    };
    const Menus& menus() const { return menus_; }

    // The controls that other classes join to the core.
    struct Widgets {
        ClockLabel* clock = nullptr;          // Label6
        QLabel* simulationState = nullptr;    // Label13
        QLabel* warningSign = nullptr;        // Image1, the forced lights' warning
        QLabel* greenLight = nullptr;         // Image2, simulation on
        QLabel* redLight = nullptr;           // Image3, simulation off
        QCheckBox* fan = nullptr;             // Check13
        QPushButton* forceLights = nullptr;   // Command2
        QPushButton* combineButton = nullptr; // Command3
        QPushButton* sortButton = nullptr;    // Command4
        QPushButton* compileButton = nullptr; // Command5, makes the pasteable code
        QListWidget* code = nullptr;          // List5, the pasteable code
        QLabel* checksCount = nullptr;        // the program checks' count
        std::array<QListWidget*, 3> lists{};  // List1..List3: the T, L and W lines
    };
    const Widgets& widgets() const { return widgets_; }

    // Asked before the window closes or New empties the lists; false keeps them
    // (e.g. unsaved changes).
    void setCloseGuard(std::function<bool()> guard) { closeGuard = std::move(guard); }
    // Where the house stands, for Add Lines' lines by the sun (House… keeps it).
    void setHousePlace(std::function<std::string()> place) { housePlace = std::move(place); }
    // Asked before Send Program marks the program as programmed; false leaves it.
    void setSendGuard(std::function<bool()> guard) { sendGuard = std::move(guard); }

    // Selects item `index` of list `list` (0..2) and brings the window and the list
    // forward, so that Delete or a right click acts on it at once.
    void selectItem(int list, int index);

    ListHistory& history() { return history_; }
    // The selected row of each list, -1 for none; selecting makes a row current.
    std::array<int, 3> selectedRows() const;
    void selectRows(const std::array<int, 3>& rows);

public slots:
    // Shows the command lists and the indicator as the editor holds them, then
    // emits rendered(). Call after changing the editor or the program from outside;
    // history().record() calls it for a change of the lists.
    void render();

    // The clock and the lists, on the screen: what another window should leave in sight.
    QRect inSight() const;

signals:
    // For the controls of the core's other parts on this window, to show them again.
    void rendered();
    // The first activation of the window, before the first activated().
    void firstActivated();
    // Every activation, the first included, after the start-up texts are set.
    void activated();
    // File > New has emptied the lists.
    void renewed();
    // Enter or an edit in place has filed `typed`, where the editor's filedAt() says;
    // `before` are the lists as they were.
    void lineFiled(const fh::CommandLists& before, const fh::CelsiusReading& typed);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void build();
    void createActions();
    void formActivate();
    void windowFocused(const QWindow* window);
    void formUnload(QCloseEvent& e);
    void pumpcom();
    // Edit > Sort Lists by Time; File > New.
    void sortLists();
    void newProgram();
    // Program > Add Lines…: the dialog, window-modal.
    void addLines();
    // Enter in the item editor of row `row` of list `list`: true when filed.
    bool fileEdited(int list, int row, const QString& line);
    // A line whose slips change its meaning is held at its first Enter, with the
    // slips beside the entry box: true when held. Enter again on it files it.
    using Row = std::pair<int, int>; // an edit in place's list and row
    bool holdSlip(const QString& text, const std::string& line, std::optional<Row> edit);
    void releaseSlip();
    // A fix's button: files the fixed line where the held one was typed.
    void fileFix(const QString& line);
    void renderLists();
    void renderIndicator();
    int listIndex(const QObject* watched) const;

    void renderSetPoints();

    Session& session;
    MessageBox& messages;
    ListHistory history_;

    Menus menus_;
    Widgets widgets_;
    std::array<QListWidget*, 3> lists{};
    std::array<QCheckBox*, 12> checks{};
    QRadioButton* option2 = nullptr;
    QRadioButton* option5 = nullptr;
    QWidget* frame1 = nullptr;
    QLabel* label12 = nullptr;
    QLabel* label8 = nullptr;
    QLineEdit* text6 = nullptr;
    QPlainTextEdit* text7 = nullptr;
    SlipNote* slipNote = nullptr;
    struct Held {
        QString text;
        std::optional<Row> edit;
    };
    std::optional<Held> held;
    // The set-point boxes: the low, the high, and the greenhouse's temperature.
    std::array<QLineEdit*, 3> setPoints{};
    Display setPointsShown; // the unit of their captions
    std::optional<Indicator> indicatorShown;
    QFont setPointFace;      // the face of their table

    std::function<bool()> closeGuard;
    std::function<std::string()> housePlace;
    std::function<bool()> sendGuard;
    bool activatedOnce = false;
    // Another window of the program was active since this one last was. A dialog
    // (message box, file or printer dialog) or another application does not count.
    bool otherWindowActive = false;
};

} // namespace fh

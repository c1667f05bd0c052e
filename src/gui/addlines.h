#pragma once

// "Add Lines", from Program > Add Lines…: lines written from a grower's words. The
// kind (water, mist, lights, a set-point ramp, set-points, lines by the sun on a date
// with how long they stay near it) and its fields; the lines it would add
// and the program checks' findings they would raise in the program. Add files them
// in the lists as one step of the Edit menu's undo. While the request cannot be met,
// the program would hold too many lines, or a new line would act in the second of
// one there, it says why and Add is disabled. Window-modal; destroyed when closed.

#include "platform/qt/qtzones.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace fh {

class ListHistory;
class Session;

class AddLinesDialog : public QDialog {
    Q_OBJECT

public:
    // `place` fills the place of lines by the sun, as House… keeps it ("" for none).
    AddLinesDialog(Session& session, ListHistory& history, const std::string& place, QWidget* owner);

private:
    // Writes the lines from the fields as they stand, and shows them or why not.
    void rewrite();
    void add();

    Session& session;
    ListHistory& history;
    QComboBox* combo1 = nullptr;
    QStackedWidget* pages = nullptr;
    std::vector<std::vector<QLineEdit*>> fields; // by kind, in the order of its fields
    QPlainTextEdit* text1 = nullptr;             // the lines
    QPlainTextEdit* text2 = nullptr;             // their findings
    QLabel* label3 = nullptr;                    // why not
    QLabel* label4 = nullptr;                    // how long lines by the sun stay within it
    QtZones zones;
    QPushButton* command1 = nullptr;             // Add
    std::vector<std::string> written;            // what Add files
};

} // namespace fh

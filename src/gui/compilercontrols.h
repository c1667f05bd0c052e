#pragma once

// The compiler's controls on the main window: the tiny buttons Command3 (combine),
// Command4 (sort) and Command5 (full parse, then the clock's next line), and the
// pasteable code List5; Label14 beside it is a caption only. The simulation and the
// chart have the session compile too, so List5 is shown again after every render of the
// main window. Once the lists differ from those last compiled, List5 turns grey and its
// tooltip says so.

#include <QObject>
#include <QPalette>
#include <QString>

#include <optional>

class QListWidget;

namespace fh {

class Form1;
class Session;

class CompilerControls : public QObject {
    Q_OBJECT

public:
    CompilerControls(Form1& form1, Session& session);

public slots:
    void render();

private:
    void combine();
    void sort();
    void fullparse();

    Form1& form1;
    Session& session;
    QListWidget* list5 = nullptr;
    QPalette freshLook, staleLook;
    QString freshTip;
    // The program's revision and highlighted line List5 shows: a render without a
    // new display leaves the list, and where the user scrolled it, as it is.
    unsigned long shownRevision = 0;
    std::optional<bool> shownStale;
    int shownSelected = -1;
};

} // namespace fh

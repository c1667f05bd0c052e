#pragma once

// Form3, "GH Simulation": the picture of the simulated greenhouse, and below it the
// preview row. It owns widgets only and shows what the simulation's GreenhouseView
// and the preview's PreviewPanel hold. Its close box never destroys it: the close is
// refused and reported, and the owner stops the simulation, which hides the window.
// Its controls are one table, like the main window's.

#include "gui/clocklabel.h"

#include <QWidget>

#include <array>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace fh {

struct Display;
struct GreenhouseView;
struct PreviewPanel;

inline constexpr const char* form3Title = "GH Simulation";

class Form3 : public QWidget {
    Q_OBJECT

public:
    Form3();

    void render(const GreenhouseView& view, const Display& display);
    void render(const PreviewPanel& preview);

    // The preview row, for the controls that join it to the core.
    struct PreviewRow {
        QLineEdit* start = nullptr;
        QComboBox* speed = nullptr;
        QPushButton* play = nullptr;
        QPushButton* next = nullptr;
        QPushButton* live = nullptr;
        QCheckBox* mute = nullptr;
        ClockLabel* time = nullptr;
    };
    const PreviewRow& previewRow() const { return previewRow_; }

    // The tooltip of an item's lamp, tap, circle, number, set-point or timer, asked for
    // when the mouse rests there (an item as `dayItemNamed` numbers them); an empty
    // text leaves the control's own tooltip.
    void explainWith(std::function<QString(int item)> explain);

signals:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Shows the tooltip of the item at `at` (in the window), if it has one now.
    bool explainAt(QPoint at, QPoint global, QWidget* over);

    std::array<QLabel*, 6> lamps{};
    std::array<QLabel*, 6> taps{};
    QListWidget* list4 = nullptr;
    QLabel* usetLab = nullptr;
    QLabel* lsetLab = nullptr;
    QLineEdit* text1 = nullptr;
    QLabel* pulsing = nullptr;
    PreviewRow previewRow_;
    // Each item's controls, which keep their places while hidden.
    std::vector<std::pair<QWidget*, int>> itemControls;
    std::function<QString(int item)> explain;
};

} // namespace fh

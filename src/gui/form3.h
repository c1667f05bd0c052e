#pragma once

// Form3, "GH Simulation": the picture of the simulated greenhouse, and below it the
// preview row. It owns widgets only and shows what the simulation's GreenhouseView
// and the preview's PreviewPanel hold. Its close box never destroys it: the close is
// refused and reported, and the owner stops the simulation, which hides the window.
// Its controls are one table, like the main window's.

#include <QWidget>

#include <array>

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
        QLabel* time = nullptr;
    };
    const PreviewRow& previewRow() const { return previewRow_; }

signals:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    std::array<QLabel*, 6> lamps{};
    std::array<QLabel*, 6> taps{};
    QListWidget* list4 = nullptr;
    QLabel* usetLab = nullptr;
    QLabel* lsetLab = nullptr;
    QLineEdit* text1 = nullptr;
    QLabel* pulsing = nullptr;
    PreviewRow previewRow_;
};

} // namespace fh

#pragma once

// Form3, "GH Simulation": the picture of the simulated greenhouse. It owns widgets
// only and shows what the simulation's GreenhouseView holds. Its close box never
// destroys it: the close is refused and reported, and the owner stops the
// simulation, which hides the window.

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;

namespace fh {

struct GreenhouseView;

inline constexpr const char* form3Title = "GH Simulation";

class Form3 : public QWidget {
    Q_OBJECT

public:
    Form3();

    void render(const GreenhouseView& display);

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
};

} // namespace fh

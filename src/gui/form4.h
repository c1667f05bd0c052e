#pragma once

// Form4, "Plots-TLW": the chart window. It shows the last chart drawn in it, painted
// again at the window's size, and keeps the chart coordinates it was first given.

#include "platform/displaylist.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>

class QPushButton;

namespace fh {

class MessageBox;
class PrinterDialog;

inline constexpr const char* chartWindowTitle = "Plots-TLW";

class Form4 : public QWidget {
    Q_OBJECT

public:
    // `programFile` gives the program's file, after which print jobs are named.
    Form4(PrinterDialog& printers, MessageBox& messages, std::function<std::string()> programFile = {},
          QWidget* parent = nullptr);

    // Shows `chart` in place of the chart before.
    void draw(const DisplayList& chart);
    const DisplayList& drawing() const { return drawing_; }

signals:
    // The window is being closed; it is destroyed afterwards.
    void closing();

protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void command1Click();

    PrinterDialog& printers;
    MessageBox& messages;
    std::function<std::string()> programFile;
    QPushButton* command1 = nullptr;
    DisplayList drawing_;
    // The drawing at the window's size, so covering and uncovering costs no redraw.
    QImage picture;
};

} // namespace fh

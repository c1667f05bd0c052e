#pragma once

// What the window tests share: controls found by their names, windows made active.

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fh::test {

template <class W>
W* control(const QObject& parent, const char* name)
{
    auto* w = parent.findChild<W*>(QString::fromLatin1(name));
    if (!w)
        ADD_FAILURE() << "no control " << name;
    return w;
}

// The texts of a list's items, top down.
inline std::vector<std::string> items(const QObject& parent, const char* name)
{
    std::vector<std::string> texts;
    if (const auto* list = control<QListWidget>(parent, name))
        for (int row = 0; row < list->count(); ++row)
            texts.push_back(list->item(row)->text().toStdString());
    return texts;
}

// A line set into the entry box as if pasted (typed keys cannot carry letters beyond
// ASCII), then Enter.
inline void enter(const QObject& form, const QString& line)
{
    auto* text6 = control<QLineEdit>(form, "Text6");
    text6->setText(line);
    QTest::keyClick(text6, Qt::Key_Return);
}

// As the user's click would; the main window's start-up runs on activation.
inline void showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace fh::test

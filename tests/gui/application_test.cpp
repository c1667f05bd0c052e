#include "app/application.h"
#include "platform/doubles/doubles.h"
#include "gui/form3.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <QListWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

// The program as it starts: every window carries the leaf icon, and the start-up
// of the first activation has run.
TEST(Application, OpensWithItsIconAndStartUp)
{
    fh::doubles::FakeClock clock(9 * 3600);
    fh::doubles::MemorySettings settings;
    fh::Application application(clock, settings);
    application.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&application.mainWindow()));
    EXPECT_FALSE(application.mainWindow().windowIcon().isNull());
    EXPECT_FALSE(application.simulationControls().form3().windowIcon().isNull());
    EXPECT_EQ(application.mainWindow().windowHandle()->title().toStdString(), "Greenhouse Control");
    const auto* list4 = application.simulationControls().form3().findChild<QListWidget*>("List4");
    ASSERT_NE(list4, nullptr);
    ASSERT_EQ(list4->count(), 6);
    EXPECT_EQ(list4->item(5)->text().toStdString(), "p 6");
}

// Fault mended: the report on a file named at start stood over an empty screen.
TEST(Application, ReportsAFileNamedAtStartOverTheShownWindow)
{
    const QString path =
        QDir::temp().filePath(QStringLiteral("fernhollow-start-%1.fhp").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("L,25:00,1,ON\r\n");
    file.close();

    fh::doubles::FakeClock clock(9 * 3600);
    fh::doubles::MemorySettings settings;
    fh::Application application(clock, settings);
    bool reported = false, windowShown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported = true;
            windowShown = application.mainWindow().isVisible();
            box->done(QMessageBox::Ok);
        }
    });
    poll.start(10);
    application.start(path.toStdString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return reported; }, 10000));
    EXPECT_TRUE(windowShown);
    EXPECT_TRUE(application.mainWindow().menus().ud->isEnabled()) << "the load is a step to undo";
    QFile::remove(path);
}

} // namespace

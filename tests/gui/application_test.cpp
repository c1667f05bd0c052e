#include "app/application.h"
#include "platform/doubles/doubles.h"
#include "gui/form3.h"

#include <QIcon>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The program as it starts: every window carries the leaf icon, and the start-up
// of the first activation has run.
TEST(Application, OpensWithItsIconAndStartUp)
{
    fh::doubles::FakeClock clock(9 * 3600);
    fh::Application application(clock);
    application.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&application.mainWindow()));
    EXPECT_FALSE(application.mainWindow().windowIcon().isNull());
    EXPECT_FALSE(application.simulationControls().form3().windowIcon().isNull());
    EXPECT_EQ(application.mainWindow().windowTitle().toStdString(), "Greenhouse Control");
    const auto* list4 = application.simulationControls().form3().findChild<QListWidget*>("List4");
    ASSERT_NE(list4, nullptr);
    ASSERT_EQ(list4->count(), 6);
    EXPECT_EQ(list4->item(5)->text().toStdString(), "p 6");
}

} // namespace

#include "app/application.h"
#include "platform/doubles/doubles.h"
#include "gui/cursorblink.h"
#include "gui/form3.h"
#include "platform/qt/qtfonts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The whole program at nine in the morning, over settings that last only the test.
struct Program {
    fh::doubles::FakeClock clock{9 * 3600};
    fh::doubles::MemorySettings settings;
    fh::Application application{clock, settings};
};

// A program file in the temporary folder, named for the test and this process.
QString programFile(const char* name, const char* bytes)
{
    const QString path =
        QDir::temp().filePath(QStringLiteral("fernhollow-%1-%2.fhp").arg(QLatin1String(name)).arg(QCoreApplication::applicationPid()));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == static_cast<qint64>(qstrlen(bytes)) && file.flush());
    return path;
}

// The program as it starts: every window carries the leaf icon, and the start-up
// of the first activation has run.
TEST(Application, OpensWithItsIconAndStartUp)
{
    Program program;
    fh::Application& application = program.application;
    application.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&application.mainWindow()));
    EXPECT_FALSE(application.mainWindow().windowIcon().isNull());
    EXPECT_FALSE(application.simulationControls().form3().windowIcon().isNull());
    // The window manager matches the window with the menu entry, fernhollow.desktop.
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("fernhollow"));
    const auto* list4 = application.simulationControls().form3().findChild<QListWidget*>("List4");
    ASSERT_NE(list4, nullptr);
    EXPECT_NE(list4->count(), 0);
}

bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

// The menu bar's extension button asked its icon at once, which loaded every image
// format plugin before the window was shown; the icon is now made when drawn.
TEST(Application, StartsWithoutImagePluginsAndStillDrawsTheExtensionIcon)
{
    if (imagePluginLoaded())
        GTEST_SKIP() << "an earlier test in this process loaded them";
    Program program;
    fh::Application& application = program.application;
    application.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&application.mainWindow()));
    EXPECT_FALSE(imagePluginLoaded());
    const QIcon extension = QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    EXPECT_FALSE(extension.pixmap(16).isNull());
}

// The fonts are made without per-character fallback, so each must hold all it may show.
TEST(Application, BothFontsHoldEveryPrintableLatin1Character)
{
    for (const QFont& font : {fh::sansFont(8), fh::fixedFont(8)}) {
        const QFontMetrics metrics(font);
        for (char32_t c = 0x20; c <= 0xFF; ++c) {
            const bool printable = c < 0x7F || c >= 0xA0;
            EXPECT_TRUE(!printable || metrics.inFontUcs4(c))
                << font.family().toStdString() << " lacks U+" << std::hex << static_cast<unsigned>(c);
        }
    }
}

// The windows name the face they draw: for a missing family Qt first sorts every
// installed font in search of a fallback. Documents keep the old name, which an SVG
// file carries. The sans font is fully hinted: its characters take whole pixels.
TEST(Application, WindowFontsNameTheFaceDrawn)
{
    for (const QFont& font : {fh::sansFont(8), fh::fixedFont(8)})
        EXPECT_EQ(QFontInfo(font).family(), font.family());
    EXPECT_EQ(fh::documentFont(8).family(), QLatin1String(fh::fixedFamily));
    for (const double points : {8.0, 13.5, 18.0}) {
        const double width = QFontMetricsF(fh::sansFont(points)).horizontalAdvance(QStringLiteral("Heat"));
        EXPECT_EQ(width, std::round(width)) << points;
    }
}

QStringList mappedFontFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    QStringList files;
    if (!maps.open(QIODevice::ReadOnly))
        return files;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        if (line.endsWith(".ttf") || line.endsWith(".otf"))
            files << QString::fromLocal8Bit(line.mid(line.lastIndexOf('/') + 1));
    }
    return files;
}

// A line edit lays its first text out in the application's font: the system's own
// face was loaded at every start and never shown. The program's default font is now
// the windows' own.
TEST(Application, StartsWithoutTheSystemsDefaultFace)
{
    if (!mappedFontFiles().isEmpty())
        GTEST_SKIP() << "an earlier test in this process loaded fonts";
    Program program;
    fh::Application& application = program.application;
    application.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&application.mainWindow()));
    const QStringList loaded = mappedFontFiles();
    EXPECT_FALSE(loaded.isEmpty());
    const QString system = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    if (system == fh::sansFont(8).family())
        GTEST_SKIP() << "the system's default face is the windows' own";
    for (const QString& file : loaded)
        EXPECT_FALSE(file.startsWith(QString(system).remove(QLatin1Char(' ')))) << file.toStdString();
}

// Timer events of the object that blinks a line edit's cursor.
class BlinkCount : public QObject {
public:
    explicit BlinkCount(const QLineEdit& edit)
    {
        for (QObject* child : edit.children())
            if (qstrcmp(child->metaObject()->className(), "QWidgetLineControl") == 0)
                child->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Timer;
        return false;
    }
};

// A cursor blinking for ever repainted its box twice a second while nothing happened.
TEST(CursorBlink, StopsWhileTheUserIsAwayAndBlinksAgainOnAKey)
{
    const int platform = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(100);
    {
        const fh::CursorBlink blink(400);
        QLineEdit edit;
        edit.show();
        edit.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
        edit.setFocus();
        BlinkCount blinks(edit);
        const auto blinksWithin = [&](int ms) {
            blinks.count = 0;
            QTest::qWait(ms);
            return blinks.count;
        };
        EXPECT_GT(blinksWithin(200), 0);
        EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::cursorFlashTime() == 0; }));
        EXPECT_EQ(blinksWithin(200), 0);
        QTest::keyClick(&edit, Qt::Key_A);
        EXPECT_EQ(QApplication::cursorFlashTime(), 100);
        EXPECT_GT(blinksWithin(200), 0);
    }
    EXPECT_EQ(QApplication::cursorFlashTime(), 100);
    QApplication::setCursorFlashTime(platform);
}

// Fault mended: the report on a file named at start stood over an empty screen.
TEST(Application, ReportsAFileNamedAtStartOverTheShownWindow)
{
    const QString path = programFile("start", "L,25:00,1,ON\r\n");

    Program program;
    fh::Application& application = program.application;
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
    EXPECT_TRUE(application.mainWindow().menus().undoAction->isEnabled()) << "the load is a step to undo";
    QFile::remove(path);
}

// Fault mended: File > Quit left the chart window open and the program running. The
// main window's close ends the program whatever else is open, the simulation window
// (which refuses its own close) and the chart window (which has no owner) among them.
TEST(Application, ClosingTheMainWindowEndsTheProgramWhateverElseIsOpen)
{
    const QString path = programFile("quit", "T,06:00:00,70,80\r\n==\r\nL,06:00:00,1,ON\r\n==\r\n");

    const struct {
        const char* open;
        std::vector<const char*> actions; // of the main window, in this order
    } opened[] = {
        {"the chart", {"pgh"}},
        {"the checks", {"chk"}},
        {"the selection", {"sps"}},
        {"the simulation, running", {"sson"}},
        {"all of them", {"pgh", "chk", "sps", "sson"}},
        {"all of them, the simulation first", {"sson", "pgh", "chk", "sps"}},
    };
    for (const bool byQuit : {false, true})
        for (const auto& row : opened) {
            SCOPED_TRACE(testing::Message() << row.open << (byQuit ? ", File > Quit" : ", closed"));
            Program program;
            fh::Application& application = program.application;
            fh::Form1& main = application.mainWindow();
            application.show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
            application.open(path.toStdString());
            for (const char* name : row.actions)
                main.findChild<QAction*>(QString::fromLatin1(name))->trigger();
            const QWidgetList windows = QApplication::topLevelWidgets();
            EXPECT_EQ(std::ranges::count_if(windows, &QWidget::isVisible), std::ssize(row.actions) + 1)
                << "each window open";
            QTimer::singleShot(0, &main, [&] {
                if (byQuit)
                    main.menus().quitAction->trigger();
                else
                    main.close();
            });
            QTimer::singleShot(5000, &main, [] { QCoreApplication::exit(1); });
            EXPECT_EQ(QCoreApplication::exec(), 0);
        }
    QFile::remove(path);
}

} // namespace

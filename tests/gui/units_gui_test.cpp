// View > Temperatures in °C, typing in °C, House… and Daily Totals, on the whole
// application over in-memory settings.

#include "app/application.h"
#include "gui/form3.h"
#include "gui/form4.h"
#include "platform/doubles/doubles.h"
#include "support.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace fh::test {
namespace {

const QString degreesC = QStringLiteral(" \u00B0C");

QString text(const QWidget& window, const char* name) { return control<QLineEdit>(window, name)->text(); }

bool drawn(const Form4& chart, const std::string& label)
{
    const auto& items = chart.drawing().items();
    return std::any_of(items.begin(), items.end(), [&](const DrawItem& i) { return i.text == label; });
}

QString readoutAtNoon(Form4& chart)
{
    // Above every trace, so the readout ends with the set-points.
    const QPointF at(14.0 / 28 * chart.width(), chart.height() / 24.0);
    QMouseEvent move(QEvent::MouseMove, at, chart.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&chart, &move);
    return control<QLabel>(chart, "Readout")->text();
}

TEST(Units, TheCelsiusPreferenceChangesEveryTemperatureShownAndSurvivesARestart)
{
    doubles::FakeClock clock(9 * 3600);
    doubles::MemorySettings settings;
    {
        Application application(clock, settings);
        Form1& form = application.mainWindow();
        showActive(form);
        QAction* celsius = form.menus().celsiusAction;
        EXPECT_EQ(celsius->objectName(), "tmpc");
        EXPECT_TRUE(celsius->isCheckable());
        EXPECT_FALSE(celsius->isChecked()) << "off by default";
        enter(form, "T,6,68,78.8");
        form.menus().plotAction->trigger();
        Form4* chart = application.chartControls().chartWindow();
        ASSERT_NE(chart, nullptr);
        Form3& simulation = application.simulationControls().form3();
        form.menus().simOnAction->trigger();
        application.simulationControls().render();

        const struct {
            const char* shown;
            QString low, high, temperature, simulationLow, simulationHigh, readout;
            std::string chartLabel;
            QString scale;
        } readings[] = {
            {"in °F", "70F", "74F", "74F", "68", "78.8", "Low 68  High 78.8", "30F", "degrees F"},
            {"in °C", "21.1" + degreesC, "23.3" + degreesC, "23.3" + degreesC, "20.0" + degreesC,
             "26.0" + degreesC, "Low 20.0" + degreesC + "  High 26.0" + degreesC, "-1.1 \xC2\xB0" "C", "degrees C"},
        };
        for (const auto& r : readings) {
            SCOPED_TRACE(r.shown);
            if (r.low != "70F")
                celsius->trigger();
            EXPECT_EQ(text(form, "Text5"), r.low);
            EXPECT_EQ(text(form, "Text4"), r.high);
            EXPECT_EQ(text(form, "Text1"), r.temperature);
            for (const char* box : {"Text5", "Text4", "Text1"}) {
                const auto* shown = control<QLineEdit>(form, box);
                EXPECT_LT(QFontMetrics(shown->font()).horizontalAdvance(shown->text()), shown->width()) << box;
            }
            EXPECT_EQ(control<QLabel>(simulation, "lsetLab")->text(), r.simulationLow);
            EXPECT_EQ(control<QLabel>(simulation, "usetLab")->text(), r.simulationHigh);
            for (const char* label : {"lsetLab", "usetLab"})
                EXPECT_TRUE(control<QLabel>(simulation, label)->toolTip().endsWith(r.scale)) << label;
            EXPECT_TRUE(drawn(*chart, r.chartLabel));
            EXPECT_TRUE(readoutAtNoon(*chart).endsWith(r.readout)) << readoutAtNoon(*chart).toStdString();
        }
        EXPECT_FALSE(drawn(*chart, "30F")) << "the labels of the same grid lines now read in °C";
        form.menus().simOffAction->trigger();
    }
    // Started again over the same settings.
    Application application(clock, settings);
    showActive(application.mainWindow());
    EXPECT_TRUE(application.mainWindow().menus().celsiusAction->isChecked());
    EXPECT_EQ(text(application.mainWindow(), "Text5"), "21.1" + degreesC);
    application.mainWindow().menus().celsiusAction->trigger();
    EXPECT_EQ(text(application.mainWindow(), "Text5"), "70F");
    EXPECT_EQ(settings.strings("display/temperature"), std::vector<std::string>{"F"});
}

TEST(Units, LinesTypedWhileCelsiusIsOnTakeSetPointsInCelsius)
{
    doubles::FakeClock clock(9 * 3600);
    doubles::MemorySettings settings;
    Application application(clock, settings);
    Form1& form = application.mainWindow();
    showActive(form);
    enter(form, "T,7,68,78.8");
    form.menus().celsiusAction->trigger();
    enter(form, "T,6,20C,26C");
    // A bare 80 is °F: a slip, held at the first Enter and filed as read at the second.
    enter(form, QStringLiteral("T,8,20 \u00B0c,80"));
    enter(form, QStringLiteral("T,8,20 \u00B0c,80"));
    form.menus().celsiusAction->trigger();
    // Off again, C is no unit: the set-points are 50 °F and 60 °F, as typed.
    enter(form, "T,9,50C,60C");
    enter(form, "T,9,50C,60C");
    EXPECT_EQ(items(form, "List1"), (std::vector<std::string>{"T,07:00:00,68,78.8", "T,06:00:00,68,78.8",
                                                              "T,08:00:00,68,80", "T,09:00:00,50C,60C"}));
}

TEST(Units, HouseRatesAreKeptAndTheDailyTotalsFollowTheLists)
{
    doubles::FakeClock clock(9 * 3600);
    doubles::MemorySettings settings;
    Application application(clock, settings);
    Form1& form = application.mainWindow();
    showActive(form);
    HouseControls& house = application.houseControls();
    enter(form, "W,8,1,P1,5S,595S");
    enter(form, "W,18,1,OFF");

    form.menus().dailyTotalsAction->trigger();
    TotalsWindow* totals = house.totalsWindow();
    ASSERT_NE(totals, nullptr);
    EXPECT_EQ(totals->objectName(), "DailyTotals");
    const auto shown = [&] { return control<QPlainTextEdit>(*totals, "Text1")->toPlainText().toStdString(); };
    EXPECT_NE(shown().find("valve 1: 0 h 00 min on, 10 h 00 min pulsed, water runs 300 s\n"), std::string::npos)
        << shown();

    form.menus().houseAction->trigger();
    HouseDialog* dialog = house.houseDialog();
    ASSERT_NE(dialog, nullptr);
    QPushButton* ok = control<QDialogButtonBox>(*dialog, "Buttons")->button(QDialogButtonBox::Ok);
    control<QLineEdit>(*dialog, "Flow1")->setText("2.5");
    control<QLineEdit>(*dialog, "Watts2")->setText("x");
    EXPECT_FALSE(ok->isEnabled()) << "x is no rate";
    control<QLineEdit>(*dialog, "Watts2")->setText("1,3=4");
    EXPECT_FALSE(ok->isEnabled()) << "one rate a box";
    control<QLineEdit>(*dialog, "Watts2")->setText("400");
    ASSERT_TRUE(ok->isEnabled());
    control<QLineEdit>(*dialog, "Ppfd2")->setText("250");
    // A place is both degrees, and a zone that exists or none.
    control<QLineEdit>(*dialog, "Latitude")->setText("52.37");
    EXPECT_FALSE(ok->isEnabled()) << "a latitude without a longitude";
    control<QLineEdit>(*dialog, "Longitude")->setText("4.9");
    EXPECT_TRUE(ok->isEnabled());
    control<QLineEdit>(*dialog, "Zone")->setText("Nowhere/Atlantis");
    EXPECT_FALSE(ok->isEnabled()) << "no such zone";
    control<QLineEdit>(*dialog, "Zone")->setText("Europe/Amsterdam");
    ASSERT_TRUE(ok->isEnabled());
    ok->click();
    EXPECT_EQ(settings.strings("house/flows"), std::vector<std::string>{"1=2.5"});
    EXPECT_EQ(settings.strings("house/watts"), std::vector<std::string>{"2=400"});
    EXPECT_EQ(settings.strings("house/ppfd"), std::vector<std::string>{"2=250"});
    EXPECT_EQ(settings.strings("house/place"), std::vector<std::string>{"52.37,4.9,Europe/Amsterdam"});
    EXPECT_NE(shown().find("water runs 300 s, 12.5 l\n"), std::string::npos) << shown();

    // The window follows the lists.
    enter(form, "L,6,2,ON");
    enter(form, "L,7,2,OFF");
    EXPECT_NE(shown().find("light 2: 1 h 00 min on, 0.40 kWh, DLI 0.9 mol/m\u00B2/d\n"), std::string::npos) << shown();
    EXPECT_NE(shown().find("dark 23 h 00 min, 07:00-06:00\n"), std::string::npos) << shown();
    EXPECT_NE(shown().find("the day: 12.5 l of water, 0.40 kWh, DLI 0.9 mol/m\u00B2/d"), std::string::npos) << shown();
    EXPECT_EQ(shown().find("day 1 of"), std::string::npos) << "one day, one block";

    // A line held back a day makes the days differ: a block for each, as `totals` prints.
    enter(form, "L,6,3,ON");
    EXPECT_EQ(shown().find("day 1 of 2\n"), 0u) << shown();
    EXPECT_NE(shown().find("\nday 2 of 2\n"), std::string::npos) << shown();

    // Kept for the next run, and shown in the dialog again.
    Application again(clock, settings);
    EXPECT_EQ(again.houseControls().house(), house.house());
    EXPECT_EQ(again.houseControls().place(), house.place());
    again.mainWindow().menus().houseAction->trigger();
    ASSERT_NE(again.houseControls().houseDialog(), nullptr);
    EXPECT_EQ(control<QLineEdit>(*again.houseControls().houseDialog(), "Flow1")->text(), "2.5");
}

} // namespace
} // namespace fh::test

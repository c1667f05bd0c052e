#include "gui/housewindows.h"

#include "language/terms.h"
#include "platform/qt/qtfonts.h"
#include "platform/qt/qtzones.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace fh {

namespace {

QString rateText(const std::optional<double>& rate)
{
    return rate ? QString::fromStdString(plainNumber(*rate)) : QString();
}

// The rates of the boxes, output N in box N-1; none when a box holds no rate.
std::optional<Rates> ratesOf(const std::array<QLineEdit*, outputCount>& boxes)
{
    std::string text;
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        const std::string typed = boxes[k]->text().trimmed().toStdString();
        if (!typed.empty())
            text.append(text.empty() ? "" : ",").append(std::to_string(k + 1) + "=" + typed);
    }
    // A comma or an equals sign typed in a box would read as more pairs.
    for (const QLineEdit* box : boxes)
        if (box->text().contains(',') || box->text().contains('='))
            return std::nullopt;
    return parseRates(text);
}

} // namespace

HouseDialog::HouseDialog(const House& house, const std::optional<Site>& place, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("House"));
    setWindowTitle(QStringLiteral("House"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Valve flow (litres a minute)"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Light power (watts)"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Light PPFD (\u00B5mol/m\u00B2/s)"), this), 0, 3);
    for (std::size_t k = 0; k < outputCount; ++k) {
        const int row = static_cast<int>(k) + 1;
        grid->addWidget(new QLabel(QString::number(row), this), row, 0);
        flows[k] = new QLineEdit(rateText(house.flows[k]), this);
        flows[k]->setObjectName(QStringLiteral("Flow%1").arg(row));
        flows[k]->setAccessibleName(QStringLiteral("Flow of valve %1").arg(row));
        watts[k] = new QLineEdit(rateText(house.watts[k]), this);
        watts[k]->setObjectName(QStringLiteral("Watts%1").arg(row));
        watts[k]->setAccessibleName(QStringLiteral("Power of light relay %1").arg(row));
        ppfd[k] = new QLineEdit(rateText(house.ppfd[k]), this);
        ppfd[k]->setObjectName(QStringLiteral("Ppfd%1").arg(row));
        ppfd[k]->setAccessibleName(QStringLiteral("Light at the canopy from light relay %1").arg(row));
        grid->addWidget(flows[k], row, 1);
        grid->addWidget(watts[k], row, 2);
        grid->addWidget(ppfd[k], row, 3);
        for (QLineEdit* box : {flows[k], watts[k], ppfd[k]}) {
            box->setToolTip(QStringLiteral("Empty, or a number from 0 to 1000000"));
            connect(box, &QLineEdit::textChanged, this, &HouseDialog::check);
        }
    }
    // Where the house stands, for lines by the sun.
    const auto placeBox = [&](const QString& name, const QString& spoken, const QString& text, const QString& tip) {
        auto* box = new QLineEdit(text, this);
        box->setObjectName(name);
        box->setAccessibleName(spoken);
        box->setToolTip(tip);
        connect(box, &QLineEdit::textChanged, this, &HouseDialog::check);
        return box;
    };
    latitude = placeBox(QStringLiteral("Latitude"), QStringLiteral("Latitude"),
                        place ? QString::fromStdString(plainNumber(place->latitude)) : QString(),
                        QStringLiteral("Degrees north, -90 to 90 (south below 0); empty with Longitude"));
    longitude = placeBox(QStringLiteral("Longitude"), QStringLiteral("Longitude"),
                         place ? QString::fromStdString(plainNumber(place->longitude)) : QString(),
                         QStringLiteral("Degrees east, -180 to 180 (west below 0); empty with Latitude"));
    zone = placeBox(QStringLiteral("Zone"), QStringLiteral("Time zone"),
                    place ? QString::fromStdString(place->zone) : QString(),
                    QStringLiteral("A time zone's name, as Europe/Amsterdam; empty for this computer's"));
    zone->setPlaceholderText(QString::fromStdString(QtZones().systemZone()));
    auto* where = new QGridLayout;
    where->addWidget(new QLabel(QStringLiteral("Latitude (\u00B0N):"), this), 0, 0);
    where->addWidget(latitude, 0, 1);
    where->addWidget(new QLabel(QStringLiteral("Longitude (\u00B0E):"), this), 0, 2);
    where->addWidget(longitude, 0, 3);
    where->addWidget(new QLabel(QStringLiteral("Time zone:"), this), 1, 0);
    where->addWidget(zone, 1, 1, 1, 3);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(where);
    layout->addWidget(buttons);
    check();
}

std::optional<Site> HouseDialog::typedPlace(bool& valid) const
{
    const QString lat = latitude->text().trimmed(), lon = longitude->text().trimmed(), name = zone->text().trimmed();
    valid = lat.isEmpty() && lon.isEmpty() && name.isEmpty();
    if (valid || lat.contains(',') || lon.contains(',') || name.contains(','))
        return std::nullopt;
    auto place = parseSite((lat + ',' + lon).toStdString());
    if (place && !name.isEmpty()) {
        place->zone = name.toStdString();
        if (!QtZones().offsetAt(place->zone, 0))
            place.reset();
    }
    valid = place.has_value();
    return place;
}

void HouseDialog::check()
{
    bool placeValid = false;
    typedPlace(placeValid);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(ratesOf(flows) && ratesOf(watts) && ratesOf(ppfd) && placeValid);
}

House HouseDialog::house() const
{
    return {ratesOf(flows).value_or(Rates{}), ratesOf(watts).value_or(Rates{}), ratesOf(ppfd).value_or(Rates{})};
}

std::optional<Site> HouseDialog::place() const
{
    bool valid = false;
    return typedPlace(valid);
}

TotalsWindow::TotalsWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("DailyTotals"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Daily Totals"));
    text1 = new QPlainTextEdit(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setAccessibleName(QStringLiteral("Daily totals"));
    text1->setReadOnly(true);
    text1->setFont(fixedFont(10));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text1);
    resize(640, 320);
}

void TotalsWindow::setLines(const std::vector<std::string>& lines)
{
    QStringList shown;
    for (const std::string& line : lines)
        shown.append(QString::fromLatin1(line));
    text1->setPlainText(shown.join('\n'));
}

} // namespace fh

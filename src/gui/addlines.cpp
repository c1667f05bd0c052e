#include "gui/addlines.h"

#include "gui/listhistory.h"
#include "session/linewriter.h"
#include "session/session.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace fh {

namespace {

// "water" as "Water".
QString capitalised(std::string_view name)
{
    const QString text = QString::fromLatin1(name);
    return text.left(1).toUpper() + text.mid(1);
}

QLabel* caption(const QString& text, const QString& name, const QString& tip, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleName(text);
    label->setToolTip(tip);
    return label;
}

QPlainTextEdit* shown(const QString& name, const QString& spoken, const QString& tip, QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAccessibleName(spoken);
    box->setToolTip(tip);
    return box;
}

} // namespace

AddLinesDialog::AddLinesDialog(Session& session, ListHistory& history, const std::string& place, QWidget* owner)
    : QDialog(owner), session(session), history(history)
{
    setObjectName(QStringLiteral("AddLines"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Add Lines"));
    resize(560, 480);

    combo1 = new QComboBox(this);
    combo1->setObjectName(QStringLiteral("Combo1"));
    combo1->setAccessibleName(QStringLiteral("Kind of lines"));
    combo1->setToolTip(QStringLiteral("Water valves on and off, misting in pulses, a light period, a ramp "
                                      "of the set-points, the set-points from a time on, or lines at times "
                                      "the sun gives on a date"));
    pages = new QStackedWidget(this);
    pages->setObjectName(QStringLiteral("Pages"));
    // The ramp's degrees are read on the scale the windows show; the dialog is modal, so
    // that cannot change while it is open.
    const bool celsius = session.display().temperature == Display::Temperature::Celsius;
    const QString unit = celsius ? QStringLiteral(" (\u00B0C)") : QStringLiteral(" (\u00B0F)");
    for (const LineKindInfo& kind : lineKinds()) {
        const QString kindName = capitalised(kind.name);
        combo1->addItem(kind.caption.empty() ? kindName : QString::fromLatin1(kind.caption));
        auto* page = new QWidget(pages);
        page->setObjectName(kindName + QStringLiteral("Page"));
        auto* form = new QFormLayout(page);
        std::vector<QLineEdit*>& edits = fields.emplace_back();
        for (const LineField& field : kind.fields) {
            const QString name = kindName + QString::fromLatin1(field.label);
            const bool degrees = !field.celsiusExample.empty();
            const QString label = QString::fromLatin1(field.label) + (degrees ? unit : QString());
            auto* edit = new QLineEdit(page);
            edit->setObjectName(name);
            edit->setPlaceholderText(QString::fromLatin1(degrees && celsius ? field.celsiusExample : field.example));
            edit->setAccessibleName(label);
            edit->setToolTip(QString::fromLatin1(field.wants));
            // Lines by the sun start from today at the house.
            if (kind.kind == LineKind::Sun && field.name == "date")
                edit->setText(QDate::currentDate().toString(Qt::ISODate));
            if (kind.kind == LineKind::Sun && field.name == "place")
                edit->setText(QString::fromStdString(place));
            connect(edit, &QLineEdit::textChanged, this, &AddLinesDialog::rewrite);
            form->addRow(caption(label + QLatin1Char(':'), name + QStringLiteral("Caption"), edit->toolTip(), page),
                         edit);
            edits.push_back(edit);
        }
        pages->addWidget(page);
    }
    connect(combo1, &QComboBox::currentIndexChanged, pages, &QStackedWidget::setCurrentIndex);
    connect(combo1, &QComboBox::currentIndexChanged, this, &AddLinesDialog::rewrite);

    text1 = shown(QStringLiteral("Text1"), QStringLiteral("Lines to add"),
                  QStringLiteral("The lines Add files, in filed form, in order of the day"), this);
    text2 = shown(QStringLiteral("Text2"), QStringLiteral("Findings of the program checks"),
                  QStringLiteral("What the program checks would find in the program with these lines, and not "
                                 "without them"),
                  this);
    label3 = new QLabel(this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setWordWrap(true);
    label3->setAccessibleName(QStringLiteral("Why the lines cannot be added"));
    label3->setToolTip(QStringLiteral("While it says why, Add is disabled"));
    label4 = new QLabel(this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->setWordWrap(true);
    label4->setAccessibleName(QStringLiteral("How long the lines stay with the sun"));
    label4->setToolTip(QStringLiteral("The last day, searched over a year, on which every line by the sun is "
                                      "still within Within of the sun's time"));
    command1 = new QPushButton(QStringLiteral("Add"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setDefault(true);
    command1->setAccessibleName(command1->text());
    command1->setToolTip(QStringLiteral("File the lines in the lists; Edit > Undo takes them back"));
    auto* command2 = new QPushButton(QStringLiteral("Close"), this);
    command2->setObjectName(QStringLiteral("Command2"));
    command2->setToolTip(QStringLiteral("Close without adding"));
    command2->setAccessibleName(command2->text());
    connect(command1, &QPushButton::clicked, this, &AddLinesDialog::add);
    connect(command2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1);
    buttons->addWidget(command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(combo1);
    layout->addWidget(pages);
    layout->addWidget(caption(QStringLiteral("Lines to add:"), QStringLiteral("Label1"), text1->toolTip(), this));
    layout->addWidget(text1);
    layout->addWidget(
        caption(QStringLiteral("Program checks on the lines:"), QStringLiteral("Label2"), text2->toolTip(), this));
    layout->addWidget(text2);
    layout->addWidget(label4);
    layout->addWidget(label3);
    layout->addLayout(buttons);
    rewrite();
}

void AddLinesDialog::rewrite()
{
    const auto index = static_cast<std::size_t>(combo1->currentIndex());
    const LineKindInfo& kind = lineKinds().at(index);
    LineWords words;
    for (std::size_t i = 0; i < kind.fields.size(); ++i)
        words.emplace(kind.fields[i].name, fields.at(index).at(i)->text().toUtf8().toStdString());
    WrittenLines lines = writeLines(kind.kind, words, session.display(), zones);
    std::string refusal = lines.refusal;
    if (refusal.empty())
        refusal = additionRefusal(session.lists(), lines.lines).value_or(std::string());
    QStringList shownLines;
    for (const std::string& line : lines.lines)
        shownLines << QString::fromLatin1(line);
    QStringList findings;
    if (refusal.empty())
        for (const Finding& finding : findingsOfAddition(session.lists(), lines.lines, session.display()))
            findings << QString::fromLatin1(findingText(finding));
    if (refusal.empty() && findings.isEmpty())
        findings << QStringLiteral("no findings");
    text1->setPlainText(shownLines.join(QLatin1Char('\n')));
    text2->setPlainText(findings.join(QLatin1Char('\n')));
    label3->setText(QString::fromUtf8(refusal.data(), static_cast<qsizetype>(refusal.size())));
    label4->setText(QString::fromStdString(lines.note));
    command1->setEnabled(refusal.empty());
    written = refusal.empty() ? std::move(lines.lines) : std::vector<std::string>{};
}

void AddLinesDialog::add()
{
    history.record(QStringLiteral("Add Lines"), [this] {
        // As the user would type them in the units shown: in °C a filed set-point read
        // back as typed would be a bare °F number, which the checks take for a slip.
        for (const std::string& line : written)
            session.enter(session.display().asTyped(line));
    });
    accept();
}

} // namespace fh

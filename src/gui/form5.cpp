#include "gui/form5.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

namespace fh {

namespace {

constexpr int listRole = Qt::UserRole;
constexpr int indexRole = Qt::UserRole + 1;

// Lists typed in the windows have no file lines a grower could look up: the item is
// named as the lists show it, counted from 1.
QString where(const Finding& finding)
{
    if (!finding.item)
        return QStringLiteral("line %1").arg(finding.line);
    static constexpr std::array<const char*, 3> letters = {"T", "L", "W"};
    const char* letter = finding.item->list < letters.size() ? letters[finding.item->list] : "?";
    return QStringLiteral("%1 lines, item %2").arg(QLatin1String(letter)).arg(finding.item->index + 1);
}

} // namespace

Form5::Form5(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("Form5"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Program Checks"));
    resize(960, 240);

    grid1 = new QTreeWidget(this);
    grid1->setObjectName(QStringLiteral("Grid1"));
    grid1->setRootIsDecorated(false);
    grid1->setUniformRowHeights(true);
    grid1->setHeaderLabels({QStringLiteral("Where"), QStringLiteral("Severity"), QStringLiteral("Message"),
                            QStringLiteral("Code")});
    grid1->header()->setStretchLastSection(false);
    grid1->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    grid1->setAccessibleName(QStringLiteral("Program check findings"));
    grid1->setToolTip(QStringLiteral("One row a finding; a double click selects its line in the main window"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(grid1);

    connect(grid1, &QTreeWidget::itemActivated, this, [this](const QTreeWidgetItem* row) {
        const QVariant list = row->data(0, listRole);
        if (list.isValid())
            emit itemChosen(list.toInt(), row->data(0, indexRole).toInt());
    });
}

void Form5::setFindings(const std::vector<Finding>& findings)
{
    grid1->clear();
    QList<QTreeWidgetItem*> rows;
    for (const Finding& finding : findings) {
        auto* row = new QTreeWidgetItem(
            {where(finding), QString::fromLatin1(severityName(finding.severity)), QString::fromLatin1(finding.message), QString::fromLatin1(finding.code)});
        row->setToolTip(2, row->text(2));
        if (finding.item) {
            row->setData(0, listRole, static_cast<int>(finding.item->list));
            row->setData(0, indexRole, static_cast<int>(finding.item->index));
        }
        rows.append(row);
    }
    grid1->addTopLevelItems(rows);
    for (int column : {0, 1, 3})
        grid1->resizeColumnToContents(column);
}

} // namespace fh

#include "gui/lineeditor.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace fh {

namespace {

constexpr const char* rowProperty = "row";

} // namespace

LineEditor::LineEditor(File file, QObject* parent) : QStyledItemDelegate(parent), file(std::move(file)) {}

QWidget* LineEditor::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor)
        editor->setProperty(rowProperty, index.row());
    return editor;
}

void LineEditor::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const {}

bool LineEditor::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QLineEdit*>(watched);
    if (!editor)
        return QStyledItemDelegate::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && filing)
        return false;
    if (event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        filing = true;
        // Filing a changed line refills the list, which has closed the editor already.
        if (file(editor->property(rowProperty).toInt(), editor->text()) && !editor->isHidden())
            emit closeEditor(editor);
        filing = false;
        return true;
    default:
        return QStyledItemDelegate::eventFilter(watched, event);
    }
}

} // namespace fh

#pragma once

// The item editor of a command list (double click or F2). Enter (or Tab) hands the
// line to `file`, which checks it: a filed line closes the editor, a refused one keeps
// it open with the text as typed. Escape, or leaving the editor, cancels: the item is
// changed only by `file`, never by the editor itself.

#include <QStyledItemDelegate>

#include <functional>

namespace fh {

class LineEditor : public QStyledItemDelegate {
public:
    // Returns whether the line was filed; reports a refused line itself.
    using File = std::function<bool(int row, const QString& line)>;

    LineEditor(File file, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    File file;
    // While a line is filed: the message box of a refused one takes the focus,
    // which would otherwise close the editor.
    bool filing = false;
};

} // namespace fh

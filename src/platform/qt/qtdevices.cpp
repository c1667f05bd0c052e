#include "platform/qt/qtdevices.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include <utility>

namespace fh {

namespace {

// Messages carry no program lines, but file names, printer names and the system's
// reasons, which come in its own encoding (UTF-8), not the program file's.
QString messageText(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// File names follow the file system's own encoding, not the program file's.
std::optional<std::string> confirmed(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return QFile::encodeName(name).toStdString();
}

QString fileName(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString filters(const FileType& type)
{
    return QStringLiteral("%1 (*.%2);;All files (*)").arg(text(type.name), text(type.extension));
}

} // namespace

void QtBeeper::beep()
{
    QApplication::beep();
}

void QtMessageBox::show(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle, messageText(text), QMessageBox::Ok, parent_);
    // A file name such as "<b>plan</b>.fhp" is shown as it is, not as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

SaveChoice QtMessageBox::askSave(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle, messageText(text),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

// No is the default: a slip of the Enter key marks nothing.
bool QtMessageBox::askYesNo(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle, messageText(text), QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtFileDialogs::openFileName(const std::string& initial, const FileType& type)
{
    return confirmed(QFileDialog::getOpenFileName(parent_, QString(), fileName(initial), filters(type)));
}

std::optional<std::string> QtFileDialogs::saveFileName(const std::string& initial, const FileType& type)
{
    QFileDialog dialog(parent_, QString(), fileName(initial), filters(type));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // So that the dialog asks before replacing the file the name will become.
    dialog.setDefaultSuffix(text(type.extension));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return confirmed(dialog.selectedFiles().value(0));
}

} // namespace fh

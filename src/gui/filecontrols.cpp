#include "gui/filecontrols.h"

#include "session/programfiles.h"
#include "gui/form1.h"
#include "session/session.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace fh {

namespace {

QString fromFileName(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// One local file that may be copied, or none.
std::optional<QString> droppedFile(const QDropEvent& drop)
{
    const QList<QUrl> urls = drop.mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile() || !(drop.possibleActions() & Qt::CopyAction))
        return std::nullopt;
    return urls.front().toLocalFile();
}

} // namespace

FileControls::FileControls(Form1& form1, Session& session, ProgramFiles& files)
    : form1(form1), session(session), files(files)
{
    const Form1::Menus& menus = form1.menus();
    connect(menus.loadAction, &QAction::triggered, this,
            [this] { this->form1.history().record("Load", [this] { this->files.load(); }); });
    connect(menus.recentMenu, &QMenu::aboutToShow, this, &FileControls::listRecent);
    connect(menus.importAction, &QAction::triggered, this,
            [this] { this->form1.history().record("Import", [this] { this->files.importFile(); }); });
    connect(menus.importClipboardAction, &QAction::triggered, this, [this] {
        const QByteArray code = QGuiApplication::clipboard()->text().toLatin1();
        this->form1.history().record("Import", [&] { this->files.importCode(code.toStdString(), "the clipboard"); });
    });
    for (QAction* save : {menus.saveAction, menus.saveAsAction})
        connect(save, &QAction::triggered, this, [this] {
            this->files.save();
            this->form1.render();
        });
    connect(menus.printAction, &QAction::triggered, this, [this] { this->files.print(); });
    connect(menus.exportAction, &QAction::triggered, this, [this] { this->files.exportDay(); });
    form1.setCloseGuard([this] { return this->files.closeRequested(); });
    connect(&form1, &Form1::renewed, this, &FileControls::showFile);
    connect(&form1, &Form1::rendered, this, &FileControls::showFile);

    // The text boxes take drops of their own; a file dropped on one is the window's.
    form1.setAcceptDrops(true);
    form1.installEventFilter(this);
    for (QWidget* w : form1.findChildren<QWidget*>()) {
        if (w->acceptDrops())
            w->installEventFilter(this);
    }
    showFile();
}

void FileControls::open(const std::string& path)
{
    form1.history().record("Load", [&] { files.open(path); });
}

void FileControls::showFile()
{
    const QString path = fromFileName(session.fileName());
    QString title = QString::fromLatin1(mainWindowTitle);
    if (!path.isEmpty()) {
        // "[*][*]" shows a "[*]" of the name as it is, not as the mark.
        QString name = QFileInfo(path).fileName();
        title += QStringLiteral(" \u2014 ") + name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    }
    form1.setWindowTitle(title + QStringLiteral("[*]"));
    if (form1.isWindowModified() != session.modified())
        form1.setWindowModified(session.modified());
    form1.setWindowFilePath(path);
    form1.menus().recentMenu->setEnabled(!files.recentFiles().empty());
}

void FileControls::listRecent()
{
    QMenu* menu = form1.menus().recentMenu;
    menu->clear();
    int number = 0;
    for (const std::string& path : files.recentFiles()) {
        ++number;
        QString shown = fromFileName(path);
        const QString caption = QStringLiteral("&%1 %2").arg(QString::number(number), shown.replace('&', "&&"));
        QAction* item = menu->addAction(caption);
        item->setObjectName(QStringLiteral("rcnt%1").arg(number));
        connect(item, &QAction::triggered, this, [this, path] { open(path); });
    }
}

bool FileControls::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    // Text dragged into a text box is the box's.
    if (!drop->mimeData()->hasUrls())
        return QObject::eventFilter(watched, event);
    const auto file = droppedFile(*drop);
    if (!file) {
        drop->ignore();
        return true;
    }
    // A copy: a file manager deletes the original of a file moved.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // Once the drop is over: the save question and the load report wait for the user.
        QMetaObject::invokeMethod(
            this, [this, path = QFile::encodeName(*file).toStdString()] { open(path); }, Qt::QueuedConnection);
    }
    return true;
}

} // namespace fh

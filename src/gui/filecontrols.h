#pragma once

// The main window's File menu and its file: Load, Open Recent, importing pasteable
// code (from a file or the clipboard), Save, Print, Export (the day as a table,
// calendar or waveform) and the question before closing,
// a program file dropped on the window, and the title, which names the file and
// marks unsaved changes. The file is also the window's windowFilePath, after which
// the chart's print job is named.

#include <QObject>

#include <string>

namespace fh {

class Form1;
class ProgramFiles;
class Session;

class FileControls : public QObject {
    Q_OBJECT

public:
    FileControls(Form1& form1, Session& session, ProgramFiles& files);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const std::string& path);
    void showFile();
    void listRecent();

    Form1& form1;
    Session& session;
    ProgramFiles& files;
};

} // namespace fh

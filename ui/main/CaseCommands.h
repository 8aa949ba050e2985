// SPDX-License-Identifier: GPL-3.0-or-later
// The case files of the main window: "Open Case…" (Ctrl+O), "Save Case"
// (Ctrl+S) and "Save Case As…" (Ctrl+Shift+S). An opened case is put in force
// as one undo step; the window keeps the file it was opened from or saved to,
// and undoing an Open gives back the file it had before.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QAction;
class TForm1;

class TCaseCommands final : public QObject {
public:
    explicit TCaseCommands(TForm1& form);

    QAction* OpenAction() const { return open_; }
    QAction* SaveAction() const { return save_; }
    QAction* SaveAsAction() const { return saveAs_; }
    QAction* OpenMeasuredAction() const { return measured_; }
    QAction* ExportTouchstoneAction() const { return exportTouchstone_; }

    // The file of the case: the one last opened or saved; empty at first.
    QString FilePath() const { return path_; }
    // The case's name: the one its file gives, or else the file's base name;
    // empty while the case has no file.
    std::string CaseName() const;

    // Asks for a case file and opens it.
    void Open();
    // Reads the case file and puts it in force as one undo step. A file that
    // cannot be read, or is refused, is reported and changes nothing; what
    // the reader ignored or clamped is shown as a warning. False when refused.
    bool OpenFile(const QString& path);
    // "Open Measured Load…": asks for a Touchstone file and opens it.
    void OpenMeasured();
    // Reads a Touchstone file and makes its port the case's load, as one undo
    // step: the port asked for when the file has several (port 0), else the
    // one given. A file refused is reported and changes nothing.
    bool OpenMeasuredFile(const QString& path, int port = 0);
    // "Export Touchstone…": the measured load as the model sees it (after the
    // plane shift), version 1, RI, MHz. Without a measured load says so.
    void ExportTouchstone();
    // Saves the case to its file, or as Save As when it has none yet.
    bool Save();
    // Asks for a file and saves the case to it.
    bool SaveAs();
    // Writes the case to the file, the whole file or nothing; on success the
    // file becomes the case's. A failure is reported and changes nothing.
    bool SaveTo(const QString& path);
    // Told the path of each case file opened or saved (the recent list).
    void SetFileListener(std::function<void(const QString&)> used) { used_ = std::move(used); }

private:
    // The file a case belongs to, and the name it gave.
    struct TFileOf {
        QString path;
        std::string name;
    };
    void SetFile(const TFileOf& f);

    TForm1& form_;
    QAction* open_;
    QAction* save_;
    QAction* saveAs_;
    QAction* measured_;
    QAction* exportTouchstone_;
    QString path_;
    std::function<void(const QString&)> used_;
    std::string fileName_;  // the name the file gave; empty: the file's base name is the name
};

// Start-up and closing of the main window.
#include "CaseCommands.h"
#include "CaseDocument.h"
#include "Environment.h"
#include "HelpWindow.h"
#include "IniFile.h"
#include "Prompter.h"
#include "SweepPage.h"
#include "TForm1.h"
#include "Touchstone.h"
#include "ui_TForm1.h"

#include <QCloseEvent>
#include <QUndoStack>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

void TForm1::FormCreate()
{
    ExeDir = merivane::env::GetExeDir();
    helpFile_ = ExeDir + QStringLiteral("MerivaneHelp.html");  // beside the executable, not in the working folder
    merivane::env::ForceUserDataDir(QStringLiteral("Halvik/Merivane"));
    const QRect pc = ui->pcResults->geometry();
    setFixedSize(pc.x() + pc.width() + 4, pc.y() + pc.height() + 2);
    AutoIniFile = std::make_unique<merivane::TIniFile>(GetAutoIniFilepath());
    LoadSettings(*AutoIniFile);
    const merivane::TSweepInputs line = sweep_->LoadSettings();
    TreatEdDire();
    // The first window shows the results of the inputs it shows.
    Guarded([&] { StartCase(line); });
    setWindowTitle(QStringLiteral("HALVIK Power Transmission Calculator V ") + merivane::env::GetFileVersionString());
    ui->pcResults->setCurrentIndex(0);
    ui->edAnodeV->setFocus(Qt::OtherFocusReason);
    PlaceOnMonitor();
}

// Centres the window on the work area of the monitor it overlaps most at its
// loaded position, or of the nearest one when it overlaps none.
void TForm1::PlaceOnMonitor()
{
    const QRect frame(pos(), size());
    const QScreen* best = nullptr;
    qint64 bestArea = 0;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect overlap = s->geometry().intersected(frame);
        const qint64 area = overlap.isValid() ? qint64(overlap.width()) * overlap.height() : 0;
        if (area > bestArea) {
            bestArea = area;
            best = s;
        }
    }
    if (!best) {
        qint64 nearest = -1;
        for (const QScreen* s : QGuiApplication::screens()) {
            const QPoint c = s->geometry().center() - frame.center();
            const qint64 d = qint64(c.x()) * c.x() + qint64(c.y()) * c.y();
            if (nearest < 0 || d < nearest) {
                nearest = d;
                best = s;
            }
        }
    }
    if (!best) return;
    const QRect work = best->availableGeometry();
    const int left = std::max(work.left(), work.left() + (work.width() - width()) / 2);
    const int top = std::max(work.top(), work.top() + (work.height() - height()) / 2);
    move(left, top);
}

void TForm1::closeEvent(QCloseEvent* event) { FormClose(event); }

void TForm1::Button1Click() { close(); }

void TForm1::FormClose(QCloseEvent* event)
{
    if (!prompter_->Confirm(this, QStringLiteral("Confirm"), QStringLiteral("Terminate Merivane ?")) ||
        !SaveOrDiscardCase()) {
        event->ignore();
        return;
    }
    bool saved = !AutoIniFile;
    QString failure;
    Guarded([&] {
        try {
            if (AutoIniFile) {
                SaveSettings(*AutoIniFile);
                sweep_->SaveSettings();
            }
            saved = true;
        } catch (const merivane::EWriteError& e) {
            failure = QString::fromUtf8(e.what()) + QLatin1Char('.');
            if (!e.Reason().isEmpty()) failure += QLatin1Char('\n') + e.Reason();
        }
    });
    // Cancel keeps the window, and a later close tries again; the settings
    // file is not the user's work, so closing without it loses nothing typed
    if (!saved && (failure.isEmpty() || !prompter_->CloseWithoutSaving(this, QStringLiteral("Merivane"), failure))) {
        event->ignore();
        return;
    }
    AutoIniFile.reset();
    if (help_) help_->close();
    event->accept();
    emit Closed();  // the program ends with this window: the Workbench goes too
}

// An unsaved case is saved, or left, as the user says; false for Cancel, or
// when the save did not happen.
bool TForm1::SaveOrDiscardCase()
{
    if (!doc_ || doc_->Stack()->isClean()) return true;
    const std::string name = cases_->CaseName();
    const QString shown = name.empty() ? QStringLiteral("Untitled") : QString::fromStdString(name);
    switch (prompter_->SaveChanges(this, QStringLiteral("Merivane"),
                                   QStringLiteral("Save changes to the case \u201c%1\u201d?").arg(shown))) {
    case IPrompter::SaveChoice::Save: return cases_->Save();
    case IPrompter::SaveChoice::Discard: return true;
    default: return false;
    }
}

void StartWindow(TForm1& window, const QStringList& arguments)
{
    window.FormCreate();
    window.show();
    // the first argument that is no option names the case; a bad file is
    // reported over the window, which keeps what the settings gave it
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].startsWith(QLatin1Char('-'))) continue;
        // a Touchstone file is a measured load, shown in the Workbench
        if (merivane::touchstone::PortsFromFileName(arguments[i].toStdString())) {
            window.Guarded([&] {
                if (window.CaseCommands()->OpenMeasuredFile(arguments[i])) window.OpenWorkbench();
            });
            break;
        }
        window.Guarded([&] { window.CaseCommands()->OpenFile(arguments[i]); });
        break;
    }
}

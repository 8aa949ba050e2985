// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseCommands.h"

#include "CaseDocument.h"
#include "CaseFile.h"
#include "MeasuredFile.h"
#include "Prompter.h"
#include "ResultActions.h"
#include "SafeSave.h"
#include "TForm1.h"
#include "Touchstone.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QUndoStack>

namespace present = merivane::present;

namespace {

const QString kCaseFilter = QStringLiteral("Merivane cases (*.merivane)");

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TCaseCommands::TCaseCommands(TForm1& form) : QObject(&form), form_(form)
{
    const auto make = [this](const QString& text, const QKeySequence& keys, auto run) {
        auto* a = new QAction(text, &form_);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        a->setShortcutVisibleInContextMenu(true);
        form_.addAction(a);
        connect(a, &QAction::triggered, this, [this, run] { form_.Guarded([this, run] { (this->*run)(); }); });
        return a;
    };
    open_ = make(QStringLiteral("Open Case\u2026"), QKeySequence(Qt::CTRL | Qt::Key_O), &TCaseCommands::Open);
    save_ = make(QStringLiteral("Save Case"), QKeySequence(Qt::CTRL | Qt::Key_S), &TCaseCommands::Save);
    saveAs_ = make(QStringLiteral("Save Case As\u2026"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                   &TCaseCommands::SaveAs);
    measured_ = make(QStringLiteral("Open Measured Load\u2026"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
                     &TCaseCommands::OpenMeasured);
    exportTouchstone_ = make(QStringLiteral("Export Touchstone\u2026"), QKeySequence(), &TCaseCommands::ExportTouchstone);
}

void TCaseCommands::ExportTouchstone()
{
    if (form_.InputPending()) form_.bEvaluateClick();
    const TCaseState& state = form_.Document()->State();
    if (!state.c.measured) {
        form_.ReportError(QStringLiteral("The case has no measured load to export: open one with Open Measured Load\u2026"));
        return;
    }
    const QString name = QFileInfo(Q(state.c.measured->file)).completeBaseName() + QStringLiteral(" at the load.s1p");
    QString path = form_.ResultActions()->AskPath(QStringLiteral("Export Touchstone"), name,
                                                  QStringLiteral("Touchstone 1-port (*.s1p)"), nullptr);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".s1p");
    const std::string text = merivane::touchstone::WriteTouchstone1(
        present::ModelLoadNetwork(*state.c.measured, state.c.line, state.c.guide));
    QString reason;
    if (!merivane::SaveWholeFile(path, QByteArray::fromStdString(text), &reason))
        form_.ReportError(QStringLiteral("Unable to write to %1: %2").arg(path, reason));
}

void TCaseCommands::OpenMeasured()
{
    const QString path = form_.ResultActions()->AskOpenPath(
        QStringLiteral("Open Measured Load"),
        QStringLiteral("Touchstone files (*.s1p *.s2p *.s3p *.s4p *.S1P *.S2P *.S3P *.S4P *.ts);;All files (*)"));
    if (!path.isEmpty()) OpenMeasuredFile(path);
}

bool TCaseCommands::OpenMeasuredFile(const QString& path, int port)
{
    if (form_.InputPending()) form_.bEvaluateClick();
    const merivane::touchstone::TReadResult read = merivane::touchstone::ReadTouchstoneFile(path.toStdString());
    if (!read.ok()) {
        form_.ReportError(QStringLiteral("Unable to open the measured load: %1").arg(Q(read.error)));
        return false;
    }
    if (port == 0) port = read.network->ports == 1 ? 1 : form_.Prompter()->ChoosePort(&form_, path, read.network->ports);
    if (port == 0) return false;  // the question was cancelled
    TCaseState state = form_.Document()->State();
    merivane::TMeasuredLoad load;
    std::string error;
    if (!present::LoadFromNetwork(*read.network, port, QFileInfo(path).fileName().toStdString(), load, error)) {
        form_.ReportError(QStringLiteral("Unable to open the measured load: %1").arg(Q(error)));
        return false;
    }
    state.c.measured = std::move(load);
    form_.Document()->RecordWith(state, QStringLiteral("Open Measured Load"), {});
    return true;
}

std::string TCaseCommands::CaseName() const
{
    if (!fileName_.empty() || path_.isEmpty()) return fileName_;
    return QFileInfo(path_).completeBaseName().toStdString();
}

void TCaseCommands::Open()
{
    const QString path = form_.ResultActions()->AskOpenPath(
        QStringLiteral("Open Case"), kCaseFilter + QStringLiteral(";;JSON export (*.json);;All files (*)"));
    if (!path.isEmpty()) OpenFile(path);
}

bool TCaseCommands::OpenFile(const QString& path)
{
    // what was typed and not yet taken is a change of its own, before the open
    if (form_.InputPending()) form_.bEvaluateClick();
    QFile file(path);
    const QFileInfo info(path);
    QString why;
    if (!info.exists())
        why = QStringLiteral("there is no such file");
    else if (!info.isFile())
        why = QStringLiteral("it is not a file");
    else if (!file.open(QIODevice::ReadOnly))
        why = file.errorString();
    if (!why.isEmpty()) {
        form_.ReportError(QStringLiteral("Unable to open the case %1: %2").arg(path, why));
        return false;
    }
    const QByteArray bytes = file.read(present::kMaxCaseFileBytes + 1);
    if (bytes.size() > present::kMaxCaseFileBytes) {
        form_.ReportError(QStringLiteral("Unable to open the case %1: larger than a case file can be").arg(path));
        return false;
    }
    const present::TCaseReadResult read = present::ReadCaseFile(bytes.toStdString());
    if (!read.ok) {
        form_.ReportError(QStringLiteral("Unable to open the case %1: %2").arg(path, Q(read.error)));
        return false;
    }
    // The document holds the case without its name, as the window's state
    // has it: the name belongs to the file.
    TCaseState state;
    state.c = read.c;
    state.c.name.clear();
    // Undoing the Open gives back the file the window had before, with its
    // case, so that a Save then does not write the earlier case over this file.
    const QPointer<TCaseCommands> self(this);
    const TFileOf before{path_, fileName_}, after{path, read.c.name};
    // the window shows the case as an undo would, with its results
    form_.Document()->RecordWith(state, QStringLiteral("Open Case"), [self, before, after](bool undo) {
        if (self) self->SetFile(undo ? before : after);
    });
    SetFile(after);
    form_.Document()->Stack()->setClean();
    if (used_) used_(path);
    if (!read.warning.empty())
        form_.ReportWarning(QStringLiteral("The case %1 was opened, with remarks:\n%2").arg(path, Q(read.warning)));
    return true;
}

void TCaseCommands::SetFile(const TFileOf& f)
{
    path_ = f.path;
    fileName_ = f.name;
}

bool TCaseCommands::Save() { return path_.isEmpty() ? SaveAs() : SaveTo(path_); }

bool TCaseCommands::SaveAs()
{
    const std::string name = CaseName();
    const QString suggested = (name.empty() ? QStringLiteral("Case") : Q(name)) + QStringLiteral(".merivane");
    QString path = form_.ResultActions()->AskPath(QStringLiteral("Save Case"), suggested, kCaseFilter, nullptr);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".merivane");
    return SaveTo(path);
}

bool TCaseCommands::SaveTo(const QString& path)
{
    // the case as the window shows it: a typed entry is taken first
    if (form_.InputPending()) form_.bEvaluateClick();
    present::TCase c = form_.WindowState().c;
    // a name the file gave stays; otherwise the file's name is the case's
    c.name = fileName_;
    QString reason;
    if (!present::SaveCaseFile(path, c, &reason)) {
        form_.ReportError(QStringLiteral("Unable to save the case to %1: %2").arg(path, reason));
        return false;
    }
    path_ = path;
    form_.Document()->Stack()->setClean();
    if (used_) used_(path);
    return true;
}

// Start-up, closing and help of the main window.
#include "Environment.h"
#include "IniFile.h"
#include "Prompter.h"
#include "TForm1.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kHelpTopic = 786;
}

void TForm1::FormCreate()
{
    ExeDir = merivane::env::GetExeDir();  // the help document is looked up beside the executable
    merivane::env::ForceUserDataDir(QStringLiteral("Halvik/Merivane"));
    const QRect pc = ui.pcResults->geometry();
    setFixedSize(pc.x() + pc.width() + 4, pc.y() + pc.height() + 2);
    AutoIniFile = std::make_unique<merivane::TIniFile>(GetAutoIniFilepath());
    LoadSettings(*AutoIniFile);
    TreatEdDire();
    NaplnFactors();
    ShowPowerMeas();
    // The first window shows the results of the inputs it shows.
    Guarded([this] { bEvaluateClick(); });
    setWindowTitle(QStringLiteral("HALVIK Power Transmission Calculator V ") + merivane::env::GetFileVersionString());
    ui.pcResults->setCurrentIndex(0);
    ui.edAnodeV->setFocus(Qt::OtherFocusReason);
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
    const int x = std::max(work.left(), work.left() + (work.width() - width()) / 2);
    const int y = std::max(work.top(), work.top() + (work.height() - height()) / 2);
    move(x, y);
}

void TForm1::FormClose(QCloseEvent* event)
{
    if (!prompter_->Confirm(this, QStringLiteral("Confirm"), QStringLiteral("Terminate Merivane ?"))) {
        event->ignore();
        return;
    }
    bool saved = !AutoIniFile;
    Guarded([&] {
        if (AutoIniFile) SaveSettings(*AutoIniFile);
        saved = true;
    });
    if (!saved) {  // the error was shown; the window stays, and a later close tries again
        event->ignore();
        return;
    }
    AutoIniFile.reset();
    if (helpBrowser_) helpBrowser_->window()->close();
    event->accept();
}

void TForm1::bHelpClick()
{
    if (!helpBrowser_) {
        auto* win = new QWidget(this, Qt::Window);
        win->setWindowTitle(QStringLiteral("Merivane Help"));
        win->resize(640, 560);
        auto* layout = new QVBoxLayout(win);
        layout->setContentsMargins(0, 0, 0, 0);
        helpBrowser_ = new QTextBrowser(win);
        helpBrowser_->setObjectName(QStringLiteral("HelpBrowser"));
        helpBrowser_->setAccessibleName(QStringLiteral("Help"));
        helpBrowser_->setOpenExternalLinks(true);
        layout->addWidget(helpBrowser_);
    }
    helpFile_ = ExeDir + QStringLiteral("MerivaneHelp.html");
    if (QFileInfo::exists(helpFile_)) {
        QUrl url = QUrl::fromLocalFile(helpFile_);
        url.setFragment(QString::number(kHelpTopic));
        helpBrowser_->setSource(url);
    } else {
        helpBrowser_->setSource(QUrl());
        helpBrowser_->setPlainText(QStringLiteral("Cannot find the help file %1.").arg(helpFile_));
    }
    QWidget* win = helpBrowser_->window();
    win->show();
    win->raise();
    win->activateWindow();
}

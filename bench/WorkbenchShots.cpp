// Pictures of the Workbench for the notes and the README: the main window's
// case in the Workbench, offscreen, in the desktop's palette or a dark one.
//   merivane_shots OUT.png [light|dark] [VIEW] [LOAD.s1p | CASE.merivane]   (QT_SCALE_FACTOR=2 for scale 2)
#include "Environment.h"
#include "CaseCommands.h"
#include "Look.h"
#include "TForm1.h"
#include "Workbench.h"

#include <QApplication>
#include <QDockWidget>
#include <QPalette>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

// A dark palette such as dark desktop themes give.
QPalette DarkPalette()
{
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 32), text(230, 230, 230), button(60, 60, 64);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(61, 142, 201));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    return p;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: merivane_shots OUT.png [light|dark] [VIEW] [LOAD.s1p | CASE.merivane]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    merivane::env::ForceUserDataDir();
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));  // the desktop's, as a desktop session sets it
    if (argc > 2 && std::strcmp(argv[2], "dark") == 0) SetDesktopPalette(DarkPalette());
    TForm1 w;
    InstallWorkbench(w);
    w.FormCreate();
    w.show();
    // a measured load for the views that show one, or a whole case
    if (argc > 4) {
        const QString file = QString::fromLocal8Bit(argv[4]);
        const bool isCase = file.endsWith(QStringLiteral(".merivane"), Qt::CaseInsensitive);
        if (!(isCase ? w.CaseCommands()->OpenFile(file) : w.CaseCommands()->OpenMeasuredFile(file))) return 1;
    }
    w.OpenWorkbench(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("Line Sweep"));
    TWorkbench* wb = WorkbenchOf(w);
    wb->resize(1200, 760);
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    return wb->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}

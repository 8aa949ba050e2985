// SPDX-License-Identifier: GPL-3.0-or-later
#include "Environment.h"
#include "TForm1.h"
#include "Workbench.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QIcon>

#include <string_view>

namespace {

const char* const kDescription =
    "The Merivane window: the power a magnetron delivers into a load, the mismatch\n"
    "and interference factors, what measuring couplers of finite directivity read,\n"
    "and the power over the length of the line. The results can be copied,\n"
    "exported as CSV or JSON and written as a one-page PDF report.\n"
    "\n"
    "The inputs, choices and window position are kept in\n"
    "~/Halvik/Merivane/Merivane.ini, the Line Sweep page's in MerivaneSweep.ini\n"
    "beside it. The user guide, MerivaneHelp.html, lies beside the program and\n"
    "opens with Help (Alt+H) or F1. merivane-calc computes the same case without\n"
    "a window.\n"
    "\n"
    "FILE, a case file saved with Save Case (Ctrl+S), is opened at the start,\n"
    "over the inputs the settings file gave.\n"
    "\n"
    "Qt's own options, such as -platform offscreen, are taken as well.\n"
    "\n"
    "Exit status: 0 when the window is closed.";

// Whether the command line asks for the help or the version: they are
// answered on the terminal, without a window and without a display.
bool AsksForText(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "-h" || a == "--help" || a == "--help-all" || a == "-v" || a == "--version") return true;
    }
    return false;
}

int AnswerText(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("merivane"));
    QCoreApplication::setApplicationVersion(merivane::env::GetFileVersionString());
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A case file (*.merivane), as the desktop passes it."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);  // prints the text asked for and ends the program
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (AsksForText(argc, argv)) return AnswerText(argc, argv);
    merivane::env::ForceUserDataDir();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Merivane"));
    QApplication::setApplicationVersion(merivane::env::GetFileVersionString());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/merivane.svg")));
    TForm1 window;
    InstallWorkbench(window);
    StartWindow(window, QApplication::arguments());
    return QApplication::exec();
}

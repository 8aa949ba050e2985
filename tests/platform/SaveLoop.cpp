// Helper of the interrupted-save test: saves the settings file again and again,
// each time as the next version, until it is killed.
// Usage: settings_save_loop PATH
#include "IniFile.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString sec = QStringLiteral("Merivane");
    int version = 0;
    {
        merivane::TIniFile old(path);
        version = old.ReadInteger(sec, QStringLiteral("Version"), 0);
    }
    // the test waits for this line, so that a slow start-up (under a
    // sanitizer, on a busy machine) does not eat the time it allows
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (;;) {
        ++version;
        merivane::TIniFile ini(path);
        for (const QString& s : ini.ReadSections()) ini.EraseSection(s);
        ini.WriteInteger(sec, QStringLiteral("Version"), version);
        // enough text that a write takes a while
        for (int k = 0; k < 200; ++k)
            ini.WriteString(sec, QStringLiteral("Key%1").arg(k), QString(100, QChar(u'a' + (version + k) % 26)));
        ini.WriteInteger(sec, QStringLiteral("End"), version);
        ini.UpdateFile();
    }
}

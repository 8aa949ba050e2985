// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbenchSettings.h"

#include "Environment.h"
#include "IniFile.h"

#include <QFileInfo>

namespace {

const QString kRecent = QStringLiteral("Recent");
const QString kLayout = QStringLiteral("Layout");

QString Key(int i) { return QStringLiteral("File%1").arg(i + 1); }

QStringList ReadList(merivane::TIniFile& ini)
{
    QStringList list;
    for (int i = 0; i < kRecentCases; ++i) {
        const QString path = ini.ReadString(kRecent, Key(i), QString());
        if (!path.isEmpty() && !list.contains(path)) list << path;
    }
    return list;
}

bool Save(merivane::TIniFile& ini, QString* reason)
{
    try {
        ini.UpdateFile();  // the whole file or nothing
        return true;
    } catch (const merivane::EWriteError& e) {
        if (reason) *reason = e.Reason();
        return false;
    }
}

}  // namespace

QString WorkbenchSettingsPath() { return merivane::env::UserDataDir + QStringLiteral("MerivaneWorkbench.ini"); }

QStringList ReadRecentCases()
{
    merivane::TIniFile ini(WorkbenchSettingsPath());
    QStringList list = ReadList(ini);
    list.removeIf([](const QString& p) { return !QFileInfo(p).isFile(); });
    return list;
}

bool NoteRecentCase(const QString& path, QString* reason)
{
    merivane::TIniFile ini(WorkbenchSettingsPath());
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList list = ReadList(ini);
    list.removeAll(full);
    list.prepend(full);
    while (list.size() > kRecentCases) list.removeLast();
    ini.EraseSection(kRecent);
    for (int i = 0; i < list.size(); ++i) ini.WriteString(kRecent, Key(i), list[i]);
    return Save(ini, reason);
}

TWorkbenchLayout ReadWorkbenchLayout()
{
    merivane::TIniFile ini(WorkbenchSettingsPath());
    TWorkbenchLayout l;
    l.geometry = QByteArray::fromBase64(ini.ReadString(kLayout, QStringLiteral("Geometry"), QString()).toLatin1());
    l.state = QByteArray::fromBase64(ini.ReadString(kLayout, QStringLiteral("Docks"), QString()).toLatin1());
    return l;
}

bool WriteWorkbenchLayout(const TWorkbenchLayout& layout, QString* reason)
{
    merivane::TIniFile ini(WorkbenchSettingsPath());
    ini.WriteString(kLayout, QStringLiteral("Geometry"), QString::fromLatin1(layout.geometry.toBase64()));
    ini.WriteString(kLayout, QStringLiteral("Docks"), QString::fromLatin1(layout.state.toBase64()));
    return Save(ini, reason);
}

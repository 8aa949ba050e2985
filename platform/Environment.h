// The program's environment: the per-user data folder, the executable's
// folder and the version string.
#pragma once

#include <QString>

namespace merivane::env {

// The per-user data folder, ending in "/" when not empty; empty when the home
// folder cannot be determined.
extern QString UserDataDir;

// The user's home folder; false when it cannot be determined.
bool GetSpecialFolderPath(QString& path);
// UserDataDir := home folder + "/" + subPath, created with its missing parents.
void ForceUserDataDir(const QString& subPath = QString());
// The running executable's folder, ending in "/".
QString GetExeDir();
// The version set at build time, used whole ("2.0.5.1").
QString GetFileVersionString();

}  // namespace merivane::env

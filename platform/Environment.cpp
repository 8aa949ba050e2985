#include "Environment.h"

#include <QCoreApplication>
#include <QDir>

#include <filesystem>
#include <system_error>

#ifndef MERIVANE_VERSION
#define MERIVANE_VERSION ""
#endif

namespace merivane::env {

namespace {
// The longest folder path the program creates, its closing separator included,
// is one character shorter than this.
constexpr qsizetype kMaxFolderPath = 248;
}  // namespace

QString UserDataDir;

bool GetSpecialFolderPath(QString& path)
{
    path = QDir::homePath();
    if (path.isEmpty() || !QDir(path).exists()) {
        path.clear();
        return false;
    }
    return true;
}

void ForceUserDataDir(const QString& subPath)
{
    UserDataDir.clear();
    QString home;
    if (GetSpecialFolderPath(home)) {
        UserDataDir = subPath.isEmpty() ? home : home + QLatin1Char('/') + subPath;
        std::error_code ec;
        const std::filesystem::path dir(UserDataDir.toStdString());
        if (!std::filesystem::is_directory(dir, ec)) {
            // A path that is rejected outright (too long, counting its closing
            // separator, or refused by the system) puts the data in the home
            // folder itself; any other failure (no rights) keeps the path, and
            // the save reports it.
            if (UserDataDir.size() + 1 >= kMaxFolderPath) {
                UserDataDir = home;
            } else {
                std::filesystem::create_directories(dir, ec);
                if (ec == std::errc::filename_too_long || ec == std::errc::invalid_argument ||
                    ec == std::errc::illegal_byte_sequence)
                    UserDataDir = home;
            }
        }
    }
    if (!UserDataDir.isEmpty() && !UserDataDir.endsWith(QLatin1Char('/'))) UserDataDir += QLatin1Char('/');
}

QString GetExeDir()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}

QString GetFileVersionString() { return QStringLiteral(MERIVANE_VERSION); }

}  // namespace merivane::env

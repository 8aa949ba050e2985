// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeSave.h"

#include <QFile>
#include <QSaveFile>

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace merivane {

namespace {

QByteArray Local(const QString& path) { return QFile::encodeName(path); }

// The path as the system resolves it, every link and ".." followed in turn;
// empty when some part of it does not exist or the links run in a loop.
QString Physical(const QString& path)
{
    char resolved[PATH_MAX];
    if (!::realpath(Local(path).constData(), resolved)) return QString();
    return QFile::decodeName(resolved);
}

// The folder part of a path, as written (no ".." is taken away by text: after
// a link, only the system knows where ".." leads).
QString FolderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

}  // namespace

QString SaveTarget(const QString& path)
{
    struct stat st {};
    if (::stat(Local(path).constData(), &st) == 0) {
        // it exists, perhaps through links: write where they end, as a file
        return S_ISREG(st.st_mode) ? Physical(path) : QString();
    }
    // Nothing there yet, or a link to what is not there yet: follow the links
    // one by one, each relative one from the folder it stands in.
    QString target = path;
    for (int hops = 0; ::lstat(Local(target).constData(), &st) == 0 && S_ISLNK(st.st_mode); ++hops) {
        if (hops == 40) return QString();  // a loop of links
        char to[PATH_MAX];
        const ssize_t n = ::readlink(Local(target).constData(), to, sizeof to - 1);
        if (n <= 0) return QString();
        const QString next = QFile::decodeName(QByteArray(to, static_cast<qsizetype>(n)));
        target = next.startsWith(QLatin1Char('/')) ? next : FolderOf(target) + QLatin1Char('/') + next;
    }
    // the new file goes into the folder the system finds
    const QString folder = Physical(FolderOf(target));
    if (folder.isEmpty()) return QString();
    const QString name = target.mid(target.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return QString();
    return folder + QLatin1Char('/') + name;
}

bool SaveWholeFile(const QString& path, const QByteArray& bytes, QString* reason)
{
    const auto fail = [reason](const QString& why) {
        if (reason) *reason = why;
        return false;
    };
    const QString target = SaveTarget(path);
    if (target.isEmpty()) return fail(QStringLiteral("Not a regular file"));
    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly)) return fail(f.errorString());
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return fail(why);
    }
    if (!f.commit()) return fail(f.errorString());
    return true;
}

}  // namespace merivane

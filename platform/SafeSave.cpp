// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeSave.h"

#include <QFileInfo>
#include <QSaveFile>

namespace merivane {

QString SaveTarget(const QString& path)
{
    QString target = path;
    for (int hops = 0; QFileInfo(target).isSymLink(); ++hops) {
        if (hops == 40) return QString();  // a loop of links
        target = QFileInfo(target).symLinkTarget();
        if (target.isEmpty()) return QString();
    }
    const QFileInfo fi(target);
    if (fi.exists() && !fi.isFile()) return QString();
    return target;
}

bool SaveWholeFile(const QString& path, const QByteArray& bytes)
{
    const QString target = SaveTarget(path);
    if (target.isEmpty()) return false;
    QSaveFile f(target);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

}  // namespace merivane

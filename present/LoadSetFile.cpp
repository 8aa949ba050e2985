// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadSetFile.h"

#include "LoadSetCsv.h"
#include "MeasuredFile.h"

#include <QFile>
#include <QFileInfo>

namespace merivane::present {

bool ReadLoadSetFile(const std::string& path, std::vector<TSetLoad>& loads, std::string& error)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString().toStdString();
        return false;
    }
    const QByteArray bytes = file.read(kMaxLoadSetBytes + 1);
    if (bytes.size() > kMaxLoadSetBytes) {
        error = "larger than a load set can be";
        return false;
    }
    std::vector<TLoadSetRow> rows;
    if (!ParseLoadSetCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), rows, error))
        return false;
    const QString folder = QFileInfo(file).absolutePath();
    std::vector<TSetLoad> read;
    for (const TLoadSetRow& row : rows) {
        TSetLoad load{row.name, row.refl, std::nullopt};
        if (!row.file.empty()) {
            const QString named = QString::fromStdString(row.file);
            const QString at = QFileInfo(named).isAbsolute() ? named : folder + QLatin1Char('/') + named;
            TMeasuredLoad measured;
            if (!ReadMeasuredLoad(at.toStdString(), row.port, measured, error)) {
                error = "line " + std::to_string(row.line) + ": " + error;
                return false;
            }
            load.measured = std::move(measured);
        }
        read.push_back(std::move(load));
    }
    loads = std::move(read);
    return true;
}

}  // namespace merivane::present

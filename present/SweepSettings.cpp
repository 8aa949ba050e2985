// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepSettings.h"

#include <cmath>

#include "IniFile.h"
#include "NumberText.h"
#include "SweepFields.h"

using merivane::TIniFile;
using merivane::TSweepInputs;

namespace {

const QString kSection = QString::fromUtf8(kSweepSection);

}  // namespace

TSweepInputs ReadSweepSettings(TIniFile& ini)
{
    TSweepInputs in;
    const QString line = ini.ReadString(kSection, QString::fromLatin1(kLineKey), QString());
    for (const merivane::TLineTypeSpec& t : merivane::LineTypes())
        if (line == QString::fromUtf8(t.name)) in.Line = t.type;
    for (const TSweepFieldSpec& s : SweepFields()) {
        const QString text = ini.ReadString(kSection, QString::fromLatin1(s.key), QString());
        // a number beyond the double range is no setting: the default stays
        merivane::TSweepInputs read = in;
        if (!std::isinf(ReadSweepField(read, s.field, text.toStdString()).number)) in = read;
    }
    return in;
}

void WriteSweepSettings(TIniFile& ini, const TSweepInputs& in)
{
    for (const QString& section : ini.ReadSections()) ini.EraseSection(section);
    ini.WriteString(kSection, QString::fromLatin1(kLineKey), QString::fromUtf8(merivane::LineTypeSpec(in.Line).name));
    for (const TSweepFieldSpec& s : SweepFields())
        ini.WriteString(kSection, QString::fromLatin1(s.key), QString::fromStdString(SweepFieldText(in, s.field)));
    ini.UpdateFile();
}

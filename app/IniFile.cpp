#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "IniFile.h"

#include "NumberText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <utility>

namespace merivane {

namespace {

constexpr int kMaxText = 2047;
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;  // a settings file is a few hundred bytes

// Section and key names go byte for byte (Latin-1 both ways), so that a name
// read from the file, whatever its bytes, names the same section again.
std::string Key(const QString& s) { return s.toLatin1().toStdString(); }

}  // namespace

struct TIniFile::Doc {
    CSimpleIniA ini{true, false, false};  // UTF-8, one value per key, no multi-line values
};

bool IniTextToInt(const QString& text, int& value)
{
    std::string s = text.toStdString();
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
    return TextToInt(s, value);
}

TIniFile::TIniFile(QString path) : doc_(std::make_unique<Doc>()), path_(std::move(path))
{
    doc_->ini.SetSpaces(false);
}

TIniFile::~TIniFile() = default;

void TIniFile::EnsureLoaded()
{
    if (loaded_) return;
    loaded_ = true;
    // Only a regular file is read (a pipe or a device in its place could block
    // or never end), and at most its first 64 MB.
    if (!QFileInfo(path_).isFile()) return;
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return;
    QByteArray data = f.read(std::min(f.size(), kMaxFileBytes));
    // A NUL byte would end the text early: treat it as a line break so that
    // the keys after it still count.
    data.replace('\0', '\n');
    doc_->ini.LoadData(data.constData(), static_cast<size_t>(data.size()));
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def)
{
    EnsureLoaded();
    const char* v = doc_->ini.GetValue(Key(section).c_str(), Key(key).c_str(), nullptr);
    if (!v) return def;
    return QString::fromUtf8(v).left(kMaxText);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def)
{
    int v = 0;
    return IniTextToInt(ReadString(section, key, QString()), v) ? v : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def)
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QStringList TIniFile::ReadSections()
{
    EnsureLoaded();
    CSimpleIniA::TNamesDepend names;
    doc_->ini.GetAllSections(names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList out;
    for (const auto& n : names) out << QString::fromLatin1(n.pItem);
    return out;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    EnsureLoaded();
    QString clean = value;
    clean.remove(QLatin1Char('\r'));
    clean.remove(QLatin1Char('\n'));
    clean.replace(QChar(0), QLatin1Char(' '));
    if (doc_->ini.SetValue(Key(section).c_str(), Key(key).c_str(), clean.toStdString().c_str()) < 0)
        throw EWriteError(path_);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::EraseSection(const QString& section)
{
    EnsureLoaded();
    doc_->ini.Delete(Key(section).c_str(), nullptr);
}

std::string TIniFile::Text()
{
    EnsureLoaded();
    std::string out;
    if (doc_->ini.Save(out, false) < 0) throw EWriteError(path_);
    return out;
}

void TIniFile::UpdateFile()
{
    const std::string text = Text();
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly)) throw EWriteError(path_);
    const qint64 size = static_cast<qint64>(text.size());
    if (f.write(text.data(), size) != size || !f.flush()) {
        f.cancelWriting();
        throw EWriteError(path_);
    }
    if (!f.commit()) throw EWriteError(path_);
}

}  // namespace merivane

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include "IniFile.h"

#include "SafeSave.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdint>
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

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hexadecimal digits only, at most a 32-bit pattern, taken as two's complement.
bool HexToInt(const std::string& s, std::size_t from, int& value)
{
    if (from >= s.size()) return false;
    std::uint64_t acc = 0;
    for (std::size_t i = from; i < s.size(); ++i) {
        const int d = HexValue(s[i]);
        if (d < 0) return false;
        acc = acc * 16 + static_cast<unsigned>(d);
        if (acc > 0xFFFFFFFFull) return false;
    }
    value = static_cast<int>(static_cast<std::uint32_t>(acc));
    return true;
}

// An optional sign and decimal digits that fit 32 bits.
bool DecimalToInt(const std::string& s, int& value)
{
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) ++i;
    if (i >= s.size()) return false;
    std::uint64_t acc = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        acc = acc * 10 + static_cast<unsigned>(s[i] - '0');
        if (acc > 2147483648ull) return false;
    }
    if (!negative && acc > 2147483647ull) return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(acc)) : static_cast<int>(acc);
    return true;
}

}  // namespace

bool IniTextToInt(const QString& text, int& value)
{
    const std::string s = text.toStdString();
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) return HexToInt(s, 2, value);
    if (!s.empty() && s[0] == '$') return HexToInt(s, 1, value);
    return DecimalToInt(s, value);
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
    QString reason;
    if (!SaveWholeFile(path_, QByteArray(text.data(), static_cast<qsizetype>(text.size())), &reason))
        throw EWriteError(path_, reason);
}

}  // namespace merivane

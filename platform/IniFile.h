// The settings file: an INI document held in memory and written back whole,
// atomically, by UpdateFile.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

namespace merivane {

class EWriteError : public std::runtime_error {
public:
    explicit EWriteError(const QString& path, QString reason = QString())
        : std::runtime_error(("Unable to write to " + path).toStdString()), reason_(std::move(reason))
    {
    }
    // The system's reason, when it gave one.
    const QString& Reason() const { return reason_; }

private:
    QString reason_;
};

// Integers as the settings file stores them: hexadecimal after a leading "0x"
// or "0X" (with more text after it) or a leading "$", otherwise decimal with an
// optional sign. No sign goes before a hexadecimal prefix. False when the text
// is not such a number.
bool IniTextToInt(const QString& text, int& value);

class TIniFile {
public:
    // Creating the object touches no file; the first read loads it.
    explicit TIniFile(QString path);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    // Text values are cut after 2047 characters.
    QString ReadString(const QString& section, const QString& key, const QString& def);
    int ReadInteger(const QString& section, const QString& key, int def);
    bool ReadBool(const QString& section, const QString& key, bool def);
    QStringList ReadSections();

    // Line breaks are removed from text values, so no value can break the file.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void EraseSection(const QString& section);

    // The document as it would be written.
    std::string Text();
    // Writes the whole document: the file on disk is either the old or the
    // new one. Throws EWriteError.
    void UpdateFile();

private:
    void EnsureLoaded();

    struct Doc;
    std::unique_ptr<Doc> doc_;
    QString path_;
    bool loaded_ = false;
};

}  // namespace merivane

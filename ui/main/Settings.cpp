// Saving and restoring the window's control states: one table of the 26 keys,
// in file order, that both the save and the load go through.
#include "EntryReader.h"
#include "Environment.h"
#include "IniFile.h"
#include "NumberText.h"
#include "TForm1.h"
#include "UpDown.h"
#include "ui_TForm1.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <array>

using merivane::TIniFile;
namespace present = merivane::present;

namespace {

const QString kSection = QStringLiteral("Merivane");
const QString kFileName = QStringLiteral("Merivane.ini");

enum class Kind { Text, Top, Left, Spinner, List, Radio, Check };

// One key of the file. Every key but Top and Left names its control.
struct TKey {
    const char* name;
    Kind kind;
    int loadRank;  // the order of loading: the load step, then the order within it
    int intDefault;  // a list's index; for a radio button, -1: its state when read; a spinner's is its layout position
};

// An input's key: its settings key in the input table.
const char* InputKey(present::Input id) { return present::InputRow(id).settingsKey; }

// The file order; the load order is loadRank's.
const std::array<TKey, 26> kKeys{{
    {InputKey(present::Input::AnodeV), Kind::Text, 30, 0},
    {InputKey(present::Input::AnodeI), Kind::Text, 31, 0},
    {InputKey(present::Input::SrcMag), Kind::Text, 32, 0},
    {InputKey(present::Input::LoaMag), Kind::Text, 33, 0},
    {"Top", Kind::Top, 10, 0},
    {"Left", Kind::Left, 20, 0},
    {InputKey(present::Input::Effic), Kind::Spinner, 50, 0},
    {InputKey(present::Input::SrcPha), Kind::Spinner, 51, 0},
    {InputKey(present::Input::Dire), Kind::Spinner, 53, 0},
    {InputKey(present::Input::LoaPha), Kind::Spinner, 52, 0},
    {"cbSrcRfl", Kind::List, 40, 0},
    {"cbSrcMism", Kind::List, 41, 0},
    {"cbLoaRfl", Kind::List, 42, 0},
    {"cbLoaMism", Kind::List, 43, 0},
    {"cbMeaRfl", Kind::List, 44, 0},
    {"rbWatt", Kind::Radio, 70, 1},
    {"rbDbm", Kind::Radio, 71, 0},
    {"rbDbW", Kind::Radio, 72, 0},
    {"rbDbkW", Kind::Radio, 73, 0},
    {"rbMagTr", Kind::Radio, 74, 1},
    {"rbPercTr", Kind::Radio, 75, 0},
    {"rbDbTr", Kind::Radio, 76, 0},
    {"rbPower", Kind::Radio, 77, -1},
    {"rbPerc", Kind::Radio, 78, -1},
    {"rbDb", Kind::Radio, 79, -1},
    {"chIdeal", Kind::Check, 80, 1},
}};

// Applies a radio button's state as a change by the program: selecting runs
// its handler through the toggled signal, deselecting runs nothing.
void ApplyRadio(QRadioButton* rb, bool state)
{
    if (rb->isChecked() == state) return;
    if (state) {
        rb->setChecked(true);
    } else {
        // an exclusive button cannot be cleared while it is the checked one
        rb->setAutoExclusive(false);
        rb->setChecked(false);
        rb->setAutoExclusive(true);
    }
}

QSize PrimaryScreenSize()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().size() : QSize(1024, 768);
}

QString Name(const TKey& k) { return QString::fromLatin1(k.name); }

}  // namespace

QString TForm1::GetAutoIniFilepath() const { return merivane::env::UserDataDir + kFileName; }

void TForm1::LoadSettings(TIniFile& ini)
{
    std::array<const TKey*, std::tuple_size_v<decltype(kKeys)>> order{};
    std::transform(kKeys.begin(), kKeys.end(), order.begin(), [](const TKey& k) { return &k; });
    std::sort(order.begin(), order.end(), [](const TKey* a, const TKey* b) { return a->loadRank < b->loadRank; });

    const QSize screen = PrimaryScreenSize();
    bool fieldsWritten = false;
    for (const TKey* k : order) {
        // step 6, between the spinner positions and the radio buttons: each
        // spinner's position goes into its field
        if (k->loadRank >= 60 && !fieldsWritten) {
            for (const TSpinnerSpec& s : controls_.spinners)
                s.field->setText(QString::fromStdString(merivane::FormatReal3(s.spinner->Current())));
            fieldsWritten = true;
        }
        const QString key = Name(*k);
        switch (k->kind) {
        case Kind::Top:
            move(x(), merivane::ClampInt(0, ini.ReadInteger(kSection, key, y()), screen.height() - 10));
            break;
        case Kind::Left:
            move(merivane::ClampInt(0, ini.ReadInteger(kSection, key, x()), screen.width() - 10), y());
            break;
        case Kind::Text: {
            // the field's own reader checks the text: a number beyond the
            // double range gives the default; the first cycle reads the rest
            const present::TInputRow& inputRow = *present::InputRowByObject(k->name);
            const QString def = QString::fromStdString(present::EntryText(inputRow, present::ToStored(inputRow, inputRow.def)));
            const QString text = ini.ReadString(kSection, key, def);
            const present::TReading r = present::ReadEntry(inputRow, text.toStdString(), inputRow.def);
            findChild<QLineEdit*>(key)->setText(std::isinf(r.number) ? def : text);
            break;
        }
        case Kind::List: {
            // an index outside the list gives the default, never an empty list
            QComboBox* list = findChild<QComboBox*>(key);
            const int index = ini.ReadInteger(kSection, key, k->intDefault);
            list->setCurrentIndex(index >= 0 && index < list->count() ? index : k->intDefault);
            break;
        }
        case Kind::Spinner: {
            // a position is read as its field reads a number: a phase wraps,
            // the others are clamped
            const auto s = std::find_if(controls_.spinners.begin(), controls_.spinners.end(),
                                        [&key](const TSpinnerSpec& sp) { return sp.spinner->objectName() == key; });
            const present::TInputRow& inputRow = *present::InputRowByObject(s->field->objectName().toLatin1().constData());
            const int stored = ini.ReadInteger(kSection, key, s->position);
            const present::TReading r = present::ReadEntry(inputRow, merivane::IntToText(stored), s->position);
            s->spinner->SetPosition(static_cast<int>(std::nearbyint(r.value)));
            break;
        }
        case Kind::Radio: {
            QRadioButton* rb = findChild<QRadioButton*>(key);
            const bool def = k->intDefault < 0 ? rb->isChecked() : k->intDefault != 0;
            ApplyRadio(rb, ini.ReadBool(kSection, key, def));
            break;
        }
        case Kind::Check: {
            const bool ticked = ini.ReadBool(kSection, key, k->intDefault != 0);
            if (ui->chIdeal->isChecked() != ticked) ui->chIdeal->setChecked(ticked);
            break;
        }
        }
    }
}

void TForm1::SaveSettings(TIniFile& ini)
{
    for (const QString& section : ini.ReadSections()) ini.EraseSection(section);
    for (const TKey& k : kKeys) {
        const QString key = Name(k);
        switch (k.kind) {
        case Kind::Top: ini.WriteInteger(kSection, key, y()); break;
        case Kind::Left: ini.WriteInteger(kSection, key, x()); break;
        case Kind::Text: ini.WriteString(kSection, key, findChild<QLineEdit*>(key)->text()); break;
        case Kind::List: ini.WriteInteger(kSection, key, findChild<QComboBox*>(key)->currentIndex()); break;
        case Kind::Spinner: ini.WriteInteger(kSection, key, findChild<TUpDown*>(key)->Position()); break;
        case Kind::Radio: ini.WriteBool(kSection, key, findChild<QRadioButton*>(key)->isChecked()); break;
        case Kind::Check: ini.WriteBool(kSection, key, ui->chIdeal->isChecked()); break;
        }
    }
    ini.UpdateFile();
}

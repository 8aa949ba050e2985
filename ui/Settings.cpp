// Saving and restoring the window's control states: one table of the 26 keys,
// in file order, that both the save and the load go through.
#include "Environment.h"
#include "IniFile.h"
#include "NumberText.h"
#include "TForm1.h"
#include "UpDown.h"
#include "ui_TForm1.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <array>

using merivane::TIniFile;

namespace {

const QString kSection = QStringLiteral("Merivane");
const QString kFileName = QStringLiteral("Merivane.ini");

enum class Kind { Text, Top, Left, Spinner, List, Radio, Check };

// One key of the file. Every key but Top and Left names its control.
struct TKey {
    const char* name;
    Kind kind;
    int loadRank;  // the order of loading: the load step, then the order within it
    const char* textDefault;
    int intDefault;  // for a radio button, -1: its state when read; a spinner's is its layout position
};

// The file order; the load order is loadRank's.
constexpr std::array<TKey, 26> kKeys{{
    {"edAnodeV", Kind::Text, 30, "4000", 0},
    {"edAnodeI", Kind::Text, 31, "3", 0},
    {"edSrcMag", Kind::Text, 32, "0.2", 0},
    {"edLoaMag", Kind::Text, 33, "0.5", 0},
    {"Top", Kind::Top, 10, nullptr, 0},
    {"Left", Kind::Left, 20, nullptr, 0},
    {"udEff", Kind::Spinner, 50, nullptr, 0},
    {"udSrcPha", Kind::Spinner, 51, nullptr, 0},
    {"udDire", Kind::Spinner, 53, nullptr, 0},
    {"udLoaPha", Kind::Spinner, 52, nullptr, 0},
    {"cbSrcRfl", Kind::List, 40, nullptr, 0},
    {"cbSrcMism", Kind::List, 41, nullptr, 0},
    {"cbLoaRfl", Kind::List, 42, nullptr, 0},
    {"cbLoaMism", Kind::List, 43, nullptr, 0},
    {"cbMeaRfl", Kind::List, 44, nullptr, 0},
    {"rbWatt", Kind::Radio, 70, nullptr, 1},
    {"rbDbm", Kind::Radio, 71, nullptr, 0},
    {"rbDbW", Kind::Radio, 72, nullptr, 0},
    {"rbDbkW", Kind::Radio, 73, nullptr, 0},
    {"rbMagTr", Kind::Radio, 74, nullptr, 1},
    {"rbPercTr", Kind::Radio, 75, nullptr, 0},
    {"rbDbTr", Kind::Radio, 76, nullptr, 0},
    {"rbPower", Kind::Radio, 77, nullptr, -1},
    {"rbPerc", Kind::Radio, 78, nullptr, -1},
    {"rbDb", Kind::Radio, 79, nullptr, -1},
    {"chIdeal", Kind::Check, 80, nullptr, 1},
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
    std::array<const TKey*, kKeys.size()> order{};
    std::transform(kKeys.begin(), kKeys.end(), order.begin(), [](const TKey& k) { return &k; });
    std::sort(order.begin(), order.end(), [](const TKey* a, const TKey* b) { return a->loadRank < b->loadRank; });

    const QSize screen = PrimaryScreenSize();
    bool fieldsWritten = false;
    for (const TKey* k : order) {
        // step 6, between the spinner positions and the radio buttons: each
        // spinner's position goes into its field
        if (k->loadRank >= 60 && !fieldsWritten) {
            for (const TSpinnerSpec& s : controls_.spinners)
                s.field->setText(QString::fromStdString(merivane::FormatReal3(s.spinner->Position())));
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
        case Kind::Text:
            findChild<QLineEdit*>(key)->setText(ini.ReadString(kSection, key, QString::fromLatin1(k->textDefault)));
            break;
        case Kind::List: {
            const int index = ini.ReadInteger(kSection, key, k->intDefault);
            findChild<QComboBox*>(key)->setCurrentIndex(index >= 0 && index <= 2 ? index : -1);
            break;
        }
        case Kind::Spinner: {
            const auto s = std::find_if(controls_.spinners.begin(), controls_.spinners.end(),
                                        [&key](const TSpinnerSpec& sp) { return sp.spinner->objectName() == key; });
            s->spinner->SetPosition(ini.ReadInteger(kSection, key, s->position));
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

// Saving and restoring the window's control states.
#include "Environment.h"
#include "IniFile.h"
#include "NumberText.h"
#include "TForm1.h"
#include "UpDown.h"

#include <QGuiApplication>
#include <QScreen>

using merivane::TIniFile;

namespace {

const QString kSection = QStringLiteral("Merivane");
const QString kFileName = QStringLiteral("Merivane.ini");

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

}  // namespace

QString TForm1::GetAutoIniFilepath() const { return merivane::env::UserDataDir + kFileName; }

void TForm1::LoadSettings(TIniFile& ini)
{
    const QSize screen = PrimaryScreenSize();
    const int top = merivane::ClampInt(0, ini.ReadInteger(kSection, QStringLiteral("Top"), y()), screen.height() - 10);
    move(x(), top);
    const int left = merivane::ClampInt(0, ini.ReadInteger(kSection, QStringLiteral("Left"), x()), screen.width() - 10);
    move(left, y());

    ui.edAnodeV->setText(ini.ReadString(kSection, QStringLiteral("edAnodeV"), QStringLiteral("4000")));
    ui.edAnodeI->setText(ini.ReadString(kSection, QStringLiteral("edAnodeI"), QStringLiteral("3")));
    ui.edSrcMag->setText(ini.ReadString(kSection, QStringLiteral("edSrcMag"), QStringLiteral("0.2")));
    ui.edLoaMag->setText(ini.ReadString(kSection, QStringLiteral("edLoaMag"), QStringLiteral("0.5")));

    for (QComboBox* cb : {ui.cbSrcRfl, ui.cbSrcMism, ui.cbLoaRfl, ui.cbLoaMism, ui.cbMeaRfl}) {
        const int index = ini.ReadInteger(kSection, cb->objectName(), 0);
        cb->setCurrentIndex(index >= 0 && index <= 2 ? index : -1);
    }

    const struct {
        TUpDown* spinner;
        QLineEdit* edit;
        int def;
    } spinners[] = {{ui.udEff, ui.edEffic, 85}, {ui.udSrcPha, ui.edSrcPha, 0}, {ui.udLoaPha, ui.edLoaPha, 90}, {ui.udDire, ui.edDire, 20}};
    for (const auto& s : spinners) s.spinner->SetPosition(ini.ReadInteger(kSection, s.spinner->objectName(), s.def));
    for (const auto& s : spinners) s.edit->setText(QString::fromStdString(merivane::FormatReal3(s.spinner->Position())));

    const struct {
        QRadioButton* rb;
        int def;  // -1: the button's state when read
    } radios[] = {{ui.rbWatt, 1},  {ui.rbDbm, 0},    {ui.rbDbW, 0},  {ui.rbDbkW, 0},  {ui.rbMagTr, 1},
                  {ui.rbPercTr, 0}, {ui.rbDbTr, 0}, {ui.rbPower, -1}, {ui.rbPerc, -1}, {ui.rbDb, -1}};
    for (const auto& r : radios) {
        const bool def = r.def < 0 ? r.rb->isChecked() : r.def != 0;
        ApplyRadio(r.rb, ini.ReadBool(kSection, r.rb->objectName(), def));
    }

    const bool ideal = ini.ReadBool(kSection, QStringLiteral("chIdeal"), true);
    if (ui.chIdeal->isChecked() != ideal) ui.chIdeal->setChecked(ideal);
}

void TForm1::SaveSettings(TIniFile& ini)
{
    for (const QString& section : ini.ReadSections()) ini.EraseSection(section);
    for (QLineEdit* e : {ui.edAnodeV, ui.edAnodeI, ui.edSrcMag, ui.edLoaMag}) ini.WriteString(kSection, e->objectName(), e->text());
    ini.WriteInteger(kSection, QStringLiteral("Top"), y());
    ini.WriteInteger(kSection, QStringLiteral("Left"), x());
    for (TUpDown* u : {ui.udEff, ui.udSrcPha, ui.udDire, ui.udLoaPha}) ini.WriteInteger(kSection, u->objectName(), u->Position());
    for (QComboBox* cb : {ui.cbSrcRfl, ui.cbSrcMism, ui.cbLoaRfl, ui.cbLoaMism, ui.cbMeaRfl})
        ini.WriteInteger(kSection, cb->objectName(), cb->currentIndex());
    for (QRadioButton* rb : {ui.rbWatt, ui.rbDbm, ui.rbDbW, ui.rbDbkW, ui.rbMagTr, ui.rbPercTr, ui.rbDbTr, ui.rbPower, ui.rbPerc, ui.rbDb})
        ini.WriteBool(kSection, rb->objectName(), rb->isChecked());
    ini.WriteBool(kSection, QStringLiteral("chIdeal"), ui.chIdeal->isChecked());
    ini.UpdateFile();
}

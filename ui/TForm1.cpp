#include "TForm1.h"

#include "Accessible.h"
#include "Conversions.h"
#include "HelpWindow.h"
#include "IniFile.h"
#include "NumberText.h"
#include "Prompter.h"
#include "UpDown.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPalette>
#include <QShortcut>
#include <QStyleFactory>
#include <QTabBar>

#include <cmath>
#include <initializer_list>

using merivane::TRefl;
using ext = long double;

namespace {

const QColor kInputColour(255, 255, 0);
const QColor kCellColour(255, 255, 255);

std::string Utf8(const QLineEdit* e) { return e->text().toStdString(); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Fmt(double x, int decimals) { return Q(merivane::FormatReal(x, decimals)); }

void SetBackground(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, c);
        p.setColor(group, QPalette::Base, c);
    }
    w->setPalette(p);
}

QColor ButtonFace() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }

}  // namespace

void InitWindowLook()
{
    static bool done = false;
    if (done) return;
    done = true;
    Q_INIT_RESOURCE(merivane);
    InstallAccessibility();
    for (const char* f : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QString::fromLatin1(f))) QFontDatabase::addApplicationFont(QString::fromLatin1(f));
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) QApplication::setStyle(style);
}

TForm1::TForm1(std::shared_ptr<IPrompter> prompter, QWidget* parent)
    : QWidget(parent), prompter_(prompter ? std::move(prompter) : std::make_shared<TMessageBoxPrompter>())
{
    InitWindowLook();
    ui.setupUi(this);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    // spinner, bound field, minimum, maximum, step, wrap-around, position
    const struct {
        TUpDown* spinner;
        QLineEdit* field;
        int min, max, step;
        bool wrap;
        int position;
    } spinners[] = {{ui.udEff, ui.edEffic, 0, 100, 1, true, 85},
                    {ui.udSrcPha, ui.edSrcPha, -180, 180, 5, true, 0},
                    {ui.udLoaPha, ui.edLoaPha, -180, 180, 5, true, 90},
                    {ui.udDire, ui.edDire, 0, 100, 1, false, 20}};
    for (const auto& s : spinners) {
        s.spinner->SetAssociate(s.field);
        s.spinner->SetRange(s.min, s.max);
        s.spinner->SetIncrement(s.step);
        s.spinner->SetWrap(s.wrap);
        s.spinner->SetPosition(s.position);
    }

    // the lists have no selection until the settings are applied
    for (QComboBox* cb : {ui.cbSrcRfl, ui.cbSrcMism, ui.cbLoaRfl, ui.cbLoaMism, ui.cbMeaRfl}) cb->setCurrentIndex(-1);

    ApplyLook();
    Wire();
    // the layout's client area; start-up trims it to the results
    resize(561, 391);
}

TForm1::~TForm1() = default;

void TForm1::ApplyLook()
{
    QFont regular = QApplication::font();
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) regular.setFamily(QStringLiteral("Tahoma"));
    regular.setPixelSize(11);
    regular.setBold(false);
    QFont bold = regular;
    bold.setBold(true);
    setFont(regular);
    for (QWidget* w : findChildren<QWidget*>()) w->setFont(regular);
    for (QGroupBox* g : {ui.gbMgInput, ui.gbSrcRho, ui.gbMgOutput, ui.gbCpl, ui.GroupBox4, ui.gbPunit}) g->setFont(bold);
    ui.pcResults->setFont(bold);
    ui.pcResults->tabBar()->setFont(bold);

    for (QLineEdit* e : {ui.edAnodeV, ui.edAnodeI, ui.edEffic, ui.edSrcMag, ui.edSrcPha, ui.edLoaMag, ui.edLoaPha, ui.edDire})
        SetBackground(e, kInputColour);
    for (QComboBox* cb : {ui.cbSrcRfl, ui.cbSrcMism, ui.cbLoaRfl, ui.cbLoaMism}) SetBackground(cb, ButtonFace());
    SetBackground(ui.cbMeaRfl, kCellColour);
    for (QFrame* f : findChildren<QFrame*>()) {
        if (f->frameShape() != QFrame::Panel) continue;
        f->setAutoFillBackground(true);
        SetBackground(f, kCellColour);
        for (QLabel* l : f->findChildren<QLabel*>()) {
            l->setText(QString());  // placeholders until the first rendering
            l->setAccessibleName(QString());
        }
    }
    // Screen readers: pages by their tab captions, fields by their captions.
    for (int i = 0; i < ui.pcResults->count(); ++i) ui.pcResults->widget(i)->setAccessibleName(ui.pcResults->tabText(i));
    const std::pair<QLabel*, QWidget*> buddies[] = {{ui.lbAnodeV, ui.edAnodeV}, {ui.lbAnodeI, ui.edAnodeI}, {ui.lbEffic, ui.edEffic},
                                                    {ui.lbSrcMag, ui.edSrcMag}, {ui.lbSrcPha, ui.edSrcPha}, {ui.Label1, ui.edLoaMag},
                                                    {ui.Label3, ui.edLoaPha},   {ui.lbDire1, ui.edDire}};
    for (const auto& [label, field] : buddies) label->setBuddy(field);

    ui.Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui.Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Captions keep their place and grow to their text, so no font clips them.
    for (QLabel* l : findChildren<QLabel*>()) {
        const auto* cell = qobject_cast<const QFrame*>(l->parentWidget());
        if (cell && cell->frameShape() == QFrame::Panel) continue;  // value and unit labels of result cells
        if (l->alignment() & Qt::AlignHCenter) continue;  // column headers
        l->adjustSize();
    }
}

void TForm1::Wire()
{
    // Enter in a field reaches the window's key handler, which presses
    // "Evaluate" once; the fields themselves do nothing with it.
    for (QLineEdit* e : {ui.edAnodeV, ui.edAnodeI, ui.edEffic, ui.edSrcMag, ui.edSrcPha, ui.edLoaMag, ui.edLoaPha, ui.edDire})
        e->installEventFilter(this);
    ui.bEvaluate->setDefault(true);

    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] { Guarded([this] { bHelpClick(); }); });

    // Every handler runs guarded: an error that escapes it is shown, not lost.
    const auto on = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    on(ui.udEff, &TUpDown::clicked, &TForm1::udEffClick);
    on(ui.udSrcPha, &TUpDown::clicked, &TForm1::udSrcPhaClick);
    on(ui.udLoaPha, &TUpDown::clicked, &TForm1::udLoaPhaClick);
    on(ui.udDire, &TUpDown::clicked, &TForm1::udDireClick);
    on(ui.cbSrcRfl, &QComboBox::activated, &TForm1::cbSrcRflChange);
    on(ui.cbLoaRfl, &QComboBox::activated, &TForm1::cbLoaRflChange);
    on(ui.cbSrcMism, &QComboBox::activated, &TForm1::cbSrcMismChange);
    on(ui.cbLoaMism, &QComboBox::activated, &TForm1::cbLoaMismChange);
    on(ui.cbMeaRfl, &QComboBox::activated, &TForm1::cbMeaRflChange);
    on(ui.chIdeal, &QCheckBox::toggled, &TForm1::chIdealClick);
    on(ui.bEvaluate, &QPushButton::clicked, &TForm1::bEvaluateClick);
    on(ui.bHelp, &QPushButton::clicked, &TForm1::bHelpClick);
    connect(ui.Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

    // A radio button's handler runs when it becomes selected, not when cleared.
    const auto onSelected = [this](std::initializer_list<QRadioButton*> group, void (TForm1::*handler)()) {
        for (QRadioButton* rb : group)
            connect(rb, &QRadioButton::toggled, this, [this, handler](bool checked) {
                if (checked) Guarded([this, handler] { (this->*handler)(); });
            });
    };
    onSelected({ui.rbWatt, ui.rbDbm, ui.rbDbW, ui.rbDbkW}, &TForm1::bEvaluateClick);
    onSelected({ui.rbMagTr, ui.rbPercTr, ui.rbDbTr}, &TForm1::rbMagTrClick);
    onSelected({ui.rbPower, ui.rbPerc, ui.rbDb}, &TForm1::rbPowerClick);
}

// ------------------------------------------------------------------ events

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && busy_ == 0) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only a move of the focus to another control counts as leaving the
        // field; a popup, a window switch or a message box does not.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            if (watched == ui.edSrcMag)
                Guarded([this] { edSrcMagExit(); });
            else if (watched == ui.edLoaMag)
                Guarded([this] { edLoaMagExit(); });
            else
                Guarded([this] { edSrcPhaExit(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the default button wherever the focus is, except on
    // another button, which Enter presses itself.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()))
            b->click();
        else
            ui.bEvaluate->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) { FormClose(event); }

void TForm1::Button1Click() { close(); }

void TForm1::ReportError(const QString& message)
{
    QString text = message;
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    prompter_->Error(this, QStringLiteral("Merivane"), text);
}

// ------------------------------------------------------------------ input cycle

void TForm1::bEvaluateClick()
{
    ReadInputs();
    merivane::CalcTransmission(M, ui.chIdeal->isChecked());
    ShowResults();
}

void TForm1::ReadInputs()
{
    M.Va = merivane::ParseInt(Utf8(ui.edAnodeV), M.Va, 0, 100000, true);
    M.Ia = merivane::ParseCurrent(Utf8(ui.edAnodeI), M.Ia, 0, 1000);
    const double percent = merivane::ParseReal(Utf8(ui.edEffic), static_cast<double>(static_cast<ext>(M.Eff) * 100), 0, 100, true);
    M.Eff = static_cast<double>(static_cast<ext>(percent) / 100);
    ReadReflInput(M.SrcRfl, ui.cbSrcRfl, ui.edSrcMag);
    M.SrcRfl.Pha = merivane::ParseReal(Utf8(ui.edSrcPha), M.SrcRfl.Pha, -180, 180, true);
    ReadReflInput(M.LoaRfl, ui.cbLoaRfl, ui.edLoaMag);
    M.LoaRfl.Pha = merivane::ParseReal(Utf8(ui.edLoaPha), M.LoaRfl.Pha, -180, 180, true);
    M.CplDirDb = merivane::ParseReal(Utf8(ui.edDire), M.CplDirDb, 0, 160, true);
    WriteInputs();
}

void TForm1::WriteInputs()
{
    const double percent = static_cast<double>(static_cast<ext>(M.Eff) * 100);
    ui.edAnodeV->setText(Q(merivane::IntToText(M.Va)));
    ui.edAnodeI->setText(Q(merivane::FormatReal3(M.Ia)));
    ui.edEffic->setText(Q(merivane::FormatReal3(percent)));
    SyncSpinner(ui.udEff, percent);
    WriteReflInput(M.SrcRfl, ui.cbSrcRfl, ui.edSrcMag);
    ui.edSrcPha->setText(Q(merivane::FormatReal3(M.SrcRfl.Pha)));
    SyncSpinner(ui.udSrcPha, M.SrcRfl.Pha);
    WriteReflInput(M.LoaRfl, ui.cbLoaRfl, ui.edLoaMag);
    ui.edLoaPha->setText(Q(merivane::FormatReal3(M.LoaRfl.Pha)));
    SyncSpinner(ui.udLoaPha, M.LoaRfl.Pha);
    ui.edDire->setText(Q(merivane::FormatReal3(M.CplDirDb)));
    SyncSpinner(ui.udDire, M.CplDirDb);
}

void TForm1::ReadReflInput(TRefl& r, QComboBox* selector, QLineEdit* edit)
{
    const std::string text = Utf8(edit);
    switch (selector->currentIndex()) {
    case 1:
        r.Rloss = merivane::ParseReal(text, r.Rloss, -160, 0, false);
        r.Mag = r.Rloss <= -160 ? 0.0 : merivane::DbToMag(r.Rloss);
        r.Swr = merivane::MagToSwr(r.Mag);
        break;
    case 2:
        r.Swr = merivane::ParseReal(text, r.Swr, 1, 100000, false);
        // compared as a double, so that the written-back "9999.999" of a full
        // reflection reads back as a full reflection
        r.Mag = r.Swr >= 9999.999 ? 1.0 : merivane::SwrToMag(r.Swr);
        r.Rloss = merivane::MagToDb(r.Mag);
        break;
    default:
        selector->setCurrentIndex(0);
        r.Mag = merivane::ParseReal(text, r.Mag, 0, 1, false);
        r.Rloss = merivane::MagToDb(r.Mag);
        r.Swr = merivane::MagToSwr(r.Mag);
        break;
    }
}

void TForm1::WriteReflInput(const TRefl& r, QComboBox* selector, QLineEdit* edit)
{
    switch (selector->currentIndex()) {
    case 1: edit->setText(Fmt(r.Rloss, 2)); break;
    case 2: edit->setText(Fmt(r.Swr, 3)); break;
    default: edit->setText(Fmt(r.Mag, 3)); break;
    }
}

void TForm1::SyncSpinner(TUpDown* spinner, double value)
{
    const double c = merivane::ClampReal(spinner->Min(), value, spinner->Max());
    const int n = static_cast<int>(std::nearbyint(c));  // ties to even
    const int step = spinner->Increment() > 0 ? spinner->Increment() : 1;
    spinner->SetPosition((n / step) * step);
}

void TForm1::TreatEdDire()
{
    const bool on = !ui.chIdeal->isChecked();
    ui.edDire->setEnabled(on);
    ui.udDire->setEnabled(on);
    SetBackground(ui.edDire, on ? kInputColour : ButtonFace());
}

void TForm1::edSrcPhaExit() { bEvaluateClick(); }

void TForm1::edSrcMagExit()
{
    ReadReflInput(M.SrcRfl, ui.cbSrcRfl, ui.edSrcMag);
    bEvaluateClick();
}

void TForm1::edLoaMagExit()
{
    ReadReflInput(M.LoaRfl, ui.cbLoaRfl, ui.edLoaMag);
    bEvaluateClick();
}

void TForm1::udEffClick()
{
    M.Eff = static_cast<double>(static_cast<ext>(ui.udEff->Position()) / 100);
    ui.edEffic->setText(Q(merivane::FormatReal3(static_cast<double>(static_cast<ext>(M.Eff) * 100))));
    bEvaluateClick();
}

void TForm1::udSrcPhaClick()
{
    M.SrcRfl.Pha = ui.udSrcPha->Position();
    ui.edSrcPha->setText(Q(merivane::FormatReal3(M.SrcRfl.Pha)));
    bEvaluateClick();
}

void TForm1::udLoaPhaClick()
{
    M.LoaRfl.Pha = ui.udLoaPha->Position();
    ui.edLoaPha->setText(Q(merivane::FormatReal3(M.LoaRfl.Pha)));
    bEvaluateClick();
}

void TForm1::udDireClick()
{
    M.CplDirDb = ui.udDire->Position();
    bEvaluateClick();
}

void TForm1::cbSrcRflChange() { WriteReflInput(M.SrcRfl, ui.cbSrcRfl, ui.edSrcMag); }

void TForm1::cbLoaRflChange() { WriteReflInput(M.LoaRfl, ui.cbLoaRfl, ui.edLoaMag); }

void TForm1::chIdealClick()
{
    TreatEdDire();
    merivane::CalcCouplerMeas(M, ui.chIdeal->isChecked());
    ShowPowerMeas();
}

// ------------------------------------------------------------------ rendering

QString TForm1::DbStr(double x)
{
    const double a = std::fabs(x);
    if (!(a < 1e16)) return QStringLiteral("+oo");
    if (!(a > 1e-16)) return QStringLiteral("-oo");
    return Fmt(merivane::RatioToDb(x), 2);
}

QString TForm1::RlossStr(double r)
{
    if (!(r > -160)) return QStringLiteral("-oo");
    if (r >= merivane::kInfinity) return QStringLiteral("+oo");
    return Fmt(r, 2);
}

QString TForm1::SwrStr(double s)
{
    if (s < 9999) return Fmt(s, 3);
    return QStringLiteral("+oo");
}

int TForm1::UnitLeft(const QString& caption)
{
    if (caption == QLatin1String("W")) return 66;
    if (caption == QLatin1String("kW")) return 60;
    if (caption == QLatin1String("dBm")) return 56;
    if (caption == QLatin1String("dBW")) return 54;
    if (caption == QLatin1String("dBkW")) return 50;
    if (caption == QLatin1String("%")) return 68;
    if (caption == QLatin1String("dB")) return 65;
    return -1;
}

void TForm1::SetUnit(QLabel* unit, const QString& caption)
{
    unit->setText(caption);
    const int left = UnitLeft(caption);
    if (left < 0) return;  // an empty caption leaves the label where it is
    const int cellWidth = unit->parentWidget() ? unit->parentWidget()->width() : 82;
    unit->setGeometry(left, unit->y(), cellWidth - left - 2, unit->height());
}

void TForm1::ShowPower(QLabel* value, QLabel* unit, double watts)
{
    if (ui.rbDbW->isChecked()) {
        value->setText(DbStr(watts));
        SetUnit(unit, QStringLiteral("dBW"));
    } else if (ui.rbDbm->isChecked()) {
        value->setText(DbStr(static_cast<double>(static_cast<ext>(watts) * 1000)));
        SetUnit(unit, QStringLiteral("dBm"));
    } else if (ui.rbDbkW->isChecked()) {
        // the infinity sentinel stays infinite: it is not scaled into range
        value->setText(std::fabs(watts) >= 1e16 ? DbStr(watts) : DbStr(static_cast<double>(static_cast<ext>(watts) / 1000)));
        SetUnit(unit, QStringLiteral("dBkW"));
    } else if (!(std::fabs(watts) >= 1000)) {
        value->setText(Fmt(watts, 2));
        SetUnit(unit, QStringLiteral("W"));
    } else {
        value->setText(std::fabs(watts) >= 1e16 ? QStringLiteral("oo")
                                                 : Fmt(static_cast<double>(static_cast<ext>(watts) / 1000), 2));
        SetUnit(unit, QStringLiteral("kW"));
    }
}

void TForm1::ShowFactor(QLabel* value, QLabel* unit, double f)
{
    if (!(std::fabs(f) < 1e16)) {
        value->setText(QStringLiteral("+oo"));
    } else {
        switch (M.SelUnit) {
        case 0: value->setText(Fmt(f, 3)); break;
        case 1: value->setText(Fmt(static_cast<double>(static_cast<ext>(f) * 100), 2)); break;
        case 2: value->setText(DbStr(f)); break;
        default: value->setText(QStringLiteral("Bad unit")); break;
        }
    }
    if (M.SelUnit == 1) unit->move(68, unit->y());
    if (M.SelUnit == 2) unit->move(65, unit->y());
}

void TForm1::ShowMism(const TRefl& r, QComboBox* selector, QLabel* value)
{
    switch (selector->currentIndex()) {
    case 1: value->setText(DbStr(r.Mism)); break;
    case 2: value->setText(Fmt(static_cast<double>(static_cast<ext>(r.Mism) * 100), 2)); break;
    default: value->setText(Fmt(r.Mism, 3)); break;
    }
}

void TForm1::ShowMeaRfl(const TRefl& r, QComboBox* selector, QLabel* value)
{
    switch (selector->currentIndex()) {
    case 1: value->setText(RlossStr(r.Rloss)); break;
    case 2: value->setText(SwrStr(r.Swr)); break;
    default: value->setText(std::fabs(r.Mag) >= merivane::kInfinity ? QStringLiteral("+oo") : Fmt(r.Mag, 3)); break;
    }
}

void TForm1::ShowMeaRflErr(const TRefl& measured, const TRefl& truth, QFrame* cell, QLabel* value, QComboBox* selector)
{
    QColor colour;
    if (selector->currentIndex() == 0) {
        colour = kCellColour;
        if (std::fabs(measured.Mag) >= merivane::kInfinity)
            value->setText(QStringLiteral("+oo"));
        else
            value->setText(Fmt(static_cast<double>((static_cast<ext>(measured.Mag) - truth.Mag) * 100), 2));
    } else {
        colour = ButtonFace();
        value->setText(QString());
    }
    SetBackground(cell, colour);
    value->setAutoFillBackground(true);
    SetBackground(value, colour);
}

void TForm1::ShowMeaPower(bool isError, QLabel* value, QLabel* unit, double ratio, double watts)
{
    const bool undefined = !(std::fabs(ratio) < 1e16);
    switch (M.SelErrUnit) {
    case 0:
        if (!isError || ui.rbWatt->isChecked())
            ShowPower(value, unit, watts);
        else
            ShowRelatDb(ratio, undefined, value, unit);
        break;
    case 1:
        if (undefined)
            value->setText(QStringLiteral("Undefined"));
        else
            value->setText(Fmt(static_cast<double>((isError ? static_cast<ext>(ratio) - 1 : static_cast<ext>(ratio)) * 100), 2));
        SetUnit(unit, QStringLiteral("%"));
        break;
    case 2: ShowRelatDb(ratio, undefined, value, unit); break;
    default: value->setText(QStringLiteral("Bad unit")); break;
    }
}

void TForm1::ShowRelatDb(double ratio, bool undefined, QLabel* value, QLabel* unit)
{
    value->setText(undefined ? QStringLiteral("Undefined") : DbStr(ratio));
    SetUnit(unit, QStringLiteral("dB"));
}

void TForm1::NaplnFactors()
{
    static const QString captions[] = {QString(), QStringLiteral("%"), QStringLiteral("dB")};
    const QString caption = (M.SelUnit >= 0 && M.SelUnit <= 2) ? captions[M.SelUnit] : QString();
    for (QLabel* l : {ui.lbIfcUn, ui.lbIfcMinUn, ui.lbIfcMaxUn, ui.lbTrGainUn, ui.lbTrGminU, ui.lbTrGmaxU}) l->setText(caption);
    ShowMism(M.SrcRfl, ui.cbSrcMism, ui.lbSrcMism2);
    ShowMism(M.LoaRfl, ui.cbLoaMism, ui.lbLoaMism2);
    ShowFactor(ui.lbInterf2, ui.lbIfcUn, M.Interf);
    ShowFactor(ui.lbIntMin2, ui.lbIfcMinUn, M.InterfMin);
    ShowFactor(ui.lbIntMax2, ui.lbIfcMaxUn, M.InterfMax);
    ShowFactor(ui.lbTrGain2, ui.lbTrGainUn, M.TrGain);
    ShowFactor(ui.lbTrGmin, ui.lbTrGminU, M.TrGainMin);
    ShowFactor(ui.lbTrGmax, ui.lbTrGmaxU, M.TrGainMax);
}

void TForm1::ShowLoadMeas()
{
    ShowMeaRfl(M.LoaRfl, ui.cbMeaRfl, ui.lbMag);
    ShowMeaRfl(M.MeaMin, ui.cbMeaRfl, ui.lbMagMin);
    ShowMeaRfl(M.MeaMax, ui.cbMeaRfl, ui.lbMagMax);
    ShowMeaRflErr(M.MeaMin, M.LoaRfl, ui.paMagMinE, ui.lbMagMinE, ui.cbMeaRfl);
    ShowMeaRflErr(M.MeaMax, M.LoaRfl, ui.paMagMaxE, ui.lbMagMaxE, ui.cbMeaRfl);
}

void TForm1::ShowPowerMeas()
{
    const auto diff = [](double a, double b) { return static_cast<double>(static_cast<ext>(a) - b); };
    ShowMeaPower(false, ui.lbPincMinV, ui.lbPlincMinVunit, M.ErrInciMinus, M.PincMinV);
    ShowMeaPower(false, ui.lbPlincMaxV, ui.lbPlincMaxVunit, M.ErrInciPlus, M.PincMaxV);
    ShowMeaPower(false, ui.lbPrefMinV, ui.lbPreflMinVunit, M.ErrReflMinus, M.PreflMinV);
    ShowMeaPower(false, ui.lbPlreflMaxV, ui.lbPreflMaxVunit, M.ErrReflPlus, M.PreflMaxV);
    ShowMeaPower(false, ui.lbPloadMinV, ui.lbPloadMinVunit, M.PloadMinRelat, M.PloadMinV);
    ShowMeaPower(false, ui.lbPloadMaxV, ui.lbPloadMaxVunit, M.PloadMaxRelat, M.PloadMaxV);
    ShowMeaPower(true, ui.lbPincMinE, ui.lbPlincMinEunit, M.ErrInciMinus, diff(M.PincMinV, M.Pinc));
    ShowMeaPower(true, ui.lbPlincMaxE, ui.lbPlincMaxEunit, M.ErrInciPlus, diff(M.PincMaxV, M.Pinc));
    ShowMeaPower(true, ui.lbPrefMinE, ui.lbPreflMinEunit, M.ErrReflMinus, diff(M.PreflMinV, M.Prefl));
    ShowMeaPower(true, ui.lbPlreflMaxE, ui.lbPreflMaxEunit, M.ErrReflPlus, diff(M.PreflMaxV, M.Prefl));
    ShowMeaPower(true, ui.lbPloadMinE, ui.lbPloadMinEunit, M.PloadMinRelat, diff(M.PloadMinV, M.Pload));
    ShowMeaPower(true, ui.lbPloadMaxE, ui.lbPloadMaxEunit, M.PloadMaxRelat, diff(M.PloadMaxV, M.Pload));
    ShowLoadMeas();
}

void TForm1::ShowResults()
{
    ShowPower(ui.lbPmatch2, ui.lbPmatchUnit, M.Pmatch);
    ShowPower(ui.lbPav, ui.lbPavUnit, M.Pav);
    NaplnFactors();
    ShowPowerMeas();
    ShowPower(ui.lbPinc2, ui.lbPincUnit, M.Pinc);
    ShowPower(ui.lbPincV, ui.lbPincVunit, M.Pinc);
    ShowPower(ui.lbPincMin2, ui.lbPincMinUnit, M.PincMin);
    ShowPower(ui.lbPincMax2, ui.lbPincMaxUnit, M.PincMax);
    ShowPower(ui.lbPrefl2, ui.lbPreflUnit, M.Prefl);
    ShowPower(ui.lbPreflV, ui.lbPreflVUnit, M.Prefl);
    ShowPower(ui.lbPrefMin2, ui.lbPrefMinUnit, M.PreflMin);
    ShowPower(ui.lbPrefMax2, ui.lbPrefMaxUnit, M.PreflMax);
    ShowPower(ui.lbPload2, ui.lbPloadUnit, M.Pload);
    ShowPower(ui.lbPloadV, ui.lbPloadVUnit, M.Pload);
    ShowPower(ui.lbPloadMin, ui.lbPloadMinU, M.PloadMin);
    ShowPower(ui.lbPloadMax, ui.lbPloadMaxU, M.PloadMax);
}

namespace {

// The index of the checked button of a unit group; unchanged when none is.
void StoreCheckedIndex(std::int32_t& unit, std::initializer_list<const QRadioButton*> group)
{
    std::int32_t i = 0;
    for (const QRadioButton* rb : group) {
        if (rb->isChecked()) {
            unit = i;
            return;
        }
        ++i;
    }
}

}  // namespace

void TForm1::rbMagTrClick()
{
    StoreCheckedIndex(M.SelUnit, {ui.rbMagTr, ui.rbPercTr, ui.rbDbTr});
    NaplnFactors();
}

void TForm1::rbPowerClick()
{
    StoreCheckedIndex(M.SelErrUnit, {ui.rbPower, ui.rbPerc, ui.rbDb});
    ShowPowerMeas();
}

void TForm1::cbMeaRflChange() { ShowLoadMeas(); }

void TForm1::cbSrcMismChange() { ShowMism(M.SrcRfl, ui.cbSrcMism, ui.lbSrcMism2); }

void TForm1::cbLoaMismChange() { ShowMism(M.LoaRfl, ui.cbLoaMism, ui.lbLoaMism2); }

// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuideView.h"

#include "EntryReader.h"
#include "GuideInputs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using namespace merivane;
using namespace merivane::present;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A readout's number with fixed decimals, in the C locale as every figure of the program.
QString Fixed(double x, int decimals) { return QString::number(x, 'f', decimals); }

// A field at least chars characters wide, in the font's units.
void WidenTo(QLineEdit* field, int chars)
{
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * chars);
}

// A readout: read-only, reachable by Tab so a screen reader can read it,
// in the palette's colours.
QLineEdit* Readout(const QString& name, QWidget* parent)
{
    auto* r = new QLineEdit(parent);
    r->setReadOnly(true);
    r->setAccessibleName(name);
    r->setFocusPolicy(Qt::TabFocus);
    WidenTo(r, 36);
    return r;
}

QString StatusText(const char* status)
{
    const std::string_view s = status;
    if (s == kGuideNotWaveguide) return QStringLiteral("n/a: not a waveguide");
    if (s == kGuideNoWave) return QStringLiteral("n/a: below cut-off");
    if (s == kGuideNoHeight) return QStringLiteral("n/a: no height");
    return QStringLiteral("n/a");
}

}  // namespace

TGuideView::TGuideView(QWidget* parent) : TCaseView(parent), case_(DefaultCase())
{
    setAccessibleName(QStringLiteral("Guide"));
    auto* inputs = new QGroupBox(tr("Line loss and limits"), this);
    auto* form = new QFormLayout(inputs);
    const auto add = [&](const QString& caption, QWidget* w) {
        auto* label = new QLabel(caption, inputs);
        label->setBuddy(w);
        form->addRow(label, w);
    };

    lossMode_ = new QComboBox(inputs);
    for (const TLossModeName& n : LossModeNames()) lossMode_->addItem(QString::fromUtf8(n.label));
    lossMode_->setAccessibleName(QStringLiteral("Line loss mode"));
    add(tr("&Loss"), lossMode_);

    const auto field = [&](GuideInput id, const QString& caption) {
        auto* f = new QLineEdit(inputs);
        f->setAccessibleName(QString::fromUtf8(GuideRow(id).name));
        WidenTo(f, 12);
        add(caption, f);
        return f;
    };
    lossDb_ = field(GuideInput::LossDbPerM, tr("Loss (&dB/m)"));

    metal_ = new QComboBox(inputs);
    for (const TConductorData& c : Conductors()) metal_->addItem(QString::fromUtf8(c.name));
    metal_->setAccessibleName(QStringLiteral("Conductor metal"));
    add(tr("&Metal"), metal_);

    breakdown_ = field(GuideInput::BreakdownKvPerM, tr("&Breakdown field (kV/m)"));
    height_ = field(GuideInput::HeightMm, tr("Custom guide &height (mm)"));

    auto* results = new QGroupBox(tr("What the guide carries"), this);
    auto* out = new QFormLayout(results);
    const auto readout = [&](const QString& caption, const QString& name) {
        QLineEdit* r = Readout(name, results);
        auto* label = new QLabel(caption, results);
        label->setBuddy(r);
        out->addRow(label, r);
        return r;
    };
    peak_ = readout(tr("Peak field"), QStringLiteral("Peak field"));
    peakMax_ = readout(tr("Peak field at highest Pinc"), QStringLiteral("Peak field at highest incident power"));
    margin_ = readout(tr("Breakdown margin"), QStringLiteral("Breakdown margin"));
    pincMax_ = readout(tr("Highest incident power"), QStringLiteral("Highest incident power over the phase"));
    attenuation_ = readout(tr("Attenuation"), QStringLiteral("Attenuation"));
    lineLoss_ = readout(tr("Power lost in the line"), QStringLiteral("Power lost in the line"));
    absorbed_ = readout(tr("Power absorbed by the load"), QStringLiteral("Power absorbed by the load"));
    status_ = readout(tr("Note"), QStringLiteral("Guide note"));
    WidenTo(status_, 44);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputs);
    layout->addWidget(results);
    layout->addStretch(1);

    connect(lossMode_, &QComboBox::currentIndexChanged, this,
            [this] { ChoiceEdited(tr("Line loss mode"), kGuideLossModeMerge); });
    connect(metal_, &QComboBox::currentIndexChanged, this,
            [this] { ChoiceEdited(tr("Conductor metal"), kGuideMetalMerge); });
    connect(lossDb_, &QLineEdit::editingFinished, this,
            [this] { NumberEdited(GuideInput::LossDbPerM, lossDb_, kGuideLossMerge); });
    connect(breakdown_, &QLineEdit::editingFinished, this,
            [this] { NumberEdited(GuideInput::BreakdownKvPerM, breakdown_, kGuideBreakdownMerge); });
    connect(height_, &QLineEdit::editingFinished, this,
            [this] { NumberEdited(GuideInput::HeightMm, height_, kGuideHeightMerge); });

    ShowSnapshot(ComputeCase(case_, 0));
}

void TGuideView::Emit(const TCase& c, const QString& what, int mergeId)
{
    if (c == case_) return;
    emit Edited(c, what, mergeId);
}

void TGuideView::ChoiceEdited(const QString& what, int mergeId)
{
    if (showing_) return;
    TCase c = case_;
    const auto modes = LossModeNames();
    const int mode = lossMode_->currentIndex();
    if (mode >= 0 && mode < static_cast<int>(modes.size())) c.guide.loss = modes[static_cast<std::size_t>(mode)].mode;
    const auto metals = Conductors();
    const int metal = metal_->currentIndex();
    if (metal >= 0 && metal < static_cast<int>(metals.size()))
        c.guide.metal = metals[static_cast<std::size_t>(metal)].kind;
    Emit(c, what, mergeId);
}

void TGuideView::NumberEdited(GuideInput id, QLineEdit* field, int mergeId)
{
    if (showing_) return;
    TCase c = case_;
    double* value = id == GuideInput::LossDbPerM        ? &c.guide.lossDbPerM
                    : id == GuideInput::BreakdownKvPerM ? &c.guide.breakdownKvPerM
                                                        : &c.guide.heightMm;
    const TGuideRow& row = GuideRow(id);
    const TInputRow input = AsInputRow(row);
    const std::string typed = field->text().toStdString();
    const TReading r = ReadEntry(input, typed, *value);
    // not a number keeps the value in force; beyond the limits takes the nearer one
    *value = r.value;
    field->setText(Q(EntryText(input, *value)));
    field->setToolTip(Q(EntryNote(input, typed, r)));
    Emit(c, QString::fromUtf8(row.name), mergeId);
}

void TGuideView::ShowInputs()
{
    const TGuideInputs& g = case_.guide;
    const auto modes = LossModeNames();
    for (std::size_t i = 0; i < modes.size(); ++i)
        if (modes[i].mode == g.loss) lossMode_->setCurrentIndex(static_cast<int>(i));
    const auto metals = Conductors();
    for (std::size_t i = 0; i < metals.size(); ++i)
        if (metals[i].kind == g.metal) metal_->setCurrentIndex(static_cast<int>(i));
    const auto show = [](QLineEdit* f, GuideInput id, double v) {
        f->setText(Q(EntryText(AsInputRow(GuideRow(id)), v)));
    };
    show(lossDb_, GuideInput::LossDbPerM, g.lossDbPerM);
    show(breakdown_, GuideInput::BreakdownKvPerM, g.breakdownKvPerM);
    show(height_, GuideInput::HeightMm, g.heightMm);
    // the inputs that count for the line in force
    lossDb_->setEnabled(g.loss == LossSource::Entered);
    metal_->setEnabled(g.loss == LossSource::Conductor);
    height_->setEnabled(case_.line.Line == LineType::CustomWaveguide);
}

void TGuideView::ShowSnapshot(const TSnapshot& s)
{
    showing_ = true;
    case_ = s.c;
    ShowInputs();
    const TGuideResult& g = s.guide;
    if (g.load.Defined) {
        peak_->setText(Fixed(g.load.PeakFieldKvPerM, 3) + QStringLiteral(" kV/m"));
        peakMax_->setText(Fixed(g.load.PeakFieldMaxKvPerM, 3) + QStringLiteral(" kV/m"));
        // margin = breakdown / E at the highest incident power over the phase, shown beside it
        margin_->setText(g.load.BreakdownMargin >= kInfinity
                             ? QStringLiteral("no field")
                             : Fixed(g.load.BreakdownMargin, 2) + QStringLiteral(" (") +
                                   Fixed(g.load.BreakdownMarginDb, 2) + QStringLiteral(" dB)"));
        pincMax_->setText(Fixed(g.loss.AtSource.PincMax, 1) + QStringLiteral(" W"));
    } else {
        const QString na = StatusText(g.load.Status);
        peak_->setText(na);
        peakMax_->setText(na);
        margin_->setText(na);
        pincMax_->setText(na);
    }
    const std::string_view loss = g.attenuation.Status;
    if (loss == kLossOk || loss == kLossNone)
        attenuation_->setText(Fixed(g.attenuation.DbPerM, 5) + QStringLiteral(" dB/m"));
    else
        attenuation_->setText(loss == kLossNeedsWaveguide
                                  ? QStringLiteral("n/a: a coaxial line takes an entered dB/m")
                                  : QStringLiteral("n/a: ") + QString::fromLatin1(g.attenuation.Status));
    lineLoss_->setText(Fixed(g.loss.LineLossW, 2) + QStringLiteral(" W"));
    absorbed_->setText(Fixed(g.loss.AbsorbedW, 2) + QStringLiteral(" W"));
    if (g.load.Defined && g.load.BreakdownMargin < 1)
        status_->setText(QStringLiteral("The peak field exceeds the breakdown field"));
    else if (g.loss.PassFactor < 1)
        status_->setText(QStringLiteral("The Line Sweep takes the line's loss"));
    else
        status_->clear();
    showing_ = false;
}

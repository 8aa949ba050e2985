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

// The readouts' accessible names, by GuideReadout.
constexpr const char* kReadoutNames[kGuideReadoutCount] = {
    "Peak field",
    "Peak field at highest incident power",
    "Breakdown margin",
    "Highest incident power over the phase",
    "Attenuation",
    "Power lost in the line",
    "Power absorbed by the load",
    "Guide note",
};

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
    for (int i = 0; i < kGuideReadoutCount; ++i)
        readouts_[i] = readout(QString::fromUtf8(GuideReadoutCaption(static_cast<GuideReadout>(i))),
                               QString::fromUtf8(kReadoutNames[i]));
    WidenTo(readouts_[static_cast<int>(GuideReadout::Note)], 44);

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
    const TGuideReadouts texts = GuideReadouts(s);
    for (int i = 0; i < kGuideReadoutCount; ++i) readouts_[i]->setText(Q(texts.value[i].Joined()));
    showing_ = false;
}

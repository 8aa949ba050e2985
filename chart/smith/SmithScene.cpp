// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart's scene from a case, and its palettes.
#include "SmithPainter.h"

#include "SmithTexts.h"

namespace merivane::smith {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TSmithPalette TSmithPalette::Light()
{
    return For(QColor(255, 255, 255), QColor(0, 0, 0));
}

TSmithPalette TSmithPalette::Dark()
{
    return For(QColor(30, 30, 30), QColor(224, 224, 224));
}

TSmithPalette TSmithPalette::For(const QColor& base, const QColor& text)
{
    // the grid and its labels mix the text into the base, so they recede in either theme
    const auto mix = [&](double t) {
        return QColor::fromRgbF(static_cast<float>(base.redF() + t * (text.redF() - base.redF())),
                                static_cast<float>(base.greenF() + t * (text.greenF() - base.greenF())),
                                static_cast<float>(base.blueF() + t * (text.blueF() - base.blueF())));
    };
    TSmithPalette p;
    p.background = base;
    p.text = text;
    p.grid = mix(0.22);
    p.gridLabel = mix(0.55);
    p.rim = mix(0.8);
    const bool dark = base.lightnessF() < 0.5;
    // accents dark enough on white, light enough on black
    p.load = dark ? QColor(255, 112, 97) : QColor(198, 40, 40);
    p.source = dark ? QColor(100, 170, 255) : QColor(21, 101, 192);
    p.conjugate = dark ? QColor(120, 220, 120) : QColor(46, 125, 50);
    p.locus = dark ? QColor(255, 183, 77) : QColor(230, 81, 0);
    p.arc = dark ? QColor(206, 147, 216) : QColor(123, 31, 162);
    p.swr = dark ? QColor(77, 208, 225) : QColor(0, 131, 143);
    p.power = dark ? QColor(188, 170, 164) : QColor(109, 76, 65);
    p.marker = text;
    p.tuner = dark ? QColor(240, 98, 146) : QColor(173, 20, 87);
    // a diverging scale, blue (low) through grey to red (high), that reads
    // for the colour-blind and keeps 3:1 against the base in either theme
    p.pullLow = dark ? QColor(103, 169, 207) : QColor(33, 102, 172);
    p.pullMid = dark ? QColor(170, 170, 170) : QColor(110, 110, 110);
    p.pullHigh = dark ? QColor(239, 138, 98) : QColor(178, 24, 43);
    return p;
}

TSmithScene MakeSmithScene(const TModel& m, const TSweepResult& s, const TSmithOptions& o)
{
    TSmithScene sc;
    sc.load = ToGamma(m.LoaRfl);
    sc.source = ToGamma(m.SrcRfl);
    sc.sourceDefined = m.SrcRfl.Mag < 1.0;
    sc.conjugate = std::conj(sc.source);
    sc.locus = CalcLocus(m.LoaRfl, s, 360, o.npPerM);
    for (double swr : o.swrCircles) {
        const TCircle c = VswrCircle(swr);
        if (c.defined) sc.swr.push_back({c, Q(present::SwrCircleLabel(swr))});
    }
    sc.loadCircle.defined = true;
    sc.loadCircle.radius = m.LoaRfl.Mag;
    if (o.powerCircles && sc.sourceDefined) {
        for (double level : kPowerLevels) {
            const TCircle c = PowerCircle(sc.source, level);
            if (c.defined) sc.power.push_back({c, Q(present::PowerCircleLabel(level, m.Pav, o.unit))});
        }
    }
    if (sc.locus.arcDefined && sc.locus.arcFullTurn) sc.note = Q(present::FullTurnNote());
    return sc;
}

}  // namespace merivane::smith

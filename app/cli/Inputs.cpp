// SPDX-License-Identifier: GPL-3.0-or-later
#include "Inputs.h"

#include "Conversions.h"
#include "EntryReader.h"
#include "Fields.h"
#include "GuideInputs.h"
#include "InputValues.h"
#include "ReflectionText.h"
#include "NumberText.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace merivane {

namespace {

namespace present = merivane::present;
using present::Input;

TReadResult Failure(std::string_view text, const std::string& what)
{
    TReadResult r;
    r.ok = false;
    r.error = Quoted(text) + ": " + what;
    return r;
}

// Reads a number field through the input table's one reader: not a number
// is an error, a clamp a warning; value is set only when the text gave one.
bool ReadNumber(Input id, std::string_view text, std::string_view whole, const char* what, double& value, TReadResult& r)
{
    const present::TInputReading reading = present::ReadInputNumber(id, text, value, what, whole);
    r.ok = reading.ok;
    r.error = reading.error;
    r.warning = reading.warning;
    return reading.ok;
}

std::string AsLower(std::string_view s)
{
    std::string t(s);
    for (char& ch : t) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return t;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    return true;
}

// MAG, db:RLOSS or swr:SWR, then optionally @PHASE, read as the window reads
// its fields and a case file reads them: one reader of reflection texts.
TReadResult ReadReflection(std::string_view text, Input magnitudeId, Input phaseId, TRefl& refl, int& form)
{
    const present::TInputReading read = present::ReadReflectionInput(text, magnitudeId, phaseId, refl, form);
    TReadResult r;
    r.ok = read.ok;
    r.error = read.error;
    r.warning = read.warning;
    return r;
}

// WR284 .. WR975 by name, waveguide:WIDTH_MM (the page's width limits) or
// coax[:VF] (its velocity factor's limits); a width or factor beyond them is
// clamped with a warning.
TReadResult ReadLine(std::string_view text, TSweepInputs& in)
{
    TReadResult r;
    for (const TLineTypeSpec& t : LineTypes()) {
        if (t.widthMm <= 0) continue;  // the presets
        const std::string_view name = t.name;
        if (text.size() == name.size() && StartsWithNoCase(text, AsLower(name))) {
            in.Line = t.type;
            return r;
        }
    }
    double v = 0;
    if (StartsWithNoCase(text, "waveguide:")) {
        if (ReadNumber(Input::SwWidth, text.substr(10), text, "width ", v, r)) {
            in.Line = LineType::CustomWaveguide;
            in.WidthMm = v;
        } else if (!r.ok) {
            r.error = Quoted(text) + ": the width " + Quoted(text.substr(10)) + " is not a number";
        }
        return r;
    }
    if (StartsWithNoCase(text, "coax") && (text.size() == 4 || text[4] == ':')) {
        if (text.size() > 4 && !ReadNumber(Input::SwVf, text.substr(5), text, "velocity factor ", v, r)) {
            if (!r.ok) r.error = Quoted(text) + ": the velocity factor " + Quoted(text.substr(5)) + " is not a number";
            return r;
        }
        in.Line = LineType::Coax;
        in.Vf = text.size() > 4 ? v : present::InputRow(Input::SwVf).def;
        return r;
    }
    // the literal names last: the completion offers what follows "not one of"
    return Failure(text, "neither waveguide:WIDTH_MM nor coax:VF, and not one of WR284, WR340, WR430, WR975, coax");
}

TReadResult Read(InputId id, std::string_view text, TCliCase& cli)
{
    present::TCase& c = cli.c;
    TReadResult r;
    double v = 0;
    switch (id) {
    case InputId::Va:
        if (ReadNumber(Input::AnodeV, text, text, "", v, r)) present::SetFieldValue(c.inputs, Input::AnodeV, v);
        return r;
    case InputId::Ia:
        if (ReadNumber(Input::AnodeI, text, text, "", v, r)) present::SetFieldValue(c.inputs, Input::AnodeI, v);
        return r;
    case InputId::Eff:
        if (ReadNumber(Input::Effic, text, text, "", v, r)) present::SetFieldValue(c.inputs, Input::Effic, v);
        return r;
    case InputId::Source: return ReadReflection(text, Input::SrcMag, Input::SrcPha, c.inputs.SrcRfl, c.display.srcRfl);
    case InputId::Load: return ReadReflection(text, Input::LoaMag, Input::LoaPha, c.inputs.LoaRfl, c.display.loaRfl);
    case InputId::Directivity:
        if (text.empty()) {
            c.ideal = true;
            return r;
        }
        if (ReadNumber(Input::Dire, text, text, "", v, r)) {
            present::SetFieldValue(c.inputs, Input::Dire, v);
            c.ideal = false;
        }
        return r;
    case InputId::Frequency:
        if (ReadNumber(Input::SwFreq, text, text, "", v, r)) c.line.FreqMHz = v;
        break;
    case InputId::Length:
        if (ReadNumber(Input::SwLength, text, text, "", v, r)) c.line.LengthM = v;
        break;
    case InputId::Span:
        if (ReadNumber(Input::SwSpan, text, text, "", v, r)) c.line.SpanMHz = v;
        break;
    case InputId::Line: r = ReadLine(text, c.line); break;
    }
    if (r.ok) cli.lineGiven = true;  // only the line's inputs come here
    return r;
}

constexpr const char* kIdNames[kInputIdCount] = {"va",          "ia",        "eff",  "source", "load",
                                                 "directivity", "frequency", "line", "length", "span"};

}  // namespace

const char* InputIdName(InputId id) { return kIdNames[static_cast<int>(id)]; }

std::string Quoted(std::string_view text) { return "\"" + present::ShortText(text, kQuotedChars) + "\""; }

std::string LineText(const TSweepInputs& in)
{
    switch (in.Line) {
    case LineType::CustomWaveguide: return "waveguide:" + present::LimitText(in.WidthMm);
    case LineType::Coax: return "coax:" + present::LimitText(in.Vf);
    default: return LineTypeSpec(in.Line).name;
    }
}

TCliCase FromCaseFile(const present::TCase& c)
{
    TCliCase cli;
    cli.c = c;
    // the lists offer Mag, dB, SWR as the options' forms do; none selected is Mag
    const auto form = [](int list) { return list >= 0 && list <= 2 ? list : 0; };
    cli.c.display.srcRfl = form(c.display.srcRfl);
    cli.c.display.loaRfl = form(c.display.loaRfl);
    cli.lineGiven = true;  // a case always has its line
    cli.guideGiven = c.guide != present::TGuideInputs{};  // a guide not the default is written
    return cli;
}

TReadResult ReadInput(InputId id, std::string_view text, TCliCase& c) { return Read(id, text, c); }

}  // namespace merivane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "MagnetronExport.h"

#include "Export.h"
#include "Fields.h"

#include <cmath>
#include <optional>
#include <utility>

namespace merivane::present {

namespace {

using TNumber = std::optional<double>;

// A number only where it is defined and finite.
TNumber Defined(bool defined, double x)
{
    if (!defined || !std::isfinite(x) || std::abs(x) >= kInfinity) return std::nullopt;
    return x;
}

struct TNamed {
    const char* json;  // the object's key
    const char* csv;   // the column
    TNumber value;
};

// The numbers of each object, in order.
struct TObjects {
    TNamed magnetron[5], isolator[3], uncertainty[5], trip[4], calorimetry[2];
};

TObjects Numbers(const TTubeResult& r)
{
    const TMagnetronResult& g = r.magnetron;
    const TIsolatorResult& i = r.isolator;
    const TUncertainty& u = r.uncertainty;
    const TTripLevels& t = r.trip;
    const TCalorimetry& w = r.calorimetry;
    return TObjects{
        {{"qext", "qext", Defined(g.Defined, g.Qext)},
         {"shift_mhz", "shift_mhz", Defined(g.Defined, g.ShiftMHz)},
         {"shift_min_mhz", "shift_min_mhz", Defined(g.Defined, g.ShiftMinMHz)},
         {"shift_max_mhz", "shift_max_mhz", Defined(g.Defined, g.ShiftMaxMHz)},
         {"critical_length_m", "critical_length_m", Defined(g.Defined && g.CriticalDefined, g.CriticalLengthM)}},
        {{"magnetron_swr_max", "magnetron_swr_max", Defined(true, i.MagnetronSwrMax)},
         {"dummy_load_w", "dummy_load_w", Defined(true, i.DummyLoadW)},
         {"dummy_load_max_w", "dummy_load_max_w", Defined(true, i.DummyLoadMaxW)}},
        {{"directivity_pct", "directivity_pct", Defined(u.Defined, u.DirectivityPct)},
         {"coupling_pct", "coupling_pct", Defined(u.Defined, u.CouplingPct)},
         {"sensor_pct", "sensor_pct", Defined(u.Defined, u.SensorPct)},
         {"combined_pct", "combined_pct", Defined(u.Defined, u.CombinedPct)},
         {"expanded_pct", "expanded_pct", Defined(u.Defined, u.ExpandedPct)}},
        {{"sure_above_mag", "sure_above_mag", Defined(t.Defined, t.SureAboveMag)},
         {"never_below_mag", "never_below_mag", Defined(t.Defined, t.NeverBelowMag)},
         {"sure_above_swr", "sure_above_swr", Defined(t.Defined, t.SureAboveSwr)},
         {"never_below_swr", "never_below_swr", Defined(t.Defined, t.NeverBelowSwr)}},
        {{"power_w", "calorimetry_power_w", Defined(true, w.PowerW)},
         {"difference_db", "calorimetry_difference_db", Defined(w.DifferenceDefined, w.DifferenceDb)}},
    };
}

void AppendJsonNumber(std::string& out, const TNumber& v)
{
    if (v)
        AppendShortest(out, *v);
    else
        out += "null";
}

template <std::size_t N>
void AppendObject(std::string& out, const char* name, const TNamed (&numbers)[N],
                  const std::vector<double>* list = nullptr, bool listDefined = false)
{
    out += ",\n  ";
    AppendJsonString(out, name);
    out += ": {";
    bool first = true;
    for (const TNamed& n : numbers) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        AppendJsonString(out, n.json);
        out += ": ";
        AppendJsonNumber(out, n.value);
    }
    if (list) {
        out += ",\n    \"frequencies_mhz\": ";
        if (!listDefined) {
            out += "null";
        } else {
            out += '[';
            for (std::size_t i = 0; i < list->size(); ++i) {
                if (i) out += ", ";
                AppendShortest(out, (*list)[i]);
            }
            out += ']';
        }
    }
    out += "\n  }";
}

template <std::size_t N>
void AppendColumns(std::string& out, const TNamed (&numbers)[N])
{
    for (const TNamed& n : numbers) {
        out += ',';
        out += n.csv;
    }
}

template <std::size_t N>
void AppendCells(std::string& out, const TNamed (&numbers)[N])
{
    for (const TNamed& n : numbers) {
        out += ',';
        if (n.value) AppendShortest(out, *n.value);
    }
}

bool FrequenciesDefined(const TTubeResult& r) { return r.magnetron.Defined && r.magnetron.LongLine.Defined; }

}  // namespace

void InsertTubeJson(std::string& json, const TTubeResult& r)
{
    const TObjects o = Numbers(r);
    std::string objects;
    AppendObject(objects, "magnetron", o.magnetron, &r.magnetron.LongLine.FrequenciesMHz, FrequenciesDefined(r));
    AppendObject(objects, "isolator", o.isolator);
    AppendObject(objects, "uncertainty", o.uncertainty);
    AppendObject(objects, "trip", o.trip);
    AppendObject(objects, "calorimetry", o.calorimetry);
    // before the last closing brace and the line end after it
    const std::size_t close = json.rfind('}');
    if (close == std::string::npos) return;
    std::size_t at = close;
    while (at > 0 && (json[at - 1] == '\n' || json[at - 1] == ' ')) --at;
    json.insert(at, objects);
}

void AppendTubeCsvHeader(std::string& out)
{
    const TObjects o = Numbers(TTubeResult{});
    AppendColumns(out, o.magnetron);
    out += ",frequencies_mhz";
    AppendColumns(out, o.isolator);
    AppendColumns(out, o.uncertainty);
    AppendColumns(out, o.trip);
    AppendColumns(out, o.calorimetry);
}

void AppendTubeCsv(std::string& out, const TTubeResult& r)
{
    const TObjects o = Numbers(r);
    AppendCells(out, o.magnetron);
    out += ',';
    if (FrequenciesDefined(r))
        for (std::size_t i = 0; i < r.magnetron.LongLine.FrequenciesMHz.size(); ++i) {
            if (i) out += ' ';
            AppendShortest(out, r.magnetron.LongLine.FrequenciesMHz[i]);
        }
    AppendCells(out, o.isolator);
    AppendCells(out, o.uncertainty);
    AppendCells(out, o.trip);
    AppendCells(out, o.calorimetry);
}

void ExtendCaseCsv(std::string& csv, const TTubeResult& r)
{
    const std::size_t eol = csv.find('\n');
    if (eol == std::string::npos) return;
    std::string header;
    AppendTubeCsvHeader(header);
    csv.insert(eol, header);
    std::size_t end = csv.size();
    while (end > eol + header.size() + 1 && (csv[end - 1] == '\n' || csv[end - 1] == '\r')) --end;
    std::string cells;
    AppendTubeCsv(cells, r);
    csv.insert(end, cells);
}

}  // namespace merivane::present

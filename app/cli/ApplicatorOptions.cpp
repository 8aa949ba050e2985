// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicatorOptions.h"

#include "Case.h"
#include "CellRules.h"
#include "CliOptions.h"
#include "EntryReader.h"
#include "InputRows.h"
#include "JsonOut.h"
#include "NumberText.h"
#include "ReflectionText.h"
#include "Texts.h"

#include <limits>
#include <vector>

namespace merivane::cli {

namespace {

using present::Input;

std::string U(const QString& s) { return s.toStdString(); }
QString Name(const char* n) { return QString::fromLatin1(n); }

constexpr const char* kApplicator = "applicator";

// A list of one number per feed, read by its column's row of the input table.
struct TFeedList {
    Input id;
    const char* noun;    // "power 2 is negative"
    const char* plural;  // "3 powers for 4 ports"
    const char* value;   // the option's value in --help
    const char* help;
    bool negativeRefused;  // below 0 is an error; otherwise the row clamps with a warning
    void (*set)(present::TFeedCase&, double);
};
constexpr TFeedList kPowers{Input::FeedPowerW, "power", "powers", "P1,...,PN",
                            "Applicator: each feed's magnetron power in W, one per port (default the case's matched "
                            "power Va * Ia * Eff for every feed).",
                            true, [](present::TFeedCase& f, double v) { f.powerW = v; }};
constexpr TFeedList kFrequencies{Input::FeedFrequencyMHz, "frequency", "frequencies", "F1,...,FN",
                                 "Applicator: each feed's frequency in MHz, one per port (default the case's "
                                 "--frequency); each within the file's band.",
                                 false, [](present::TFeedCase& f, double v) { f.frequencyMHz = v; }};
constexpr TFeedList kIsolations{Input::FeedIsolationDb, "isolation", "isolations", "I1,...,IN",
                                "Applicator: each feed's isolator in dB, one per port (default 0, no isolator).", true,
                                [](present::TFeedCase& f, double v) { f.isolationDb = v; }};
constexpr TFeedList kRatings{Input::FeedDummyRatingW, "dummy load rating", "dummy load ratings", "W1,...,WN",
                             "Applicator: each isolator's dummy load rating in W, one per port (default 0, not set).",
                             true, [](present::TFeedCase& f, double v) { f.dummyRatingW = v; }};
constexpr const TFeedList* kLists[] = {&kPowers, &kFrequencies, &kIsolations, &kRatings};

const char* OptionOf(const TFeedList& l) { return present::InputRow(l.id).option; }

std::string Counted(std::size_t n, const char* noun, const char* plural)
{
    return std::to_string(n) + " " + (n == 1 ? noun : plural);
}

// The items between commas, blanks around each taken off.
std::vector<std::string> Items(const std::string& text)
{
    std::vector<std::string> out(1);
    for (char ch : text) {
        if (ch == ',')
            out.emplace_back();
        else
            out.back() += ch;
    }
    for (std::string& s : out) {
        s.erase(0, s.find_first_not_of(" \t"));
        s.erase(s.find_last_not_of(" \t") + 1);
    }
    return out;
}

// The list's numbers, one per port; false with the message printed.
bool ReadList(const QCommandLineParser& parser, const TFeedList& l, std::size_t ports, std::vector<double>& values)
{
    const std::string option = "--" + std::string(OptionOf(l));
    const std::vector<std::string> items = Items(U(parser.value(Name(OptionOf(l)))));
    if (items.size() != ports) {
        Fail(option + ": " + Counted(items.size(), l.noun, l.plural) + " for " + Counted(ports, "port", "ports"));
        return false;
    }
    const present::TInputRow& row = present::InputRow(l.id);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string which = std::string(l.noun) + " " + std::to_string(i + 1);
        const present::TReading typed = present::ReadEntry(row, items[i], std::numeric_limits<double>::quiet_NaN());
        if (l.negativeRefused && typed.outcome == present::Outcome::Below) {
            Fail(option + ": " + which + " is negative (" + present::LimitText(typed.number) + row.unit + ")");
            return false;
        }
        double v = 0;
        const present::TInputReading r = present::ReadInputNumber(l.id, items[i], v, which + " is ");
        if (!r.ok) {
            Fail(option + " " + r.error);
            return false;
        }
        if (!r.warning.empty()) Warn(option + " " + r.warning);
        values.push_back(v);
    }
    return true;
}

// The model's complaint about the feeds, by the option that gave the numbers:
// the lists, the file (whose feeds run at the case's frequency) or the case file.
std::string Complaint(const QCommandLineParser& parser, bool file, const std::string& e)
{
    const bool frequency = e.rfind("frequency ", 0) == 0;
    const char* const frequencies = OptionOf(kFrequencies);
    if (frequency && parser.isSet(Name(frequencies))) return "--" + std::string(frequencies) + ": " + e;
    if (!file) return "--case " + Quoted(U(parser.value(QStringLiteral("case")))) + ": applicator: " + e;
    const char* const hint = " (a feed without --feed-frequencies runs at the case's --frequency)";
    return "--applicator: " + e + (frequency ? hint : "");
}

std::string FeedJson(const TApplicatorFeed& f, double frequencyMHz)
{
    std::string o = "{\"port\": ";
    present::AppendInteger(o, f.port);
    json::InlineFields(o, {{"power_w", f.powerW},
                           {"frequency_mhz", frequencyMHz},
                           {"returned_w", f.returnedW},
                           {"self_w", f.selfW},
                           {"coupled_w", f.coupledW},
                           {"worst_returned_w", f.worstReturnedW},
                           {"seen_reflection", f.seenMag},
                           {"magnetron_w", f.magnetronW},
                           {"dummy_w", f.dummyW},
                           {"dummy_margin_db", f.dummyMarginDb}});
    return o + "}";
}

std::string ApplicatorJson(const present::TApplicatorSnapshot& a)
{
    const TApplicatorResult& r = a.result;
    std::string o = "  \"applicator\": {\n";
    json::Key(o, "ports", true);
    present::AppendInteger(o, r.ports);
    json::Key(o, "feeds");
    o += '[';
    for (std::size_t i = 0; i < r.feeds.size(); ++i)
        o += (i ? ",\n      " : "\n      ") + FeedJson(r.feeds[i], a.feedFrequencyMHz[i]);
    o += r.feeds.empty() ? "]" : "\n    ]";
    json::Key(o, "absorbed_w");
    json::Number(o, r.absorbedW);
    json::Key(o, "returned_w");
    json::Number(o, r.returnedW);
    json::Key(o, "efficiency");
    json::Optional(o, r.efficiency);
    json::Key(o, "worst_port");  // null when nothing comes back
    if (r.returnedW > 0)
        present::AppendInteger(o, r.feeds[r.worstFeed].port);
    else
        o += "null";
    return o + "\n  },\n";
}

// a power as the window's cells write it, in the case's power unit ("10.2 kW")
present::TValue Power(double w, present::PowerUnit unit)
{
    const present::TCell c = present::PowerCell(w, unit);
    return {c.text, c.Caption()};
}

// The summary, then a row per feed; the isolator's columns when a feed has one.
std::vector<present::TSection> ApplicatorSections(const present::TSnapshot& s)
{
    const present::TApplicatorSnapshot& a = s.applicator;
    const TApplicatorResult& r = a.result;
    const auto Watts = [unit = s.c.display.power](double w) { return Power(w, unit); };
    double sent = 0;
    bool isolated = false;
    for (const TApplicatorFeed& f : r.feeds) sent += f.powerW;
    for (const present::TFeedCase& f : s.c.applicator->feeds) isolated = isolated || f.isolationDb > 0;
    present::TSection summary{"Applicator", {}, {}};
    const auto row = [&summary](const char* caption, present::TValue v) { summary.rows.push_back({caption, {v}}); };
    row("File", {s.c.applicator->file, ""});
    row("Ports", {std::to_string(r.ports), ""});
    row("Sent", Watts(sent));
    row("Returned", Watts(r.returnedW));
    row("Absorbed", Watts(r.absorbedW));
    row("Efficiency",
        r.efficiency ? present::TValue{FormatReal(*r.efficiency * 100, 2), "%"} : present::TValue{"n/a", ""});
    row("Worst port", {r.returnedW > 0 ? std::to_string(r.feeds[r.worstFeed].port) : "n/a", ""});
    present::TSection table{"Applicator Feeds",
                            {"Power", "Frequency", "Returned", "Self", "Coupled", "In phase", "Seen |\u0393|"},
                            {}};
    if (isolated) table.columns.insert(table.columns.end(), {"To tube", "Dummy load", "Dummy margin"});
    for (std::size_t i = 0; i < r.feeds.size(); ++i) {
        const TApplicatorFeed& f = r.feeds[i];
        present::TCaseRow line{"Port " + std::to_string(f.port),
                               {Watts(f.powerW), {present::LimitText(a.feedFrequencyMHz[i]), "MHz"}, Watts(f.returnedW),
                                Watts(f.selfW), Watts(f.coupledW), Watts(f.worstReturnedW),
                                {f.seenMag ? present::MagnitudeText(*f.seenMag) : "n/a", ""}}};
        if (isolated)
            line.values.insert(line.values.end(),
                               {Watts(f.magnetronW), Watts(f.dummyW),
                                f.dummyMarginDb ? present::TValue{FormatReal(*f.dummyMarginDb, 2), "dB"}
                                                : present::TValue{"n/a", ""}});
        table.rows.push_back(std::move(line));
    }
    return {summary, table};
}

}  // namespace

void AddApplicatorOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(
        Name(kApplicator),
        QStringLiteral("Applicator: an N-port Touchstone file of the cavity, a magnetron feeding each port; "
                       "prints what each feed gets back from the cavity and the other feeds."),
        QStringLiteral("FILE.sNp")));
    for (const TFeedList* l : kLists)
        parser.addOption(QCommandLineOption(Name(OptionOf(*l)), QString::fromUtf8(l->help), Name(l->value)));
}

bool ReadApplicatorOptions(const QCommandLineParser& parser, TCliCase& c)
{
    const bool file = parser.isSet(Name(kApplicator));
    if (!file && !c.c.applicator) {
        for (const TFeedList* l : kLists)
            if (parser.isSet(Name(OptionOf(*l)))) {
                Fail("--" + std::string(OptionOf(*l)) + " needs --applicator FILE.sNp (or a case file with one)");
                return false;
            }
        return true;
    }
    if (file) {
        // every feed a magnetron like the case's until --feed-powers says otherwise
        present::TApplicatorCase read;
        std::string error;
        if (!present::ReadApplicatorFile(U(parser.value(Name(kApplicator))), read, error,
                                         present::CaseMatchedPowerW(c.c.inputs))) {
            Fail("--applicator: " + error);
            return false;
        }
        c.c.applicator = std::move(read);
    }
    present::TApplicatorCase& a = *c.c.applicator;
    for (const TFeedList* l : kLists) {
        if (!parser.isSet(Name(OptionOf(*l)))) continue;
        std::vector<double> values;
        if (!ReadList(parser, *l, a.feeds.size(), values)) return false;
        for (std::size_t i = 0; i < a.feeds.size(); ++i) l->set(a.feeds[i], values[i]);
    }
    if (const std::string e = present::ValidateApplicatorCase(a, c.c.line.FreqMHz); !e.empty()) {
        Fail(Complaint(parser, file, e));
        return false;
    }
    return true;
}

void AddApplicatorOutput(std::string& out, Format format, const present::TSnapshot& s)
{
    if (!s.c.applicator || s.applicator.result.feeds.empty() || format == kCsv) return;
    if (format == kText)
        out += "\n" + present::CaseText(ApplicatorSections(s));
    else
        json::InsertBeforeDisplay(out, ApplicatorJson(s.applicator));
}

}  // namespace merivane::cli

// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc with the Line Sweep page's options: the JSON's "sweep" numbers
// against the closed forms of the guide wavelength and of a uniformly random
// line phase, null where the page shows "n/a", the text's readouts, and the
// batch with line columns.
#include "Calc.h"
#include "RowNames.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <numbers>

namespace {

constexpr double kC = 299792458.0;  // m/s
constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

// Free-space wavelength in mm: c / f.
double Lambda0Mm(double fMHz) { return kC / (fMHz * 1e6) * 1000.0; }

// TE10 guide wavelength of a broad wall a: lg = l0 / sqrt(1 - (l0 / 2a)^2);
// a TEM line (a = 0) has lg = l0 vf. NaN below cut-off.
double GuideMm(double fMHz, double aMm, double vf)
{
    const double l0 = Lambda0Mm(fMHz);
    if (aMm == 0) return l0 * vf;
    const double q = l0 / (2 * aMm);
    return q < 1 ? l0 / std::sqrt(1 - q * q) : kNull;
}

// One case: the options and what the closed forms need.
struct TLineCase {
    const char* name;
    QStringList args;
    double fMHz, aMm, vf;  // aMm 0 for coax
    double lengthM, spanMHz;
    double gs, phs, gl, phl;  // the reflections
    double handGuideMm;       // a hand figure of the guide wavelength (0 when none is worked out)
};

class LineOptions : public ::testing::TestWithParam<TLineCase> {};

QJsonObject SweepOf(const TRun& r) { return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object().value("sweep").toObject(); }

void ExpectNumber(const QJsonObject& o, const char* key, double expected, double rel = 1e-9)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (std::isnan(expected)) {
        EXPECT_TRUE(v.isNull()) << key << " should be null";
        return;
    }
    ASSERT_TRUE(v.isDouble()) << key;
    EXPECT_NEAR(v.toDouble(), expected, std::fabs(expected) * rel + 1e-9) << key;
}

TEST_P(LineOptions, SweepNumbersFollowTheClosedForms)
{
    const TLineCase& t = GetParam();
    QStringList args = t.args;
    args << "--format" << "json";
    const TRun r = RunCalc(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject s = SweepOf(r);
    ASSERT_FALSE(s.isEmpty()) << r.out;

    const double lg = GuideMm(t.fMHz, t.aMm, t.vf);
    if (t.handGuideMm > 0) {
        EXPECT_NEAR(lg, t.handGuideMm, 0.005);  // the formula here against the hand figure
    }
    ExpectNumber(s, "guide_wavelength_mm", lg);
    // TE10 cut-off c / 2a; a TEM line has none
    ExpectNumber(s, "cutoff_mhz", t.aMm > 0 ? kC / (2 * t.aMm / 1000) / 1e6 : kNull);
    ExpectNumber(s, "period_mm", lg / 2);
    // Gs Gl turns by -720 deg d / lg: the maximum where its phase is 0, the
    // minimum where it is 180 deg; d = phi lg / 720 with phi in [0, 360)
    const double psi = t.phs + t.phl;
    const auto add = [&](double target) {
        const double phi = std::fmod(std::fmod(psi - target, 360) + 360, 360);
        return t.gs * t.gl == 0 ? kNull : phi * lg / 720;
    };
    ExpectNumber(s, "add_for_max_mm", std::isnan(lg) ? kNull : add(0));
    ExpectNumber(s, "add_for_min_mm", std::isnan(lg) ? kNull : add(180));
    // 720 deg L |1/lg(f + df) - 1/lg(f - df)|, L in mm; none where f - df is below cut-off
    const double lo = GuideMm(t.fMHz - t.spanMHz, t.aMm, t.vf), hi = GuideMm(t.fMHz + t.spanMHz, t.aMm, t.vf);
    const double spread = std::isnan(lg) || std::isnan(lo) ? kNull : 720 * t.lengthM * 1000 * std::fabs(1 / hi - 1 / lo);
    ExpectNumber(s, "phase_spread_deg", spread, 1e-7);

    // A uniform line phase theta: Pload = K / |1 - r e^(j theta)|^2 with
    // K = Pmatch (1 - |Gl|^2), r = |Gs Gl|. Mean K / (1 - r^2); deviation
    // K sqrt(2 r^2 / (1 - r^2)^3); the p-quantile K / (1 + r^2 + 2 r cos(pi p)).
    const double pmatch = 4000 * 3 * 0.85;
    const double k = pmatch * (1 - t.gl * t.gl), rr = t.gs * t.gl;
    ExpectNumber(s, "mean_absorbed_w", k / (1 - rr * rr));
    ExpectNumber(s, "absorbed_deviation_w", k * std::sqrt(2 * rr * rr / std::pow(1 - rr * rr, 3)));
    const auto quantile = [&](double p) { return k / (1 + rr * rr + 2 * rr * std::cos(std::numbers::pi * p)); };
    ExpectNumber(s, "absorbed_p2_5_w", quantile(0.025));
    ExpectNumber(s, "absorbed_p97_5_w", quantile(0.975));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineOptions,
    ::testing::Values(
        // WR340 at 2450 MHz: l0 = 122.3643 mm, l0 / 2a = 0.708455, lg = 173.38 mm
        TLineCase{"WR340 by default, a length given", {"--length", "0"}, 2450, 86.36, 1, 0, 0, 0.2, 0, 0.5, 90, 173.38},
        TLineCase{"WR340 named", {"--line", "WR340"}, 2450, 86.36, 1, 0, 0, 0.2, 0, 0.5, 90, 173.38},
        // WR430 at 2450 MHz: l0 / 2a = 0.560173, lg = 147.72 mm
        TLineCase{"WR430 with a span", {"--line", "wr430", "--length", "3", "--span", "10"}, 2450, 109.22, 1, 3, 10, 0.2, 0,
                  0.5, 90, 147.72},
        // WR284 at 2450 MHz: l0 / 2a = 0.848150, lg = 230.98 mm
        TLineCase{"WR284", {"--line", "WR284", "--load", "0.7@-30", "--source", "0.3@100"}, 2450, 72.136, 1, 0, 0, 0.3, 100,
                  0.7, -30, 230.98},
        // WR975 at 915 MHz: l0 = 327.642 mm, l0 / 2a = 0.661502, lg = 436.89 mm
        TLineCase{"WR975 at 915 MHz", {"--line", "WR975", "--frequency", "915", "--length", "2", "--span", "2"}, 915, 247.65, 1,
                  2, 2, 0.2, 0, 0.5, 90, 436.89},
        TLineCase{"WR975 below cut-off", {"--line", "WR975", "--frequency", "500"}, 500, 247.65, 1, 0, 0, 0.2, 0, 0.5, 90, 0},
        TLineCase{"span reaching below cut-off", {"--line", "WR340", "--length", "1", "--span", "800"}, 2450, 86.36, 1, 1, 800,
                  0.2, 0, 0.5, 90, 173.38},
        TLineCase{"custom waveguide", {"--line", "waveguide:100", "--frequency", "2000"}, 2000, 100, 1, 0, 0, 0.2, 0, 0.5, 90,
                  0},
        // coax, vf 0.66 at 2450 MHz: lg = 122.3643 * 0.66 = 80.76 mm
        TLineCase{"coax 0.66", {"--line", "coax:0.66", "--length", "2", "--span", "10"}, 2450, 0, 0.66, 2, 10, 0.2, 0, 0.5, 90,
                  80.76},
        TLineCase{"coax without a factor", {"--line", "Coax"}, 2450, 0, 1, 0, 0, 0.2, 0, 0.5, 90, 122.36},
        TLineCase{"matched load: any length", {"--line", "WR340", "--load", "0@0"}, 2450, 86.36, 1, 0, 0, 0.2, 0, 0, 0, 173.38},
        TLineCase{"strong reflections", {"--line", "WR430", "--source", "0.9@20", "--load", "swr:9@170"}, 2450, 109.22, 1, 0, 0,
                  0.9, 20, 0.8, 170, 147.72}),
    ROW_NAMES(std::string(r.name)));

TEST(LineOptions, WithoutThemTheOutputHasNoSweep)
{
    const TRun json = RunCalc({"--format", "json"});
    ASSERT_EQ(json.status, 0);
    const QJsonObject doc = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_FALSE(doc.contains("sweep"));
    EXPECT_EQ(doc.value("display").toObject().value("Guide Wavelength"), QJsonValue(QJsonValue::Undefined));
    const TRun text = RunCalc({});
    EXPECT_EQ(text.out.find("Line Sweep"), std::string::npos);
    const TRun csv = RunCalc({"--format", "csv"});
    EXPECT_EQ(csv.out.find("guide_wavelength_mm"), std::string::npos);
}

TEST(LineOptions, TextShowsThePageReadouts)
{
    const TRun r = RunCalc({"--line", "WR340", "--length", "1", "--span", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<TTextSection> sections = ParseText(r.out);
    ASSERT_FALSE(sections.empty());
    const TTextSection& s = sections.back();
    EXPECT_EQ(s.title, "Line Sweep");
    const auto value = [&](const std::string& caption) {
        for (std::size_t i = 0; i < s.captions.size(); ++i)
            if (s.captions[i] == caption) return s.cells[i].at(0);
        ADD_FAILURE() << caption;
        return std::string();
    };
    EXPECT_EQ(value("Guide Wavelength"), "173.38 mm");   // l0 / sqrt(1 - (l0 / 2a)^2)
    EXPECT_EQ(value("Length per Period"), "86.69 mm");   // lg / 2
    EXPECT_EQ(value("Add for Maximum"), "21.67 mm");     // 90 deg of Gs Gl: lg / 8
    EXPECT_EQ(value("Add for Minimum"), "65.02 mm");     // 270 deg: 3 lg / 8
    EXPECT_EQ(value("Mean Absorbed Power"), "7.73 kW");  // 10200 W * 0.75 / 0.99
    // below cut-off the lengths are n/a and the status says why
    const TRun below = RunCalc({"--line", "WR975", "--frequency", "500"});
    const std::vector<TTextSection> belowSections = ParseText(below.out);
    ASSERT_FALSE(belowSections.empty());
    const TTextSection& b = belowSections.back();
    ASSERT_EQ(b.title, "Line Sweep");
    bool statusSeen = false;
    for (std::size_t i = 0; i < b.captions.size(); ++i) {
        if (b.captions[i] == "Guide Wavelength") {
            EXPECT_EQ(b.cells[i].at(0), "n/a");
        }
        if (b.captions[i] == "Status") statusSeen = b.cells[i].at(0).find("605.27 MHz") != std::string::npos;  // c / 2a
    }
    EXPECT_TRUE(statusSeen) << below.out;
}

TEST(LineOptions, CsvHasTheNumbersAsColumns)
{
    const TRun r = RunCalc({"--line", "coax:0.5", "--format", "csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = TextLines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::string header = lines[0];
    const std::string tail = ",guide_wavelength_mm,cutoff_mhz,period_mm,add_for_max_mm,add_for_min_mm,phase_spread_deg,"
                             "mean_absorbed_w,absorbed_deviation_w,absorbed_p2_5_w,absorbed_p97_5_w";
    ASSERT_GE(header.size(), tail.size());
    EXPECT_EQ(header.substr(header.size() - tail.size()), tail);
    // the guide wavelength is l0 vf; a TEM line has no cut-off: an empty cell
    const std::string& row = lines[1];
    std::vector<std::string> cells(1);
    for (char ch : row) {
        if (ch == ',') cells.emplace_back();
        else cells.back() += ch;
    }
    ASSERT_GE(cells.size(), 10u);
    EXPECT_NEAR(std::stod(cells[cells.size() - 10]), Lambda0Mm(2450) * 0.5, 1e-9);
    EXPECT_EQ(cells[cells.size() - 9], "");
}

}  // namespace

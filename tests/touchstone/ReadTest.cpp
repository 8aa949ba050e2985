// SPDX-License-Identifier: GPL-3.0-or-later
// Files written by hand whose S is known by construction: each format, each
// parameter against its closed form, each version, order and matrix format,
// the noise block, and the forms the text may take.
#include "Touchstone.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace merivane::touchstone {
namespace {

struct Entry {
    int i, j;
    double re, im;
};

struct GoodCase {
    const char* what;
    const char* name;
    std::string text;
    std::vector<Entry> s;  // at the first frequency
    double tolerance = 1e-12;
};

const double kRootTwoThirds = std::sqrt(2.0 / 3.0);
const double kHalfRoot = 0.5 / std::sqrt(2.0);
const std::string kV2Two = "[Version] 2.0\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n[Number of Frequencies] 1\n";

// Each case reads and gives the S entries listed, within the tolerance.
const std::vector<GoodCase> kGood = {
    // formats
    {"RI", "a.s1p", "# GHz S RI R 50\n1 0.3 -0.4\n", {{1, 1, 0.3, -0.4}}},
    {"MA quarter turn exact", "a.s1p", "# GHz S MA R 50\n1 0.5 90\n", {{1, 1, 0, 0.5}}, 0},
    {"MA half turn exact", "a.s1p", "# GHz S MA R 50\n1 1 -180\n", {{1, 1, -1, 0}}, 0},
    {"MA beyond a turn", "a.s1p", "# GHz S MA R 50\n1 2 -450\n", {{1, 1, 0, -2}}, 0},
    {"MA 45 degrees", "a.s1p", "# GHz S MA R 50\n1 0.5 45\n", {{1, 1, kHalfRoot, kHalfRoot}}},
    {"MA by default", "a.s1p", "# GHz S R 50\n1 0.5 90\n", {{1, 1, 0, 0.5}}},
    {"DB -6.0206 is 0.5", "a.s1p", "# GHz S DB R 50\n1 -6.0206 0\n", {{1, 1, 0.5, 0}}, 1e-5},
    {"DB -20 at -90", "a.s1p", "# GHz S DB R 50\n1 -20 -90\n", {{1, 1, 0, -0.1}}},
    // parameters, version 1 normalised to R
    {"Z 100 ohms is 2 at R 50", "a.s1p", "# GHz Z RI R 50\n1 2 0\n", {{1, 1, 1.0 / 3, 0}}},
    {"Z j1 gives S = j", "a.s1p", "# GHz Z RI R 50\n1 0 1\n", {{1, 1, 0, 1}}},
    {"Y 0.01 S is 0.5 at R 50", "a.s1p", "# GHz Y RI R 50\n1 0.5 0\n", {{1, 1, 1.0 / 3, 0}}},
    {"Y series 100 ohms", "a.s2p", "# GHz Y RI R 50\n1 0.5 0 -0.5 0 -0.5 0 0.5 0\n",
     {{1, 1, 0.5, 0}, {2, 1, 0.5, 0}, {1, 2, 0.5, 0}, {2, 2, 0.5, 0}}},
    {"Z shunt 25 ohms", "a.s2p", "# GHz Z RI R 50\n1 0.5 0 0.5 0 0.5 0 0.5 0\n",
     {{1, 1, -0.5, 0}, {2, 1, 0.5, 0}, {1, 2, 0.5, 0}, {2, 2, -0.5, 0}}},
    {"H series 100 ohms", "a.s2p", "# GHz H RI R 50\n1 2 0 -1 0 1 0 0 0\n",
     {{1, 1, 0.5, 0}, {2, 1, 0.5, 0}, {1, 2, 0.5, 0}, {2, 2, 0.5, 0}}},
    {"G shunt 25 ohms", "a.s2p", "# GHz G RI R 50\n1 2 0 1 0 -1 0 0 0\n",
     {{1, 1, -0.5, 0}, {2, 1, 0.5, 0}, {1, 2, 0.5, 0}, {2, 2, -0.5, 0}}},
    // parameters, version 2 in ohms and siemens against 50 and 75 ohms
    {"v2 Z 100 ohms", "a.ts", "[Version] 2.0\n# GHz Z RI R 50\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
                              "[Network Data]\n1 100 0\n[End]\n", {{1, 1, 1.0 / 3, 0}}},
    {"v2 Y series 25 ohms, 50|75", "a.ts", "[Version] 2.0\n# GHz Y RI\n" + kV2Two.substr(14) +
                                               "[Reference] 50 75\n[Network Data]\n1 0.04 0 -0.04 0 -0.04 0 0.04 0\n",
     {{1, 1, 1.0 / 3, 0}, {2, 2, 0, 0}, {2, 1, kRootTwoThirds, 0}, {1, 2, kRootTwoThirds, 0}}},
    {"v2 H series 25 ohms, 50|75", "a.ts", "[Version] 2.0\n# GHz H RI\n" + kV2Two.substr(14) +
                                               "[Reference] 50 75\n[Network Data]\n1 25 0 1 0 -1 0 0 0\n",
     {{1, 1, 1.0 / 3, 0}, {2, 2, 0, 0}, {2, 1, kRootTwoThirds, 0}, {1, 2, kRootTwoThirds, 0}}},
    {"v2 G shunt 25 ohms, 50|75", "a.ts", "[Version] 2.0\n# GHz G RI\n" + kV2Two.substr(14) +
                                              "[Reference] 50 75\n[Network Data]\n1 0.04 0 -1 0 1 0 0 0\n",
     {{1, 1, -5.0 / 11, 0}, {2, 2, -7.0 / 11, 0}, {2, 1, 2 * std::sqrt(3750.0) / 275, 0}}},
    {"v2 Z shunt 25 ohms, 50|75", "a.ts", "[Version] 2.0\n# GHz Z RI\n" + kV2Two.substr(14) +
                                              "[Reference]\n50\n75\n[Network Data]\n1 25 0 25 0 25 0 25 0\n",
     {{1, 1, -5.0 / 11, 0}, {2, 2, -7.0 / 11, 0}, {1, 2, 2 * std::sqrt(3750.0) / 275, 0}}},
    // two-port orders
    {"v1 N11 N21 N12 N22", "a.s2p", "# GHz S RI R 50\n1 0.11 0 0.21 0 0.12 0 0.22 0\n",
     {{1, 1, 0.11, 0}, {2, 1, 0.21, 0}, {1, 2, 0.12, 0}, {2, 2, 0.22, 0}}},
    {"v2 12_21", "a.s2p", kV2Two + "# GHz S RI R 50\n[Network Data]\n1 0.11 0 0.12 0 0.21 0 0.22 0\n[End]\n",
     {{2, 1, 0.21, 0}, {1, 2, 0.12, 0}}},
    {"v2 21_12", "a.s2p", "[Version] 2.1\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n[Number of Frequencies] 1\n"
                          "[Network Data]\n1 0.11 0 0.21 0 0.12 0 0.22 0\n", {{2, 1, 0.21, 0}, {1, 2, 0.12, 0}}},
    // matrix formats, three ports
    {"v1 3-port row by row", "a.s3p", "# GHz S RI R 50\n1 .11 0 .12 0 .13 0\n .21 0 .22 0 .23 0\n .31 0 .32 0 .33 0\n",
     {{1, 2, .12, 0}, {2, 1, .21, 0}, {3, 1, .31, 0}, {2, 3, .23, 0}}},
    {"v2 Full", "a.ts", "[Version] 2.0\n# GHz S RI R 50\n[Number of Ports] 3\n[Number of Frequencies] 1\n[Matrix Format] full\n"
                        "[Network Data]\n1 .11 0 .12 0 .13 0\n .21 0 .22 0 .23 0\n .31 0 .32 0 .33 0\n[End]\n",
     {{1, 3, .13, 0}, {3, 1, .31, 0}, {3, 3, .33, 0}}},
    {"v2 Lower", "a.ts", "[Version] 2.0\n# GHz S RI R 50\n[Number of Ports] 3\n[Number of Frequencies] 1\n[Matrix Format] Lower\n"
                         "[Network Data]\n1 .11 0\n .21 0 .22 0\n .31 0 .32 0 .33 0\n[End]\n",
     {{1, 1, .11, 0}, {2, 1, .21, 0}, {1, 2, .21, 0}, {1, 3, .31, 0}, {2, 3, .32, 0}, {3, 3, .33, 0}}},
    {"v2 Upper", "a.ts", "[Version] 2.0\n# GHz S RI R 50\n[Number of Ports] 3\n[Number of Frequencies] 1\n[Matrix Format] UPPER\n"
                         "[Network Data]\n1 .11 0 .12 0 .13 0\n .22 0 .23 0\n .33 0\n[End]\n",
     {{1, 2, .12, 0}, {2, 1, .12, 0}, {3, 1, .13, 0}, {3, 2, .23, 0}, {2, 2, .22, 0}}},
    // the forms of the text
    {"continuation lines", "a.s2p", "# GHz S RI R 50\n1 0.11 0\n 0.21 0 0.12\n 0 0.22 0\n", {{2, 1, 0.21, 0}, {2, 2, 0.22, 0}}},
    {"5 ports, four pairs a line", "a.s5p", [] {
         std::string t = "# GHz S RI R 50\n1";
         for (int i = 1; i <= 5; ++i) t += " 0." + std::to_string(i) + "1 0 0 0 0 0 0 0\n 0." + std::to_string(i) + "5 0\n";
         return t;
     }(), {{1, 1, 0.11, 0}, {5, 5, 0.55, 0}, {3, 1, 0.31, 0}, {2, 5, 0.25, 0}}},
    {"tabs, CRLF, BOM", "a.s1p", "\xEF\xBB\xBF! made\r\n#\tGHz\tS\tRI\tR\t50\r\n1\t0.3\t-0.4\r\n", {{1, 1, 0.3, -0.4}}},
    {"lone CR", "a.s1p", "# GHz S RI R 50\r1 0.3 -0.4\r", {{1, 1, 0.3, -0.4}}},
    {"Latin-1 comments", "a.s1p", "! Me\xDF" "daten \xB5W \xE9t\xE9\n# GHz S RI R 50 ! \xFF\xFE\n1 0.3 -0.4 ! \xA9\n",
     {{1, 1, 0.3, -0.4}}},
    {"upper-case extension", "LOAD.S1P", "# GHz S RI R 50\n1 0.3 -0.4\n", {{1, 1, 0.3, -0.4}}},
    {"second option line ignored", "a.s1p", "# GHz S RI R 50\n# Hz Z DB R 75\n1 0.3 -0.4\n", {{1, 1, 0.3, -0.4}}},
    {"fields in any order and case", "a.s1p", "  # ri r 50 s ghz\n1 0.3 -0.4\n", {{1, 1, 0.3, -0.4}}},
    {"R 50 and a space", "a.s1p", "# GHz S RI R 50 \n1 0.3 -0.4\n", {{1, 1, 0.3, -0.4}}},
    {"v2 keywords of a later version skipped", "a.ts",
     "[Version] 2.1\n[Begin Information]\n[Manufacturer] ACME\nanything 1 2\n[End Information]\n# GHz S RI R 50\n"
     "[Number of Ports] 1\n[Some Keyword] 3\n4 5 6\n[Number of Frequencies] 1\n[Network Data]\n1 0.3 -0.4\n[End]\n1 2 3\n",
     {{1, 1, 0.3, -0.4}}},
};

TEST(TouchstoneRead, HandWrittenFilesGiveTheirS)
{
    for (const GoodCase& c : kGood) {
        SCOPED_TRACE(c.what);
        const TReadResult r = ReadTouchstone(c.text, c.name);
        ASSERT_TRUE(r.ok()) << r.error;
        ASSERT_EQ(r.network->frequencyHz.size(), 1u);
        ASSERT_EQ(r.network->s.size(), static_cast<std::size_t>(r.network->ports * r.network->ports));
        for (const Entry& e : c.s) {
            EXPECT_NEAR(r.network->S(0, e.i, e.j).real(), e.re, c.tolerance) << "S" << e.i << e.j;
            EXPECT_NEAR(r.network->S(0, e.i, e.j).imag(), e.im, c.tolerance) << "S" << e.i << e.j;
        }
    }
}

TEST(TouchstoneRead, UnitsScaleTheFrequencyInTheDecimalText)
{
    const struct {
        const char* unit;
        const char* written;
        double hz;
    } rows[] = {{"Hz", "12.5", 12.5}, {"kHz", "1.5", 1500}, {"MHz", "1234.5678", 1234567800}, {"GHz", "2.45", 2.45e9},
                {"ghz", "0.1", 1e8}, {"MHz", "1e3", 1e9}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.unit + std::string(" ") + row.written);
        const TReadResult r = ReadTouchstone("# " + std::string(row.unit) + " S RI\n" + row.written + " 0 0\n", "a.s1p");
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.network->frequencyHz[0], row.hz);
    }
}

// Every number is the double nearest its decimal text, as std::from_chars
// has it: few digits or many, any exponent, "+" or not, leading zeros.
TEST(TouchstoneRead, NumbersAreTheDoublesNearestTheirText)
{
    std::mt19937 g(11);
    const auto digits = [&](int count) {
        std::string d;
        for (int i = 0; i < count; ++i) d += static_cast<char>('0' + g() % 10);
        return d;
    };
    std::vector<std::string> texts;
    while (texts.size() < 4000) {
        std::string t = digits(1 + static_cast<int>(g() % 18));
        if (g() % 3 != 0) t.insert(g() % (t.size() + 1), ".");
        if (g() % 2 == 0) t += (g() % 2 ? "e" : "E") + std::to_string(static_cast<int>(g() % 81) - 40);
        if (g() % 4 == 0) t.insert(0, g() % 2 ? "-" : "+");
        texts.push_back(t);
    }
    std::string file = "# Hz S RI R 50\n";
    for (std::size_t k = 0; k < texts.size(); k += 2) file += std::to_string(k) + " " + texts[k] + " " + texts[k + 1] + "\n";
    const TReadResult r = ReadTouchstone(file, "n.s1p");
    ASSERT_TRUE(r.ok()) << r.error;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const std::string& t = texts[k];
        const std::size_t from = t[0] == '+' ? 1 : 0;
        double expected = 0;
        std::from_chars(t.data() + from, t.data() + t.size(), expected);
        const std::complex<double> v = r.network->s[k / 2];
        EXPECT_EQ(k % 2 ? v.imag() : v.real(), expected) << t;
    }
}

TEST(TouchstoneRead, VersionReferencesAndRepeatedFrequencies)
{
    const struct {
        const char* name;
        std::string text;
        const char* version;
        std::vector<double> refs, hz;
    } rows[] = {
        {"a.s2p", "# MHz S MA R 75\n1 0 0 0 0 0 0 0 0\n1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n", "1.0", {75, 75}, {1e6, 1e6, 2e6}},
        {"a.s2p", "# MHz S MA R 50 75\n1 0 0 0 0 0 0 0 0\n", "1.1", {50, 75}, {1e6}},
        {"a.s1p", "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 2\n[Network Data]\n1 0 0\n3 0 0\n", "2.0",
         {50}, {1e9, 3e9}},
        {"a.ts", "[Version] 2.1\n# Hz S RI R 50 60\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n[Reference] 40 30\n"
                 "[Number of Frequencies] 1\n[Network Data]\n5 0 0 0 0 0 0 0 0\n", "2.1", {40, 30}, {5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const TReadResult r = ReadTouchstone(row.text, row.name);
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.network->version, row.version);
        EXPECT_EQ(r.network->referenceOhm, row.refs);
        EXPECT_EQ(r.network->frequencyHz, row.hz);
        EXPECT_FALSE(r.network->noise.has_value());
    }
}

// Rn is normalised to R in version 1 and in ohms in version 2: both say 20 ohms.
TEST(TouchstoneRead, NoiseBlockOfBothVersions)
{
    const std::string records = "1 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0\n";
    const std::string noise = "0.5 1.2 0.3 45 R\n0.5 1.3 0.35 50 R\n1.5 1.4 0.4 55 R\n";
    const auto with = [&](const std::string& rn) {
        std::string t = noise;
        for (std::size_t p; (p = t.find('R')) != std::string::npos;) t.replace(p, 1, rn);
        return t;
    };
    const std::string v1 = "# GHz S MA R 50\n" + records + with("0.4");
    const std::string v2 = "[Version] 2.0\n# GHz S MA R 50\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n"
                           "[Number of Frequencies] 2\n[Number of Noise Frequencies] 3\n[Network Data]\n" + records +
                           "[Noise Data]\n" + with("20") + "[End]\n";
    for (const std::string& text : {v1, v2}) {
        SCOPED_TRACE(text);
        const TReadResult r = ReadTouchstone(text, "amp.s2p");
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.network->frequencyHz, (std::vector<double>{1e9, 2e9}));
        ASSERT_TRUE(r.network->noise.has_value());
        ASSERT_EQ(r.network->noise->size(), 3u);
        EXPECT_EQ(r.network->noise->front(), (TNoisePoint{0.5e9, 1.2, 0.3, 45, 20}));
        EXPECT_EQ(r.network->noise->back().frequencyHz, 1.5e9);
        EXPECT_DOUBLE_EQ(r.network->noise->back().rnOhm, 20);
    }
}

}  // namespace
}  // namespace merivane::touchstone

// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged files are refused, never half read: the message names the file,
// the line and what was expected there.
#include "Touchstone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace merivane::touchstone {
namespace {

struct Damaged {
    const char* name;
    std::string text;
    int line;                         // 0: the file as a whole
    std::vector<const char*> words;  // each in the message
};

const std::string kOne = "# GHz S RI R 50\n";
const std::string kTwoPortV2 = "[Version] 2.0\n# GHz S RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n";
const std::string kRecord2 = "1 0 0 0 0 0 0 0 0\n";

const std::vector<Damaged> kDamaged = {
    // the records
    {"a.s2p", kOne + "1 0.1 0 0.2 0\n 0.3 0\n", 2, {"8 numbers after the frequency \"1\" were expected, 6 were found"}},
    {"load.s1p", kOne + "1 0.5 0\n2 abc 0\n", 3, {"a number was expected, \"abc\" was found"}},
    {"a.s1p", kOne + "1 nan 0\n", 2, {"a number was expected", "\"nan\""}},
    {"a.s1p", kOne + "1 0 inf\n", 2, {"a number was expected", "\"inf\""}},
    {"a.s1p", kOne + "1 0 -Infinity\n", 2, {"\"-Infinity\""}},
    {"a.s1p", kOne + "1 1e999 0\n", 2, {"a number was expected", "\"1e999\""}},
    {"a.s1p", "# GHz S DB R 50\n1 7000 0\n", 2, {"a value within the range of a double was expected, \"0\""}},
    {"a.s1p", kOne + "1 0,5 0\n", 2, {"a number was expected", "\"0,5\""}},
    {"a.s1p", kOne + "1 0x10 1.5.3\n", 2, {"\"0x10\""}},
    {"a.s1p", kOne + std::string("\x00\xFF 1 2\n", 7), 2, {"a frequency was expected, \"\\x00\\xFF\" was found"}},
    {"a.s1p", kOne + "-1 0 0\n", 2, {"a frequency of 0 or more was expected"}},
    {"a.s1p", kOne + "2 0 0\n1 0 0\n", 3, {"a frequency not below the one before (2) was expected, \"1\" was found"}},
    {"a.s3p", kOne + "2" + std::string(18, ' ') + "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n1.5 " + std::string(36, '0'), 3,
     {"not below the one before (2)"}},
    {"a.s2p", kOne + kRecord2 + "0.5 1 0.3 45 0.4\n0.4 1 0.3 45 0.4\n", 4, {"not below the one before (0.5)"}},
    {"a.s2p", kOne + kRecord2 + "0.5 1 0.3 45\n", 3, {"4 noise values after the frequency \"0.5\" were expected, 3"}},
    {"a.s1p", "# GHz Z RI R 50\n1 -1 0\n", 2, {"a Z matrix with an S was expected at 1 GHz, a singular one"}},
    // the option line
    {"a.s1p", "# GHz X RI R 50\n1 0 0\n", 1, {"a parameter (S, Y, Z, H, G)", "\"X\" was found"}},
    {"a.s1p", "# GHz S XY R 50\n", 1, {"a format (RI, MA, DB)", "\"XY\""}},
    {"a.s1p", "# THz S RI R 50\n", 1, {"a frequency unit (Hz, kHz, MHz, GHz)", "\"THz\""}},
    {"a.s1p", "# GHz S RI MHz\n", 1, {"one frequency unit was expected on the option line, a second was found"}},
    {"a.s1p", "# GHz S RI R -50\n1 0 0\n", 1, {"a reference resistance above 0 ohms was expected, \"-50\""}},
    {"a.s1p", "# GHz S RI R 0\n", 1, {"above 0 ohms", "\"0\""}},
    {"a.s1p", "# GHz S RI R\n", 1, {"a reference resistance in ohms after R was expected, nothing was found"}},
    {"a.s3p", "# GHz S RI R 50 75\n1", 1, {"1 or 3 reference resistances were expected after R, 2 were found"}},
    {"a.s1p", "# GHz H RI R 50\n1 0 0\n", 1, {"a two-port was expected for H parameters, a file of 1 ports"}},
    {"a.s1p", "1 0 0\n# GHz S RI R 50\n", 2, {"the option line was expected before the network data"}},
    // no data, and the port count
    {"a.s1p", "", 0, {"a.s1p: network data were expected, the file holds none"}},
    {"a.s1p", "! only a comment\n\n", 0, {"network data were expected"}},
    {"a.s1p", kOne + "! nothing\n", 0, {"network data were expected, none were found"}},
    {"load.s999999999p", kOne + "1 0 0\n", 0, {"a port count from 1 to 10000 was expected in the file name"}},
    {"load.s0p", kOne + "1 0 0\n", 0, {"a port count from 1 to 10000"}},
    {"load.txt", kOne + "1 0 0\n", 0, {"a file name ending in .sNp", "\"load.txt\""}},
    {"a.ts", kOne + "1 0 0\n", 1, {"[Version] was expected on the first line of a .ts file"}},
    {"a.s1p", kOne + "[Number of Ports] 1\n", 2, {"a keyword belongs to a version 2 file", "\"[Number\""}},
    // version 2
    {"a.ts", "[Version] 3.0\n", 1, {"a version, 2.0 or 2.1 was expected, \"3.0\" was found"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 0\n", 2, {"a port count from 1 to 10000 was expected, \"0\""}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 100000000\n", 2, {"a port count from 1 to 10000", "\"100000000\""}},
    {"a.s2p", "[Version] 2.0\n[Number of Ports] 3\n", 2, {"2 ports, as the file name says, was expected, \"3\""}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 3\n[Network Data]\n1 0 0\n2 0 0\n[End]\n", 7,
     {"[Number of Frequencies] gives 3, so 3 frequencies were expected, 2 were found"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 1\n[Network Data]\n1 0 0\n2 0 0\n", 6,
     {"[Number of Frequencies] gives 1, a further frequency was found: \"2\""}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 1\n[Network Data]\n1 0 0\n0.5 0 0\n", 6,
     {"not below the one before (1)"}},
    {"a.ts", kTwoPortV2 + "[Number of Frequencies] 1\n[Number of Noise Frequencies] 2\n[Network Data]\n" + kRecord2 +
                 "[Noise Data]\n1 1 0.3 45 20\n[End]\n", 11, {"[Number of Noise Frequencies] gives 2, so 2 frequencies"}},
    {"a.ts", kTwoPortV2 + "[Number of Frequencies] 1\n[Network Data]\n" + kRecord2 + "[Noise Data]\n", 8,
     {"[Number of Noise Frequencies] was expected before [Noise Data]"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 3\n[Number of Frequencies] 1\n[Number of Noise Frequencies] 1\n"
             "[Network Data]\n1" + std::string(36, ' ') + "\n[Noise Data]\n", 7, {"of a two-port only, this file has 3 ports"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 2\n[Number of Frequencies] 1\n[Network Data]\n", 4,
     {"[Two-Port Data Order] was expected before [Network Data]"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 2\n[Two-Port Data Order] 12-21\n", 3, {"12_21 or 21_12 was expected, \"12-21\""}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 1\n[Network Data]\n", 3, {"[Number of Frequencies] was expected before"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 1\n[Matrix Format] Diagonal\n", 3, {"Full, Lower or Upper was expected"}},
    {"a.ts", kTwoPortV2 + "[Mixed-Mode Order] D2,1 C2,1\n", 5, {"mixed-mode files are not supported"}},
    {"a.ts", kTwoPortV2 + "[Reference] 50\n[Number of Frequencies] 1\n", 6,
     {"2 reference resistances after [Reference] was expected, \"[number of frequencies]\""}},
    {"a.ts", kTwoPortV2 + "[Reference] 50 -75\n", 5, {"a reference resistance above 0 ohms was expected, \"-75\""}},
    {"a.ts", "[Version] 2.0\n[Reference] 50\n", 2, {"[Number of Ports] was expected before [Reference]"}},
    {"a.ts", "[Version] 2.0\n[Begin Information]\n[Number of Ports] 1\n", 3, {"[End Information] was expected"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 2\n[Network Data]\n1 0 0\n"
             "[Begin Information]\n[End Information]\n2 0 0\n", 6, {"2 frequencies were expected, 1 was found"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 1\n[End]\n", 0, {"[Network Data] was expected"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 1\n[Network Data]\n1 0 0\n[Network Data]\n", 6,
     {"one [Network Data] was expected, a second was found"}},
    {"a.ts", "[Version] 2.0\n[Number of Ports\n", 2, {"a keyword closed by \"]\" was expected"}},
    {"a.ts", "[Version] 2.0\n1 0 0\n", 2, {"a keyword in brackets or the option line before [Network Data]"}},
};

TEST(TouchstoneDamaged, RefusedWithFileLineAndWhatWasExpected)
{
    for (const Damaged& d : kDamaged) {
        SCOPED_TRACE(std::string(d.name) + ": " + d.text);
        const TReadResult r = ReadTouchstone(d.text, d.name);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.line, d.line) << r.error;
        const std::string where = d.line > 0 ? std::string(d.name) + ", line " + std::to_string(d.line) + ": "
                                             : std::string(d.name) + ": ";
        EXPECT_EQ(r.error.rfind(where, 0), 0u) << r.error;
        for (const char* word : d.words) EXPECT_NE(r.error.find(word), std::string::npos) << r.error;
    }
}

}  // namespace
}  // namespace merivane::touchstone

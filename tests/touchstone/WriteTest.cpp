// SPDX-License-Identifier: GPL-3.0-or-later
// What is written reads back bit for bit; numbers are in the C form under
// any locale; the file on disk and its name.
#include "Touchstone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace merivane::touchstone {
namespace {

std::uint64_t Bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// Any finite double: every sign, binade and subnormal alike.
double AnyFinite(std::mt19937_64& g)
{
    for (;;) {
        const double x = std::bit_cast<double>(g());
        if (std::isfinite(x)) return x;
    }
}

// Frequencies as they come, 1 Hz to 1 THz, and any positive double.
std::vector<double> Frequencies(std::mt19937_64& g, std::size_t count)
{
    std::uniform_real_distribution<double> decades(0, 12);
    std::vector<double> hz{0.0};
    while (hz.size() < count) hz.push_back(hz.size() % 4 == 0 ? std::abs(AnyFinite(g)) : std::pow(10.0, decades(g)));
    std::sort(hz.begin(), hz.end());
    return hz;
}

TEST(TouchstoneWrite, EveryNumberReadsBackBitForBit)
{
    std::mt19937_64 g(20261209);
    for (const int ports : {1, 2, 3, 5}) {
        SCOPED_TRACE(ports);
        TNetwork n;
        n.ports = ports;
        for (int p = 0; p < ports; ++p) n.referenceOhm.push_back(std::abs(AnyFinite(g)) + 1e-300);
        n.frequencyHz = Frequencies(g, 400);
        for (std::size_t i = 0; i < n.frequencyHz.size() * static_cast<std::size_t>(ports * ports); ++i)
            n.s.emplace_back(AnyFinite(g), AnyFinite(g));
        n.s[0] = {-0.0, 5e-324};
        const std::string name = "rt.s" + std::to_string(ports) + "p";
        const TReadResult r = ReadTouchstone(WriteTouchstone1(n), name);
        ASSERT_TRUE(r.ok()) << r.error;
        ASSERT_EQ(r.network->frequencyHz.size(), n.frequencyHz.size());
        ASSERT_EQ(r.network->s.size(), n.s.size());
        for (std::size_t k = 0; k < n.frequencyHz.size(); ++k)
            ASSERT_EQ(Bits(r.network->frequencyHz[k]), Bits(n.frequencyHz[k])) << n.frequencyHz[k];
        for (std::size_t i = 0; i < n.s.size(); ++i) {
            ASSERT_EQ(Bits(r.network->s[i].real()), Bits(n.s[i].real())) << i;
            ASSERT_EQ(Bits(r.network->s[i].imag()), Bits(n.s[i].imag())) << i;
        }
        for (int p = 0; p < ports; ++p) EXPECT_EQ(Bits(r.network->referenceOhm[p]), Bits(n.referenceOhm[p]));
    }
}

// Hz to MHz by division and back by multiplication loses the last bit of
// some frequencies; the writer's shifted decimal loses none.
TEST(TouchstoneWrite, FrequenciesInMHzReadBackWhereDividingWouldNot)
{
    std::mt19937_64 g(7);
    TNetwork n;
    n.ports = 1;
    n.referenceOhm = {50};
    n.frequencyHz = Frequencies(g, 20000);
    n.s.assign(n.frequencyHz.size(), {0.5, 0});
    int lostByDividing = 0;
    for (const double f : n.frequencyHz) {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, f / 1e6).ptr;
        double mhz = 0;
        std::from_chars(text, end, mhz);
        lostByDividing += mhz * 1e6 != f;
    }
    EXPECT_GT(lostByDividing, 100);  // the case is a real one
    const TReadResult r = ReadTouchstone(WriteTouchstone1(n), "f.s1p");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.network->frequencyHz.size(), n.frequencyHz.size());
    for (std::size_t k = 0; k < n.frequencyHz.size(); ++k)
        ASSERT_EQ(Bits(r.network->frequencyHz[k]), Bits(n.frequencyHz[k])) << n.frequencyHz[k];
}

TEST(TouchstoneWrite, TwoPortOrderReferencesAndNoise)
{
    TNetwork n;
    n.ports = 2;
    n.referenceOhm = {50, 75};
    n.frequencyHz = {1.5e9};
    n.s = {{0.11, 0}, {0.12, 0}, {0.21, 0}, {0.22, 0}};  // row by row
    n.noise = std::vector<TNoisePoint>{{1e9, 1.2, 0.3, 45, 20}, {1.25e9, 1.3, 0.35, -170, 33.3}};
    const std::string text = WriteTouchstone1(n);
    EXPECT_NE(text.find("# MHz S RI R 50 75\n1500 0.11 0 0.21 0 0.12 0 0.22 0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n1000 1.2 0.3 45 0.4\n"), std::string::npos) << text;
    const TReadResult r = ReadTouchstone(text, "amp.s2p");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.network->s, n.s);
    EXPECT_EQ(r.network->version, "1.1");
    ASSERT_TRUE(r.network->noise.has_value());
    ASSERT_EQ(r.network->noise->size(), 2u);
    EXPECT_EQ(r.network->noise->at(1).frequencyHz, 1.25e9);
    EXPECT_DOUBLE_EQ(r.network->noise->at(1).rnOhm, 33.3);  // Rn / 50 * 50: one ulp at most
}

TEST(TouchstoneLocale, NumbersReadAndWrittenInTheCFormUnderAGermanLocale)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "the locale de_DE.UTF-8 is not on this machine";
    const std::string comma = std::localeconv()->decimal_point;
    const TReadResult r = ReadTouchstone("# MHz S RI R 50\n1.5 0.25 -0.125\n", "a.s1p");
    const TReadResult refused = ReadTouchstone("# MHz S RI R 50\n1,5 0,25 -0,125\n", "a.s1p");
    const std::string text = r.ok() ? WriteTouchstone1(*r.network) : std::string();
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(comma, ",");  // the locale took hold
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.network->frequencyHz[0], 1.5e6);
    EXPECT_EQ(r.network->s[0], std::complex<double>(0.25, -0.125));
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(text.find("\n1.5 0.25 -0.125\n"), std::string::npos) << text;
}

TEST(TouchstoneFile, ReadInBinaryAndRefusedOver256MBBeforeReading)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("merivane-touchstone-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "load.S1P", std::ios::binary) << "\xEF\xBB\xBF# GHz S RI R 50\r\n1 0.3 -0.4\r\n";
    const TReadResult r = ReadTouchstoneFile(dir / "load.S1P");
    std::ofstream(dir / "big.s1p", std::ios::binary) << "# GHz S RI R 50\n1 0 0\n";
    fs::resize_file(dir / "big.s1p", kMaxFileBytes + 1);  // sparse: takes no room on the disk
    const TReadResult big = ReadTouchstoneFile(dir / "big.s1p");
    const TReadResult none = ReadTouchstoneFile(dir / "none.s1p");
    fs::remove_all(dir);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.network->s[0], std::complex<double>(0.3, -0.4));
    EXPECT_EQ(big.error, "big.s1p: a file of at most 256 MB was expected, one of 268435457 bytes was found");
    EXPECT_EQ(none.error.rfind("none.s1p: the file could not be read", 0), 0u) << none.error;
}

TEST(TouchstoneFile, PortsFromTheFileName)
{
    const struct {
        const char* name;
        std::optional<int> ports;
    } rows[] = {{"a.s1p", 1},        {"A.S2P", 2},         {"dir/x.s10P", 10},    {"C:\\m\\f.s3p", 3},
                {"a.ts", 0},         {"a.TS", 0},          {"a.s0p", {}},         {"a.s999999999p", {}},
                {"a.s10001p", {}},   {"a.s-1p", {}},       {"a.sp", {}},          {"a.s2", {}},
                {"s2p", {}},         {"a.txt", {}},        {"a.s2p.txt", {}},     {"a.s10000p", 10000}};
    for (const auto& row : rows) EXPECT_EQ(PortsFromFileName(row.name), row.ports) << row.name;
}

}  // namespace
}  // namespace merivane::touchstone

#include "Texts.h"

#include "Conversions.h"
#include "Model.h"
#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace merivane::present {

std::string Fixed(double x, int decimals) { return FormatReal(x, decimals); }

std::string MagnitudeText(double mag)
{
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, mag + 0.0, std::chars_format::fixed, 4);
    return ec == std::errc() ? std::string(buf, end) : FormatReal(mag, 4);
}

std::string DbStr(double x)
{
    const double a = std::fabs(x);
    if (!(a < kInfinity)) return "+oo";
    if (!(a > 1e-16)) return "-oo";
    return FormatReal(RatioToDb(x), 2);
}

std::string RlossStr(double r)
{
    if (!(r > -160)) return "-oo";
    if (r >= kInfinity) return "+oo";
    return FormatReal(r, 2);
}

std::string SwrStr(double s)
{
    if (s < 9999) return FormatReal(s, 3);
    return "+oo";
}

}  // namespace merivane::present

// The host formats a drawn number without printf where the rounding is
// certain; it must print exactly what the printf rule gives, ties and edges
// included.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "xphost.h"

namespace {

// The rule as measured, with printf doing the rounding: no '+', and in the
// padded style the integer part zero-filled to `digits`.
std::string Reference(double value, int digits, int decimals, int /*showSign*/, bool padded = false)
{
    decimals = std::max(0, std::min(decimals, 20));
    digits = std::max(0, std::min(digits, 64));
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
    const bool negative = value < 0 && std::strspn(buf, "0.") != std::strlen(buf);
    std::string body = buf;
    const size_t dot = body.find('.');
    const std::string whole = dot == std::string::npos ? body : body.substr(0, dot);
    std::string out = negative ? "-" : "";
    if (padded && std::isfinite(value) && static_cast<int>(whole.size()) < digits)
        out.append(digits - whole.size(), '0');
    return out + body;
}

TEST(Numbers, PrintedAsPrintfRoundsThemTiesAndEdgesIncluded)
{
    const double edges[] = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 0.05, 0.15, 0.25, 0.35, 1.005, 2.675,
                            -0.04, -0.05, 0.045, 9.995, 99.5, 999999.5, 1e-300, -1e-300, 123456789.987654321,
                            4503599627370495.5, 9007199254740993.0, 1e15, 1e16, 1e22, 1e300, -1e300,
                            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::max()};
    for (bool padded : {false, true}) {
        xphost::set_number_style(padded ? xphost::NumberStyle::ZeroPadded : xphost::NumberStyle::Plain);
        for (double v : edges)
            for (int decimals : {0, 1, 2, 3, 4, 9, 10, 20, -1, 25})
                for (int digits : {0, 3, 70})
                    EXPECT_EQ(xphost::format_number(v, digits, decimals, 1), Reference(v, digits, decimals, 1, padded))
                        << v << " with " << decimals << " decimals";
    }
    xphost::set_number_style(xphost::NumberStyle::Plain);

    // float values as the plug-in passes them, in every range the pages show
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> exponent(-6.0, 16.0);
    std::uniform_int_distribution<int> places(0, 9);
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, exponent(random));
        const double v = static_cast<float>((i % 2 ? -1 : 1) * magnitude);
        const int decimals = places(random);
        const std::string got = xphost::format_number(v, 4, decimals, i % 3 == 0);
        if (got != Reference(v, 4, decimals, i % 3 == 0)) {
            ADD_FAILURE() << v << " with " << decimals << " decimals: " << got;
            if (++checked > 10)
                break;
        }
    }
    // decimal ties that are exact in binary, the hardest case for a shortcut
    for (int n = 0; n < 4096; ++n) {
        const double v = n / 8.0;
        for (int decimals = 0; decimals < 4; ++decimals)
            EXPECT_EQ(xphost::format_number(v, 0, decimals, 0), Reference(v, 0, decimals, 0)) << v;
    }
}

}  // namespace

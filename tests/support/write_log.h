// tests/support/write_log.h: the host's write log as short readable lines, so a
// test can compare what the plug-in wrote, in order and value, in one assertion.
// A line is "name: v1 v2 ..." with the path's last component as the name,
// "name@offset" for arrays written from an offset above 0, integers as
// integers and floats to nine significant digits (exact for single precision).
#pragma once
#include <cstdio>
#include <set>
#include <string>
#include <vector>
#include "xphost.h"

inline std::string WriteLine(const xphost::Write& w)
{
    std::string name = w.path.substr(w.path.find_last_of('/') + 1);
    if (w.offset > 0)
        name += "@" + std::to_string(w.offset);
    std::string line = name + ":";
    const bool ints = (w.type & (xplmType_Int | xplmType_IntArray)) != 0;
    for (double v : w.values) {
        char buf[40];
        if (ints)
            std::snprintf(buf, sizeof buf, " %d", static_cast<int>(v));
        else if (w.type & xplmType_Double)
            std::snprintf(buf, sizeof buf, " %.17g", v);
        else
            std::snprintf(buf, sizeof buf, " %.9g", static_cast<double>(static_cast<float>(v)));
        line += buf;
    }
    return line;
}

// Every write from log index `from` on, optionally only to the given paths.
inline std::vector<std::string> WriteLines(size_t from = 0, const std::set<std::string>& paths = {})
{
    std::vector<std::string> out;
    const auto& log = xphost::writes();
    for (size_t i = from; i < log.size(); ++i) {
        if (paths.empty() || paths.count(log[i].path))
            out.push_back(WriteLine(log[i]));
    }
    return out;
}

// Writes made at or after simulated time t.
inline std::vector<std::string> WriteLinesSince(double t)
{
    std::vector<std::string> out;
    for (const auto& w : xphost::writes()) {
        if (w.time >= t)
            out.push_back(WriteLine(w));
    }
    return out;
}

// Nine significant digits of a float, as WriteLine prints it.
inline std::string F9(float v)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

// The fixed payload the first action writes five seconds after loading an aircraft.
inline std::vector<std::string> FirstActionPayload(const char* description)
{
    xphost::load_aircraft(description);
    xphost::clear_writes();
    xphost::advance(5.3);
    return WriteLines(0, {"sim/flightmodel/weight/m_fixed"});
}

// tests/chaos/prefs_file.cpp
#include "chaos/prefs_file.h"
#include <sys/stat.h>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>
#include <algorithm>

namespace {

enum { Records = 11, RecordValues = 14, ReadBuffer = 65536, TokenMax = 400 };

std::string Fixed(double v)
{
    std::vector<char> buf(400);
    std::snprintf(buf.data(), buf.size(), "%f", v);
    return buf.data();
}

std::string Record(const double (&v)[RecordValues])
{
    std::string line;
    for (double x : v)
        line += Fixed(x) + " ";
    return line + "\n";
}

bool Digits(const std::string& s, size_t from, size_t to)
{
    if (from >= to)
        return false;
    for (size_t i = from; i < to; ++i)
        if (s[i] < '0' || s[i] > '9')
            return false;
    return true;
}

// "%d": an optional minus, digits, no superfluous leading zero.
bool IntWord(const std::string& w, long long* value)
{
    const size_t start = !w.empty() && w[0] == '-' ? 1 : 0;
    if (!Digits(w, start, w.size()) || (w.size() - start > 1 && w[start] == '0') || w.size() > 11)
        return false;
    *value = std::strtoll(w.c_str(), nullptr, 10);
    return *value >= INT_MIN && *value <= INT_MAX;
}

// "%f": an optional minus, digits, a point and six decimals.
bool FixedWord(const std::string& w)
{
    const size_t start = !w.empty() && w[0] == '-' ? 1 : 0;
    const size_t dot = w.find('.');
    return dot != std::string::npos && Digits(w, start, dot) && w.size() == dot + 7 && Digits(w, dot + 1, w.size());
}

// A line of words, each followed by one blank.
bool Words(const std::string& line, std::vector<std::string>* words)
{
    words->clear();
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t blank = line.find(' ', pos);
        if (blank == std::string::npos || blank == pos)
            return false;
        words->push_back(line.substr(pos, blank - pos));
        pos = blank + 1;
    }
    return !words->empty();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::string DefaultPrefsText()
{
    std::string text = "120 \n115 \n1 0 0 0 0 0 \n";
    text += Record({30, 0, 100000, 0, 0, 0, 0, 0, 0, 0, 15, 0, 90, 0});
    for (int i = 1; i < Records; ++i)
        text += Record({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    return text + "0 \n0 \n";
}

bool DocumentedForm(const std::string& text, std::string* why)
{
    auto fail = [&](int line, const std::string& what) {
        if (why)
            *why = "line " + std::to_string(line) + ": " + what;
        return false;
    };
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            return fail(static_cast<int>(lines.size()) + 1, "no line feed at the end");
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    if (lines.size() != 16)
        return fail(static_cast<int>(lines.size()), "16 lines expected");
    std::vector<std::string> w;
    long long v = 0;
    if (!Words(lines[0], &w) || w.size() != 1 || !IntWord(w[0], &v))
        return fail(1, "not a version");
    if (!Words(lines[1], &w) || w.size() != 1 || !IntWord(w[0], &v) || v < 0 || v > 255)
        return fail(2, "not a key code 0 to 255");
    if (!Words(lines[2], &w) || w.size() != 6)
        return fail(3, "six settings expected");
    for (int i = 0; i < 6; ++i)
        if (!IntWord(w[i], &v) || v < 0 || v > (i == 5 ? 3 : 1))
            return fail(3, "setting " + std::to_string(i + 1) + " out of range");
    for (int r = 0; r < Records; ++r) {
        if (!Words(lines[3 + r], &w) || w.size() != RecordValues)
            return fail(4 + r, "fourteen values expected");
        for (const auto& word : w)
            if (!FixedWord(word))
                return fail(4 + r, "\"" + word.substr(0, 40) + "\" is not a number with six decimals");
    }
    if (!Words(lines[14], &w) || w.size() != 1 || !IntWord(w[0], &v) || v < 0 || v > 10)
        return fail(15, "not a record 0 to 10");
    if (!Words(lines[15], &w) || w.size() != 1 || !IntWord(w[0], &v) || v < 0 || v > 10)
        return fail(16, "not a record 0 to 10");
    return true;
}

int KeyAsRead(const std::string& text)
{
    const size_t len = std::min<size_t>(text.size(), ReadBuffer);
    const bool cut = text.size() > ReadBuffer;
    size_t pos = 0;
    // The next word, or false where the reading stops.
    auto word = [&](std::string* out) {
        while (pos < len && IsBlank(text[pos]))
            ++pos;
        const size_t start = pos;
        while (pos < len && !IsBlank(text[pos]))
            ++pos;
        const size_t n = pos - start;
        if (n == 0 || n > TokenMax || (cut && pos == len) || std::memchr(text.data() + start, '\0', n))
            return false;
        *out = text.substr(start, n);
        return true;
    };
    // 1: an int, 0: a number beyond int, -1: not a number (the reading stops)
    auto number = [&](long long* value) {
        std::string w;
        if (!word(&w))
            return -1;
        char* end = nullptr;
        errno = 0;
        *value = std::strtoll(w.c_str(), &end, 10);
        if (end == w.c_str() || *end != '\0')
            return -1;
        return errno == ERANGE || *value < INT_MIN || *value > INT_MAX ? 0 : 1;
    };
    long long v = 0;
    if (number(&v) < 0)
        return 0;
    const int got = number(&v);
    if (got < 0)
        return 0;
    return got == 1 && v >= 0 && v <= 255 ? static_cast<int>(v) : 115;
}

std::string RandomPrefsFile(Random& rnd, int* key)
{
    *key = rnd.below(256);
    std::string text = std::to_string(rnd.between(-5, 500)) + " \n" + std::to_string(*key) + " \n";
    for (int i = 0; i < 5; ++i)
        text += std::to_string(rnd.below(2)) + " ";
    text += std::to_string(rnd.below(4)) + " \n";
    for (int r = 0; r < Records; ++r) {
        double v[RecordValues];
        for (double& x : v) {
            switch (rnd.below(6)) {
            case 0:  x = 0; break;
            case 1:  x = rnd.uniform(-180, 180); break;
            case 2:  x = rnd.uniform(-1e6, 1e6); break;
            case 3:  x = rnd.chance(0.5) ? DBL_MAX : -DBL_MAX; break;   // the widest a record can be
            case 4:  x = rnd.chance(0.5) ? FLT_MAX : 1e-300; break;
            default: x = rnd.uniform(-10, 10); break;
            }
        }
        text += Record(v);
    }
    // Half of them end as files did before the chosen record was kept.
    text += std::to_string(rnd.below(11)) + " \n";
    return rnd.chance(0.5) ? text + std::to_string(rnd.below(11)) + " \n" : text;
}

std::string Truncated(Random& rnd, const std::string& text)
{
    return text.substr(0, text.empty() ? 0 : rnd.below(static_cast<int>(text.size())));
}

std::string Mutated(Random& rnd, const std::string& text)
{
    std::string s = text;
    const int edits = rnd.between(1, 8);
    for (int e = 0; e < edits; ++e) {
        const int at = s.empty() ? 0 : rnd.below(static_cast<int>(s.size()));
        static const char* const pieces[] = {"\0", "x", "-", "+", "9999999999", " ", "\n", "nan", "inf", "0x1p3",
                                             "1e400", "\xff", "\t", "\r\n", ".", "-2147483649"};
        switch (rnd.below(3)) {
        case 0:
            if (!s.empty())
                s[at] = static_cast<char>(rnd.below(256));
            break;
        case 1:
            if (!s.empty())
                s.erase(at, rnd.between(1, 20));
            break;
        default: {
            const char* p = rnd.pick(pieces);
            s.insert(at, *p ? std::string(p) : std::string(1, '\0'));
            break;
        }
        }
    }
    return s;
}

std::string Garbage(Random& rnd)
{
    std::string s;
    const int n = rnd.below(3000);
    for (int i = 0; i < n; ++i)
        s += static_cast<char>(rnd.below(256));
    return s;
}

std::string HostileNumbers(Random& rnd)
{
    static const char* const words[] = {"4294967301", "-1", "256", "-2147483648", "2147483648", "nan", "inf",
                                        "-inf", "1e999", "-0", "0x73", "115x", "+115", "00115", "3.5", "10",
                                        "11", "9", "1e-999", "99999999999999999999999"};
    std::string s;
    const int n = rnd.between(1, 200);
    for (int i = 0; i < n; ++i)
        s += std::string(rnd.pick(words)) + (rnd.chance(0.2) ? "\n" : " ");
    return s;
}

std::string Oversized(Random& rnd, const std::string& text)
{
    std::string s = text;
    const int target = ReadBuffer + rnd.between(-3, 3000);
    while (static_cast<int>(s.size()) < target)
        s += rnd.chance(0.9) ? ' ' : '7';
    return s;
}

PathState Observe(const std::string& path)
{
    PathState st;
    struct stat sb;
    if (lstat(path.c_str(), &sb) != 0) {
        st.kind = PathState::Missing;
        return st;
    }
    if (S_ISDIR(sb.st_mode)) {
        st.kind = PathState::Folder;
        return st;
    }
    if (!S_ISREG(sb.st_mode)) {
        st.kind = PathState::Other;
        return st;
    }
    st.kind = PathState::File;
    std::ifstream f(path, std::ios::binary);
    if (f)
        st.bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    else
        st.bytes = "(unreadable)";
    return st;
}

std::string Fingerprint(const std::string& path)
{
    struct stat sb;
    if (lstat(path.c_str(), &sb) != 0)
        return "missing";
    char buf[160];
    std::snprintf(buf, sizeof buf, "%o %llu %lld %lld.%09ld", static_cast<unsigned>(sb.st_mode),
                  static_cast<unsigned long long>(sb.st_ino), static_cast<long long>(sb.st_size),
                  static_cast<long long>(sb.st_mtim.tv_sec), sb.st_mtim.tv_nsec);
    return buf;
}

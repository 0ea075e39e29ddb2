// tests/chaos/random.h: the chaos run's random numbers. Its own generator
// (splitmix64), so a seed gives the same run with any standard library.
#pragma once
#include <cstdint>
#include <string>

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to n - 1; n > 0
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(double p) { return unit() < p; }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * unit(); }
    uint32_t bits32() { return static_cast<uint32_t>(next() >> 32); }

    template <typename T, size_t N>
    const T& pick(const T (&items)[N]) { return items[below(static_cast<int>(N))]; }

    // Printable ASCII, sometimes with blanks.
    std::string text(int length)
    {
        std::string s;
        for (int i = 0; i < length; ++i)
            s += static_cast<char>(between(32, 126));
        return s;
    }

private:
    uint64_t state_;
};

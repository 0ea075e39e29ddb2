// host/legibility.cpp: is a frame readable in the simulator's basic font?
#include <algorithm>
#include <cstdio>

#include "xphost.h"

namespace xphost {
namespace {

// One run of characters without blanks: the pixels it inks.
struct Ink {
    int left, right, bottom, top;   // right and top exclusive
};

struct Drawn {
    size_t op;                      // index in the display list
    int source;                     // who drew it, as a small number
    size_t first, last;             // its runs in the frame's list of runs
    int box;                        // the op index of the box holding its start, or -1
};

bool overlap(const Ink& a, const Ink& b)
{
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// The op without its value: a label by its text, a number by its place.
std::string place(const DrawOp& op)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, "%s(%d,%d)", op.kind == DrawOp::Number ? "#" : op.text.c_str(), op.x, op.y);
    return buf;
}

std::string describe(const DrawOp& op)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, "%s \"%s\" at (%d, %d)", op.kind == DrawOp::Number ? "number" : "text",
                  op.text.c_str(), op.x, op.y);
    return buf;
}

}  // namespace

std::vector<LegibilityProblem> legibility_problems(const std::vector<DrawOp>& ops, int screenW, int screenH)
{
    // Run every frame of a demo flight: the frame's runs are found once.
    static std::vector<Ink> runs;
    static std::vector<Drawn> drawn;
    static std::vector<const std::string*> sources;
    runs.clear();
    drawn.clear();
    sources.clear();
    auto sourceOf = [](const std::string& s) {
        for (size_t i = 0; i < sources.size(); ++i)
            if (*sources[i] == s)
                return static_cast<int>(i);
        sources.push_back(&s);
        return static_cast<int>(sources.size() - 1);
    };

    std::vector<int> boxSource(ops.size(), -1);
    for (size_t i = 0; i < ops.size(); ++i)
        if (ops[i].kind == DrawOp::Box)
            boxSource[i] = sourceOf(ops[i].source);

    for (size_t i = 0; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        if (op.kind == DrawOp::Box)
            continue;
        Drawn d{i, sourceOf(op.source), runs.size(), runs.size(), -1};
        const std::string& t = op.text;
        for (size_t c = 0; c < t.size();) {
            if (t[c] == ' ') {
                ++c;
                continue;
            }
            size_t end = c;
            while (end < t.size() && t[end] != ' ')
                ++end;
            runs.push_back({op.x + kBasicFontWidth * static_cast<int>(c), op.x + kBasicFontWidth * static_cast<int>(end),
                            op.y, op.y + kBasicFontHeight});
            c = end;
        }
        d.last = runs.size();
        if (d.first == d.last)
            continue;
        // The latest box of the same source that holds the text's start.
        for (size_t j = 0; j < ops.size(); ++j) {
            if (boxSource[j] != d.source)
                continue;
            const DrawOp& o = ops[j];
            if (op.x >= std::min(o.left, o.right) && op.x <= std::max(o.left, o.right) &&
                op.y >= std::min(o.top, o.bottom) && op.y <= std::max(o.top, o.bottom))
                d.box = static_cast<int>(j);
        }
        drawn.push_back(d);
    }

    std::vector<LegibilityProblem> problems;
    for (size_t i = 0; i < drawn.size(); ++i) {
        const Drawn& d = drawn[i];
        const DrawOp& op = ops[d.op];
        const int left = runs[d.first].left, right = runs[d.last - 1].right;
        const int bottom = op.y, top = op.y + kBasicFontHeight;

        if (left < 0 || bottom < 0 || right > screenW || top > screenH)
            problems.push_back({op.source + ": " + describe(op) + " runs off the " + std::to_string(screenW) + " x " +
                                    std::to_string(screenH) + " screen",
                                op.source + " off " + place(op)});
        if (d.box >= 0) {
            const DrawOp& b = ops[static_cast<size_t>(d.box)];
            const int l = std::min(b.left, b.right), r = std::max(b.left, b.right);
            const int bt = std::min(b.top, b.bottom), tp = std::max(b.top, b.bottom);
            if (left < l || right > r || bottom < bt || top > tp) {
                char buf[96];
                std::snprintf(buf, sizeof buf, " runs out of its box (%d, %d, %d, %d)", l, tp, r, bt);
                problems.push_back({op.source + ": " + describe(op) + buf, op.source + " out " + place(op)});
            }
        }

        for (size_t j = i + 1; j < drawn.size(); ++j) {
            const Drawn& e = drawn[j];
            if (e.source != d.source)
                continue;
            bool hit = false;
            for (size_t x = d.first; x < d.last && !hit; ++x)
                for (size_t y = e.first; y < e.last && !hit; ++y)
                    hit = overlap(runs[x], runs[y]);
            if (hit) {
                const DrawOp& other = ops[e.op];
                problems.push_back({op.source + ": " + describe(op) + " and " + describe(other) + " overlap",
                                    op.source + " " + place(op) + " " + place(other)});
            }
        }
    }
    return problems;
}

}  // namespace xphost

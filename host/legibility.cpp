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

void ink_runs(const DrawOp& op, std::vector<Ink>& out)
{
    out.clear();
    const std::string& t = op.text;
    for (size_t i = 0; i < t.size();) {
        if (t[i] == ' ') {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < t.size() && t[end] != ' ')
            ++end;
        out.push_back({op.x + kBasicFontWidth * static_cast<int>(i), op.x + kBasicFontWidth * static_cast<int>(end),
                       op.y, op.y + kBasicFontHeight});
        i = end;
    }
}

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
    std::vector<LegibilityProblem> problems;
    std::vector<Ink> a, b;
    for (size_t i = 0; i < ops.size(); ++i) {
        const DrawOp& op = ops[i];
        if (op.kind == DrawOp::Box)
            continue;
        ink_runs(op, a);
        if (a.empty())
            continue;
        const int left = a.front().left, right = a.back().right, bottom = op.y, top = op.y + kBasicFontHeight;

        if (left < 0 || bottom < 0 || right > screenW || top > screenH)
            problems.push_back({op.source + ": " + describe(op) + " runs off the " + std::to_string(screenW) + " x " +
                                    std::to_string(screenH) + " screen",
                                op.source + " off " + place(op)});

        // The latest box of the same source that holds the text's start.
        const DrawOp* box = nullptr;
        for (size_t j = 0; j < ops.size(); ++j) {
            const DrawOp& o = ops[j];
            if (o.kind != DrawOp::Box || o.source != op.source)
                continue;
            const int l = std::min(o.left, o.right), r = std::max(o.left, o.right);
            const int bt = std::min(o.top, o.bottom), tp = std::max(o.top, o.bottom);
            if (op.x >= l && op.x <= r && op.y >= bt && op.y <= tp)
                box = &o;
        }
        if (box) {
            const int l = std::min(box->left, box->right), r = std::max(box->left, box->right);
            const int bt = std::min(box->top, box->bottom), tp = std::max(box->top, box->bottom);
            if (left < l || right > r || bottom < bt || top > tp) {
                char buf[96];
                std::snprintf(buf, sizeof buf, " runs out of its box (%d, %d, %d, %d)", l, tp, r, bt);
                problems.push_back({op.source + ": " + describe(op) + buf, op.source + " out " + place(op)});
            }
        }

        for (size_t j = i + 1; j < ops.size(); ++j) {
            const DrawOp& other = ops[j];
            if (other.kind == DrawOp::Box || other.source != op.source)
                continue;
            ink_runs(other, b);
            bool hit = false;
            for (const Ink& x : a)
                for (const Ink& y : b)
                    hit = hit || overlap(x, y);
            if (hit)
                problems.push_back({op.source + ": " + describe(op) + " and " + describe(other) + " overlap",
                                    op.source + " " + place(op) + " " + place(other)});
        }
    }
    return problems;
}

}  // namespace xphost

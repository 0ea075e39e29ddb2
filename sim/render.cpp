// sim/render.cpp: the display list through cairo. Host coordinates have their
// origin at the bottom left; strings are drawn from their lower-left corner in
// a monospace face about the size of the simulator's basic font.
#include "render.h"

#include <algorithm>

#include "xphost.h"

#ifdef QZT_DEMO_CAIRO
#include <cairo.h>
#endif

namespace sim {

#ifdef QZT_DEMO_CAIRO

bool pictures_available() { return true; }

namespace {

constexpr int kCaption = 26;     // pixels above the screen for the caption
constexpr double kFontSize = 10.0;   // about 6 px a character, like the basic font

}  // namespace

bool write_picture(const std::string& path, const std::string& caption, std::string* error)
{
    int screenW = xphost::get_i("sim/graphics/view/window_width");
    int screenH = xphost::get_i("sim/graphics/view/window_height");
    if (screenW <= 0) screenW = 1024;
    if (screenH <= 0) screenH = 768;

    const auto& ops = xphost::display_list();
    const auto wins = xphost::windows();

    // Grow the canvas to anything drawn off the screen's edges.
    int minX = 0, minY = 0, maxX = screenW, maxY = screenH;
    for (const auto& op : ops) {
        if (op.kind == xphost::DrawOp::Box) {
            minX = std::min(minX, std::min(op.left, op.right));
            maxX = std::max(maxX, std::max(op.left, op.right));
            minY = std::min(minY, std::min(op.top, op.bottom));
            maxY = std::max(maxY, std::max(op.top, op.bottom));
        } else {
            minX = std::min(minX, op.x);
            maxX = std::max(maxX, op.x + static_cast<int>(op.text.size()) * 6);
            minY = std::min(minY, op.y);
            maxY = std::max(maxY, op.y + 12);
        }
    }
    const int width = maxX - minX, height = maxY - minY + kCaption;
    auto X = [&](double x) { return x - minX; };
    auto Y = [&](double y) { return kCaption + (maxY - y); };

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);

    // Background: a dark cockpit with the screen's outline.
    cairo_set_source_rgb(cr, 0.07, 0.08, 0.10);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.11, 0.13, 0.16);
    cairo_rectangle(cr, X(0), Y(screenH), screenW, screenH);
    cairo_fill(cr);

    cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kFontSize);

    // Window outlines (click strips are invisible in the simulator: dashed).
    for (const auto& w : wins) {
        if (!w.visible)
            continue;
        cairo_set_source_rgba(cr, 0.5, 0.6, 0.7, 0.35);
        const double dash[] = {4.0, 4.0};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_set_line_width(cr, 1.0);
        cairo_rectangle(cr, X(w.left) + 0.5, Y(w.top) + 0.5, w.right - w.left, w.top - w.bottom);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }

    // The panel page sits on the instrument panel: give it a panel to sit on.
    int pl = 1 << 30, pr = -(1 << 30), pb = 1 << 30, pt = -(1 << 30);
    for (const auto& op : ops) {
        if (op.kind == xphost::DrawOp::Box || op.source.rfind("phase ", 0) != 0)
            continue;
        pl = std::min(pl, op.x);
        pr = std::max(pr, op.x + static_cast<int>(op.text.size()) * 6);
        pb = std::min(pb, op.y);
        pt = std::max(pt, op.y + 10);
    }
    if (pl < pr) {
        cairo_set_source_rgb(cr, 0.16, 0.17, 0.15);
        cairo_rectangle(cr, X(pl - 12), Y(pt + 22), pr - pl + 24, pt - pb + 34);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.45, 0.45, 0.40);
        cairo_set_font_size(cr, 9.0);
        cairo_move_to(cr, X(pl - 6), Y(pt + 10));
        cairo_show_text(cr, "instrument panel: system page");
        cairo_set_font_size(cr, kFontSize);
    }

    for (const auto& op : ops) {
        if (op.kind == xphost::DrawOp::Box) {
            cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.55);
            const int l = std::min(op.left, op.right), r = std::max(op.left, op.right);
            const int t = std::max(op.top, op.bottom), b = std::min(op.top, op.bottom);
            cairo_rectangle(cr, X(l), Y(t), r - l, t - b);
            cairo_fill(cr);
            continue;
        }
        if (op.text.empty())
            continue;
        cairo_set_source_rgb(cr, std::clamp(op.rgb[0], 0.0f, 1.0f), std::clamp(op.rgb[1], 0.0f, 1.0f),
                             std::clamp(op.rgb[2], 0.0f, 1.0f));
        cairo_move_to(cr, X(op.x), Y(op.y));
        cairo_show_text(cr, op.text.c_str());
    }

    // Caption strip.
    cairo_set_source_rgb(cr, 0.18, 0.20, 0.24);
    cairo_rectangle(cr, 0, 0, width, kCaption);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
    cairo_set_font_size(cr, 13.0);
    cairo_move_to(cr, 8, 18);
    cairo_show_text(cr, caption.c_str());

    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        if (error)
            *error = cairo_status_to_string(status);
        return false;
    }
    return true;
}

#else

bool pictures_available() { return false; }

bool write_picture(const std::string&, const std::string&, std::string* error)
{
    if (error)
        *error = "this build has no picture support (cairo was not found when it was configured)";
    return false;
}

#endif

}  // namespace sim

// sim/render.cpp: the display list and the widget tree through cairo. Host
// coordinates have their origin at the bottom left; strings are drawn from
// their lower-left corner, each character in a cell of the simulator's basic
// font (6 by 10 pixels), so a picture shows what overlaps there.
#include "render.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "XPStandardWidgets.h"
#include "xphost.h"

#ifdef QZT_DEMO_CAIRO
#include <cairo.h>

#include "XPWidgets.h"
#endif

namespace sim {

void Digest::add(const void* data, size_t size)
{
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        h_ ^= p[i];
        h_ *= 1099511628211ull;
    }
}

// To a millionth: what a picture or a profile can show, and no further.
void Digest::add(double v)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.6g", std::isfinite(v) ? v : 0.0);
    add(std::string(buf));
}

std::string Digest::hex() const
{
    char buf[20];
    std::snprintf(buf, sizeof buf, "%016llx", h_);
    return buf;
}

std::string drawn_digest(const std::string& caption)
{
    Digest d;
    d.add(caption);
    for (const auto& op : xphost::display_list()) {
        d.add(static_cast<double>(op.kind));
        for (float c : op.rgb)
            d.add(c);
        for (int v : {op.x, op.y, op.left, op.top, op.right, op.bottom})
            d.add(static_cast<double>(v));
        d.add(op.text);
    }
    for (const auto& w : xphost::widgets()) {
        if (!w.visible)
            continue;
        for (int v : {w.left, w.top, w.right, w.bottom, static_cast<int>(w.widget_class)})
            d.add(static_cast<double>(v));
        d.add(w.descriptor);
        d.add(static_cast<double>(xphost::widget_property(w.id, xpProperty_ButtonState)));
    }
    return d.hex();
}

#ifdef QZT_DEMO_CAIRO

bool pictures_available() { return true; }

namespace {

constexpr int kCaption = 42;     // pixels above the screen for the caption's two lines
constexpr double kFontSize = 9.5;    // a glyph that fits the basic font's cell
constexpr double kWidgetFontSize = 10.0;

// A text of the display list, one character a cell from (x, baseline).
void cell_text(cairo_t* cr, double x, double baseline, const std::string& text)
{
    char one[2] = {0, 0};
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        one[0] = text[i];
        cairo_text_extents_t ext;
        cairo_text_extents(cr, one, &ext);
        // centred in its cell, as a monospaced face sets it
        cairo_move_to(cr, x + i * xphost::kBasicFontWidth + (xphost::kBasicFontWidth - ext.x_advance) / 2, baseline);
        cairo_show_text(cr, one);
    }
}

// Host coordinates to the picture's: the canvas keeps its own offsets.
struct Canvas {
    cairo_t* cr;
    int minX, maxY;
    double x(double v) const { return v - minX; }
    double y(double v) const { return kCaption + (maxY - v); }
};

void fill_rect(const Canvas& c, const xphost::Widget& w, double r, double g, double b)
{
    cairo_set_source_rgb(c.cr, r, g, b);
    cairo_rectangle(c.cr, c.x(w.left), c.y(w.top), w.right - w.left, w.top - w.bottom);
    cairo_fill(c.cr);
}

void outline_rect(const Canvas& c, double l, double t, double r, double b, double grey)
{
    cairo_set_source_rgb(c.cr, grey, grey, grey);
    cairo_set_line_width(c.cr, 1.0);
    cairo_rectangle(c.cr, c.x(l) + 0.5, c.y(t) + 0.5, r - l - 1, t - b - 1);
    cairo_stroke(c.cr);
}

// Text with its baseline a little below the middle of [bottom, top], from
// `left`, or centred between left and right when `centred`.
void widget_text(const Canvas& c, const std::string& text, double left, double right, double top, double bottom,
                 bool centred, double grey)
{
    if (text.empty())
        return;
    cairo_text_extents_t ext;
    cairo_text_extents(c.cr, text.c_str(), &ext);
    const double x = centred ? (left + right) / 2 - ext.x_advance / 2 : left;
    const double baseline = (top + bottom) / 2 - 3.5;
    cairo_set_source_rgb(c.cr, grey, grey, grey);
    cairo_move_to(c.cr, c.x(x), c.y(baseline));
    cairo_show_text(c.cr, text.c_str());
}

// The standard widgets, plainly: the host keeps their geometry, class, text
// and properties, and the simulator's own look is its business.
void draw_widget(const Canvas& c, const xphost::Widget& w)
{
    cairo_t* cr = c.cr;
    cairo_save(cr);
    switch (w.widget_class) {
    case xpWidgetClass_MainWindow: {
        fill_rect(c, w, 0.36, 0.40, 0.46);
        outline_rect(c, w.left, w.top, w.right, w.bottom, 0.15);
        cairo_set_source_rgb(cr, 0.22, 0.25, 0.30);
        cairo_rectangle(cr, c.x(w.left) + 1, c.y(w.top) + 1, w.right - w.left - 2, 17);
        cairo_fill(cr);
        widget_text(c, w.descriptor, w.left, w.right, w.top, w.top - 18, true, 0.95);
        if (xphost::widget_property(w.id, xpProperty_MainWindowHasCloseBoxes)) {
            const double l = w.left + 4, t = w.top - 4;
            outline_rect(c, l, t, l + 11, t - 11, 0.85);
            cairo_move_to(cr, c.x(l + 3), c.y(t - 3));
            cairo_line_to(cr, c.x(l + 8), c.y(t - 8));
            cairo_move_to(cr, c.x(l + 8), c.y(t - 3));
            cairo_line_to(cr, c.x(l + 3), c.y(t - 8));
            cairo_stroke(cr);
        }
        break;
    }
    case xpWidgetClass_SubWindow:
        fill_rect(c, w, 0.28, 0.31, 0.36);
        outline_rect(c, w.left, w.top, w.right, w.bottom, 0.18);
        break;
    case xpWidgetClass_Caption:
        widget_text(c, w.descriptor, w.left, w.right, w.top, w.bottom, false, 0.92);
        break;
    case xpWidgetClass_TextField: {
        int set = 0;                             // a widget is enabled until told otherwise
        const bool enabled = XPGetWidgetProperty(w.id, xpProperty_Enabled, &set) != 0 || !set;
        fill_rect(c, w, enabled ? 0.95 : 0.80, enabled ? 0.95 : 0.80, enabled ? 0.92 : 0.78);
        outline_rect(c, w.left, w.top, w.right, w.bottom, 0.10);
        cairo_rectangle(cr, c.x(w.left + 1), c.y(w.top - 1), w.right - w.left - 2, w.top - w.bottom - 2);
        cairo_clip(cr);                          // a field shows what fits
        widget_text(c, w.descriptor, w.left + 3, w.right, w.top, w.bottom, false, 0.05);
        break;
    }
    case xpWidgetClass_Button: {
        const intptr_t type = xphost::widget_property(w.id, xpProperty_ButtonType);
        const intptr_t behaviour = xphost::widget_property(w.id, xpProperty_ButtonBehavior);
        if (type == xpRadioButton || behaviour != xpButtonBehaviorPushButton) {
            // A box at the left of the rectangle, ticked when set; the text beside it.
            const double mid = (w.top + w.bottom) / 2.0, l = w.left;
            cairo_set_source_rgb(cr, 0.90, 0.90, 0.88);
            cairo_rectangle(cr, c.x(l), c.y(mid + 5), 10, 10);
            cairo_fill(cr);
            outline_rect(c, l, mid + 5, l + 10, mid - 5, 0.10);
            if (xphost::widget_property(w.id, xpProperty_ButtonState)) {
                cairo_set_source_rgb(cr, 0.05, 0.35, 0.10);
                cairo_set_line_width(cr, 2.0);
                cairo_move_to(cr, c.x(l + 2), c.y(mid));
                cairo_line_to(cr, c.x(l + 4.5), c.y(mid - 3));
                cairo_line_to(cr, c.x(l + 8.5), c.y(mid + 4));
                cairo_stroke(cr);
            }
            widget_text(c, w.descriptor, l + 12, l + 12, mid + 5, mid - 5, false, 0.92);
        } else {
            fill_rect(c, w, 0.62, 0.67, 0.75);
            outline_rect(c, w.left, w.top, w.right, w.bottom, 0.12);
            widget_text(c, w.descriptor, w.left, w.right, w.top, w.bottom, true, 0.05);
        }
        break;
    }
    default:
        outline_rect(c, w.left, w.top, w.right, w.bottom, 0.6);
        break;
    }
    cairo_restore(cr);
}

void draw_widget_tree(const Canvas& c, XPWidgetID id)
{
    const xphost::Widget* w = xphost::widget(id);
    if (!w || !w->visible)
        return;
    draw_widget(c, *w);
    for (XPWidgetID child : w->children)
        draw_widget_tree(c, child);
}

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
            maxX = std::max(maxX, op.x + static_cast<int>(op.text.size()) * xphost::kBasicFontWidth);
            minY = std::min(minY, op.y);
            maxY = std::max(maxY, op.y + xphost::kBasicFontHeight + 2);
        }
    }
    for (const auto& w : xphost::widgets()) {
        minX = std::min(minX, w.left);
        maxX = std::max(maxX, w.right);
        minY = std::min(minY, w.bottom);
        maxY = std::max(maxY, w.top);
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
        pr = std::max(pr, op.x + static_cast<int>(op.text.size()) * xphost::kBasicFontWidth);
        pb = std::min(pb, op.y);
        pt = std::max(pt, op.y + xphost::kBasicFontHeight);
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
        cell_text(cr, X(op.x), Y(op.y) - 2, op.text);   // descenders inside the cell
    }

    // The plug-in's dialogs float above everything else.
    // The simulator's widget font is proportional and narrow: the dialog's
    // layout counts on it.
    const Canvas canvas{cr, minX, maxY};
    cairo_select_font_face(cr, "DejaVu Sans Condensed", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kWidgetFontSize);
    for (const auto& w : xphost::widgets())
        if (w.root)
            draw_widget_tree(canvas, w.id);

    // Caption strip: the moment, then what the picture shows.
    cairo_set_source_rgb(cr, 0.18, 0.20, 0.24);
    cairo_rectangle(cr, 0, 0, width, kCaption);
    cairo_fill(cr);
    const size_t newline = caption.find('\n');
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
    cairo_set_font_size(cr, 13.0);
    cairo_move_to(cr, 8, 18);
    cairo_show_text(cr, caption.substr(0, newline).c_str());
    if (newline != std::string::npos) {
        cairo_set_source_rgb(cr, 0.85, 0.80, 0.55);
        cairo_set_font_size(cr, 12.0);
        cairo_move_to(cr, 8, 36);
        cairo_show_text(cr, caption.substr(newline + 1).c_str());
    }

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

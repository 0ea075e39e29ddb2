// sim/profile.cpp: the profile's layout and its drawing through cairo.
#include "profile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#ifdef QZT_DEMO_CAIRO
#include <cairo.h>
#endif

namespace sim {

void Profile::sample(const Sample& s)
{
    if (!force_ && !samples_.empty() && s.t - samples_.back().t < kSpacing)
        return;
    samples_.push_back(s);
    samples_.back().segment = segment_;
    force_ = false;
}

double nice_step(double range, int max_ticks)
{
    if (!(range > 0) || max_ticks < 1)
        return 1.0;
    const double raw = range / max_ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

double time_step(double span_seconds, int max_ticks)
{
    static const double steps[] = {10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600};
    for (double s : steps)
        if (span_seconds / s <= max_ticks)
            return s;
    return nice_step(span_seconds, max_ticks);
}

std::string time_label(double seconds)
{
    const long s = std::lround(std::max(0.0, seconds));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%ld:%02ld", s / 60, s % 60);
    return buf;
}

int event_priority(const std::string& text)
{
    for (const char* routine : {"panel:", "autopilot speed target", "throttle limit", "engine count", "fuel dump",
                                "ZOOM PHASE", "rocket throttled back", "plug-in running", "log:"})
        if (text.rfind(routine, 0) == 0)
            return 0;
    for (const char* key : {"says", "lift-off", "the orbiter", "orbiter placed", "rocket cut", "MISMATCH", "MISSING",
                            "top of the ballistic arc", "all four intakes"})
        if (text.rfind(key, 0) == 0)
            return 2;
    return 1;
}

std::vector<int> place_labels(const std::vector<double>& starts, const std::vector<double>& widths,
                              const std::vector<int>& priority, int rows, double gap)
{
    const size_t n = std::min({starts.size(), widths.size(), priority.size()});
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return priority[a] > priority[b]; });

    struct Span {
        double from, to;
    };
    std::vector<std::vector<Span>> taken(static_cast<size_t>(std::max(rows, 0)));
    std::vector<int> row_of(starts.size(), -1);
    for (size_t i : order) {
        if (priority[i] <= 0)
            continue;
        const Span me{starts[i], starts[i] + widths[i]};
        for (int r = 0; r < rows; ++r) {
            bool clear = true;
            for (const Span& s : taken[r])
                clear = clear && (me.to + gap <= s.from || s.to + gap <= me.from);
            if (clear) {
                taken[r].push_back(me);
                row_of[i] = r;
                break;
            }
        }
    }
    return row_of;
}

#ifdef QZT_DEMO_CAIRO

namespace {

constexpr int kWidth = 1000;
constexpr double kLeft = 78, kRight = kWidth - 70;
constexpr double kTitleH = 50;
constexpr double kMainTop = kTitleH + 12, kMainH = 290;
constexpr int kLabelRows = 4, kLabelChars = 40;
constexpr double kLaneH = 10 + kLabelRows * 12;   // event ticks and the rows of labels
constexpr double kSpeedH = 160;

const char* const kPhaseNames[7] = {"0 engaged", "1 climb", "2 pull-up, zoom", "3 top of the zoom",
                                    "4 pull-out", "5 descent", "6 hand-over"};

struct Rgb {
    double r, g, b;
};
constexpr Rgb kAltitude{0.12, 0.33, 0.72};
constexpr Rgb kMach{0.88, 0.42, 0.08};
constexpr Rgb kSpeed{0.10, 0.55, 0.25};
constexpr Rgb kOrbital{0.25, 0.25, 0.25};
constexpr Rgb kGrid{0.86, 0.87, 0.89};
constexpr Rgb kText{0.15, 0.15, 0.18};
constexpr Rgb kCut{0.80, 0.10, 0.10};

void colour(cairo_t* cr, const Rgb& c, double alpha = 1.0) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

double text_width(cairo_t* cr, const std::string& s)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    return e.x_advance;
}

void text(cairo_t* cr, double x, double y, const std::string& s, const Rgb& c = kText)
{
    colour(cr, c);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, s.c_str());
}

void text_right(cairo_t* cr, double x, double y, const std::string& s, const Rgb& c = kText)
{
    text(cr, x - text_width(cr, s), y, s, c);
}

std::string thousands(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", v);
    std::string digits = buf, out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

std::string trimmed(const std::string& s, size_t max)
{
    return s.size() <= max ? s : s.substr(0, max - 3) + "...";
}

// One value of the samples as a line, broken between segments and where
// `use` says no.
template <class Value, class Use>
void line(cairo_t* cr, const std::vector<Profile::Sample>& samples, double (*x)(double, double, double),
          double t0, double t1, Value value, Use use)
{
    bool open = false;
    int segment = -1;
    for (const auto& s : samples) {
        if (!use(s)) {
            open = false;
            continue;
        }
        const double px = x(s.t, t0, t1);
        const double py = value(s);
        if (!open || s.segment != segment)
            cairo_move_to(cr, px, py);
        else
            cairo_line_to(cr, px, py);
        open = true;
        segment = s.segment;
    }
    cairo_stroke(cr);
}

double x_of(double t, double t0, double t1) { return kLeft + (t - t0) / std::max(1e-9, t1 - t0) * (kRight - kLeft); }

void time_axis(cairo_t* cr, double t0, double t1, double bottom, double top)
{
    const double step = time_step(t1 - t0, 12);
    cairo_set_font_size(cr, 10);
    for (double t = std::ceil(t0 / step) * step; t <= t1 + 1e-6; t += step) {
        const double x = x_of(t, t0, t1);
        colour(cr, kGrid);
        cairo_move_to(cr, x + 0.5, top);
        cairo_line_to(cr, x + 0.5, bottom);
        cairo_stroke(cr);
        const std::string label = time_label(t);
        text(cr, x - text_width(cr, label) / 2, bottom + 13, label);
    }
}

void frame_box(cairo_t* cr, double top, double bottom)
{
    colour(cr, {0.55, 0.56, 0.60});
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, kLeft + 0.5, top + 0.5, kRight - kLeft, bottom - top);
    cairo_stroke(cr);
}

}  // namespace

bool write_profile(const std::string& path, const Profile& profile, const ProfileNotes& notes, std::string* error)
{
    const auto& samples = profile.samples();
    if (samples.size() < 2) {
        if (error)
            *error = "the flight has too few samples to draw";
        return false;
    }
    const bool speed_panel =
        std::any_of(samples.begin(), samples.end(), [](const Profile::Sample& s) { return s.orbiter && s.altitude_ft > 1000; });
    // With the orbiter's own panel its Mach number (some 25 in orbit) stays
    // out of the top one, which then shows the carrier's at a readable scale.
    auto mach_drawn = [&](const Profile::Sample& s) { return !(speed_panel && s.orbiter); };

    const double t0 = samples.front().t, t1 = samples.back().t;
    double max_alt = 1000, max_mach = 0.5;
    for (const auto& s : samples) {
        max_alt = std::max(max_alt, s.altitude_ft);
        if (mach_drawn(s))
            max_mach = std::max(max_mach, s.mach);
    }
    const double alt_step = nice_step(max_alt, 6), mach_step = nice_step(max_mach, 6);
    const double alt_top = std::ceil(max_alt / alt_step) * alt_step;
    const double mach_top = std::ceil(max_mach / mach_step) * mach_step;

    const double main_bottom = kMainTop + kMainH;
    const double lane_top = main_bottom + 22;
    const double speed_top = lane_top + kLaneH + 30;
    const double speed_bottom = speed_top + kSpeedH;
    const int height = static_cast<int>(speed_panel ? speed_bottom + 24 : lane_top + kLaneH + 6);
    auto y_alt = [&](double ft) { return main_bottom - ft / alt_top * kMainH; };
    auto y_mach = [&](double m) { return main_bottom - m / mach_top * kMainH; };

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.975, 0.975, 0.97);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 15);
    text(cr, kLeft, 22, notes.title);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    text(cr, kLeft, 40, trimmed(notes.summary, 150), {0.35, 0.35, 0.4});

    // ---- zoom phases: a band from each phase's start to the next one's
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, kLeft, kMainTop, kRight - kLeft, kMainH);
    cairo_fill(cr);
    double carrier_end = t0;
    for (const auto& s : samples)
        if (!s.orbiter)
            carrier_end = s.t;
    cairo_set_font_size(cr, 10);
    double label_free = -1e9;
    double band_x[7] = {-1, -1, -1, -1, -1, -1, -1};
    for (int n = 0; n < 7; ++n) {
        const double start = notes.phase_start[n];
        if (start < 0 || (n == 0 && notes.phase_start[1] == start))
            continue;
        double end = carrier_end;
        for (int m = n + 1; m < 7; ++m)
            if (notes.phase_start[m] >= 0) {
                end = notes.phase_start[m];
                break;
            }
        const double xs = x_of(start, t0, t1), xe = x_of(std::max(end, start), t0, t1);
        colour(cr, n % 2 ? Rgb{0.90, 0.93, 0.99} : Rgb{0.95, 0.96, 0.99});
        cairo_rectangle(cr, xs, kMainTop, std::max(1.0, xe - xs), kMainH);
        cairo_fill(cr);
        colour(cr, {0.55, 0.62, 0.80});
        cairo_move_to(cr, std::floor(xs) + 0.5, kMainTop);
        cairo_line_to(cr, std::floor(xs) + 0.5, main_bottom);
        cairo_stroke(cr);
        band_x[n] = xs;
    }
    // Names over the bands; one goes a row down when the one before left no room.
    for (int n = 0; n < 7; ++n) {
        if (band_x[n] < 0)
            continue;
        const std::string name = kPhaseNames[n];
        const double w = text_width(cr, name);
        const double lx = std::min(band_x[n] + 3, kRight - 3 - w);
        const bool lower = lx < label_free;
        const double ly = kMainTop + 13 + (lower ? 13 : 0);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.7);   // readable over the lines
        cairo_rectangle(cr, lx - 1, ly - 10, w + 2, 13);
        cairo_fill(cr);
        text(cr, lx, ly, name, {0.25, 0.32, 0.55});
        label_free = lower ? label_free : lx + w + 4;
    }

    // ---- grid and axes
    cairo_set_line_width(cr, 1.0);
    for (double a = 0; a <= alt_top + 1e-6; a += alt_step) {
        colour(cr, kGrid);
        cairo_move_to(cr, kLeft, std::floor(y_alt(a)) + 0.5);
        cairo_line_to(cr, kRight, std::floor(y_alt(a)) + 0.5);
        cairo_stroke(cr);
        text_right(cr, kLeft - 6, y_alt(a) + 4, thousands(a), kAltitude);
    }
    for (double m = 0; m <= mach_top + 1e-6; m += mach_step) {
        char buf[16];
        std::snprintf(buf, sizeof buf, mach_step < 1 ? "%.1f" : "%.0f", m);
        text(cr, kRight + 6, y_mach(m) + 4, buf, kMach);
    }
    time_axis(cr, t0, t1, main_bottom, kMainTop);
    cairo_save(cr);
    cairo_translate(cr, 16, kMainTop + kMainH / 2);
    cairo_rotate(cr, -M_PI / 2);
    text(cr, -text_width(cr, "altitude, ft") / 2, 0, "altitude, ft", kAltitude);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, kWidth - 12, kMainTop + kMainH / 2);
    cairo_rotate(cr, M_PI / 2);
    const char* mach_title = speed_panel ? "Mach (carrier)" : "Mach";
    text(cr, -text_width(cr, mach_title) / 2, 0, mach_title, kMach);
    cairo_restore(cr);

    // ---- the two lines
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 1.8);
    colour(cr, kMach);
    line(cr, samples, x_of, t0, t1, [&](const Profile::Sample& s) { return y_mach(s.mach); }, mach_drawn);
    cairo_set_line_width(cr, 2.2);
    colour(cr, kAltitude);
    line(cr, samples, x_of, t0, t1, [&](const Profile::Sample& s) { return y_alt(s.altitude_ft); },
         [](const Profile::Sample&) { return true; });
    frame_box(cr, kMainTop, main_bottom);

    // legend
    cairo_set_font_size(cr, 11);
    const double lg = kRight - 150;
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_rectangle(cr, lg - 8, main_bottom - 46, 154, 40);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2.2);
    colour(cr, kAltitude);
    cairo_move_to(cr, lg, main_bottom - 32);
    cairo_line_to(cr, lg + 22, main_bottom - 32);
    cairo_stroke(cr);
    text(cr, lg + 28, main_bottom - 28, "altitude (left)");
    colour(cr, kMach);
    cairo_move_to(cr, lg, main_bottom - 16);
    cairo_line_to(cr, lg + 22, main_bottom - 16);
    cairo_stroke(cr);
    text(cr, lg + 28, main_bottom - 12, "Mach number (right)");

    // ---- the timeline's events: a tick each, a label for those a person reads
    cairo_set_line_width(cr, 1.0);
    cairo_set_font_size(cr, 9);
    std::vector<const Profile::Event*> labelled;
    std::vector<double> starts, widths;
    std::vector<int> priorities;
    for (const auto& e : profile.events()) {
        if (e.t < t0 || e.t > t1)
            continue;
        const double x = std::floor(x_of(e.t, t0, t1)) + 0.5;
        const bool said = e.text.rfind("says", 0) == 0, pilot = e.text.rfind("pilot:", 0) == 0;
        colour(cr, said ? Rgb{0.50, 0.20, 0.60} : pilot ? Rgb{0.45, 0.45, 0.45} : Rgb{0.20, 0.25, 0.35});
        cairo_move_to(cr, x, lane_top);
        cairo_line_to(cr, x, lane_top + 7);
        cairo_stroke(cr);
        if (const int priority = event_priority(e.text)) {
            // A label starts at its tick, or ends at it near the right edge.
            const double w = text_width(cr, trimmed(e.text, kLabelChars));
            labelled.push_back(&e);
            starts.push_back(x + w + 4 > kWidth ? x - w : x);
            widths.push_back(w);
            priorities.push_back(priority);
        }
    }
    const std::vector<int> rows = place_labels(starts, widths, priorities, kLabelRows, 10);
    for (size_t i = 0; i < labelled.size(); ++i)
        if (rows[i] >= 0)
            text(cr, starts[i], lane_top + 18 + rows[i] * 12, trimmed(labelled[i]->text, kLabelChars),
                 priorities[i] > 1 ? kText : Rgb{0.40, 0.42, 0.46});
    cairo_set_font_size(cr, 10);
    text_right(cr, kLeft - 6, lane_top + 8, "events");

    // ---- the orbiter: its ground speed against orbital speed at its height
    if (speed_panel) {
        auto in_flight = [](const Profile::Sample& s) { return s.orbiter && s.altitude_ft > 1000; };
        double s0 = 1e300, s1 = -1e300, top = 1000;
        for (const auto& s : samples)
            if (in_flight(s)) {
                s0 = std::min(s0, s.t);
                s1 = std::max(s1, s.t);
                top = std::max({top, s.speed, s.orbital});
            }
        top *= 1.08;                                   // the orbital line clear of the frame
        const double v_step = nice_step(top / 1000.0, 5);
        const double v_top = std::ceil(top / 1000.0 / v_step) * v_step;
        auto y_v = [&](double ms) { return speed_bottom - ms / 1000.0 / v_top * kSpeedH; };

        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 12);
        text(cr, kLeft, speed_top - 8, "Orbiter: ground speed against orbital speed at its height");
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_rectangle(cr, kLeft, speed_top, kRight - kLeft, kSpeedH);
        cairo_fill(cr);
        cairo_set_font_size(cr, 10);
        for (double v = 0; v <= v_top + 1e-6; v += v_step) {
            colour(cr, kGrid);
            cairo_move_to(cr, kLeft, std::floor(y_v(v * 1000)) + 0.5);
            cairo_line_to(cr, kRight, std::floor(y_v(v * 1000)) + 0.5);
            cairo_stroke(cr);
            char buf[16];
            std::snprintf(buf, sizeof buf, "%g", v);
            text_right(cr, kLeft - 6, y_v(v * 1000) + 4, buf);
        }
        text_right(cr, kLeft - 6, speed_top - 8, "km/s");
        time_axis(cr, s0, s1, speed_bottom, speed_top);

        if (notes.cut_time >= s0 && notes.cut_time <= s1) {
            const double x = std::floor(x_of(notes.cut_time, s0, s1)) + 0.5;
            colour(cr, kCut);
            const double dash[] = {4, 3};
            cairo_set_dash(cr, dash, 2, 0);
            cairo_move_to(cr, x, speed_top);
            cairo_line_to(cr, x, speed_bottom);
            cairo_stroke(cr);
            cairo_set_dash(cr, nullptr, 0, 0);
            text_right(cr, x - 4, speed_bottom - 8, "engine cut", kCut);
        }
        cairo_set_line_width(cr, 1.6);
        colour(cr, kOrbital);
        const double dash[] = {6, 4};
        cairo_set_dash(cr, dash, 2, 0);
        line(cr, samples, x_of, s0, s1, [&](const Profile::Sample& s) { return y_v(s.orbital); }, in_flight);
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_set_line_width(cr, 2.2);
        colour(cr, kSpeed);
        line(cr, samples, x_of, s0, s1, [&](const Profile::Sample& s) { return y_v(s.speed); }, in_flight);
        frame_box(cr, speed_top, speed_bottom);

        cairo_set_font_size(cr, 11);
        const double lx = kLeft + 12, ly = speed_top + 16;
        cairo_set_line_width(cr, 2.2);
        colour(cr, kSpeed);
        cairo_move_to(cr, lx, ly - 4);
        cairo_line_to(cr, lx + 22, ly - 4);
        cairo_stroke(cr);
        text(cr, lx + 28, ly, "ground speed");
        cairo_set_line_width(cr, 1.6);
        colour(cr, kOrbital);
        cairo_set_dash(cr, dash, 2, 0);
        cairo_move_to(cr, lx + 130, ly - 4);
        cairo_line_to(cr, lx + 152, ly - 4);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        text(cr, lx + 158, ly, "orbital speed");
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

bool write_profile(const std::string&, const Profile&, const ProfileNotes&, std::string* error)
{
    if (error)
        *error = "this build has no picture support (cairo was not found when it was configured)";
    return false;
}

#endif

}  // namespace sim

// sim/timeline.cpp
#include "timeline.h"

#include <cmath>
#include <cstring>

#include "messages.h"
#include "xphost.h"

namespace sim {

namespace {

std::string thousands(double v)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.0f", std::fabs(v));
    std::string s;
    const int n = static_cast<int>(std::strlen(digits));
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            s += ',';
        s += digits[i];
    }
    return (v < -0.5 ? "-" : "") + s;
}

bool is(const xphost::Write& w, const char* path) { return w.path == path; }

}  // namespace

std::string clock_text(double seconds)
{
    const double s = std::max(0.0, seconds);
    const int minutes = static_cast<int>(s / 60.0);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%04.1f", minutes, s - minutes * 60.0);
    return buf;
}

bool Facts::said(const std::string& text) const { return said_at(text) >= 0; }

double Facts::said_at(const std::string& text) const
{
    for (size_t i = 0; i < spoken.size(); ++i)
        if (spoken[i] == text)
            return spoken_time[i];
    return -1;
}

void Timeline::new_flight()
{
    facts = Facts{};
    last_speed_target_ = -1;
    last_throtmax_ = 1;
    throttle_cut_ = false;
    last_dump_ = -1;
    last_doors_ = 0;
    last_engines_ = -1;
    jato_lit_ = false;
    peak_g_ = 0;
    apex_told_ = false;
    guidance_ = false;
    throttle_step_ = 1.0;
    nslots_ = 0;
}

void Timeline::heading(const std::string& title)
{
    std::fprintf(out_, "\n%s\n%9s %13s %6s %9s  %s\n", title.c_str(), "time", "altitude", "Mach", "v/s fpm",
                 "event");
}

void Timeline::line(const std::string& text) { std::fprintf(out_, "%s\n", text.c_str()); }

void Timeline::event(const std::string& text)
{
    const Observed& o = m_.observed();
    std::fprintf(out_, "%9s %10s ft %6.2f %+9.0f  %s\n", clock_text(m_.time() - origin_).c_str(),
                 thousands(o.altitude_ft).c_str(), o.mach, o.vvi / 0.3048 * 60.0, text.c_str());
    if (on_event)
        on_event(text);
}

void Timeline::moment(const std::string& tag)
{
    if (on_moment)
        on_moment(tag);
}

void Timeline::phase(int n, const char* what)
{
    if (facts.phase[n])
        return;
    facts.phase[n] = true;
    facts.phase_time[n] = m_.time();
    char buf[160];
    std::snprintf(buf, sizeof buf, "ZOOM PHASE %d: %s", n, what);
    event(buf);
    moment("phase" + std::to_string(n));
}

void Timeline::on_write(const xphost::Write& w)
{
    if (on_any_write)
        on_any_write(w);
    if (!w.accepted || w.values.empty())
        return;
    const double v = w.values[0];
    char buf[160];

    if (aircraft_ == Aircraft::Orbiter) {
        // Guidance and the throttle schedule start together, on the same tick.
        const bool throttle = is(w, "sim/flightmodel/engine/ENGN_thro_use") && facts.placed && !facts.cut
                              && w.offset <= 1 && static_cast<int>(w.values.size()) > 1 - w.offset
                              && w.values[1 - w.offset] < 0.999;
        // (The placement itself commands 20 degrees; guidance commands anything else.)
        const bool steering = is(w, "sim/cockpit/autopilot/flight_director_pitch") && v != 20.0;
        if ((throttle || steering) && facts.placed && !guidance_) {
            guidance_ = true;
            event("ascent guidance: the flight director steers for a 250 km orbit at orbital speed");
        }
        if (throttle) {
            const double thr = w.values[1 - w.offset];
            if (thr < throttle_step_ - 1e-6 && thr > 0.0) {
                std::snprintf(buf, sizeof buf, "rocket throttled back to %.0f %% as the tank empties", thr * 100.0);
                event(buf);
                throttle_step_ = std::floor(thr * 4.0) / 4.0;   // report each further quarter
            }
        }
        if (is(w, "sim/flightmodel/engine/ENGN_mixt") && w.offset <= 1
            && static_cast<int>(w.values.size()) > 1 - w.offset && facts.placed && !facts.cut
            && w.values[1 - w.offset] == 0.0) {
            const Observed& o = m_.observed();
            facts.cut = true;
            facts.cut_speed = o.groundspeed;
            facts.cut_orbital = orbital_speed(o.elevation_m);
            facts.cut_ft = o.altitude_ft;
            facts.cut_fuel = m_.fuel[1];
            facts.cut_time = m_.time();
            std::snprintf(buf, sizeof buf, "rocket cut at %.3f km/s ground speed, orbital speed here %.3f km/s (%.1f %%)",
                          facts.cut_speed / 1000.0, facts.cut_orbital / 1000.0, 100.0 * facts.cut_speed / facts.cut_orbital);
            event(buf);
            moment("cut");
        }
        return;
    }
    if (aircraft_ != Aircraft::Carrier)
        return;

    if (is(w, "sim/cockpit/autopilot/altitude")) {
        if (!facts.phase[0] && v > 71999.0 && v < 72001.0) {
            phase(0, "zoom autopilot engaged");
            phase(1, "climb and acceleration towards 72,000 ft");
        }
    } else if (is(w, "sim/cockpit/autopilot/airspeed")) {
        if (facts.phase[0] && static_cast<float>(v) != last_speed_target_) {
            last_speed_target_ = static_cast<float>(v);
            if (v > 8.99 && !facts.phase[2]) {
                phase(2, "pull-up and zoom");
            } else {
                std::snprintf(buf, sizeof buf, "autopilot speed target Mach %.2f", v);
                event(buf);
            }
        }
    } else if (is(w, "sim/aircraft/engine/acf_throtmax_FWD")) {
        const float f = static_cast<float>(v);
        if (f != last_throtmax_) {
            if (f <= 0.2f) {
                throttle_cut_ = true;
                std::snprintf(buf, sizeof buf, "throttle limit %.2f over the top", v);
                event(buf);
            } else if (throttle_cut_ && facts.phase[2] && !facts.phase[3] && f > 0.999f && f < 1.001f) {
                std::snprintf(buf, sizeof buf, "top of the zoom (the pull-up peaked at %.1f g)", peak_g_);
                phase(3, buf);
            } else if (facts.phase[2] && !facts.phase[3]) {
                std::snprintf(buf, sizeof buf, "throttle limit %.3f for the pull-up", v);
                event(buf);
            }
            last_throtmax_ = f;
        }
    } else if (is(w, "sim/cockpit/autopilot/flight_director_pitch")) {
        if (facts.phase[3] && !facts.phase[4] && v <= 6.0)
            phase(4, "pull-out");
        else if (facts.phase[4] && !facts.phase[5] && v == -3.0)
            phase(5, "descent to 60,000 ft");
    } else if (is(w, "sim/cockpit/weapons/missiles_armed")) {
        if (facts.phase[4] && !facts.phase[5] && v == 0.0)
            phase(5, "descent to 60,000 ft");
    } else if (is(w, "sim/cockpit/switches/prop_sync_on")) {
        if (facts.phase[5] && !facts.phase[6] && v == 0.0)
            phase(6, "hand-over to the autopilot");
    } else if (is(w, "sim/cockpit/switches/dumping_fuel")) {
        // Only the zoom dumps fuel; when the tanks are too full this is its first act.
        if (!facts.phase[0]) {
            phase(0, "zoom autopilot engaged");
            phase(1, "climb and acceleration towards 72,000 ft");
        }
        const int d = v != 0.0;
        if (d != last_dump_) {
            std::snprintf(buf, sizeof buf, "fuel dump %s (%.0f kg aboard)", d ? "on" : "off", m_.fuel_total());
            event(buf);
            last_dump_ = d;
        }
    } else if (is(w, "sim/cockpit/switches/water_scoop")) {
        const int d = v != 0.0;
        if (d != last_doors_) {
            event(d ? "bay doors opening" : "bay doors closing");
            last_doors_ = d;
            if (d)
                facts.doors_open_time = w.time;
        }
    } else if (is(w, "sim/aircraft/engine/acf_num_engines")) {
        const int n = static_cast<int>(v);
        if (n != last_engines_) {
            std::snprintf(buf, sizeof buf, "engine count set to %d%s", n, n == 6 ? " (JATO rockets connected)" : "");
            event(buf);
            last_engines_ = n;
        }
    } else if (is(w, "sim/flightmodel/engine/ENGN_mixt") && w.offset <= 4
               && static_cast<int>(w.values.size()) > 4 - w.offset) {
        const bool lit = w.values[4 - w.offset] > 0.5;
        if (lit != jato_lit_ && !m_.observed().on_ground) {
            event(lit ? "JATO rockets ignited" : "JATO rockets shut down");
        } else if (lit != jato_lit_) {
            event(lit ? "JATO rockets ignited on the take-off run" : "JATO rockets shut down");
        }
        if (lit && !jato_lit_)
            moment("jato");
        jato_lit_ = lit;
    }
}

void Timeline::scan_panel()
{
    for (int i = 0; i < nslots_; ++i)
        slots_[i].seen = 0;
    const auto& ops = xphost::display_list();
    const xphost::DrawOp* indexLine = nullptr;
    for (const auto& op : ops) {
        if (op.kind != xphost::DrawOp::String || op.source != "phase 40")
            continue;
        const int n = panel_message(op.text.c_str(), op.rgb);
        if (n <= 0)
            continue;
        int s = 0;
        while (s < nslots_ && (slots_[s].x != op.x || slots_[s].y != op.y))
            ++s;
        if (s == nslots_) {
            if (nslots_ == 16)
                continue;
            slots_[nslots_++] = Slot{op.x, op.y, 0, 0};
        }
        slots_[s].seen = n;
        if (n == 48)
            indexLine = &op;
    }
    for (int i = 0; i < nslots_; ++i) {
        Slot& s = slots_[i];
        if (s.seen == s.shown)
            continue;
        s.shown = s.seen;
        if (s.seen <= 0)
            continue;
        facts.message[s.seen] = true;
        char buf[96];
        std::snprintf(buf, sizeof buf, "panel: %s [%d]", panel_message_text(s.seen), s.seen);
        event(buf);
    }
    if (indexLine) {
        // The release index is drawn on the same line, just after the text.
        for (const auto& op : ops) {
            if (op.kind == xphost::DrawOp::Number && op.source == "phase 40" && op.y == indexLine->y
                && op.x > indexLine->x && op.x <= indexLine->x + 100) {
                const int record = static_cast<int>(std::lround(op.value));
                if (record != facts.stored_record) {
                    facts.stored_record = record;
                    event("panel: release record index " + std::to_string(record));
                }
            }
        }
    }
}

int Timeline::zoom_phase() const
{
    if (aircraft_ != Aircraft::Carrier || facts.phase[6])
        return -1;
    for (int n = 5; n >= 0; --n)
        if (facts.phase[n])
            return n;
    return -1;
}

void PhaseCheck::frame(double t, int published, int shown)
{
    if (values_.empty() || values_.back() != published)
        values_.push_back(published);
    if (published == shown) {
        since_ = -1;
        reported_ = false;
        return;
    }
    if (since_ < 0 || published != published_ || shown != shown_) {
        since_ = t;
        reported_ = false;
        published_ = published;
        shown_ = shown;
        return;
    }
    if (reported_ || t - since_ <= kGrace)
        return;
    reported_ = true;
    problems_.push_back("QZTgov/zoom/phase read " + std::to_string(published) + " from " + clock_text(since_)
                        + " while the plug-in's writes showed "
                        + (shown < 0 ? std::string("no zoom running") : "phase " + std::to_string(shown)));
}

std::string PhaseCheck::published() const
{
    std::string out;
    for (size_t i = 0; i < values_.size(); ++i)
        out += (i ? ", " : "") + std::to_string(values_[i]);
    return out;
}

void Timeline::after_frame()
{
    const auto& said = xphost::speech();
    for (; speech_seen_ < said.size(); ++speech_seen_) {
        facts.spoken.push_back(said[speech_seen_].text);
        facts.spoken_time.push_back(said[speech_seen_].time);
        event("says \"" + said[speech_seen_].text + "\"");
    }
    // What the plug-in wrote to the simulator's log, without its line break.
    const auto& logged = xphost::debug_log();
    for (; log_seen_ < logged.size(); ++log_seen_) {
        std::string line = logged[log_seen_];
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        event("log: " + line);
    }
    const Observed& o = m_.observed();
    if (aircraft_ == Aircraft::Carrier) {
        scan_panel();
        if (o.altitude_ft > facts.apex_ft) {
            facts.apex_ft = o.altitude_ft;
            facts.apex_time = m_.time();
        }
        if (facts.phase[2] && !facts.phase[3])
            peak_g_ = std::max(peak_g_, static_cast<double>(o.g_nrml));
        if (facts.phase[2] && !apex_told_ && o.vvi <= 0.0f) {
            apex_told_ = true;
            event("top of the ballistic arc");
        }
    }
}

}  // namespace sim

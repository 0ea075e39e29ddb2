// sim/runner.cpp
#include "runner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "XPLMGraphics.h"
#include "render.h"
#include "xphost.h"

namespace sim {

const Airport kHomeAirport{"the home airport", 28.60, -80.60, 3.0, 90.0};

namespace {

const char* const kDefaultMoments[] = {"loaded", "jato", "phase1", "phase2", "phase3", "release",
                                       "phase6", "orbiter-loaded", "placed", "cut", "tanks", "launch", "end",
                                       "camera0", "yoke", "climb", "turn", "zoom", "camera2", "host-view",
                                       "water", "cruise", "cruise-water", "dump", "stowed", "glide", "deployed",
                                       "about", "preferences", "hot"};

// Asked for by name only: moments of the zoom a person rarely wants to see.
const char* const kOtherMoments[] = {"phase0", "phase4", "phase5"};

std::string released_text(const Store& s, int station)
{
    const std::string where = " (station " + std::to_string(station) + ")";
    if (s.type == 19)
        return "the spent JATO pack falls away" + where;
    if (s.type == 23)
        return "a drop tank falls away" + where;
    if (s.type == 22)
        return "the bomb leaves the aircraft" + where;
    return "a store of type " + std::to_string(s.type) + " leaves the aircraft" + where;
}

}  // namespace

const std::vector<std::string>& moment_names()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v(std::begin(kDefaultMoments), std::end(kDefaultMoments));
        v.insert(v.end(), std::begin(kOtherMoments), std::end(kOtherMoments));
        return v;
    }();
    return names;
}

Runner::Runner(const Options& opts, std::FILE* out) : timeline(model, out), options(opts), out_(out)
{
    const std::vector<std::string>& m = options.moments;
    if (m.empty()) {
        for (const char* t : kDefaultMoments)
            tags_.insert(t);
    }
    for (const auto& s : m) {
        char* end = nullptr;
        const double t = std::strtod(s.c_str(), &end);
        if (end && *end == '\0' && end != s.c_str())
            times_.push_back(t);
        else
            tags_.insert(s);
    }
    std::sort(times_.begin(), times_.end());
    timeline.on_moment = [this](const std::string& tag) { moment(tag); };
    timeline.on_event = [this](const std::string& text) { profile.event(model.time(), text); };
    wall_start_ = last_progress_ = std::chrono::steady_clock::now();
}

bool Runner::start(std::string* error)
{
    xphost::reset();
    if (options.jitter_seed >= 0)
        xphost::set_frame_jitter(kJitterLowest, kJitterHighest, static_cast<uint64_t>(options.jitter_seed));
    else
        xphost::set_frame_rate(options.fps);
    xphost::set_number_style(options.padded_numbers ? xphost::NumberStyle::ZeroPadded : xphost::NumberStyle::Plain);
    if (!options.prefs_dir.empty()) {
        std::error_code ec;
        std::filesystem::path root = std::filesystem::absolute(options.prefs_dir, ec);
        std::filesystem::create_directories(root / "Resources" / "plugins", ec);
        if (ec) {
            if (error)
                *error = "cannot create " + (root / "Resources" / "plugins").string() + ": " + ec.message();
            return false;
        }
        std::string path = root.string();
        if (path.empty() || path.back() != '/')
            path += '/';
        xphost::set_system_path(path);
    }
    if (!bring_up("", error))
        return false;
    set_airport(airport_);
    bridge.set_local_time(10 * 3600.0 + 20 * 60.0, -5.0);
    return true;
}

// The simulator unloads a stopped plug-in and keeps whatever it left behind.
std::vector<std::string> Runner::stop()
{
    xphost::disable();
    xphost::stop();
    xphost::unload_plugin();
    return xphost::faults();
}

namespace {

void add(xphost::Usage& to, const xphost::Usage& u)
{
    to.callbacks += u.callbacks;
    to.host_calls += u.host_calls;
    to.lookups += u.lookups;
    to.allocations += u.allocations;
    to.file_accesses += u.file_accesses;
    for (const auto& [name, n] : u.by_function)
        to.by_function[name] += n;
}

}  // namespace

xphost::Counters Runner::cost() const
{
    xphost::Counters c = earlier_runs_;
    const xphost::Counters now = xphost::counters();
    add(c.loops, now.loops);
    add(c.drawing, now.drawing);
    add(c.other, now.other);
    c.frames += now.frames;
    return c;
}

bool Runner::restart(std::string* error)
{
    earlier_runs_ = cost();
    xphost::reset_counters();
    first_frame_ = xphost::frame_count() + 1;
    stop();                             // the simulator unloads the file and keeps what it left
    phase_ref_ = nullptr;
    bridge.forget_release();
    return bring_up(" again", error);
}

// The file loaded, started and enabled as the simulator does, and its zoom
// phase found as any other plug-in or a cockpit would, through the host.
bool Runner::bring_up(const char* again, std::string* error)
{
    if (!xphost::load_plugin(options.plugin, error))
        return false;
    if (!xphost::start()) {
        if (error)
            *error = std::string("the plug-in refused to start") + again;
        return false;
    }
    xphost::enable();
    phase_ref_ = XPLMFindDataRef("QZTgov/zoom/phase");
    if (!phase_ref_)
        phase_check_.fail(std::string("the plug-in publishes no QZTgov/zoom/phase") + (*again ? " after its restart" : ""));
    return true;
}

void Runner::set_airport(const Airport& airport)
{
    airport_ = airport;
    xphost::set_local_reference(airport.latitude, airport.longitude);
}

std::string Runner::prefs_file() const { return xphost::system_path() + "Resources/plugins/QZTgov_Preferences.txt"; }

void Runner::load_aircraft(const Airframe& airframe, const char* description, const Store* stores, int count,
                           bool airport)
{
    model.load(airframe, 0.0, 0.0, airport_.elevation, airport_.runway_heading);
    bridge.load_aircraft_file(airframe, stores, count, static_cast<float>(airport_.runway_heading));
    bridge.publish();
    profile.break_line();
    xphost::load_aircraft(description);
    if (airport)
        xphost::load_airport();
    last_released_ = -1;
    brake_released_ = false;
}

void Runner::placed()
{
    // The plug-in moved the aircraft: show where, against the carrier's release.
    // What it wrote stays in the simulator's variables until the next frame.
    model.refresh();
    profile.break_line();
    const Observed& o = model.observed();
    Facts& f = timeline.facts;
    f.placed = true;
    XPLMLocalToWorld(xphost::get_d("sim/flightmodel/position/local_x"), xphost::get_d("sim/flightmodel/position/local_y"),
                     xphost::get_d("sim/flightmodel/position/local_z"), &f.placed_lat, &f.placed_lon, &f.placed_elev);
    f.placed_v[0] = xphost::get_f("sim/flightmodel/position/local_vx");
    f.placed_v[1] = xphost::get_f("sim/flightmodel/position/local_vy");
    f.placed_v[2] = xphost::get_f("sim/flightmodel/position/local_vz");
    const std::vector<float> q = xphost::get_vf("sim/flightmodel/position/q", 0, 4);
    for (size_t i = 0; i < 4 && i < q.size(); ++i)
        f.placed_q[i] = q[i];
    f.placed_ft = o.altitude_ft;
    f.placed_speed = std::sqrt(double(o.vx) * o.vx + double(o.vy) * o.vy + double(o.vz) * o.vz);
    if (bridge.release_seen())
        f.placed_offset_m = std::sqrt(std::pow(o.x - bridge.release_x(), 2) + std::pow(o.y - bridge.release_y(), 2)
                                      + std::pow(o.z - bridge.release_z(), 2));
    char buf[200];
    if (f.placed_offset_m >= 0)
        std::snprintf(buf, sizeof buf, "orbiter placed at %.0f ft, %.3f km/s: %.1f m from where the carrier released it",
                      f.placed_ft, f.placed_speed / 1000.0, f.placed_offset_m);
    else
        std::snprintf(buf, sizeof buf, "orbiter placed at %.0f ft, %.3f km/s (no release of this run to compare)",
                      f.placed_ft, f.placed_speed / 1000.0);
    timeline.event(buf);
    if (!brake_released_)
        timeline.event("  note: placed before any brake release of this aircraft (a brake release of the previous "
                       "aircraft was still pending)");
}

// The orbiter's rocket is cut 20 m/s short of the circular orbit speed at its
// height, as the handbook gives it: sqrt(G M / r) with G = 6.67e-11, M =
// 5.98e24 kg and r = 6378 km plus the indicated altitude.
static double CutSpeed(double altitudeFt)
{
    return std::sqrt(6.67e-11 * 5.98e24 / (6378.0e3 + altitudeFt * 0.3048)) - 20.0;
}

void Runner::frame()
{
    bridge.publish();
    // The state the plug-in sees in this frame.
    Facts& f = timeline.facts;
    if (timeline.aircraft() == Timeline::Aircraft::Orbiter && f.placed && !f.cut && f.cut_due < 0
        && model.observed().groundspeed >= CutSpeed(model.observed().altitude_ft))
        f.cut_due = model.time();
    xphost::run_frame();
    if (xphost::frame_count() == first_frame_)
        xphost::reset_counters();   // the plug-in's start ends in its first frame: what it costs from here
    bridge.read_controls();
    bridge.scan_writes(&timeline);
    check_zoom_phase();
    check_legibility();

    const int released = model.released_station();
    if (released != last_released_ && released >= 0) {
        const Store& s = model.stores[released];
        if (FlightModel::in_bay(s.type)) {
            timeline.facts.released = true;
            timeline.facts.release_ft = model.observed().altitude_ft;
            timeline.event("the orbiter drops clear of the bay (station " + std::to_string(released) + ")");
            separation_at_ = model.time() + 15.0;
            moment("release");
        } else {
            timeline.event(released_text(s, released));
        }
    }
    last_released_ = released;

    if (model.controls.parkbrake <= 0.1f)
        brake_released_ = true;
    if (bridge.placed() && !timeline.facts.placed)
        placed();

    model.step(xphost::frame_period());
    timeline.after_frame();
    {
        const Observed& o = model.observed();
        Profile::Sample p;
        p.t = model.time();
        p.altitude_ft = o.altitude_ft;
        p.mach = o.mach;
        p.speed = o.groundspeed;
        p.orbital = orbital_speed(o.elevation_m);
        p.orbiter = timeline.aircraft() == Timeline::Aircraft::Orbiter;
        profile.sample(p);
    }

    // The carrier's page at its hottest: the frame after the leading edge
    // stopped heating, once it is hot enough to colour the read-outs.
    if (timeline.aircraft() == Timeline::Aircraft::Carrier && !hot_taken_) {
        const double le = model.observed().temp_le_c;
        if (le < hottest_le_ && hottest_le_ > 600.0) {
            hot_taken_ = true;
            char buf[120];
            std::snprintf(buf, sizeof buf, "the airframe is at its hottest: leading edges %.0f deg C", hottest_le_);
            timeline.event(buf);
            moment("hot", std::string(buf) + "; a read-out above 120 deg C turns from blue-green towards red");
        }
        hottest_le_ = std::max(hottest_le_, le);
    }

    if (separation_at_ > 0 && model.time() >= separation_at_) {
        separation_at_ = -1;
        const FreeBody& b = model.released();
        const Observed& o = model.observed();
        char buf[160];
        std::snprintf(buf, sizeof buf, "the orbiter flies free %.0f m below and %.0f m astern of the carrier",
                      o.y - b.y, std::hypot(o.x - b.x, o.z - b.z));
        timeline.event(buf);
    }

    while (next_time_ < times_.size() && model.time() >= times_[next_time_]) {
        char tag[32];
        std::snprintf(tag, sizeof tag, "t%.0f", times_[next_time_]);
        ++next_time_;
        tags_.insert(tag);
        moment(tag);
    }
    if (options.trace > 0 && model.time() >= next_trace_) {
        next_trace_ = model.time() + options.trace;
        const Observed& o = model.observed();
        const Controls& c = model.controls;
        std::fprintf(stderr,
                     "trace t=%7.1f h=%8.0fft M=%5.2f ias=%5.0f vs=%7.1fm/s pitch=%6.2f alpha=%6.2f g=%5.2f "
                     "thr=%.2fx%.2f T=%7.0fN m=%6.0f fuel=%6.0f water=%5.0f ap=%d/%d fd=%s%6.2f trim=%.3f "
                     "tmax=%.0f gs=%.0f\n",
                     model.time(), o.altitude_ft, o.mach, o.ias_kt, o.vvi, o.pitch, o.alpha, o.g_nrml,
                     model.pilot.throttle, c.throttle_max_fwd, o.thrust, o.mass, model.fuel_total(), model.water,
                     c.ap_mode, c.ap_state, c.fd_pitch_override ? "*" : " ",
                     c.fd_pitch_override ? c.fd_pitch : o.fd_pitch, c.elevator_trim, c.tmax_lbf, o.groundspeed);
    }
    progress();
}

void Runner::run_for(double seconds)
{
    const double end = model.time() + seconds - 1e-9;
    while (model.time() < end)
        frame();
}

bool Runner::run_until(const std::function<bool()>& cond, double timeout)
{
    const double end = model.time() + timeout;
    while (!cond()) {
        if (model.time() >= end)
            return false;
        frame();
    }
    return true;
}

void Runner::click_handbook_strip()
{
    const int w = xphost::get_i("sim/graphics/view/window_width");
    const int h = xphost::get_i("sim/graphics/view/window_height");
    xphost::click(w - 25, h * 3 / 4);
    timeline.event("pilot: clicks the far right of the screen (the handbook's strip)");
}

void Runner::moment(const std::string& tag, const std::string& note)
{
    if (options.pictures_dir.empty() || !tags_.count(tag))
        return;
    tags_.erase(tag);   // each moment once
    std::error_code ec;
    std::filesystem::create_directories(options.pictures_dir, ec);
    char name[96];
    std::snprintf(name, sizeof name, "%02d-%s-%s.png", ++picture_count_, options.scenario.c_str(), tag.c_str());
    const std::string path = (std::filesystem::path(options.pictures_dir) / name).string();
    const Observed& o = model.observed();
    char caption[200];
    std::snprintf(caption, sizeof caption, "%s: %s  %s  t %s  %.0f ft  Mach %.2f  v/s %+.0f ft/min",
                  options.scenario.c_str(), model.airframe().name, tag.c_str(), clock_text(model.time()).c_str(), o.altitude_ft, o.mach,
                  o.vvi / 0.3048 * 60.0);
    // A picture of nothing but the invisible strips tells a reader nothing.
    bool drawn = !xphost::widgets().empty();
    for (const auto& op : xphost::display_list())
        drawn = drawn || op.kind != xphost::DrawOp::Box;
    if (!drawn)
        bare_.push_back(name);
    std::string captionLines = caption;
    if (!note.empty())
        captionLines += "\n" + note;
    std::string error;
    if (!write_picture(path, captionLines, &error)) {
        // One clear error rather than a flight of them: the rest would fail alike.
        std::fflush(out_);
        std::fprintf(stderr, "qztgov-demo: cannot write the picture %s: %s\n", path.c_str(), error.c_str());
        std::exit(kCannotWrite);
    }
    pictures_.push_back(path);
    listed(name, drawn_digest(captionLines));
}

// Each picture with the fingerprint of what it shows, so a copy kept
// elsewhere (the README's) can be told stale without comparing pixels.
void Runner::listed(const std::string& name, const std::string& digest)
{
    const std::string list = (std::filesystem::path(options.pictures_dir) / "pictures.txt").string();
    std::FILE* f = std::fopen(list.c_str(), "a");
    if (!f || std::fprintf(f, "%s %s\n", name.c_str(), digest.c_str()) < 0 || std::fclose(f) != 0) {
        std::fprintf(stderr, "qztgov-demo: cannot write %s\n", list.c_str());
        std::exit(kCannotWrite);
    }
}

void Runner::check_zoom_phase()
{
    if (!phase_ref_)
        return;
    const size_t before = phase_check_.problems().size();
    phase_check_.frame(model.time(), XPLMGetDatai(phase_ref_), timeline.zoom_phase());
    if (phase_check_.problems().size() > before)
        timeline.event("MISMATCH: " + phase_check_.problems().back());
}

void Runner::check_legibility()
{
    const int w = xphost::get_i("sim/graphics/view/window_width");
    const int h = xphost::get_i("sim/graphics/view/window_height");
    for (const auto& p : xphost::legibility_problems(xphost::display_list(), w, h)) {
        if (!illegible_where_.insert(p.where).second)
            continue;
        illegible_.push_back(p.text);
        timeline.event("ILLEGIBLE: " + p.text);
    }
}

bool Runner::write_profile_picture(const std::string& title, const std::string& summary, std::string* error)
{
    ProfileNotes notes;
    notes.title = title;
    notes.summary = summary;
    const Facts& f = timeline.facts;
    for (int n = 0; n < 7; ++n)
        notes.phase_start[n] = f.phase[n] ? f.phase_time[n] : -1;
    if (f.cut)
        notes.cut_time = f.cut_time;
    std::error_code ec;
    std::filesystem::create_directories(options.pictures_dir, ec);
    const std::string path = (std::filesystem::path(options.pictures_dir) / (options.scenario + "-profile.png")).string();
    if (!write_profile(path, profile, notes, error))
        return false;
    pictures_.push_back(path);
    Digest d;
    d.add(title);
    d.add(summary);
    for (double t : notes.phase_start)
        d.add(t);
    d.add(notes.cut_time);
    for (const auto& s : profile.samples()) {
        for (double v : {s.t, s.altitude_ft, s.mach, s.speed, s.orbital})
            d.add(v);
        d.add(s.orbiter ? 1.0 : 0.0);
    }
    for (const auto& e : profile.events()) {
        d.add(e.t);
        d.add(e.text);
    }
    listed(options.scenario + "-profile.png", d.hex());
    return true;
}

std::vector<std::string> Runner::moments_missed() const
{
    std::vector<std::string> out;
    if (options.moments.empty() || options.pictures_dir.empty())
        return out;
    for (const auto& t : tags_)
        out.push_back(t);
    for (size_t i = next_time_; i < times_.size(); ++i) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g s", times_[i]);
        out.push_back(buf);
    }
    return out;
}

double Runner::wall_seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start_).count();
}

void Runner::progress()
{
    if (!options.progress || (xphost::frame_count() & 63) != 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_progress_ < std::chrono::milliseconds(200))
        return;
    last_progress_ = now;
    const Observed& o = model.observed();
    std::fprintf(stderr, "\r  %s  %s simulated  %9.0f ft  Mach %5.2f \033[K", options.scenario.c_str(),
                 clock_text(model.time()).c_str(), o.altitude_ft, o.mach);
    std::fflush(stderr);
    progress_shown_ = true;
}

void Runner::clear_progress()
{
    if (progress_shown_) {
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
        progress_shown_ = false;
    }
}

}  // namespace sim

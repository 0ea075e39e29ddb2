// sim/timeline.h: what a person reads: events with the simulated time and the
// aircraft's state, the zoom's phases as the plug-in's writes and drawing
// reveal them, panel lines as they change, and what the plug-in says.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bridge.h"
#include "model.h"

namespace sim {

// Facts the scenarios judge their outcome by.
struct Facts {
    bool   phase[7] = {};
    double phase_time[7] = {};
    std::vector<std::string> spoken;
    std::vector<double> spoken_time;   // simulated seconds, with each text
    double doors_open_time = -1;       // the bay doors last opened, simulated seconds
    bool   message[60] = {};           // panel message numbers ever drawn
    int    stored_record = -1;         // index drawn after "INDEX NO." (shown after any zoom)
    double apex_ft = 0;                // carrier's highest point
    double apex_time = 0;
    bool   released = false;           // the orbiter left the bay
    double release_ft = 0;
    bool   placed = false;             // the orbiter was put at a release
    double placed_offset_m = -1;       // from the carrier's stored release
    double placed_ft = 0;
    double placed_speed = 0;           // m/s
    double placed_lat = 0, placed_lon = 0, placed_elev = 0;   // where the plug-in put it
    float  placed_v[3] = {};           // the velocity it wrote
    float  placed_q[4] = {};           // the attitude quaternion it wrote
    bool   cut = false;                // the orbiter's rocket was cut
    double cut_speed = 0, cut_orbital = 0, cut_ft = 0, cut_fuel = 0, cut_time = 0;
    double cut_due = -1;               // the ground speed first reached the rocket's cut speed
    bool   said(const std::string& text) const;
    double said_at(const std::string& text) const;   // first time, -1 when never
};

class Timeline : public WriteObserver {
public:
    Timeline(const FlightModel& model, std::FILE* out) : m_(model), out_(out) {}

    enum class Aircraft { None, Carrier, Orbiter };
    void set_aircraft(Aircraft a) { aircraft_ = a; }
    Aircraft aircraft() const { return aircraft_; }
    void set_clock_origin(double t) { origin_ = t; }
    // Another flight in the same timeline: its facts start afresh, what was
    // said and logged before stays read.
    void new_flight();

    void heading(const std::string& title);
    void event(const std::string& text);            // with the state at this moment
    void line(const std::string& text);             // plain text

    void on_write(const xphost::Write& w) override;
    void after_frame();                             // speech, panel, apex

    // The zoom phase the writes show: the latest begun, or -1 when no zoom
    // runs (none begun, handed over, or not the carrier).
    int zoom_phase() const;

    Facts facts;
    // Every write of the plug-in, for a scenario that watches writes of its own.
    std::function<void(const xphost::Write&)> on_any_write;
    // Called with a moment's tag ("phase2", "release", ...) as it happens.
    std::function<void(const std::string&)> on_moment;
    // Called with each event's text as it is printed.
    std::function<void(const std::string&)> on_event;

private:
    void phase(int n, const char* what);
    void moment(const std::string& tag);
    void scan_panel();

    const FlightModel& m_;
    std::FILE* out_;
    Aircraft aircraft_ = Aircraft::None;
    double origin_ = 0;
    size_t speech_seen_ = 0;
    size_t log_seen_ = 0;
    float  last_speed_target_ = -1;
    float  last_throtmax_ = 1;
    bool   throttle_cut_ = false;
    int    last_dump_ = -1;
    int    last_doors_ = 0;
    int    last_engines_ = -1;
    bool   jato_lit_ = false;
    double peak_g_ = 0;
    bool   apex_told_ = false;
    bool   guidance_ = false;
    double throttle_step_ = 1.0;

    struct Slot {
        int x = 0, y = 0;
        int shown = 0, seen = 0;
    };
    Slot slots_[16];
    int  nslots_ = 0;
};

std::string clock_text(double seconds);

// The zoom phase the plug-in publishes against the one its writes show,
// frame by frame. They may disagree in the tick a phase changes; longer than
// kGrace is a problem, reported once per disagreement.
class PhaseCheck {
public:
    static constexpr double kGrace = 0.25;
    void frame(double t, int published, int shown);
    void fail(const std::string& problem) { problems_.push_back(problem); }
    const std::vector<std::string>& problems() const { return problems_; }
    // The published values in the order they came, e.g. "-1, 1, 2, 3, 4, 5, -1".
    std::string published() const;

private:
    std::vector<int> values_;
    std::vector<std::string> problems_;
    double since_ = -1;
    bool   reported_ = false;
    int    published_ = 0, shown_ = 0;
};

}  // namespace sim

// sim/runner.h: one demo flight: the host with the loaded plug-in, the flight
// model, the bridge between them, the timeline and the pictures.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "bridge.h"
#include "xphost.h"
#include "model.h"
#include "profile.h"
#include "timeline.h"

namespace sim {

// Where the simulator loads the aircraft: the airport and its runway.
struct Airport {
    const char* name;
    double latitude, longitude;
    double elevation;                    // m
    double runway_heading;               // degrees true
};

// The demo's home airport; the carrier's flights start here.
extern const Airport kHomeAirport;

struct Options {
    std::string scenario = "carrier";
    std::string plugin;                  // the built plug-in file
    std::string prefs_dir;               // empty: the host's temporary folder
    std::string pictures_dir;            // empty: no pictures
    std::vector<std::string> moments;    // tags and seconds; empty: the default set
    double fps = 20;
    bool   quiet = false;
    bool   progress = false;             // stderr is a terminal
    double trace = 0;                    // seconds between state lines on stderr, 0 = none
};

class Runner {
public:
    Runner(const Options& options, std::FILE* out);

    // Fresh host, preferences folder, the plug-in loaded from its file and
    // started and enabled. False with a reason.
    bool start(std::string* error);
    void stop();
    // X-Plane quits and starts again: the plug-in is stopped, its file closed,
    // opened and started anew; the preferences folder and the clock stay.
    bool restart(std::string* error);

    // Where the next aircraft is loaded; the simulator's local frame is
    // centred there.
    void set_airport(const Airport& airport);
    const Airport& airport() const { return airport_; }

    // The simulator loads an aircraft at the airport, on its runway.
    void load_aircraft(const Airframe& airframe, const char* description, const Store* stores, int count,
                       bool airport);

    void frame();
    void run_for(double seconds);
    // Runs until cond() holds; false if the time ran out first.
    bool run_until(const std::function<bool()>& cond, double timeout);

    double now() const { return model.time(); }
    // What the plug-in cost the simulator in its ticks and frames, each run
    // from the end of its start (its first frame) on.
    xphost::Counters cost() const;
    std::string prefs_file() const;
    std::vector<std::string> pictures_written() const { return pictures_; }
    // Moments asked for by name or time that never came.
    std::vector<std::string> moments_missed() const;
    double wall_seconds() const;
    void   clear_progress();

    FlightModel model;
    HostBridge  bridge{model};
    Timeline    timeline;
    Profile     profile;
    const Options& options;

    // The profile picture into the pictures folder; false with a reason.
    bool write_profile_picture(const std::string& title, const std::string& summary, std::string* error);

    // The zoom phase as the plug-in publishes it ("QZTgov/zoom/phase"), read
    // each frame as another plug-in would, against what its writes show.
    const PhaseCheck& phase_check() const { return phase_check_; }

    // A picture for this moment's tag, if one was asked for.
    void moment(const std::string& tag);

private:
    void progress();
    void placed();
    void check_zoom_phase();

    std::FILE* out_;
    Airport airport_ = kHomeAirport;
    std::set<std::string> tags_;
    std::vector<double> times_;
    size_t next_time_ = 0;
    int    picture_count_ = 0;
    std::vector<std::string> pictures_;
    int    last_released_ = -1;
    bool   brake_released_ = false;
    double separation_at_ = -1;
    double next_trace_ = 0;
    std::chrono::steady_clock::time_point wall_start_, last_progress_;
    bool   progress_shown_ = false;
    XPLMDataRef phase_ref_ = nullptr;
    PhaseCheck phase_check_;
    xphost::Counters earlier_runs_;     // the cost of the runs before a restart
    int     first_frame_ = 1;           // the frame that ends the plug-in's latest start
};

}  // namespace sim

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

// The frame rates of a jittering simulator.
constexpr double kJitterLowest = 22, kJitterHighest = 65;

struct Options {
    std::string scenario = "carrier";
    std::string plugin;                  // the built plug-in file
    std::string prefs_dir;               // empty: the host's temporary folder
    std::string pictures_dir;            // empty: no pictures
    std::vector<std::string> moments;    // tags and seconds; empty: the default set
    double fps = 20;
    long   jitter_seed = -1;             // >= 0: frame rates drawn anew each frame, 22 to 65 a second
    bool   padded_numbers = false;       // the host draws numbers zero-padded to their digits
    bool   quiet = false;
    bool   verbose = false;              // the developer's figures too
    bool   progress = false;             // stderr is a terminal
    double trace = 0;                    // seconds between state lines on stderr, 0 = none
};

class Runner {
public:
    Runner(const Options& options, std::FILE* out);

    // Fresh host, preferences folder, the plug-in loaded from its file and
    // started and enabled. False with a reason.
    bool start(std::string* error);
    std::vector<std::string> stop();   // disable, stop and unload: what the plug-in left behind
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
    // The longest frame of this run's frame rate: a model tick keeps to its
    // tenth of a simulated second within it.
    double longest_frame() const { return options.jitter_seed >= 0 ? 1.0 / kJitterLowest : 1.0 / options.fps; }
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

    // Every frame's drawing in the basic font: what was illegible, once a fault.
    const std::vector<std::string>& illegible() const { return illegible_; }

    // A picture for this moment's tag, if one was asked for; `note` is a
    // second caption line saying what the picture shows.
    void moment(const std::string& tag, const std::string& note = "");

    // Pictures that showed nothing the plug-in drew but its click strips.
    const std::vector<std::string>& bare_pictures() const { return bare_; }

    // The pilot clicks the far right of the screen, the handbook's strip.
    void click_handbook_strip();

private:
    bool bring_up(const char* again, std::string* error);   // load, start, enable
    void progress();
    void placed();
    void check_zoom_phase();
    void check_legibility();

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
    double hottest_le_ = -1e9;           // the carrier's leading edge, deg C
    bool   hot_taken_ = false;
    std::chrono::steady_clock::time_point wall_start_, last_progress_;
    bool   progress_shown_ = false;
    XPLMDataRef phase_ref_ = nullptr;
    PhaseCheck phase_check_;
    std::set<std::string> illegible_where_;
    std::vector<std::string> illegible_;
    std::vector<std::string> bare_;
    void listed(const std::string& name, const std::string& digest);   // into DIR/pictures.txt
    xphost::Counters earlier_runs_;     // the cost of the runs before a restart
    int     first_frame_ = 1;           // the frame that ends the plug-in's latest start
};

// The demo's exit status when a folder or file it was told to use cannot be
// written (the preferences folder, the pictures).
constexpr int kCannotWrite = 4;

// Every moment a picture can be asked for by name, in any scenario.
const std::vector<std::string>& moment_names();

// Where the airport lies and how the runway points.
constexpr double kAirportLatitude = 28.60;
constexpr double kAirportLongitude = -80.60;
constexpr double kAirportElevation = 3.0;     // m
constexpr double kRunwayHeading = 90.0;

}  // namespace sim

// sim/profile.h: a flight's profile as one picture a person can judge at a
// glance: altitude and Mach number against time with the zoom's phases and
// the timeline's events marked, and the orbiter's speed against orbital speed.
#pragma once

#include <string>
#include <vector>

namespace sim {

class Profile {
public:
    struct Sample {
        double t = 0;                    // simulated seconds
        double altitude_ft = 0;
        double mach = 0;
        double speed = 0;                // ground speed, m/s
        double orbital = 0;              // orbital speed at this height, m/s
        int    segment = 0;              // lines break between segments
        bool   orbiter = false;
    };
    struct Event {
        double t = 0;
        std::string text;
    };

    // Samples closer than this to the last one are skipped, so a long flight
    // stays a few thousand points.
    static constexpr double kSpacing = 0.5;

    void sample(const Sample& s);
    // The aircraft was loaded or moved by the plug-in: no line joins across.
    void break_line() { ++segment_; force_ = true; }
    void event(double t, const std::string& text) { events_.push_back({t, text}); }

    const std::vector<Sample>& samples() const { return samples_; }
    const std::vector<Event>& events() const { return events_; }
    int segment() const { return segment_; }

private:
    std::vector<Sample> samples_;
    std::vector<Event> events_;
    int  segment_ = 0;
    bool force_ = true;
};

// What the picture says beside the data.
struct ProfileNotes {
    std::string title;                   // scenario and its description
    std::string summary;                 // the outcome's summary line
    double phase_start[7] = {-1, -1, -1, -1, -1, -1, -1};   // < 0: not reached
    double cut_time = -1;                // the orbiter's engine cut, < 0: none
};

// Writes the profile as a PNG. False with a reason (also when the demo was
// built without cairo, or there is nothing to draw).
bool write_profile(const std::string& path, const Profile& profile, const ProfileNotes& notes, std::string* error);

// ---- layout, apart from the drawing so it can be checked on its own

// A step of 1, 2 or 5 times a power of ten that cuts `range` into at most
// `max_ticks` intervals.
double nice_step(double range, int max_ticks);
// Time ticks for [t0, t1] in whole seconds of one of 10, 15, 30 s or 1, 2, 5, 10, 15, 30 min.
double time_step(double span_seconds, int max_ticks);
// "m:ss".
std::string time_label(double seconds);

// How much an event's label is worth to a person: 0 a tick only (the
// panel's lines, the autopilot's running targets), 2 what the flight is about
// (speech, lift-off, the release, the placement, the cut, a mismatch), 1 the rest.
int event_priority(const std::string& text);

// Places labels into `rows` rows, the higher priority first and earlier
// before later: each goes into the first row where it overlaps no label
// (kept `gap` apart); one that fits no row is dropped. Returns the row of each
// label, -1 when dropped.
std::vector<int> place_labels(const std::vector<double>& starts, const std::vector<double>& widths,
                              const std::vector<int>& priority, int rows, double gap);

}  // namespace sim

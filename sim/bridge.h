// sim/bridge.h: the simulator's side of the stand-in host. Each frame it
// publishes the flight model's state as the simulator's variables, and
// afterwards reads back what the plug-in wrote: settings through the
// variables' values, events (fire key, placement) through the write log.
#pragma once

#include <string>
#include <vector>

#include "model.h"

namespace xphost { struct Write; }

namespace sim {

class WriteObserver {
public:
    virtual ~WriteObserver() = default;
    virtual void on_write(const xphost::Write& w) = 0;
};

class HostBridge {
public:
    explicit HostBridge(FlightModel& model) : m_(model) {}

    // What the simulator sets up when it loads an aircraft file (before it
    // tells the plug-in): thrust, engines, mixtures, fuel, stores, switches.
    void load_aircraft_file(const Airframe& airframe, const Store* stores, int count, float heading);
    void set_local_time(double seconds_since_midnight, double utc_offset_hours);

    void publish();                  // model -> host, before each frame
    void read_controls();            // host -> model, after each frame
    // Walks the writes of the last frame: fire key presses, the local
    // placement, command buttons; passes every write on; clears the log.
    void scan_writes(WriteObserver* observer);

    // The simulator's variables a pilot sets by hand.
    static void pilot_set(const std::string& path, float value);
    // The pilot arms and presses the weapon release: the station released, or -1.
    int pilot_fire(bool bombs, bool missiles);

    // Position and velocity published when the fire key released the bay's
    // store (and on the plug-in's second press a tick later).
    bool   release_seen() const { return release_seen_; }
    double release_x() const { return rel_x_; }
    double release_y() const { return rel_y_; }
    double release_z() const { return rel_z_; }
    float  release_vx() const { return rel_vx_; }
    float  release_vy() const { return rel_vy_; }
    float  release_vz() const { return rel_vz_; }
    // The same moment on the globe, and the attitude quaternion published then.
    double release_latitude() const { return rel_lat_; }
    double release_longitude() const { return rel_lon_; }
    double release_elevation() const { return rel_y_; }
    const float* release_q() const { return rel_q_; }
    // A new run of the simulator remembers no release.
    void   forget_release() { release_seen_ = false; release_time_ = -1; }
    int    last_fired_station() const { return last_fired_; }
    bool   placed() const { return placed_; }
    void   clear_placed() { placed_ = false; }

private:
    void mount_positions();             // every station's mounting point, turning with the aircraft

    FlightModel& m_;
    double local_time_ = 36000, utc_offset_ = 0;
    bool   fire_down_ = false;
    bool   bombs_ = false, missiles_ = false;
    bool   release_seen_ = false;
    double rel_x_ = 0, rel_y_ = 0, rel_z_ = 0;
    float  rel_vx_ = 0, rel_vy_ = 0, rel_vz_ = 0;
    double rel_lat_ = 0, rel_lon_ = 0;
    float  rel_q_[4] = {1, 0, 0, 0};
    double release_time_ = -1;
    int    last_fired_ = -1;
    bool   placed_ = false;
    size_t commands_seen_ = 0;
    std::vector<float> ff_ = std::vector<float>(8);
    std::vector<float> q_ = std::vector<float>(4);
    std::vector<float> thr_ = std::vector<float>(8);
    std::vector<float> buf_;
    std::vector<int> status_ = std::vector<int>(25);
    std::vector<float> mass_ = std::vector<float>(25);
    std::vector<float> wx_ = std::vector<float>(25), wy_ = std::vector<float>(25), wz_ = std::vector<float>(25);
    std::vector<float> wv_ = std::vector<float>(25);
};

}  // namespace sim

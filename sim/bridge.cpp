// sim/bridge.cpp
#include "bridge.h"

#include <cmath>

#include "XPLMGraphics.h"
#include "xphost.h"

namespace sim {

namespace {

// Paths built once: the per-frame calls then allocate nothing of their own.
struct Paths {
    const std::string h_ind = "sim/flightmodel/misc/h_ind";
    const std::string elevation = "sim/flightmodel/position/elevation";
    const std::string latitude = "sim/flightmodel/position/latitude";
    const std::string longitude = "sim/flightmodel/position/longitude";
    const std::string local_x = "sim/flightmodel/position/local_x";
    const std::string local_y = "sim/flightmodel/position/local_y";
    const std::string local_z = "sim/flightmodel/position/local_z";
    const std::string local_vx = "sim/flightmodel/position/local_vx";
    const std::string local_vy = "sim/flightmodel/position/local_vy";
    const std::string local_vz = "sim/flightmodel/position/local_vz";
    const std::string groundspeed = "sim/flightmodel/position/groundspeed";
    const std::string tas = "sim/flightmodel/position/true_airspeed";
    const std::string ias = "sim/flightmodel/position/indicated_airspeed";
    const std::string mach = "sim/flightmodel/misc/machno";
    const std::string vvi = "sim/flightmodel/position/vh_ind";
    const std::string theta = "sim/flightmodel/position/theta";
    const std::string phi = "sim/flightmodel/position/phi";
    const std::string psi = "sim/flightmodel/position/psi";
    const std::string pitch_elect = "sim/cockpit/gyros/the_ind_deg3";
    const std::string alpha = "sim/flightmodel/position/alpha";
    const std::string q = "sim/flightmodel/position/q";
    const std::string g_nrml = "sim/flightmodel/forces/g_nrml";
    const std::string lod = "sim/flightmodel/misc/l_o_d";
    const std::string t_amb = "sim/weather/aircraft/temperature_ambient_deg_c";
    const std::string t_le = "sim/weather/aircraft/temperature_leadingedge_deg_c";
    const std::string ff = "sim/flightmodel/engine/ENGN_FF_";
    const std::string fd_pitch = "sim/cockpit/autopilot/flight_director_pitch";
    const std::string fd_pitch_ovr = "sim/operation/override/override_flightdir_ptch";
    const std::string fd_roll = "sim/cockpit/autopilot/flight_director_roll";
    const std::string fd_roll_ovr = "sim/operation/override/override_flightdir_roll";
    const std::string ap_heading = "sim/cockpit/autopilot/heading";
    const std::string jato_left = "sim/flightmodel/misc/jato_left";
    const std::string fuel1 = "sim/flightmodel/weight/m_fuel1";
    const std::string fuel2 = "sim/flightmodel/weight/m_fuel2";
    const std::string fuel3 = "sim/flightmodel/weight/m_fuel3";
    const std::string water = "sim/flightmodel/weight/m_jettison";
    const std::string payload = "sim/flightmodel/weight/m_fixed";
    const std::string status = "sim/weapons/action_mode";
    const std::string type = "sim/weapons/type";
    const std::string mass_max = "sim/weapons/total_weapon_mass_max";
    const std::string mass_now = "sim/weapons/total_weapon_mass_now";
    const std::string fuel_max = "sim/weapons/fuel_warhead_mass_max";
    const std::string wx = "sim/weapons/x";
    const std::string wy = "sim/weapons/y";
    const std::string wz = "sim/weapons/z";
    const std::string wv = "sim/weapons/V_msc";
    const std::string local_time = "sim/time/local_time_sec";
    const std::string zulu_time = "sim/time/zulu_time_sec";
    const std::string thro_use = "sim/flightmodel/engine/ENGN_thro_use";
    const std::string thro_ovr = "sim/operation/override/override_throttles";
    const std::string ap_mode = "sim/cockpit/autopilot/autopilot_mode";
    const std::string ap_state = "sim/cockpit/autopilot/autopilot_state";
    const std::string ap_alt = "sim/cockpit/autopilot/altitude";
    const std::string ap_speed = "sim/cockpit/autopilot/airspeed";
    const std::string ap_mach = "sim/cockpit/autopilot/airspeed_is_mach";
    const std::string ap_vvi = "sim/cockpit/autopilot/vertical_velocity";
    const std::string joystick_ovr = "sim/operation/override/override_joystick";
    const std::string trim = "sim/flightmodel/controls/elv_trim";
    const std::string throtmax = "sim/aircraft/engine/acf_throtmax_FWD";
    const std::string num_engines = "sim/aircraft/engine/acf_num_engines";
    const std::string mixture = "sim/flightmodel/engine/ENGN_mixt";
    const std::string tmax = "sim/aircraft/engine/acf_tmax";
    const std::string dumping = "sim/cockpit/switches/dumping_fuel";
    const std::string transfer_to = "sim/cockpit/engine/fuel_tank_transfer";
    const std::string transfer_from = "sim/cockpit/engine/fuel_tank_transfer_from";
    const std::string doors = "sim/cockpit/switches/water_scoop";
    const std::string gear = "sim/cockpit/switches/gear_handle_status";
    const std::string parkbrake = "sim/flightmodel/controls/parkbrake";
    const std::string fire = "sim/joystick/fire_key_is_down";
    const std::string bombs = "sim/cockpit/weapons/bombs_armed";
    const std::string missiles = "sim/cockpit/weapons/missiles_armed";
    const std::string selector = "sim/cockpit/engine/fuel_tank_selector";
    const std::string sweep = "sim/flightmodel/controls/swdi";
    const std::string sweep_request = "sim/flightmodel/controls/swdirqst";
};

const Paths& P()
{
    static const Paths p;
    return p;
}

constexpr int kGearUpButton = 52;    // the host's command button that raises the gear

}  // namespace

void HostBridge::pilot_set(const std::string& path, float value) { xphost::set_f(path, value); }

int HostBridge::pilot_fire(bool bombs, bool missiles)
{
    const Paths& p = P();
    xphost::set_i(p.bombs, bombs);
    xphost::set_i(p.missiles, missiles);
    return m_.fire(bombs, missiles);
}

void HostBridge::load_aircraft_file(const Airframe& airframe, const Store* stores, int count, float heading)
{
    const Paths& p = P();
    xphost::set_f(p.ap_heading, heading);   // the heading bug on the runway heading
    xphost::set_f(p.tmax, static_cast<float>(airframe.tmax_lbf));
    // Engines beyond the file's usual set (the JATO pair) come in when the
    // plug-in raises the count.
    int usual = 0;
    for (int i = 0; i < airframe.engines; ++i)
        usual += airframe.engine[i] != EngineKind::Jato && airframe.engine[i] != EngineKind::None;
    xphost::set_i(p.num_engines, usual);
    std::vector<float> mix(8, 0.0f);
    for (int i = 0; i < airframe.engines && i < 8; ++i)
        mix[i] = airframe.engine[i] == EngineKind::TurboRamjet || airframe.engine[i] == EngineKind::ReturnJet
                         || airframe.engine[i] == EngineKind::Turbojet
                         || airframe.engine[i] == EngineKind::Propeller
                     ? 1.0f
                     : 0.0f;
    xphost::set_vf(p.mixture, mix);
    xphost::set_f(p.fuel1, static_cast<float>(airframe.fuel[0]));
    xphost::set_f(p.fuel2, static_cast<float>(airframe.fuel[1]));
    xphost::set_f(p.fuel3, static_cast<float>(airframe.fuel[2]));
    xphost::set_f(p.water, static_cast<float>(airframe.water));
    xphost::set_f(p.payload, 0.0f);
    xphost::set_i(p.selector, 4);
    xphost::set_i(p.transfer_to, 0);
    xphost::set_i(p.transfer_from, 0);
    xphost::set_f(p.throtmax, 1.0f);
    xphost::set_i(p.gear, 1);
    xphost::set_f(p.parkbrake, 1.0f);
    xphost::set_f(p.sweep_request, 0.0f);
    xphost::set_f(p.sweep, 0.0f);
    xphost::set_i(p.ap_mode, 0);
    xphost::set_i(p.ap_state, 0);
    // The overrides are the plug-ins' own: the simulator keeps them across a
    // load, and so does the demo.
    xphost::set_f(p.trim, 0.0f);
    xphost::set_i(p.doors, 0);
    xphost::set_i(p.fire, 0);
    xphost::set_i(p.bombs, 0);
    xphost::set_i(p.missiles, 0);

    std::vector<int> types(25, 0), status(25, 0);
    std::vector<float> mass(25, 0.0f), now(25, 0.0f), fuel(25, 0.0f);
    for (int i = 0; i < count && i < Stations; ++i) {
        types[i] = stores[i].type;
        status[i] = stores[i].status;
        mass[i] = stores[i].mass;
        now[i] = stores[i].mass_now();
        fuel[i] = stores[i].fuel_max;
        m_.stores[i] = stores[i];
    }
    for (int i = count; i < Stations; ++i)
        m_.stores[i] = Store{};
    xphost::set_vi(p.type, types);
    xphost::set_vi(p.status, status);
    xphost::set_vf(p.mass_max, mass);
    xphost::set_vf(p.mass_now, now);
    xphost::set_vf(p.fuel_max, fuel);
    fire_down_ = bombs_ = missiles_ = false;
    placed_ = false;
    commands_seen_ = xphost::commands().size();
}

void HostBridge::set_local_time(double seconds, double utc_offset_hours)
{
    local_time_ = seconds;
    utc_offset_ = utc_offset_hours;
}

void HostBridge::publish()
{
    const Paths& p = P();
    const Observed& o = m_.observed();
    xphost::set_f(p.h_ind, static_cast<float>(o.altitude_ft));
    xphost::set_d(p.elevation, o.elevation_m);
    double lat = 0, lon = 0, alt = 0;
    XPLMLocalToWorld(o.x, o.y, o.z, &lat, &lon, &alt);
    xphost::set_d(p.latitude, lat);
    xphost::set_d(p.longitude, lon);
    xphost::set_d(p.local_x, o.x);
    xphost::set_d(p.local_y, o.y);
    xphost::set_d(p.local_z, o.z);
    xphost::set_f(p.local_vx, o.vx);
    xphost::set_f(p.local_vy, o.vy);
    xphost::set_f(p.local_vz, o.vz);
    xphost::set_f(p.groundspeed, o.groundspeed);
    xphost::set_f(p.tas, o.tas);
    xphost::set_f(p.ias, o.ias_kt);
    xphost::set_f(p.mach, o.mach);
    xphost::set_f(p.vvi, o.vvi);
    xphost::set_f(p.theta, o.pitch);
    xphost::set_f(p.phi, o.roll);
    xphost::set_f(p.psi, o.heading);
    xphost::set_f(p.pitch_elect, o.pitch);
    xphost::set_f(p.alpha, o.alpha);
    for (int i = 0; i < 4; ++i)
        q_[i] = o.q[i];
    xphost::set_vf(p.q, q_);
    xphost::set_f(p.g_nrml, o.g_nrml);
    xphost::set_f(p.lod, o.lift_over_drag);
    xphost::set_f(p.t_amb, o.temp_ambient_c);
    xphost::set_f(p.t_le, o.temp_le_c);
    for (int i = 0; i < 8; ++i)
        ff_[i] = o.fuel_flow[i];
    xphost::set_vf(p.ff, ff_);
    if (!m_.controls.fd_pitch_override)
        xphost::set_f(p.fd_pitch, o.fd_pitch);
    if (!m_.controls.fd_roll_override)
        xphost::set_f(p.fd_roll, o.fd_roll);
    xphost::set_f(p.jato_left, o.jato_left);
    xphost::set_f(p.sweep, o.sweep);
    xphost::set_f(p.fuel1, static_cast<float>(m_.fuel[0]));
    xphost::set_f(p.fuel2, static_cast<float>(m_.fuel[1]));
    xphost::set_f(p.fuel3, static_cast<float>(m_.fuel[2]));
    xphost::set_f(p.water, static_cast<float>(m_.water));
    for (int i = 0; i < Stations; ++i)
        status_[i] = m_.stores[i].status;
    xphost::set_vi(p.status, status_);
    // Stores aboard ride at their station's mounting point, which turns with
    // the aircraft; released ones fly on by themselves.
    mount_positions();
    for (int i = 0; i < Stations; ++i) {
        const Store& s = m_.stores[i];
        const FreeBody& b = m_.body(i);
        const bool free = s.status != 0 && b.active;
        mass_[i] = s.status == 0 ? s.mass_now() : 0.0f;
        if (free) {
            wx_[i] = static_cast<float>(b.x);
            wy_[i] = static_cast<float>(b.y);
            wz_[i] = static_cast<float>(b.z);
        }
        wv_[i] = free ? static_cast<float>(std::sqrt(b.vx * b.vx + b.vy * b.vy + b.vz * b.vz)) : o.tas;
    }
    xphost::set_vf(p.mass_now, mass_);
    xphost::set_vf(p.wx, wx_);
    xphost::set_vf(p.wy, wy_);
    xphost::set_vf(p.wz, wz_);
    xphost::set_vf(p.wv, wv_);
    if (!m_.controls.throttle_override) {
        for (int i = 0; i < 8; ++i)
            thr_[i] = m_.pilot.throttle * m_.controls.throttle_max_fwd;
        xphost::set_vf(p.thro_use, thr_);
    }
    const double t = local_time_ + m_.time();
    xphost::set_f(p.local_time, static_cast<float>(std::fmod(t, 86400.0)));
    xphost::set_f(p.zulu_time, static_cast<float>(std::fmod(t - utc_offset_ * 3600.0 + 86400.0, 86400.0)));
}

// Where the stations are in the simulator's local frame: the airframe's
// mounting points turned by heading, pitch and roll, from the aircraft's position.
void HostBridge::mount_positions()
{
    const Observed& o = m_.observed();
    const double d = M_PI / 180.0;
    const double sp = std::sin(o.heading * d), cp = std::cos(o.heading * d);
    const double st = std::sin(o.pitch * d), ct = std::cos(o.pitch * d);
    const double sr = std::sin(o.roll * d), cr = std::cos(o.roll * d);
    const double fwd[3] = {sp * ct, st, -cp * ct};
    const double up0[3] = {-sp * st, ct, cp * st};
    const double right0[3] = {cp, 0.0, sp};
    std::vector<float>* out[3] = {&wx_, &wy_, &wz_};
    for (int s = 0; s < static_cast<int>(wx_.size()); ++s) {
        static const float none[3] = {0.0f, 0.0f, 0.0f};
        const float* m = s < 8 ? m_.airframe().mount[s] : none;
        for (int k = 0; k < 3; ++k) {
            // A right bank lowers the right wing.
            const double right = right0[k] * cr - up0[k] * sr;
            const double up = up0[k] * cr + right0[k] * sr;
            const double base = k == 0 ? o.x : k == 1 ? o.y : o.z;
            (*out[k])[s] = static_cast<float>(base + m[0] * right + m[1] * up + m[2] * fwd[k]);
        }
    }
}

void HostBridge::read_controls()
{
    const Paths& p = P();
    Controls& c = m_.controls;
    c.ap_mode = xphost::get_i(p.ap_mode);
    c.ap_state = xphost::get_i(p.ap_state);
    c.ap_altitude_ft = xphost::get_f(p.ap_alt);
    c.ap_speed = xphost::get_f(p.ap_speed);
    c.ap_is_mach = xphost::get_i(p.ap_mach) != 0;
    c.ap_vvi_fpm = xphost::get_f(p.ap_vvi);
    c.fd_pitch_override = xphost::get_i(p.fd_pitch_ovr) != 0;
    c.fd_pitch = xphost::get_f(p.fd_pitch);
    c.fd_roll_override = xphost::get_i(p.fd_roll_ovr) != 0;
    c.fd_roll = xphost::get_f(p.fd_roll);
    c.ap_heading = xphost::get_f(p.ap_heading);
    c.joystick_override = xphost::get_i(p.joystick_ovr) != 0;
    c.elevator_trim = xphost::get_f(p.trim);
    c.throttle_max_fwd = xphost::get_f(p.throtmax);
    c.throttle_override = xphost::get_i(p.thro_ovr) != 0;
    c.num_engines = xphost::get_i(p.num_engines);
    c.tmax_lbf = xphost::get_f(p.tmax);
    c.dumping_fuel = xphost::get_i(p.dumping) != 0;
    c.transfer_to = xphost::get_i(p.transfer_to);
    c.transfer_from = xphost::get_i(p.transfer_from);
    c.bay_doors = xphost::get_i(p.doors) != 0;
    c.gear_down = xphost::get_i(p.gear) != 0;
    c.parkbrake = xphost::get_f(p.parkbrake);
    c.sweep_request = xphost::get_f(p.sweep_request);

    buf_ = xphost::get_vf(p.mixture, 0, 8);
    for (int i = 0; i < 8 && i < static_cast<int>(buf_.size()); ++i)
        c.mixture[i] = buf_[i];
    if (c.throttle_override) {
        buf_ = xphost::get_vf(p.thro_use, 0, 8);
        for (int i = 0; i < 8 && i < static_cast<int>(buf_.size()); ++i)
            c.throttle_use[i] = buf_[i];
    }

    // Masses the plug-in may have set.
    m_.fuel[0] = xphost::get_f(p.fuel1);
    m_.fuel[1] = xphost::get_f(p.fuel2);
    m_.fuel[2] = xphost::get_f(p.fuel3);
    m_.water = std::max(0.0f, xphost::get_f(p.water));
    m_.payload = xphost::get_f(p.payload);
    buf_ = xphost::get_vf(p.mass_max, 0, Stations);
    for (int i = 0; i < Stations && i < static_cast<int>(buf_.size()); ++i)
        m_.stores[i].mass = buf_[i];
}

void HostBridge::scan_writes(WriteObserver* observer)
{
    const Paths& p = P();
    bool moved = false;
    for (const xphost::Write& w : xphost::writes()) {
        if (observer)
            observer->on_write(w);
        if (!w.accepted || w.values.empty())
            continue;
        const double v = w.values[0];
        if (w.path == p.bombs) {
            bombs_ = v != 0;
        } else if (w.path == p.missiles) {
            missiles_ = v != 0;
        } else if (w.path == p.fire) {
            const bool down = v != 0;
            bool record = false;
            if (down && !fire_down_) {
                const int s = m_.fire(bombs_, missiles_);
                if (s >= 0) {
                    last_fired_ = s;
                    buf_ = xphost::get_vf(p.mass_now, 0, Stations);
                    if (s < static_cast<int>(buf_.size())) {
                        buf_[s] = 0.0f;   // its mass has left the aircraft
                        xphost::set_vf(p.mass_now, buf_);
                    }
                    if (FlightModel::in_bay(m_.stores[s].type)) {
                        release_time_ = w.time;
                        record = true;
                    }
                }
            } else if (down && missiles_ && release_time_ >= 0 && w.time - release_time_ < 0.15) {
                record = true;   // the release is stored once more on the next tick
            }
            if (record) {
                // The plug-in stores the release from what it reads in this
                // frame: the position published before it.
                const Observed& o = m_.observed();
                release_seen_ = true;
                rel_x_ = o.x;
                rel_y_ = o.y;
                rel_z_ = o.z;
                rel_vx_ = o.vx;
                rel_vy_ = o.vy;
                rel_vz_ = o.vz;
                double alt = 0;
                XPLMLocalToWorld(o.x, o.y, o.z, &rel_lat_, &rel_lon_, &alt);
                for (int i = 0; i < 4; ++i)
                    rel_q_[i] = o.q[i];
            }
            fire_down_ = down;
        } else if (w.path == p.jato_left) {
            m_.set_jato_left(v);   // the host's JATO time, as a plug-in sets it
        } else if (w.path == p.local_x || w.path == p.local_y || w.path == p.local_z || w.path == p.local_vx
                   || w.path == p.local_vy || w.path == p.local_vz || w.path == p.q) {
            moved = true;
        }
    }
    xphost::clear_writes();

    if (moved) {
        m_.place(xphost::get_d(p.local_x), xphost::get_d(p.local_y), xphost::get_d(p.local_z));
        m_.set_velocity(xphost::get_f(p.local_vx), xphost::get_f(p.local_vy), xphost::get_f(p.local_vz));
        buf_ = xphost::get_vf(p.q, 0, 4);
        if (buf_.size() == 4)
            m_.set_attitude(buf_.data());
        placed_ = true;
    }

    const auto& cmds = xphost::commands();
    for (; commands_seen_ < cmds.size(); ++commands_seen_)
        if (cmds[commands_seen_].press && cmds[commands_seen_].button == kGearUpButton)
            xphost::set_i(p.gear, 0);
}

}  // namespace sim

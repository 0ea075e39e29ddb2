// sim/model.h: the demo's point-mass flight model and the parts of the
// simulator around it that answer what a plug-in writes.
#pragma once

#include <cstdint>

namespace sim {

enum class EngineKind : uint8_t { None, TurboRamjet, Jato, Rocket, ReturnJet, Turbojet, Propeller };

// What an aircraft file would say about the model.
struct Airframe {
    const char* name = "";
    double empty_mass = 0;        // kg
    double wing_area = 0;         // m^2
    double alpha_max = 20;        // deg; lift stops growing beyond
    double max_load = 3;          // g the autopilot or the pilot will command
    double rotate_kt = 150;       // the nose can come up from here
    double pitch_rate = 5;        // deg/s of the elevators with the air to work on
    double rcs_pitch_rate = 0;    // deg/s of the reaction controls, in any air
    double trim_alpha0 = 1;       // deg of angle of attack with zero elevator trim
    double trim_alpha = 30;       // deg per unit of elevator trim
    int    engines = 0;           // as the aircraft file has them
    EngineKind engine[8] = {};
    double tmax_lbf = 0;          // rated thrust per engine
    double tsfc = 0.07;           // kg/(N h) of the air-breathing engines at rest
    double rocket_isp = 450;      // s, in vacuum
    double jato_thrust = 0;       // N per JATO rocket, or of the host's own JATO
    double jato_burn = 0;         // s of propellant at load
    double fuel[3] = {};          // kg at load
    double water = 0;             // kg in the injection tank at load
    double store_cd_area = 10;    // m^2, drag area of a released store
    float  mount[8][3] = {};      // weapon stations 0 to 7: metres right, up, forward of the centre
    double gear_drag = 0.02;      // drag coefficient of the lowered gear
    double prop_power_kw = 0;     // per propeller engine
    // What the wing-sweep control drives: the wing itself, or a motor
    // glider's engine mast folding away (0 out, 1 stowed).
    double sweep_rate = 0;        // of its whole travel per second; 0 = nothing moves
    double swept_wave_drag = 1;   // supersonic zero-lift drag factor with the wing fully swept
    double mast_drag_area = 0;    // m^2 of drag of the engine mast folded out
};

// The simulator variables that steer the model, as they stand this frame.
struct Controls {
    int   ap_mode = 0;                // 0 off, 1 flight director, 2 servos
    int   ap_state = 0;               // autothrottle 1, altitude arm 32, ...
    float ap_altitude_ft = 0;
    float ap_speed = 0;               // knots or Mach
    bool  ap_is_mach = false;
    float ap_vvi_fpm = 0;
    bool  fd_pitch_override = false;
    float fd_pitch = 0;               // deg, when overridden
    bool  fd_roll_override = false;
    float fd_roll = 0;                // deg, when overridden
    float ap_heading = 0;             // deg, the heading bug
    bool  joystick_override = false;
    float elevator_trim = 0;
    float throttle_max_fwd = 1;
    bool  throttle_override = false;
    float throttle_use[8] = {};
    int   num_engines = 0;
    float mixture[8] = {};
    float tmax_lbf = 0;
    bool  dumping_fuel = false;
    int   transfer_to = 0, transfer_from = 0;   // 1 to 3 tank, 0 none
    bool  bay_doors = false;
    bool  gear_down = true;
    float parkbrake = 0;
    float sweep_request = 0;          // 0 to 1
};

// The pilot's own hands, for the scenario scripts.
struct Pilot {
    bool  hand_flying = false;        // the stick holds pitch_deg
    float pitch_deg = 0;
    float throttle = 0;               // lever, 0 to 1 (the autothrottle moves it too)
};

enum { Stations = 25 };
struct Store {
    int   type = 0;                   // 0 empty
    int   status = 0;                 // 0 aboard, 1 released
    float mass = 0;                   // kg, full
    float fuel_max = 0;               // kg of fuel a drop tank holds
    float fuel = 0;                   // kg of it left; the engines use it first
    float cd_area = 0;                // m^2 of drag area once released; 0 = the airframe's figure
    float mass_now() const { return mass - fuel_max + fuel; }
};

// A store after release: it flies on without engines or lift.
struct FreeBody {
    bool   active = false;
    bool   landed = false;            // lies where it hit the ground
    double x = 0, y = 0, z = 0;       // local metres, y up
    double vx = 0, vy = 0, vz = 0;
};

// What the simulator publishes each frame.
struct Observed {
    double altitude_ft = 0;
    double elevation_m = 0;
    double x = 0, y = 0, z = 0;       // local metres (x east, y up, z south)
    float  vx = 0, vy = 0, vz = 0;
    float  groundspeed = 0;           // m/s
    float  tas = 0;                   // m/s
    float  ias_kt = 0;
    float  mach = 0;
    float  vvi = 0;                   // m/s
    float  pitch = 0, roll = 0, heading = 0, alpha = 0;   // deg
    float  q[4] = {1, 0, 0, 0};
    float  g_nrml = 1;
    float  lift_over_drag = 0;
    float  temp_ambient_c = 15, temp_le_c = 15;
    float  fuel_flow[8] = {};         // kg/s
    float  fd_pitch = 0;              // the autopilot's own command when not overridden
    float  fd_roll = 0;
    float  jato_left = 0;             // s
    float  thrust = 0;                // N, all engines
    float  mass = 0;                  // kg
    float  sweep = 0;                 // where the sweep mechanism stands, 0 to 1
    bool   on_ground = true;
};

class FlightModel {
public:
    // A new aircraft at rest on the ground at local x, z and field elevation.
    void load(const Airframe& airframe, double x, double z, double elevation_m, double heading_deg);

    Controls controls;
    Pilot    pilot;

    // Masses the simulator keeps; a plug-in may write them between frames.
    double fuel[3] = {};
    double water = 0;
    double payload = 0;
    Store  stores[Stations];

    // Integrates dt seconds in fixed sub-steps.
    void step(double dt);

    // The fire key went down: releases the first store the armed switch
    // covers. Stores in the bay leave only through open doors. Returns the
    // station released, or -1.
    int  fire(bool bombs_armed, bool missiles_armed);
    const FreeBody& released() const { return body(released_station_); }
    const FreeBody& body(int station) const;
    int  released_station() const { return released_station_; }

    // The host's own JATO: once fired it burns until its time is used up;
    // a plug-in may set the time left.
    void fire_jato() { jato_firing_ = true; }
    void set_jato_left(double seconds) { jato_left_ = seconds > 0 ? seconds : 0; }

    // The host moved the aircraft (local position, velocity, attitude).
    void place(double x, double y, double z);
    void set_velocity(double vx, double vy, double vz);
    void set_attitude(const float q[4]);

    // Failures a scenario may inject: an engine that stops giving thrust.
    void fail_engine(int index) { if (index >= 0 && index < 8) failed_[index] = true; }
    void relight_engine(int index) { if (index >= 0 && index < 8) failed_[index] = false; }

    const Observed& observed() const { return out_; }
    void refresh() { publish(0, 0, 0, 0, 0); }   // after the host moved the aircraft
    const Airframe& airframe() const { return airframe_; }
    double time() const { return time_; }
    double mass() const;
    double fuel_total() const { return fuel[0] + fuel[1] + fuel[2]; }
    double drop_fuel() const;         // kg in the drop tanks still aboard

    static bool in_bay(int type) { return type == 9; }      // the orbiter rides in the bay
    // JATO packs, bombs and drop tanks fall away when released with bombs armed.
    static bool is_bomb(int type) { return type == 19 || type == 22 || type == 23; }

private:
    void substep(double dt);
    void engines(double dt, double sigma, double mach, double pressure_ratio, double& thrust);
    void fuel_system(double dt);
    void pitch_control(double dt, double qbar, double gamma, double gamma_rate, double mach);
    void roll_control(double dt, double qbar);
    double autopilot_pitch(double alpha_deg);
    void autothrottle(double dt);
    void publish(double qbar, double lift, double drag, double thrust, double alpha);
    void fly_stores(double dt);

    Airframe airframe_{};
    double time_ = 0;
    double x_ = 0, z_ = 0, h_ = 0;      // local east, south; elevation
    double field_ = 0;                  // ground elevation
    double heading_ = 90;               // deg, true
    double vh_ = 0, vz_ = 0;            // along track, up
    double theta_ = 0, q_ = 0;          // pitch attitude and rate, rad
    double phi_ = 0;                    // bank, rad
    double fd_roll_ = 0;                // deg, the autopilot's roll command
    double gamma_rate_ = 0;
    double le_temp_ = 15;
    double sweep_ = 0;
    double jato_left_ = 0;
    bool   jato_firing_ = false;
    double fd_pitch_ = 0;               // deg, the autopilot's computed command
    double at_integral_ = 0;            // autothrottle's integral term
    double sync_pitch_ = 0;             // deg, attitude the autopilot synchronised to
    bool   captured_ = false;           // the armed altitude was captured
    int    ap_mode_seen_ = -1, ap_state_seen_ = -1;
    float  ap_target_seen_ = -1;
    bool   ap_overridden_ = false;
    bool   on_ground_ = true;
    bool   failed_[8] = {};
    double ff_[8] = {};
    FreeBody bodies_[Stations]{};
    int    released_station_ = -1;
    Observed out_{};
};

// Circular orbit speed at an altitude above the mean radius, m/s.
double orbital_speed(double altitude_m);

}  // namespace sim

// sim/model.cpp: the demo's flight model.
//
// A point mass flying in the vertical plane of its heading over a round,
// non-rotating planet: gravity falls off with the square of the distance from
// the centre and horizontal speed relieves it (v^2 / r), so a fast enough
// aircraft coasts in orbit and one above the air flies a ballistic arc. Lift
// and drag come from the standard atmosphere's dynamic pressure with
// Mach-dependent lift slope and drag; thrust acts along the pitch attitude.
// Bank turns the flight path (the servos fly the flight director's roll, or
// the heading bug with heading hold, else hold the wings level). The pitch
// attitude is its own state: the autopilot's servos (or the pilot's
// hand) drive it towards a commanded pitch at a rate the air (and reaction
// controls) allow and within a load limit; with the stick disconnected the
// elevator trim sets the angle of attack the airframe weathervanes to, as
// strongly as the dynamic pressure allows, and in vacuum the nose keeps the
// rate it had. Engines: turbo-ramjets whose thrust grows with ram pressure
// up to Mach 6.8 (gone by Mach 8.3) and falls with density, JATO rockets, a
// rocket with a fixed specific impulse, a small jet, plain turbojets whose
// thrust falls with density, a propeller of fixed power, and the host's own
// JATO. Drop tanks feed the air-breathing engines before the tanks do. The
// sweep mechanism moves towards its request at the airframe's rate: a swept
// wing has less wave drag, a folded-out engine mast drags. Fixed sub-steps of
// 20 ms keep it deterministic.
#include "model.h"

#include <algorithm>
#include <cmath>

#include "atmosphere.h"

namespace sim {

namespace {

constexpr double kDeg = M_PI / 180.0;
constexpr double kKnot = 0.514444;
constexpr double kLbf = 4.448222;
constexpr double kSubstep = 0.02;
constexpr double kDumpRate = 80.0;       // kg/s, fuel dump
constexpr double kTransferRate = 25.0;   // kg/s, fuel transfer

double clampd(double v, double lo, double hi) { return std::min(std::max(v, lo), hi); }

double wrap_pi(double a)
{
    while (a > M_PI) a -= 2 * M_PI;
    while (a < -M_PI) a += 2 * M_PI;
    return a;
}

// Lift slope per radian: thin-wing values below Mach 1, the supersonic
// 4/sqrt(M^2-1) above, held at a waverider's floor at hypersonic speed.
double lift_slope(double m)
{
    if (m < 0.8) return 3.5;
    if (m < 1.2) return 3.5;
    return clampd(3.2 / std::sqrt(m * m - 1.0), 2.0, 3.5);
}

// Zero-lift drag with its transonic rise and the slow fall beyond.
double zero_lift_drag(double m)
{
    if (m < 0.8) return 0.016;
    if (m < 1.05) return 0.016 + (m - 0.8) / 0.25 * 0.024;
    if (m < 2.0) return 0.040 - (m - 1.05) / 0.95 * 0.016;
    if (m < 6.0) return 0.024 - (m - 2.0) / 4.0 * 0.010;
    return 0.014;
}

double induced_factor(double m)
{
    if (m < 1.0) return 0.18;
    return std::min(0.25 + 0.05 * (m - 1.0), 0.5);
}

}  // namespace

double orbital_speed(double altitude_m)
{
    return std::sqrt(kEarthGM / (kEarthRadius + altitude_m));
}

void FlightModel::load(const Airframe& airframe, double x, double z, double elevation_m, double heading_deg)
{
    const Controls keepControls = controls;
    const double clock = time_;
    *this = FlightModel();
    controls = keepControls;
    time_ = clock;   // one clock across aircraft loads
    airframe_ = airframe;
    x_ = x;
    z_ = z;
    h_ = field_ = elevation_m;
    heading_ = heading_deg;
    for (int i = 0; i < 3; ++i)
        fuel[i] = airframe.fuel[i];
    water = airframe.water;
    jato_left_ = airframe.jato_burn;
    le_temp_ = atmosphere(h_).temperature - 273.15;
    publish(0, 0, 0, 0, 0);
}

double FlightModel::mass() const
{
    double m = airframe_.empty_mass + fuel_total() + water + payload;
    for (const Store& s : stores)
        if (s.type != 0 && s.status == 0)
            m += s.mass_now();
    return m;
}

void FlightModel::step(double dt)
{
    const int n = std::max(1, static_cast<int>(std::ceil(dt / kSubstep - 1e-9)));
    for (int i = 0; i < n; ++i)
        substep(dt / n);
}

void FlightModel::autothrottle(double dt)
{
    // The autothrottle works with the flight director alone too; it moves
    // the lever, which stays where it was left when it lets go.
    if (!(controls.ap_state & 1) || controls.ap_mode < 1 || controls.ap_speed <= 0) {
        at_integral_ = pilot.throttle;
        return;
    }
    double error;
    if (controls.ap_is_mach)
        error = (controls.ap_speed - out_.mach) / std::max(0.3, static_cast<double>(controls.ap_speed));
    else
        error = (controls.ap_speed - out_.ias_kt) / std::max(100.0, static_cast<double>(controls.ap_speed));
    // Proportional and integral on the relative speed error; the integral
    // stops where the lever does.
    const double p = 3.0 * error;
    at_integral_ = clampd(at_integral_ + dt * 0.4 * error, -p, 1.0 - p);
    at_integral_ = clampd(at_integral_, -1.0, 2.0);
    pilot.throttle = static_cast<float>(clampd(at_integral_ + p, 0.0, 1.0));
}

void FlightModel::engines(double dt, double sigma, double mach, double pressure_ratio, double& thrust)
{
    thrust = 0;
    const double tmax = std::max(0.0f, controls.tmax_lbf) * kLbf;
    const int count = std::min(std::min(controls.num_engines, airframe_.engines), 8);
    const double lever = clampd(pilot.throttle, 0.0, 1.0) * std::max(0.0f, controls.throttle_max_fwd);
    double burnAll = 0, burnTank[3] = {};

    for (int i = 0; i < 8; ++i)
        ff_[i] = 0;
    for (int i = 0; i < count; ++i) {
        const double mix = controls.mixture[i];
        const double thr = controls.throttle_override ? clampd(controls.throttle_use[i], 0.0, 1.0) : lever;
        double t = 0, ff = 0;
        switch (airframe_.engine[i]) {
        case EngineKind::TurboRamjet:
            if (mix > 0.1 && !failed_[i] && fuel_total() > 0) {
                // Ram pressure lifts the thrust up to Mach 6.8; beyond, the
                // combustion cannot keep up and it is gone by Mach 8.3.
                const double ram = 1.0 + 0.5 * std::pow(std::min(mach, 6.8), 2.0);
                const double fade = clampd(1.0 - (mach - 6.8) / 1.5, 0.0, 1.0);
                t = tmax * thr * std::pow(sigma, 0.7) * ram * fade;
                ff = t * airframe_.tsfc * (1.0 + 0.1 * mach) / 3600.0;
                burnAll += ff;
            }
            break;
        case EngineKind::Jato: {
            // The pack on station 1 burns while its mixture is open.
            const Store& pack = stores[1];
            if (mix > 0.5 && pack.type == 19 && pack.status == 0 && jato_left_ > 0) {
                t = airframe_.jato_thrust;
                jato_left_ = std::max(0.0, jato_left_ - dt / 2.0);   // two rockets share the count
            }
            break;
        }
        case EngineKind::Rocket:
            if (mix > 0.1 && !failed_[i] && fuel[1] > 0) {
                t = tmax * thr * (1.0 - 0.12 * pressure_ratio);
                ff = t / (airframe_.rocket_isp * kG0);
                burnTank[1] += ff;
            }
            break;
        case EngineKind::Turbojet:
            if (mix > 0.1 && !failed_[i] && fuel_total() + drop_fuel() > 0) {
                t = tmax * thr * std::pow(sigma, 0.7);
                ff = t * airframe_.tsfc / 3600.0;
                burnAll += ff;
            }
            break;
        case EngineKind::ReturnJet:
            if (mix > 0.1 && !failed_[i] && fuel[0] > 0) {
                t = 0.1 * tmax * thr * std::pow(sigma, 0.8);
                ff = t * airframe_.tsfc / 3600.0;
                burnTank[0] += ff;
            }
            break;
        case EngineKind::Propeller:
            if (mix > 0.1 && !failed_[i] && fuel_total() > 0) {
                // Fixed power at a fixed efficiency; the static thrust is
                // what that power gives at 10 m/s.
                const double power = airframe_.prop_power_kw * 1000.0 * thr * sigma;
                t = 0.75 * power / std::max(10.0, static_cast<double>(out_.tas));
                ff = power * 0.3 / 3.6e6;   // 0.3 kg per kWh
                burnAll += ff;
            }
            break;
        case EngineKind::None:
            break;
        }
        thrust += t;
        ff_[i] = ff;
    }

    if (jato_firing_) {
        if (jato_left_ > 0) {
            thrust += airframe_.jato_thrust;
            jato_left_ = std::max(0.0, jato_left_ - dt);
        }
        if (jato_left_ <= 0)
            jato_firing_ = false;
    }

    // Air-breathing engines empty the drop tanks first, then draw on every
    // tank in proportion to its content.
    double need = burnAll * dt;
    const double dropped = drop_fuel();
    if (need > 0 && dropped > 0) {
        const double take = std::min(dropped, need);
        for (Store& s : stores)
            if (s.status == 0 && s.fuel > 0)
                s.fuel = static_cast<float>(std::max(0.0, s.fuel - take * s.fuel / dropped));
        need -= take;
    }
    const double total = fuel_total();
    if (need > 0 && total > 0) {
        const double take = std::min(total, need);
        for (double& f : fuel)
            f = std::max(0.0, f - take * f / total);
    }
    for (int t = 0; t < 3; ++t)
        fuel[t] = std::max(0.0, fuel[t] - burnTank[t] * dt);
}

void FlightModel::fuel_system(double dt)
{
    const double total = fuel_total();
    if (controls.dumping_fuel && total > 0) {
        const double take = std::min(total, kDumpRate * dt);
        for (double& f : fuel)
            f = std::max(0.0, f - take * f / total);
    }

    // Transfer: from one tank to another, into a tank from the others (no
    // source), or out of a tank into the others (no destination).
    const int to = controls.transfer_to, from = controls.transfer_from;
    const bool okTo = to >= 1 && to <= 3, okFrom = from >= 1 && from <= 3;
    const double amount = kTransferRate * dt;
    if (okTo && okFrom && to != from) {
        const double m = std::min(amount, fuel[from - 1]);
        fuel[from - 1] -= m;
        fuel[to - 1] += m;
    } else if (okTo && !okFrom) {
        for (int t = 0; t < 3; ++t) {
            if (t == to - 1) continue;
            const double m = std::min(amount / 2, fuel[t]);
            fuel[t] -= m;
            fuel[to - 1] += m;
        }
    } else if (okFrom && !okTo) {
        const double m = std::min(amount, fuel[from - 1]);
        fuel[from - 1] -= m;
        for (int t = 0; t < 3; ++t)
            if (t != from - 1) fuel[t] += m / 2;
    }
}

double FlightModel::autopilot_pitch(double alpha_deg)
{
    // The host's own flight director. A new mode, new state bits or the end
    // of an override synchronise it to the attitude flown at that moment;
    // with the altitude only armed it holds that pitch until the altitude
    // comes within capture, then flies the vertical speed towards it.
    const bool overridden = controls.fd_pitch_override;
    if (controls.ap_mode != ap_mode_seen_ || controls.ap_state != ap_state_seen_ || (ap_overridden_ && !overridden)
        || controls.ap_altitude_ft != ap_target_seen_) {
        sync_pitch_ = theta_ / kDeg;
        captured_ = false;
        ap_mode_seen_ = controls.ap_mode;
        ap_state_seen_ = controls.ap_state;
        ap_target_seen_ = controls.ap_altitude_ft;
    }
    ap_overridden_ = overridden;

    const int state = controls.ap_state;
    const double errFt = controls.ap_altitude_ft - out_.altitude_ft;
    const double vsFpm = vz_ / 0.3048 * 60.0;
    if ((state & 32) && !captured_ && std::fabs(errFt) < std::max(200.0, std::fabs(vsFpm) * 0.15))
        captured_ = true;
    if ((state & (16 | 16384)) || ((state & 32) && captured_)) {
        const double limit = controls.ap_vvi_fpm > 0 ? controls.ap_vvi_fpm : 3000.0;
        const double want = clampd(errFt * 2.0, -limit, limit);
        const double speed = std::max(50.0, static_cast<double>(out_.tas));
        const double g = std::asin(clampd(want * 0.00508 / speed, -0.5, 0.5));
        return g / kDeg + alpha_deg;
    }
    return (state & 128) ? sync_pitch_ : theta_ / kDeg;
}

void FlightModel::pitch_control(double dt, double qbar, double gamma, double gamma_rate, double mach)
{
    const double alpha = on_ground_ ? theta_ : wrap_pi(theta_ - gamma);
    const bool servo = controls.ap_mode == 2;
    const bool hand = !servo && !controls.joystick_override && pilot.hand_flying;
    const double amax = airframe_.alpha_max * kDeg;

    if (servo || hand) {
        double cmd = (servo ? (controls.fd_pitch_override ? controls.fd_pitch : fd_pitch_) : pilot.pitch_deg) * kDeg;
        if (on_ground_) {
            cmd = out_.ias_kt >= airframe_.rotate_kt ? clampd(cmd, 0.0, 12.0 * kDeg) : 0.0;
        } else if (qbar > 50.0) {
            // Hold the load within the limit and the wing below its stall.
            const double perRad = qbar * airframe_.wing_area * lift_slope(mach) / (mass() * kG0);
            const double hi = std::min(amax, airframe_.max_load / perRad);
            const double lo = std::max(-amax, -1.0 / perRad);
            cmd = clampd(cmd, gamma + lo, gamma + hi);
        }
        const double authority = (airframe_.pitch_rate * std::min(1.0, qbar / 5000.0) + airframe_.rcs_pitch_rate) * kDeg;
        const double want = clampd(1.0 * wrap_pi(cmd - theta_), -authority, authority);
        q_ += (want - q_) * std::min(1.0, dt / 0.3);
    } else if (on_ground_) {
        q_ = 0;
    } else {
        // Stick disconnected: the airframe turns to the trimmed angle of
        // attack as firmly as the air lets it; without air the rate stays.
        const double target = clampd((airframe_.trim_alpha0 + airframe_.trim_alpha * controls.elevator_trim) * kDeg, -amax, amax);
        const double w = 3.0 * std::sqrt(std::min(qbar / 50000.0, 1.0));
        q_ += (-w * w * (alpha - target) - 2.0 * 0.7 * w * (q_ - gamma_rate)) * dt;
    }
    theta_ = wrap_pi(theta_ + q_ * dt);
    if (on_ground_ && theta_ < 0) {
        theta_ = 0;
        q_ = 0;
    }
}

void FlightModel::roll_control(double dt, double qbar)
{
    double cmd = phi_ / kDeg;   // nothing holds the wings: the bank stays
    if (controls.ap_mode == 2) {
        if (controls.fd_roll_override) {
            cmd = controls.fd_roll;
        } else if (controls.ap_state & 2) {
            double err = std::fmod(controls.ap_heading - heading_ + 540.0, 360.0) - 180.0;
            cmd = clampd(err * 1.5, -25.0, 25.0);
        } else {
            cmd = 0;
        }
    } else if (pilot.hand_flying || on_ground_) {
        cmd = 0;
    }
    fd_roll_ = cmd;
    const double rate = (10.0 * std::min(1.0, qbar / 5000.0) + airframe_.rcs_pitch_rate) * kDeg;
    phi_ += clampd(cmd * kDeg - phi_, -rate * dt, rate * dt);
}

void FlightModel::substep(double dt)
{
    const Air air = atmosphere(h_);
    const double v = std::hypot(vh_, vz_);
    const double gamma = (on_ground_ || v < 1.0) ? 0.0 : std::atan2(vz_, vh_);
    const double mach = v / air.sound;
    const double qbar = 0.5 * air.density * v * v;
    const double sigma = air.density / kSeaLevelDensity;
    const double alpha = on_ground_ ? theta_ : wrap_pi(theta_ - gamma);

    if (airframe_.sweep_rate > 0) {
        const double travel = airframe_.sweep_rate * dt;
        sweep_ += clampd(clampd(controls.sweep_request, 0.0, 1.0) - sweep_, -travel, travel);
    }

    const double amax = airframe_.alpha_max * kDeg;
    const double cl = lift_slope(mach) * clampd(alpha, -amax, amax);
    double cd0 = zero_lift_drag(mach);
    if (mach > 1.0)
        cd0 *= 1.0 + (airframe_.swept_wave_drag - 1.0) * sweep_;
    double cd = cd0 + induced_factor(mach) * cl * cl;
    if (controls.gear_down) cd += airframe_.gear_drag;
    if (controls.bay_doors) cd += 0.008;
    const double lift = qbar * airframe_.wing_area * cl;
    const double drag = qbar * (airframe_.wing_area * cd + airframe_.mast_drag_area * (1.0 - sweep_));

    autothrottle(dt);
    double thrust = 0;
    engines(dt, sigma, mach, air.pressure / 101325.0, thrust);

    const double m = mass();
    const double r = kEarthRadius + h_;
    const double g = kEarthGM / (r * r) - vh_ * vh_ / r;
    const double liftUp = lift * std::cos(phi_);
    double ax = (thrust * std::cos(theta_) - drag * std::cos(gamma) - liftUp * std::sin(gamma)) / m;
    double az = (thrust * std::sin(theta_) - drag * std::sin(gamma) + liftUp * std::cos(gamma)) / m - g;
    if (!on_ground_ && vh_ > 30.0)
        heading_ = std::fmod(heading_ + lift * std::sin(phi_) / (m * vh_) * dt / kDeg + 360.0, 360.0);

    double normal = 0;   // ground reaction, N
    if (on_ground_) {
        if (az <= 0) {
            normal = -az * m;
            az = 0;
            vz_ = 0;
            const double mu = 0.02 + 0.6 * clampd(controls.parkbrake, 0.0, 1.0);
            const double friction = mu * normal / m;
            if (vh_ > 0.01)
                ax -= friction;
            else if (ax > friction)
                ax -= friction;
            else
                ax = 0;
        } else {
            on_ground_ = false;
        }
    }

    vh_ += ax * dt;
    vz_ += az * dt;
    if (on_ground_ && vh_ < 0) vh_ = 0;
    h_ += vz_ * dt;
    const double psi = heading_ * kDeg;
    x_ += vh_ * std::sin(psi) * dt;
    z_ -= vh_ * std::cos(psi) * dt;
    if (!on_ground_ && h_ <= field_ && vz_ < 0) {
        h_ = field_;
        vz_ = 0;
        on_ground_ = true;
    }

    const double v2 = std::hypot(vh_, vz_);
    const double gamma2 = (on_ground_ || v2 < 1.0) ? 0.0 : std::atan2(vz_, vh_);
    gamma_rate_ = wrap_pi(gamma2 - gamma) / dt;
    fd_pitch_ = autopilot_pitch((theta_ - gamma2) / kDeg);
    pitch_control(dt, qbar, gamma2, gamma_rate_, mach);
    roll_control(dt, qbar);

    fuel_system(dt);
    fly_stores(dt);

    // Leading edges heat towards the recovery temperature, slowly.
    const double recovery = air.temperature * (1.0 + 0.18 * mach * mach) - 273.15;
    le_temp_ += (recovery - le_temp_) * std::min(1.0, dt / 30.0);
    time_ += dt;

    const double nrm = (lift * std::cos(alpha) + drag * std::sin(alpha) + normal) / (m * kG0);
    publish(qbar, lift, drag, thrust, alpha);
    out_.g_nrml = static_cast<float>(nrm);
}

const FreeBody& FlightModel::body(int station) const
{
    static const FreeBody none{};
    return station >= 0 && station < Stations ? bodies_[station] : none;
}

double FlightModel::drop_fuel() const
{
    double kg = 0;
    for (const Store& s : stores)
        if (s.type != 0 && s.status == 0)
            kg += s.fuel;
    return kg;
}

// Released stores fly on without engines or lift until they hit the ground.
void FlightModel::fly_stores(double dt)
{
    for (int i = 0; i < Stations; ++i) {
        FreeBody& b = bodies_[i];
        if (!b.active || b.landed)
            continue;
        const double r = kEarthRadius + b.y;
        const double vhor = std::hypot(b.vx, b.vz);
        const Air air = atmosphere(b.y);
        const double v = std::sqrt(b.vx * b.vx + b.vy * b.vy + b.vz * b.vz);
        const double mass = std::max(1.0f, stores[i].mass_now());
        const double area = stores[i].cd_area > 0 ? stores[i].cd_area : airframe_.store_cd_area;
        const double k = v > 0 ? 0.5 * air.density * v * area / mass : 0.0;
        b.vx -= k * b.vx * dt;
        b.vz -= k * b.vz * dt;
        b.vy += (-(kEarthGM / (r * r)) + vhor * vhor / r - k * b.vy) * dt;
        b.x += b.vx * dt;
        b.y += b.vy * dt;
        b.z += b.vz * dt;
        if (b.y <= field_ && b.vy < 0) {
            b.y = field_;
            b.vx = b.vy = b.vz = 0;
            b.landed = true;
        }
    }
}

int FlightModel::fire(bool bombs_armed, bool missiles_armed)
{
    for (int i = 0; i < Stations; ++i) {
        Store& s = stores[i];
        if (s.type == 0 || s.status != 0)
            continue;
        const bool bay = in_bay(s.type);
        if ((bombs_armed && is_bomb(s.type)) || (missiles_armed && bay)) {
            if (bay && !controls.bay_doors)
                continue;
            s.status = 1;
            released_station_ = i;
            // It leaves with the aircraft's motion, pushed 1 m/s clear of it.
            const double psi = heading_ * kDeg;
            FreeBody& b = bodies_[i];
            b = FreeBody{};
            b.active = true;
            b.x = x_;
            b.y = h_ - 2.0;
            b.z = z_;
            b.vx = vh_ * std::sin(psi);
            b.vy = vz_ - 1.0;
            b.vz = -vh_ * std::cos(psi);
            return i;
        }
    }
    return -1;
}

void FlightModel::place(double x, double y, double z)
{
    x_ = x;
    h_ = y;
    z_ = z;
    on_ground_ = h_ > field_ + 1.0 ? false : on_ground_;
}

void FlightModel::set_velocity(double vx, double vy, double vz)
{
    vh_ = std::hypot(vx, vz);
    vz_ = vy;
    if (vh_ > 0.1)
        heading_ = std::atan2(vx, -vz) / kDeg;
    if (vy > 0.1 || h_ > field_ + 1.0)
        on_ground_ = false;
}

void FlightModel::set_attitude(const float q[4])
{
    const double q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
    const double n = std::sqrt(q0 * q0 + q1 * q1 + q2 * q2 + q3 * q3);
    if (n < 1e-6)
        return;
    theta_ = std::asin(clampd(2.0 * (q0 * q2 - q3 * q1) / (n * n), -1.0, 1.0));
    phi_ = std::atan2(2.0 * (q0 * q1 + q2 * q3), n * n - 2.0 * (q1 * q1 + q2 * q2));
    q_ = 0;
}

void FlightModel::publish(double qbar, double lift, double drag, double thrust, double alpha)
{
    Observed& o = out_;
    const Air air = atmosphere(h_);
    const double v = std::hypot(vh_, vz_);
    const double psi = heading_ * kDeg;
    o.altitude_ft = h_ / 0.3048;
    o.elevation_m = h_;
    o.x = x_;
    o.y = h_;
    o.z = z_;
    o.vx = static_cast<float>(vh_ * std::sin(psi));
    o.vy = static_cast<float>(vz_);
    o.vz = static_cast<float>(-vh_ * std::cos(psi));
    o.groundspeed = static_cast<float>(vh_);
    o.tas = static_cast<float>(v);
    o.ias_kt = static_cast<float>(std::sqrt(2.0 * qbar / kSeaLevelDensity) / kKnot);
    o.mach = static_cast<float>(v / air.sound);
    o.vvi = static_cast<float>(vz_);
    o.pitch = static_cast<float>(theta_ / kDeg);
    o.roll = static_cast<float>(phi_ / kDeg);
    o.heading = static_cast<float>(heading_);
    o.alpha = static_cast<float>(alpha / kDeg);
    o.lift_over_drag = drag > 1.0 ? static_cast<float>(lift / drag) : 0.0f;
    o.temp_ambient_c = static_cast<float>(air.temperature - 273.15);
    o.temp_le_c = static_cast<float>(le_temp_);
    for (int i = 0; i < 8; ++i)
        o.fuel_flow[i] = static_cast<float>(ff_[i]);
    o.fd_pitch = static_cast<float>(fd_pitch_);
    o.fd_roll = static_cast<float>(fd_roll_);
    o.jato_left = static_cast<float>(jato_left_);
    o.thrust = static_cast<float>(thrust);
    o.mass = static_cast<float>(mass());
    o.sweep = static_cast<float>(sweep_);
    o.on_ground = on_ground_;

    // Attitude quaternion of heading, pitch and roll.
    const double hp = psi / 2, ht = theta_ / 2, hr = phi_ / 2;
    o.q[0] = static_cast<float>(std::cos(hp) * std::cos(ht) * std::cos(hr) + std::sin(hp) * std::sin(ht) * std::sin(hr));
    o.q[1] = static_cast<float>(std::cos(hp) * std::cos(ht) * std::sin(hr) - std::sin(hp) * std::sin(ht) * std::cos(hr));
    o.q[2] = static_cast<float>(std::cos(hp) * std::sin(ht) * std::cos(hr) + std::sin(hp) * std::cos(ht) * std::sin(hr));
    o.q[3] = static_cast<float>(-std::cos(hp) * std::sin(ht) * std::sin(hr) + std::sin(hp) * std::cos(ht) * std::cos(hr));
}

}  // namespace sim

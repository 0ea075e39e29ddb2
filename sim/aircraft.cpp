// sim/aircraft.cpp: figures of the carrier and the orbiter. They are chosen to
// make sensible aircraft of the roles, not copied from any real type.
#include "aircraft.h"

namespace sim {

const char* const kCarrierDescription = "QZT Skyhoist orbital carrier";
const char* const kOrbiterDescription = "QZT Ascender orbiter";

Airframe carrier_airframe()
{
    Airframe s;
    s.name = "Skyhoist carrier";
    s.empty_mass = 52000;
    s.wing_area = 300;
    s.alpha_max = 30;
    s.max_load = 4;
    s.rotate_kt = 165;
    s.pitch_rate = 5;
    s.rcs_pitch_rate = 1.5;
    s.trim_alpha0 = 2;
    s.trim_alpha = 35;
    s.engines = 6;
    for (int i = 0; i < 4; ++i)
        s.engine[i] = EngineKind::TurboRamjet;
    s.engine[4] = s.engine[5] = EngineKind::Jato;
    s.tmax_lbf = 70000;
    s.tsfc = 0.07;
    s.jato_thrust = 120000;
    s.jato_burn = 25;
    s.fuel[0] = 7000;
    s.fuel[1] = 14000;
    s.fuel[2] = 7000;
    s.water = 1500;
    s.store_cd_area = 6;
    // Stations, right, up and forward of the centre: the JATO pack and the bay
    // under the fuselage, then the cameras: belly fore and aft, wing tips, tail.
    const float mounts[7][3] = {{0, 0, 0},      {0, -2.5f, 2},  {0, -2.5f, 6}, {0, -2.5f, -8},
                                {-16, 0.8f, -6}, {16, 0.8f, -6}, {0, 5, -28}};
    for (int i = 0; i < 7; ++i)
        for (int k = 0; k < 3; ++k)
            s.mount[i][k] = mounts[i][k];
    return s;
}

Airframe orbiter_airframe()
{
    Airframe s;
    s.name = "Ascender orbiter";
    s.empty_mass = 1300;
    s.wing_area = 40;
    s.alpha_max = 30;
    s.max_load = 3;
    s.rotate_kt = 140;
    s.pitch_rate = 3;
    s.rcs_pitch_rate = 6;
    s.trim_alpha0 = 2;
    s.trim_alpha = 20;
    s.engines = 2;
    s.engine[0] = EngineKind::ReturnJet;
    s.engine[1] = EngineKind::Rocket;
    s.tmax_lbf = 52000;
    s.tsfc = 0.08;
    s.rocket_isp = 460;
    s.fuel[0] = 200;
    s.fuel[1] = 6500;
    s.fuel[2] = 0;
    s.store_cd_area = 2;
    return s;
}

}  // namespace sim

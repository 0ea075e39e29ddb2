// frame/controls.cpp
#include "frame/controls.h"
#include "XPLMDataAccess.h"
#include "frame/datarefs.h"

uint8_t ControlHeld[HeldControls] = {};

static XPLMDataRef HeldRef(int control)
{
    switch (control) {
    case HeldJoystick:       return dr_override_joystick;
    case HeldFlightDirPitch: return dr_override_flightdir_pitch;
    case HeldFlightDirRoll:  return dr_override_flightdir_roll;
    case HeldThrottles:      return dr_override_throttles;
    case HeldFireKey:        return dr_fire_down;
    case HeldBombsArmed:     return dr_bombs_armed;
    case HeldMissilesArmed:  return dr_missiles_armed;
    case HeldFuelDump:       return dr_dumping_fuel;
    default:                 return nullptr;
    }
}

void WriteHeldControl(int control, int on)
{
    if (control < 0 || control >= HeldControls)
        return;
    XPLMSetDatai(HeldRef(control), on);
    ControlHeld[control] = on != 0;
}

void ReleaseHeldControls()
{
    for (int c = 0; c < HeldControls; ++c) {
        if (ControlHeld[c])
            WriteHeldControl(c, 0);
    }
    override_joystick = 0;
    override_flightdir_pitch = 0;
    override_flightdir_roll = 0;
    override_throttles = 0;
    bombs_armed = 0;
    dumping_fuel = 0;
}

void WriteFlightDirector()
{
    if (override_flightdir_pitch) {
        WriteHeldControl(HeldFlightDirPitch, 1);
        XPLMSetDataf(dr_flight_director_pitch, flight_director_pitch);
    }
    if (override_flightdir_roll) {
        WriteHeldControl(HeldFlightDirRoll, 1);
        XPLMSetDataf(dr_flight_director_roll, flight_director_roll);
    }
}

void EngageAutopilot(int wanted)
{
    const int engaged = XPLMGetDatai(dr_ap_flags);
    const int presses = wanted & ~engaged;
    if (presses)
        XPLMSetDatai(dr_ap_flags, presses);
}

static int MixtureCount(int count)
{
    if (count < 0)
        return 0;
    return count > dr_engine_Mix_slots ? dr_engine_Mix_slots : count;
}

void ReadMixtures(int count) { XPLMGetDatavf(dr_engine_Mix[0], engine_Mix, 0, MixtureCount(count)); }
void WriteMixtures(int count) { XPLMSetDatavf(dr_engine_Mix[0], engine_Mix, 0, MixtureCount(count)); }

void SetEngineCount(int count)
{
    num_thrustpoints = count;
    XPLMSetDatai(dr_num_thrustpoints, num_thrustpoints);
    num_engines = count;
    XPLMSetDatai(dr_num_engines, num_engines);
}

void WriteFixedMass(float kg)
{
    m_fixed = kg;
    XPLMSetDataf(dr_m_fixed, m_fixed);
}

void WriteFiringMode(int mode)
{
    firing_mode = mode;
    XPLMSetDatai(dr_firing_mode, firing_mode);
}

void WriteTanks(bool third)
{
    XPLMSetDataf(dr_fuel_1, fuel_1);
    XPLMSetDataf(dr_fuel_2, fuel_2);
    if (third)
        XPLMSetDataf(dr_fuel_3, fuel_3);
}

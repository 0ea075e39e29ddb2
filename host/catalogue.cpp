// host/catalogue.cpp: the simulator variables the plug-in binds, as the
// simulator publishes them: value type, array length or byte size, and whether
// a plug-in may write them.
#include "internal.h"

namespace xphost::detail {

namespace {

// Array lengths are the simulator's (16 engines, 25 weapon stations, 10 gear
// legs), not the plug-in's slot counts. The flight-director pitch override and
// the JATO duration carry the names the simulator really publishes. The
// thrust-point count is read-only in the simulator, so writes to it are lost.
// The five names X-Plane 12 marks replaced are published under both names, as
// X-Plane 12 does (X-Plane 11 knows only the old ones: withdraw the new).
const CatalogueEntry kEntries[] = {
    {"sim/cockpit/electrical/battery_on", xplmType_Int, 1, false},
    {"sim/cockpit/electrical/avionics_on", xplmType_Int, 1, false},
    {"sim/graphics/view/view_type", xplmType_Int, 1, false},
    {"sim/cockpit/electrical/cockpit_lights_on", xplmType_Int, 1, false},
    {"sim/cockpit/electrical/night_vision_on", xplmType_Int, 1, true},
    {"sim/flightmodel/position/local_x", xplmType_Double, 1, true},
    {"sim/flightmodel/position/local_y", xplmType_Double, 1, true},
    {"sim/flightmodel/position/local_z", xplmType_Double, 1, true},
    {"sim/operation/override/override_throttles", xplmType_Int, 1, true},
    {"sim/aircraft/engine/acf_tmax", xplmType_Float, 1, true},
    {"sim/flightmodel/weight/m_fuel1", xplmType_Float, 1, true},
    {"sim/flightmodel/weight/m_fuel2", xplmType_Float, 1, true},
    {"sim/flightmodel/weight/m_fuel3", xplmType_Float, 1, true},
    {"sim/cockpit/switches/dumping_fuel", xplmType_Int, 1, true},
    {"sim/flightmodel/weight/m_fixed", xplmType_Float, 1, true},
    {"sim/flightmodel/misc/jato_left", xplmType_Float, 1, true},
    {"sim/flightmodel/position/vh_ind", xplmType_Float, 1, false},
    {"sim/cockpit/autopilot/airspeed", xplmType_Float, 1, true},
    {"sim/cockpit/autopilot/autopilot_state", xplmType_Int, 1, true},
    {"sim/cockpit/autopilot/autopilot_mode", xplmType_Int, 1, true},
    {"sim/cockpit/autopilot/heading", xplmType_Float, 1, true},
    {"sim/cockpit/autopilot/flight_director_pitch", xplmType_Float, 1, true},
    {"sim/cockpit/autopilot/flight_director_roll", xplmType_Float, 1, true},
    {"sim/operation/override/override_flightdir_ptch", xplmType_Int, 1, true},
    {"sim/operation/override/override_flightdir_roll", xplmType_Int, 1, true},
    {"sim/cockpit/autopilot/vertical_velocity", xplmType_Float, 1, true},
    {"sim/cockpit/autopilot/altitude", xplmType_Float, 1, true},
    {"sim/cockpit/autopilot/airspeed_is_mach", xplmType_Int, 1, true},
    {"sim/cockpit/switches/auto_feather_mode", xplmType_Int, 1, true},
    {"sim/cockpit/switches/water_scoop", xplmType_Int, 1, true},
    {"sim/cockpit/switches/prop_sync_on", xplmType_Int, 1, true},
    {"sim/cockpit/switches/puffers_on", xplmType_Int, 1, true},
    {"sim/flightmodel/position/indicated_airspeed", xplmType_Float, 1, false},
    {"sim/flightmodel/position/true_airspeed", xplmType_Float, 1, false},
    {"sim/flightmodel/misc/machno", xplmType_Float, 1, false},
    {"sim/aircraft/engine/acf_critalt", xplmType_Float, 1, true},
    {"sim/aircraft/engine/acf_max_mach_eff", xplmType_Float, 1, true},
    {"sim/aircraft/engine/acf_spooltime_jet", xplmType_Float, 1, true},
    {"sim/aircraft/view/acf_tailnum", xplmType_Data, 40, false},
    {"sim/aircraft/view/acf_ICAO", xplmType_Data, 40, false},
    {"sim/aircraft/view/acf_descrip", xplmType_Data, 260, false},
    {"sim/flightmodel/misc/h_ind", xplmType_Float, 1, false},
    {"sim/cockpit/weapons/firing_mode", xplmType_Int, 1, true},
    {"sim/cockpit/weapons/firing_rate", xplmType_Int, 1, true},
    {"sim/graphics/view/window_width", xplmType_Int, 1, false},
    {"sim/graphics/view/window_height", xplmType_Int, 1, false},
    {"sim/cockpit/electrical/beacon_lights_on", xplmType_Int, 1, true},
    {"sim/cockpit/electrical/landing_lights_on", xplmType_Int, 1, true},
    {"sim/cockpit/electrical/nav_lights_on", xplmType_Int, 1, true},
    {"sim/cockpit/electrical/strobe_lights_on", xplmType_Int, 1, true},
    {"sim/cockpit/electrical/taxi_light_on", xplmType_Int, 1, true},
    {"sim/aircraft/engine/acf_throtmax_FWD", xplmType_Float, 1, true},
    {"sim/weather/temperature_ambient_c", xplmType_Float, 1, false, "sim/weather/aircraft/temperature_ambient_deg_c"},
    {"sim/weather/temperature_le_c", xplmType_Float, 1, false, "sim/weather/aircraft/temperature_leadingedge_deg_c"},
    {"sim/weather/aircraft/temperature_ambient_deg_c", xplmType_Float, 1, false},
    {"sim/weather/aircraft/temperature_leadingedge_deg_c", xplmType_Float, 1, false},
    {"sim/cockpit/weapons/missiles_armed", xplmType_Int, 1, true},
    {"sim/cockpit/weapons/bombs_armed", xplmType_Int, 1, true},
    {"sim/cockpit/gyros/the_ind_deg3", xplmType_Float, 1, false},
    {"sim/joystick/fire_key_is_down", xplmType_Int, 1, true},
    {"sim/flightmodel/forces/g_nrml", xplmType_Float, 1, false},
    {"sim/cockpit/engine/clutch_engage", xplmType_Int, 1, true},
    {"sim/time/local_time_sec", xplmType_Float, 1, false},
    {"sim/time/zulu_time_sec", xplmType_Float, 1, false},
    {"sim/cockpit/switches/gear_handle_status", xplmType_Int, 1, true},
    {"sim/aircraft/engine/acf_num_engines", xplmType_Int, 1, true},
    {"sim/aircraft/overflow/acf_num_thrustpoints", xplmType_Int, 1, false},
    {"sim/aircraft/overflow/acf_mass_shift", xplmType_Float, 1, true},
    {"sim/cockpit/engine/fuel_tank_selector", xplmType_Int, 1, true},
    {"sim/cockpit/engine/fuel_tank_transfer", xplmType_Int, 1, true},
    {"sim/cockpit/engine/fuel_tank_transfer_from", xplmType_Int, 1, true},
    {"sim/flightmodel/position/theta", xplmType_Float, 1, false},
    {"sim/flightmodel/position/phi", xplmType_Float, 1, false},
    {"sim/flightmodel/position/psi", xplmType_Float, 1, false},
    {"sim/flightmodel/position/latitude", xplmType_Double, 1, false},
    {"sim/flightmodel/position/longitude", xplmType_Double, 1, false},
    {"sim/flightmodel/position/elevation", xplmType_Double, 1, false},
    {"sim/flightmodel/position/local_vx", xplmType_Float, 1, true},
    {"sim/flightmodel/position/local_vy", xplmType_Float, 1, true},
    {"sim/flightmodel/position/local_vz", xplmType_Float, 1, true},
    {"sim/flightmodel/position/groundspeed", xplmType_Float, 1, false},
    {"sim/flightmodel/position/alpha", xplmType_Float, 1, false},
    {"sim/graphics/view/panel_total_pnl_l", xplmType_Float, 1, false},
    {"sim/graphics/view/panel_total_pnl_b", xplmType_Float, 1, false},
    {"sim/flightmodel/misc/l_o_d", xplmType_Float, 1, false},
    {"sim/flightmodel/weight/m_jettison", xplmType_Float, 1, true},
    {"sim/time/paused", xplmType_Int, 1, false},
    {"sim/time/sim_speed", xplmType_Int, 1, false},
    {"sim/cockpit/electrical/HUD_on", xplmType_Int, 1, true},
    {"sim/cockpit/switches/ECAM_mode", xplmType_Int, 1, true},
    {"sim/flightmodel/controls/elv_trim", xplmType_Float, 1, true},
    {"sim/flightmodel/controls/ail_trim", xplmType_Float, 1, true},
    {"sim/flightmodel/controls/rud_trim", xplmType_Float, 1, true},
    {"sim/flightmodel/controls/flaprqst", xplmType_Float, 1, true},
    {"sim/flightmodel/controls/swdi", xplmType_Float, 1, false},
    {"sim/flightmodel/controls/swdirqst", xplmType_Float, 1, true},
    {"sim/flightmodel/controls/dihed_rqst", xplmType_Float, 1, true},
    {"sim/flightmodel/controls/parkbrake", xplmType_Float, 1, true},
    {"sim/operation/override/override_joystick", xplmType_Int, 1, true},
    {"sim/joystick/yolk_pitch_ratio", xplmType_Float, 1, true, "sim/joystick/yoke_pitch_ratio"},
    {"sim/joystick/yolk_roll_ratio", xplmType_Float, 1, true, "sim/joystick/yoke_roll_ratio"},
    {"sim/joystick/yolk_heading_ratio", xplmType_Float, 1, true, "sim/joystick/yoke_heading_ratio"},
    {"sim/joystick/yoke_pitch_ratio", xplmType_Float, 1, true},
    {"sim/joystick/yoke_roll_ratio", xplmType_Float, 1, true},
    {"sim/joystick/yoke_heading_ratio", xplmType_Float, 1, true},
    {"sim/aircraft/specialcontrols/acf_jato_dur", xplmType_Float, 1, true},
    {"sim/weapons/x", xplmType_FloatArray, 25, false},
    {"sim/weapons/y", xplmType_FloatArray, 25, false},
    {"sim/weapons/z", xplmType_FloatArray, 25, false},
    {"sim/flightmodel/engine/ENGN_thro_use", xplmType_FloatArray, 16, true},
    {"sim/flightmodel/engine/ENGN_mixt", xplmType_FloatArray, 16, true},
    {"sim/flightmodel/engine/ENGN_FF_", xplmType_FloatArray, 16, false},
    {"sim/weapons/V_msc", xplmType_FloatArray, 25, false},
    {"sim/weapons/total_weapon_mass_max", xplmType_FloatArray, 25, true},
    {"sim/weapons/y_wpn_att", xplmType_FloatArray, 25, true},
    {"sim/weapons/action_mode", xplmType_IntArray, 25, false},
    {"sim/weapons/type", xplmType_IntArray, 25, false},
    {"sim/weapons/fuel_warhead_mass_max", xplmType_FloatArray, 25, true},
    {"sim/weapons/total_weapon_mass_now", xplmType_FloatArray, 25, true},
    {"sim/flightmodel/position/q", xplmType_FloatArray, 4, true},
    {"sim/aircraft/parts/acf_gear_leglen", xplmType_FloatArray, 10, true},
};

}  // namespace

const CatalogueEntry* catalogue_entries(int* count)
{
    *count = static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]));
    return kEntries;
}

const char* catalogue_twin(const std::string& path)
{
    for (const CatalogueEntry& e : kEntries) {
        if (!e.replaced_by)
            continue;
        if (path == e.path)
            return e.replaced_by;
        if (path == e.replaced_by)
            return e.path;
    }
    return nullptr;
}

const char* catalogue_replacement(const std::string& path)
{
    for (const CatalogueEntry& e : kEntries)
        if (e.replaced_by && path == e.path)
            return e.replaced_by;
    return nullptr;
}

}  // namespace xphost::detail

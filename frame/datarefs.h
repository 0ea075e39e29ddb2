// frame/datarefs.h: every simulator variable the plug-in uses, bound once at start.
// Scalars have one handle each. Arrays have a table of handle slots beside a path
// table of the same length; only entry 0 holds a path, so slot 0 is the array's
// handle and the other slots stay null. Every array access goes through slot 0
// with an offset and a count.
// Beside each handle lives the plug-in's copy of the value (the handle's name
// without "dr_"), kept by whichever loop last read it or holding what was last written.
#pragma once
#include <cstdint>
#include "XPLMDataAccess.h"

enum { DataRefPathLen = 40 };

void InitDataRef(int, int);       // both arguments are ignored

// ---- scalar handles, in binding order
extern XPLMDataRef dr_battery_on;                      // int    sim/cockpit/electrical/battery_on
extern XPLMDataRef dr_avionics_on;                     // int    sim/cockpit/electrical/avionics_on
extern XPLMDataRef dr_view_type;                       // int    sim/graphics/view/view_type
extern XPLMDataRef dr_cockpit_lights_on;               // int    sim/cockpit/electrical/cockpit_lights_on
extern XPLMDataRef dr_night_vision_on;                 // int    sim/cockpit/electrical/night_vision_on
extern XPLMDataRef dr_local_x;                         // double sim/flightmodel/position/local_x
extern XPLMDataRef dr_local_y;                         // double sim/flightmodel/position/local_y
extern XPLMDataRef dr_local_z;                         // double sim/flightmodel/position/local_z
extern XPLMDataRef dr_override_throttles;              // int    sim/operation/override/override_throttles
extern XPLMDataRef dr_tmax;                            // float  sim/aircraft/engine/acf_tmax
extern XPLMDataRef dr_fuel_1;                          // float  sim/flightmodel/weight/m_fuel1
extern XPLMDataRef dr_fuel_2;                          // float  sim/flightmodel/weight/m_fuel2
extern XPLMDataRef dr_fuel_3;                          // float  sim/flightmodel/weight/m_fuel3
extern XPLMDataRef dr_dumping_fuel;                    // int    sim/cockpit/switches/dumping_fuel
extern XPLMDataRef dr_m_fixed;                         // float  sim/flightmodel/weight/m_fixed
extern XPLMDataRef dr_JATOleft;                        // float  sim/flightmodel/misc/jato_left
extern XPLMDataRef dr_sim_vvi;                         // float  sim/flightmodel/position/vh_ind
extern XPLMDataRef dr_ap_speed;                        // float  sim/cockpit/autopilot/airspeed
extern XPLMDataRef dr_ap_flags;                        // int    sim/cockpit/autopilot/autopilot_state
extern XPLMDataRef dr_autopilot_mode;                  // int    sim/cockpit/autopilot/autopilot_mode
extern XPLMDataRef dr_ap_heading_true;                 // float  sim/cockpit/autopilot/heading
extern XPLMDataRef dr_flight_director_pitch;           // float  sim/cockpit/autopilot/flight_director_pitch
extern XPLMDataRef dr_flight_director_roll;            // float  sim/cockpit/autopilot/flight_director_roll
extern XPLMDataRef dr_override_flightdir_pitch;        // int    sim/operation/override/override_flightdir_ptch
extern XPLMDataRef dr_override_flightdir_roll;         // int    sim/operation/override/override_flightdir_roll
extern XPLMDataRef dr_ap_vertical_velocity;            // float  sim/cockpit/autopilot/vertical_velocity
extern XPLMDataRef dr_ap_altitude;                     // float  sim/cockpit/autopilot/altitude
extern XPLMDataRef dr_ap_ismach;                       // int    sim/cockpit/autopilot/airspeed_is_mach
extern XPLMDataRef dr_auto_feather_mode;               // int    sim/cockpit/switches/auto_feather_mode
extern XPLMDataRef dr_water_scoop;                     // int    sim/cockpit/switches/water_scoop
extern XPLMDataRef dr_prop_sync_on;                    // int    sim/cockpit/switches/prop_sync_on
extern XPLMDataRef dr_puffers_on;                      // int    sim/cockpit/switches/puffers_on
extern XPLMDataRef dr_ind_airspeed;                    // float  sim/flightmodel/position/indicated_airspeed
extern XPLMDataRef dr_true_airspeed;                   // float  sim/flightmodel/position/true_airspeed
extern XPLMDataRef dr_machno;                          // float  sim/flightmodel/misc/machno
extern XPLMDataRef dr_critalt_curr;                    // float  sim/aircraft/engine/acf_critalt
extern XPLMDataRef dr_macheff_curr;                    // float  sim/aircraft/engine/acf_max_mach_eff
extern XPLMDataRef dr_spooltime_jet;                   // float  sim/aircraft/engine/acf_spooltime_jet
extern XPLMDataRef dr_tailnum;                         // bytes  sim/aircraft/view/acf_tailnum
extern XPLMDataRef dr_ICAO;                            // bytes  sim/aircraft/view/acf_ICAO
extern XPLMDataRef dr_descrip;                         // bytes  sim/aircraft/view/acf_descrip
extern XPLMDataRef dr_altitude;                        // float  sim/flightmodel/misc/h_ind
extern XPLMDataRef dr_firing_mode;                     // int    sim/cockpit/weapons/firing_mode
extern XPLMDataRef dr_firing_rate;                     // int    sim/cockpit/weapons/firing_rate
extern XPLMDataRef dr_window_w;                        // int    sim/graphics/view/window_width
extern XPLMDataRef dr_window_h;                        // int    sim/graphics/view/window_height
extern XPLMDataRef dr_beacon_lights_on;                // int    sim/cockpit/electrical/beacon_lights_on
extern XPLMDataRef dr_landing_lights_on;               // int    sim/cockpit/electrical/landing_lights_on
extern XPLMDataRef dr_nav_lights_on;                   // int    sim/cockpit/electrical/nav_lights_on
extern XPLMDataRef dr_strobe_lights_on;                // int    sim/cockpit/electrical/strobe_lights_on
extern XPLMDataRef dr_taxi_light_on;                   // int    sim/cockpit/electrical/taxi_light_on
extern XPLMDataRef dr_throtmax_FWD;                    // float  sim/aircraft/engine/acf_throtmax_FWD
extern XPLMDataRef dr_temperature_ambc;                // float  sim/weather/aircraft/temperature_ambient_deg_c (X-Plane 11: sim/weather/temperature_ambient_c)
extern XPLMDataRef dr_temperature_lec;                 // float  sim/weather/aircraft/temperature_leadingedge_deg_c (X-Plane 11: sim/weather/temperature_le_c)
extern XPLMDataRef dr_missiles_armed;                  // int    sim/cockpit/weapons/missiles_armed
extern XPLMDataRef dr_bombs_armed;                     // int    sim/cockpit/weapons/bombs_armed
extern XPLMDataRef dr_pitch_elect;                     // float  sim/cockpit/gyros/the_ind_deg3
extern XPLMDataRef dr_fire_down;                       // int    sim/joystick/fire_key_is_down
extern XPLMDataRef dr_g_nrml;                          // float  sim/flightmodel/forces/g_nrml
extern XPLMDataRef dr_clutch_engage;                   // int    sim/cockpit/engine/clutch_engage
extern XPLMDataRef dr_local_time_sec;                  // float  sim/time/local_time_sec
extern XPLMDataRef dr_zulu_time_sec;                   // float  sim/time/zulu_time_sec
extern XPLMDataRef dr_gear_handle_status;              // int    sim/cockpit/switches/gear_handle_status
extern XPLMDataRef dr_num_engines;                     // int    sim/aircraft/engine/acf_num_engines
extern XPLMDataRef dr_num_thrustpoints;                // int    sim/aircraft/overflow/acf_num_thrustpoints
extern XPLMDataRef dr_mass_shift;                      // float  sim/aircraft/overflow/acf_mass_shift
extern XPLMDataRef dr_fuel_tank_selector;              // int    sim/cockpit/engine/fuel_tank_selector
extern XPLMDataRef dr_fuel_tank_transfer;              // int    sim/cockpit/engine/fuel_tank_transfer
extern XPLMDataRef dr_fuel_tank_transfer_from;         // int    sim/cockpit/engine/fuel_tank_transfer_from
extern XPLMDataRef dr_theta;                           // float  sim/flightmodel/position/theta
extern XPLMDataRef dr_phi;                             // float  sim/flightmodel/position/phi
extern XPLMDataRef dr_psi;                             // float  sim/flightmodel/position/psi
extern XPLMDataRef dr_latitude;                        // double sim/flightmodel/position/latitude
extern XPLMDataRef dr_longitude;                       // double sim/flightmodel/position/longitude
extern XPLMDataRef dr_elevation;                       // double sim/flightmodel/position/elevation
extern XPLMDataRef dr_local_vx;                        // float  sim/flightmodel/position/local_vx
extern XPLMDataRef dr_local_vy;                        // float  sim/flightmodel/position/local_vy
extern XPLMDataRef dr_local_vz;                        // float  sim/flightmodel/position/local_vz
extern XPLMDataRef dr_groundspeed;                     // float  sim/flightmodel/position/groundspeed
extern XPLMDataRef dr_alpha;                           // float  sim/flightmodel/position/alpha
extern XPLMDataRef dr_total_pnl_l;                     // float  sim/graphics/view/panel_total_pnl_l
extern XPLMDataRef dr_total_pnl_b;                     // float  sim/graphics/view/panel_total_pnl_b
extern XPLMDataRef dr_l_o_d;                           // float  sim/flightmodel/misc/l_o_d
extern XPLMDataRef dr_m_jettison;                      // float  sim/flightmodel/weight/m_jettison
extern XPLMDataRef dr_paused;                          // int    sim/time/paused
extern XPLMDataRef dr_sim_speed;                       // int    sim/time/sim_speed
extern XPLMDataRef dr_HUD_on;                          // int    sim/cockpit/electrical/HUD_on
extern XPLMDataRef dr_ECAM_mode;                       // int    sim/cockpit/switches/ECAM_mode
extern XPLMDataRef dr_elvator_trim;                    // float  sim/flightmodel/controls/elv_trim
extern XPLMDataRef dr_ail_trim;                        // float  sim/flightmodel/controls/ail_trim
extern XPLMDataRef dr_rud_trim;                        // float  sim/flightmodel/controls/rud_trim
extern XPLMDataRef dr_flaps;                           // float  sim/flightmodel/controls/flaprqst
extern XPLMDataRef dr_swdi;                            // float  sim/flightmodel/controls/swdi
extern XPLMDataRef dr_swdirqst;                        // float  sim/flightmodel/controls/swdirqst
extern XPLMDataRef dr_dihedral;                        // float  sim/flightmodel/controls/dihed_rqst
extern XPLMDataRef dr_parkbrake;                       // float  sim/flightmodel/controls/parkbrake
extern XPLMDataRef dr_override_joystick;               // int    sim/operation/override/override_joystick
extern XPLMDataRef dr_yolk_pitch_ratio;                // float  sim/joystick/yoke_pitch_ratio (X-Plane 11: yolk_pitch_ratio)
extern XPLMDataRef dr_yolk_roll_ratio;                 // float  sim/joystick/yoke_roll_ratio (X-Plane 11: yolk_roll_ratio)
extern XPLMDataRef dr_yolk_heading_ratio;              // float  sim/joystick/yoke_heading_ratio (X-Plane 11: yolk_heading_ratio)
extern XPLMDataRef dr_JATOduration;                    // float  sim/aircraft/specialcontrols/acf_jato_dur

// ---- array handles (slot 0 = the array) and their path tables, in binding order
enum { dr_WeaponsX_slots = 25 };
extern XPLMDataRef dr_WeaponsX[dr_WeaponsX_slots];
extern char DataRefDescriptionsWeaponsX[dr_WeaponsX_slots][DataRefPathLen];   // sim/weapons/x
enum { dr_WeaponsY_slots = 25 };
extern XPLMDataRef dr_WeaponsY[dr_WeaponsY_slots];
extern char DataRefDescriptionsWeaponsY[dr_WeaponsY_slots][DataRefPathLen];   // sim/weapons/y
enum { dr_WeaponsZ_slots = 25 };
extern XPLMDataRef dr_WeaponsZ[dr_WeaponsZ_slots];
extern char DataRefDescriptionsWeaponsZ[dr_WeaponsZ_slots][DataRefPathLen];   // sim/weapons/z
enum { dr_engine_thro_use_slots = 2 };
extern XPLMDataRef dr_engine_thro_use[dr_engine_thro_use_slots];
extern char DataRefDescriptionsThro_use[dr_engine_thro_use_slots][DataRefPathLen];   // sim/flightmodel/engine/ENGN_thro_use
enum { dr_engine_Mix_slots = 8 };
extern XPLMDataRef dr_engine_Mix[dr_engine_Mix_slots];
extern char DataRefDescriptionsMix[dr_engine_Mix_slots][DataRefPathLen];   // sim/flightmodel/engine/ENGN_mixt
enum { dr_engine_FF_slots = 8 };
extern XPLMDataRef dr_engine_FF[dr_engine_FF_slots];
extern char DataRefDescriptionsFF[dr_engine_FF_slots][DataRefPathLen];   // sim/flightmodel/engine/ENGN_FF_
enum { dr_WeaponsV_msc_slots = 25 };
extern XPLMDataRef dr_WeaponsV_msc[dr_WeaponsV_msc_slots];
extern char DataRefDescriptionsWeaponsV_msc[dr_WeaponsV_msc_slots][DataRefPathLen];   // sim/weapons/V_msc
enum { dr_total_weapon_mass_max_slots = 25 };
extern XPLMDataRef dr_total_weapon_mass_max[dr_total_weapon_mass_max_slots];
extern char DataRefDescriptionstotal_weapon_mass_max[dr_total_weapon_mass_max_slots][DataRefPathLen];   // sim/weapons/total_weapon_mass_max
enum { dr_WeaponsY_wpn_att_slots = 25 };
extern XPLMDataRef dr_WeaponsY_wpn_att[dr_WeaponsY_wpn_att_slots];
extern char DataRefDescriptionsWeaponsY_wpn_att[dr_WeaponsY_wpn_att_slots][DataRefPathLen];   // sim/weapons/y_wpn_att
enum { dr_Weapon_status_slots = 25 };
extern XPLMDataRef dr_Weapon_status[dr_Weapon_status_slots];
extern char DataRefDescriptionsWeapon_status[dr_Weapon_status_slots][DataRefPathLen];   // sim/weapons/action_mode
enum { dr_Weapon_type_slots = 25 };
extern XPLMDataRef dr_Weapon_type[dr_Weapon_type_slots];
extern char DataRefDescriptionsWeapon_type[dr_Weapon_type_slots][DataRefPathLen];   // sim/weapons/type
enum { dr_Weapon_fuel_warhead_mass_max_slots = 25 };
extern XPLMDataRef dr_Weapon_fuel_warhead_mass_max[dr_Weapon_fuel_warhead_mass_max_slots];
extern char DataRefDescriptionsWeapon_fuel_warhead_mass_max[dr_Weapon_fuel_warhead_mass_max_slots][DataRefPathLen];   // sim/weapons/fuel_warhead_mass_max
enum { dr_Weapon_total_weapon_mass_now_slots = 25 };
extern XPLMDataRef dr_Weapon_total_weapon_mass_now[dr_Weapon_total_weapon_mass_now_slots];
extern char DataRefDescriptionsWeapon_total_weapon_mass_now[dr_Weapon_total_weapon_mass_now_slots][DataRefPathLen];   // sim/weapons/total_weapon_mass_now
enum { dr_Quaternion_slots = 4 };
extern XPLMDataRef dr_Quaternion[dr_Quaternion_slots];
extern char DataRefDescriptionsQuaternion[dr_Quaternion_slots][DataRefPathLen];   // sim/flightmodel/position/q
enum { dr_acf_gear_leglen_slots = 73 };
extern XPLMDataRef dr_acf_gear_leglen[dr_acf_gear_leglen_slots];
extern char DataRefDescriptionsacf_gear_leglen[dr_acf_gear_leglen_slots][DataRefPathLen];   // sim/aircraft/parts/acf_gear_leglen

// ---- the plug-in's copies of simulator values
extern int     battery_on;                // sim/cockpit/electrical/battery_on
extern int     avionics_on;               // sim/cockpit/electrical/avionics_on
extern int     view_type;                 // sim/graphics/view/view_type
extern int     cockpit_lights_on;         // sim/cockpit/electrical/cockpit_lights_on
extern int     night_vision_on;           // sim/cockpit/electrical/night_vision_on
extern double  local_x;                   // sim/flightmodel/position/local_x
extern double  local_y;                   // sim/flightmodel/position/local_y
extern double  local_z;                   // sim/flightmodel/position/local_z
extern uint8_t override_throttles;        // sim/operation/override/override_throttles
extern float   fuel_1;                    // sim/flightmodel/weight/m_fuel1
extern float   fuel_2;                    // sim/flightmodel/weight/m_fuel2
extern float   fuel_3;                    // sim/flightmodel/weight/m_fuel3
extern uint8_t dumping_fuel;              // sim/cockpit/switches/dumping_fuel
extern float   m_fixed;                   // sim/flightmodel/weight/m_fixed
extern float   JATOleft;                  // sim/flightmodel/misc/jato_left
extern float   sim_vvi;                   // sim/flightmodel/position/vh_ind
extern int     ap_flags;                  // sim/cockpit/autopilot/autopilot_state
extern int     autopilot_mode;            // sim/cockpit/autopilot/autopilot_mode
extern float   ap_heading_true;           // sim/cockpit/autopilot/heading
extern float   flight_director_pitch;     // sim/cockpit/autopilot/flight_director_pitch
extern float   flight_director_roll;      // sim/cockpit/autopilot/flight_director_roll
extern uint8_t override_flightdir_pitch;  // sim/operation/override/override_flightdir_ptch
extern uint8_t override_flightdir_roll;   // sim/operation/override/override_flightdir_roll
extern float   ap_altitude;               // sim/cockpit/autopilot/altitude
extern int     auto_feather_mode;         // sim/cockpit/switches/auto_feather_mode
extern uint8_t water_scoop;               // sim/cockpit/switches/water_scoop
extern uint8_t prop_sync_on;              // sim/cockpit/switches/prop_sync_on
extern uint8_t puffers_on;                // sim/cockpit/switches/puffers_on
extern float   ind_airspeed;              // sim/flightmodel/position/indicated_airspeed
extern float   true_airspeed;             // sim/flightmodel/position/true_airspeed
extern float   machno;                    // sim/flightmodel/misc/machno
extern float   CurrentAlt;                // sim/flightmodel/misc/h_ind
extern int     firing_mode;               // sim/cockpit/weapons/firing_mode
extern int     firing_rate;               // sim/cockpit/weapons/firing_rate
extern int     window_w;                  // sim/graphics/view/window_width
extern int     window_h;                  // sim/graphics/view/window_height
extern int     beacon_lights_on;          // sim/cockpit/electrical/beacon_lights_on
extern int     landing_lights_on;         // sim/cockpit/electrical/landing_lights_on
extern int     nav_lights_on;             // sim/cockpit/electrical/nav_lights_on
extern int     strobe_lights_on;          // sim/cockpit/electrical/strobe_lights_on
extern int     taxi_light_on;             // sim/cockpit/electrical/taxi_light_on
extern float   temperature_ambc;          // sim/weather/aircraft/temperature_ambient_deg_c
extern float   temperature_lec;           // sim/weather/aircraft/temperature_leadingedge_deg_c
extern uint8_t bombs_armed;               // sim/cockpit/weapons/bombs_armed
extern float   pitch_elect;               // sim/cockpit/gyros/the_ind_deg3
extern float   g_nrml;                    // sim/flightmodel/forces/g_nrml
extern float   local_time_sec;            // sim/time/local_time_sec
extern float   zulu_time_sec;             // sim/time/zulu_time_sec
extern uint8_t gear_handle_status;        // sim/cockpit/switches/gear_handle_status
extern int     num_engines;               // sim/aircraft/engine/acf_num_engines
extern int     num_thrustpoints;          // sim/aircraft/overflow/acf_num_thrustpoints
extern float   mass_shift;                // sim/aircraft/overflow/acf_mass_shift
extern int     fuel_tank_selector;        // sim/cockpit/engine/fuel_tank_selector
extern float   local_vx;                  // sim/flightmodel/position/local_vx
extern float   local_vy;                  // sim/flightmodel/position/local_vy
extern float   local_vz;                  // sim/flightmodel/position/local_vz
extern float   alpha;                     // sim/flightmodel/position/alpha
extern float   total_pnl_l;               // sim/graphics/view/panel_total_pnl_l
extern float   total_pnl_b;               // sim/graphics/view/panel_total_pnl_b
extern float   l_o_d;                     // sim/flightmodel/misc/l_o_d
extern float   m_jettison;                // sim/flightmodel/weight/m_jettison
extern uint8_t paused;                    // sim/time/paused
extern int     sim_speed;                 // sim/time/sim_speed
extern int     HUD_on;                    // sim/cockpit/electrical/HUD_on
extern int     ECAM_mode;                 // sim/cockpit/switches/ECAM_mode
extern float   elvator_trim;              // sim/flightmodel/controls/elv_trim
extern float   flaps;                     // sim/flightmodel/controls/flaprqst
extern float   swdirqst;                  // sim/flightmodel/controls/swdirqst
extern float   dihedral;                  // sim/flightmodel/controls/dihed_rqst
extern float   parkbrake;                 // sim/flightmodel/controls/parkbrake
extern uint8_t override_joystick;         // sim/operation/override/override_joystick
extern float   yolk_pitch_ratio;          // sim/joystick/yoke_pitch_ratio
extern float   yolk_roll_ratio;           // sim/joystick/yoke_roll_ratio
extern char    descrip[101];              // sim/aircraft/view/acf_descrip, first 100 bytes
extern float   WeaponsX[25];              // sim/weapons/x
extern float   WeaponsY[25];              // sim/weapons/y
extern float   WeaponsZ[25];              // sim/weapons/z
extern float   engine_thro_use[2];        // sim/flightmodel/engine/ENGN_thro_use
extern float   engine_Mix[8];             // sim/flightmodel/engine/ENGN_mixt
extern float   engine_FF[8];              // sim/flightmodel/engine/ENGN_FF_
extern float   WeaponsV_msc[25];          // sim/weapons/V_msc
extern float   total_weapon_mass_max[25]; // sim/weapons/total_weapon_mass_max
extern float   WeaponsY_wpn_att[25];      // sim/weapons/y_wpn_att
extern int     Weapon_status[12];         // sim/weapons/action_mode
extern int     Weapon_type[25];           // sim/weapons/type
extern float   fuel_warhead_mass_max[25]; // sim/weapons/fuel_warhead_mass_max
extern float   total_weapon_mass_now[25]; // sim/weapons/total_weapon_mass_now
extern float   acf_gear_leglen[4];        // sim/aircraft/parts/acf_gear_leglen
extern int     Weapon_status1[12];          // station statuses at the last change check

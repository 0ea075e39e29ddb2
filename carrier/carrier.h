// carrier/carrier.h: the Skyhoist carrier's flight loop and its systems.
// The carrier gives host cockpit switches its own meanings: prop sync is the
// zoom master, puffers the orbiter switch, auto-feather mode the emergency
// selector, the water scoop the bay doors, the firing mode the water selector.
#pragma once
#include <cstdint>
#include "aircraft/families.h"

extern float   CurrentAltKM;         // CurrentAlt in km
extern uint8_t prop_sync_on1;        // zoom switch at the last change check
extern uint8_t water_scoop1;         // bay doors at the last change check
extern uint8_t BAYladen, BAYladen1;  // orbiter in the bay; at the last change check
extern uint8_t BAYtrim;              // fuel trim after the bay emptied is running
extern uint8_t ORBfuelgone;          // orbiter fuel dumped (emergency 1)
extern uint8_t ORBemergout;          // orbiter abandoned (emergency 2)
extern uint8_t water;                // water injection active (also the hypersonic jet's)
extern float   WASSERverbrauch;      // water used in the last second, kg/s
extern float   thrust_maximum;       // thrust factor, 1 without water
extern float   tmax_acf, tmax_curr;  // rated maximum thrust; the value written
extern uint8_t ISdihedral, ISdihedral1;  // dihedral on; state last written
extern uint8_t ISsweep, ISsweep1;        // sweep on; state last written
extern float   tempc[6];             // airframe temperatures 1 to 5, deg C
extern uint8_t SHOISTactive;         // zoom autopilot running
extern uint8_t SHOISTfromLOC;        // engaged from a navigation autopilot state
extern uint8_t SHOISTdone;           // the zoom completed; its messages stay until the switch moves

enum { BayStation = 2 };             // the weapon station that carries the orbiter

float CheckSkyhoist(float elapsedSinceLastCall, float elapsedTimeSinceLastFlightLoop, int counter, void* refcon);
void  SHzoomCancel(bool clearMessages); // the zoom switch went off: manoeuvre cancelled, throttle range restored
void  SHdoNavigation();              // tick 4: zoom engagement
void  SHdoEngine();                  // tick 7: water injection and thrust
void  SHdoSystem();                  // tick 8: emergencies, fuel trim, wings, bay doors, lights
void  SHdoDisplay();                 // tick 9: airframe temperatures
void  SHopenBay();                   // bay doors open and release armed, for a release or an abandon
void  WriteBayAttachment();          // the bay station's attachment height, alone
void  CarrierPreset();               // zoom constants, bay load, camera views
void  CarrierReset(ResetReason why); // the loop's and the zoom's state as at start; a disable ends the zoom
void  SHjatoOut();                   // the take-off JATO pack out, its messages cleared

// From the carrier's release to the orbiter's placement, in one run of the
// host: the carrier flies its zoom (the flight is scripted by setting what the
// instruments read), stores the release, and the orbiter loaded next is put
// where the carrier let it go at its first brake release.
#include "support/plugin_fixture.h"

#include "XPLMGraphics.h"
#include "carrier/carrier.h"
#include "carrier/orbiter.h"
#include "carrier/zoom.h"
#include "display/handbook.h"
#include "prefs/prefs.h"

namespace {

const double kLat = 28.4721, kLon = -80.5312, kElev = 92345.5;
const float kVx = 1712.5f, kVy = 48.25f, kVz = -655.0f;
const float kQ[4] = {0.8f, 0.2f, -0.4f, 0.4f};

class ReleaseToOrbit : public PluginTest {
protected:
    // Advances 0.1 s at a time until `done` holds or `seconds` have passed.
    template <class Done>
    bool AdvanceUntil(Done done, double seconds)
    {
        for (double t = 0; t < seconds; t += 0.1) {
            if (done()) return true;
            xphost::advance(0.1);
        }
        return done();
    }
};

TEST_F(ReleaseToOrbit, CarrierReleaseIsWhereTheOrbiterStarts)
{
    ASSERT_EQ(INDEXtostore, 1);                    // a first run: no preferences file yet

    // The carrier at the top of its climb, where the zoom starts at once.
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::set_i("sim/cockpit/switches/puffers_on", 1);        // orbiter operable
    xphost::load_aircraft(IdPlane[37].descrip);
    ASSERT_EQ(Ident, 37);
    // The pilot lets the brake go for the take-off: that closes the carrier's
    // handbook and must not launch the orbiter loaded later.
    xphost::advance(6.0);
    ASSERT_EQ(INFOon, 1);
    xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
    xphost::advance(0.5);
    ASSERT_EQ(INFOon, 0);
    xphost::set_f("sim/flightmodel/misc/h_ind", 71500.0f);
    xphost::set_f("sim/flightmodel/misc/machno", 6.4f);
    xphost::set_f("sim/flightmodel/position/indicated_airspeed", 400.0f);
    xphost::set_i("sim/cockpit/switches/prop_sync_on", 1);      // zoom master
    ASSERT_TRUE(AdvanceUntil([] { return zoom_on == 2; }, 10.0)) << "zoom_on " << zoom_on;

    // Over the top of the arc: slow, nose coming down, high enough.
    xphost::set_f("sim/flightmodel/position/indicated_airspeed", 10.0f);
    xphost::set_f("sim/cockpit/gyros/the_ind_deg3", 20.0f);
    xphost::set_f("sim/flightmodel/misc/h_ind", 300000.0f);
    xphost::set_f("sim/flightmodel/position/vh_ind", 200.0f);
    xphost::set_d("sim/flightmodel/position/latitude", kLat);
    xphost::set_d("sim/flightmodel/position/longitude", kLon);
    xphost::set_d("sim/flightmodel/position/elevation", kElev);
    xphost::set_f("sim/flightmodel/position/local_vx", kVx);
    xphost::set_f("sim/flightmodel/position/local_vy", kVy);
    xphost::set_f("sim/flightmodel/position/local_vz", kVz);
    xphost::set_vf("sim/flightmodel/position/q", {kQ[0], kQ[1], kQ[2], kQ[3]});
    ASSERT_TRUE(AdvanceUntil([] { return orb_latitude[1] != 0.0; }, 20.0)) << "zoom_on " << zoom_on;
    xphost::advance(1.0);
    EXPECT_DOUBLE_EQ(orb_latitude[1], kLat);
    EXPECT_DOUBLE_EQ(orb_elevation[1], kElev);
    EXPECT_FLOAT_EQ(orb_local_vz[1], kVz);

    // The orbiter in the same run, waiting on the ground with its brake set.
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::clear_writes();
    xphost::load_aircraft(IdPlane[45].descrip);
    ASSERT_EQ(Ident, 45);
    xphost::set_f("sim/flightmodel/weight/m_fuel2", 5000.0f);     // the rocket tank, as the model loads it
    xphost::advance(6.0);
    ASSERT_EQ(INFOon, 1);
    xphost::advance(3.0);
    EXPECT_TRUE(xphost::writes_to("sim/flightmodel/position/local_x").empty());

    xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
    xphost::advance(1.1);
    const auto x = xphost::writes_to("sim/flightmodel/position/local_x");
    ASSERT_EQ(x.size(), 1u);
    double lx, ly, lz;
    XPLMWorldToLocal(kLat, kLon, kElev, &lx, &ly, &lz);
    EXPECT_DOUBLE_EQ(x[0].values.at(0), lx);
    EXPECT_DOUBLE_EQ(xphost::get_d("sim/flightmodel/position/local_y"), ly);
    EXPECT_DOUBLE_EQ(xphost::get_d("sim/flightmodel/position/local_z"), lz);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/position/local_vx"), kVx);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/position/local_vy"), kVy);
    EXPECT_FLOAT_EQ(xphost::get_f("sim/flightmodel/position/local_vz"), kVz);
    const auto q = xphost::get_vf("sim/flightmodel/position/q");
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(q.at(i), kQ[i]);
    EXPECT_EQ(xphost::get_i("sim/cockpit/switches/prop_sync_on"), 1);   // the drive is on

    // Letting the brake go again later places nothing more.
    xphost::set_f("sim/flightmodel/controls/parkbrake", 1.0f);
    xphost::advance(1.0);
    xphost::set_f("sim/flightmodel/controls/parkbrake", 0.0f);
    xphost::advance(2.0);
    EXPECT_EQ(xphost::writes_to("sim/flightmodel/position/local_x").size(), 1u);
}

}  // namespace

// The Halvik's ram and turbo engine: when a switch is accepted, what it
// writes and in which order, the release, and what the QZT key asks for.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "support/slot_fixture.h"
#include "support/write_log.h"
#include "common/first_action.h"
#include "frame/datarefs.h"
#include "systems/halvik.h"

namespace {

using Lines = std::vector<std::string>;
const char* const Mach = "sim/flightmodel/misc/machno";
const char* const Altitude = "sim/flightmodel/misc/h_ind";
const char* const ThrottleOverride = "sim/operation/override/override_throttles";

const Lines RamSwitch = {"override_throttles: 1", "ENGN_thro_use: 0.100000001 0.100000001", "acf_critalt: 0",
                         "acf_spooltime_jet: 0.5", "acf_max_mach_eff: 7.80000019", "acf_throtmax_FWD: 0.850000024"};

class RamEngineTest : public SlotTest {
protected:
    void SetUp() override
    {
        SlotTest::SetUp();
        // The aircraft file's turbo engine, read by the first action.
        xphost::set_f("sim/aircraft/engine/acf_critalt", 30000.0f);
        xphost::set_f("sim/aircraft/engine/acf_max_mach_eff", 2.5f);
        LoadSlot(1);
        xphost::advance(5.5);
        xphost::clear_writes();
    }

    static void Fly(float mach, float feet)
    {
        xphost::set_f(Mach, mach);
        xphost::set_f(Altitude, feet);
    }

    // What a request wrote and said.
    static std::pair<Lines, Lines> Request(int request)
    {
        xphost::clear_writes();
        const size_t said = Said().size();
        RamEngine(request, 100.0f);
        const Lines all = Said();
        return {WriteLines(), Lines(all.begin() + static_cast<long>(said), all.end())};
    }
};

TEST_F(RamEngineTest, RamNeedsMoreThanMach28AndMoreThan45000Feet)
{
    const Lines refused = {"RAM Mode only above mach 2.8 and 45,000 feet !"};
    for (auto [mach, feet] : std::vector<std::pair<float, float>>{{2.8f, 50000.0f}, {3.5f, 45000.0f}, {2.7f, 60000.0f}}) {
        Fly(mach, feet);
        EXPECT_EQ(Request(RamRam), (std::pair{Lines{}, refused})) << mach << " " << feet;
    }
    Fly(2.81f, 45001.0f);
    EXPECT_EQ(Request(RamRam), (std::pair{RamSwitch, Lines{"Altering Engine Mode..."}}));
    EXPECT_EQ(RamMode, 1);
    // again in ram mode: the same writes and words
    EXPECT_EQ(Request(RamRam), (std::pair{RamSwitch, Lines{"Altering Engine Mode..."}}));
}

TEST_F(RamEngineTest, TurboNeedsLessThanMach26AndBringsTheFilesEngineBack)
{
    RamMode = 1;
    for (float mach : {2.6f, 2.7f}) {
        Fly(mach, 50000.0f);
        EXPECT_EQ(Request(RamTurbo), (std::pair{Lines{}, Lines{"Turbo Mode only below mach 2.6!"}}));
    }
    Fly(2.59f, 50000.0f);
    const Lines turbo = {"override_throttles: 1", "ENGN_thro_use: 0.100000001 0.100000001", "acf_critalt: 30000",
                         "acf_spooltime_jet: 1", "acf_max_mach_eff: 2.5", "acf_throtmax_FWD: 1"};
    EXPECT_EQ(Request(RamTurbo), (std::pair{turbo, Lines{"Altering Engine Mode..."}}));
    EXPECT_EQ(RamMode, 0);
}

TEST_F(RamEngineTest, AReleaseAfterARefusalStillHandsTheThrottlesBack)
{
    Fly(2.7f, 50000.0f);
    Request(RamRam);
    const Lines release = {"ENGN_thro_use: 100 100", "override_throttles: 0"};
    EXPECT_EQ(Request(RamRelease), (std::pair{release, Lines{"Turbo Engine!"}}));

    Fly(3.0f, 50000.0f);
    Request(RamRam);
    EXPECT_EQ(Request(RamRelease), (std::pair{release, Lines{"RAM Engine!"}}));
}

// No loop of the Halvik refreshes the Mach number or the altitude, so the
// values another aircraft's loop left must not decide.
TEST_F(RamEngineTest, EachRequestReadsMachAndAltitudeItself)
{
    machno = 5.0f;
    CurrentAlt = 90000.0f;
    Fly(1.5f, 20000.0f);
    EXPECT_EQ(Request(RamRam).first, Lines{});
    EXPECT_EQ(machno, 1.5f);
    EXPECT_EQ(CurrentAlt, 20000.0f);
}

// Above Mach 1 the key hands the throttles back and asks for the other mode;
// with the automatic ram preference it only hands them back.
TEST_F(RamEngineTest, TheKeySwitchesBothWaysAndTheAutomaticPreferenceOnlyReleases)
{
    Fly(3.0f, 50000.0f);
    PressQZT();
    EXPECT_EQ(RamMode, 1);
    EXPECT_EQ(xphost::get_i(ThrottleOverride), 1);
    Fly(2.7f, 50000.0f);
    PressQZT();
    const Lines said = Said();
    EXPECT_EQ(Lines(said.end() - 2, said.end()), (Lines{"RAM Engine!", "Turbo Mode only below mach 2.6!"}));
    Fly(2.0f, 40000.0f);
    PressQZT();
    EXPECT_EQ(RamMode, 0);
    EXPECT_EQ(xphost::get_f("sim/aircraft/engine/acf_critalt"), 30000.0f);

    autoEngineRam = 1;
    xphost::clear_writes();
    PressQZT();
    EXPECT_EQ(WriteLines(), (Lines{"ENGN_thro_use: 1 1", "override_throttles: 0"}));   // full throttle is 1
    EXPECT_EQ(Said().back(), "Turbo Engine!");
}

// A Halvik loaded again has its file's turbo engine: the next release must
// not announce ram, and the throttles go back with the old aircraft.
TEST_F(RamEngineTest, ALoadHandsTheThrottlesBackAndStartsInTurbo)
{
    Fly(3.0f, 50000.0f);
    PressQZT();                                        // a mode step, and ram with the throttles held
    ASSERT_EQ(RamMode, 1);
    ASSERT_EQ(xphost::get_i(ThrottleOverride), 1);

    LoadSlot(1);
    EXPECT_EQ(xphost::get_i(ThrottleOverride), 0);
    EXPECT_EQ(RamMode, 0);
    RamEngine(RamRelease, 100.0f);
    EXPECT_EQ(Said().back(), "Turbo Engine!");
    Fly(0.0f, 0.0f);
    PressQZT();
    EXPECT_EQ(Said().back(), "HEAVY JATO");            // the cycle starts again
}

}  // namespace

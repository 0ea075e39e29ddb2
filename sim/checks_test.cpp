// The demo's own judgement: the published zoom phase against what the
// plug-in's writes show, and the profile picture's layout.
#include <gtest/gtest.h>

#include <cstdio>

#include "model.h"
#include "profile.h"
#include "timeline.h"

using namespace sim;

namespace {

TEST(PhaseCheck, ATickOfDisagreementIsNoProblemALongerOneIsOneProblem)
{
    PhaseCheck check;
    double t = 0;
    auto frames = [&](int n, int published, int shown) {
        for (int i = 0; i < n; ++i, t += 0.05)
            check.frame(t, published, shown);
    };
    frames(10, -1, -1);
    frames(2, 1, -1);                  // the tick the zoom engages: the writes follow at once
    frames(10, 1, 1);
    frames(4, 1, 2);                   // 0.2 s: within the grace
    frames(10, 2, 2);
    EXPECT_TRUE(check.problems().empty());

    frames(20, 2, 3);                  // a second long: one problem, not twenty
    ASSERT_EQ(check.problems().size(), 1u);
    EXPECT_EQ(check.problems()[0], "QZTgov/zoom/phase read 2 from 0:01.8 while the plug-in's writes showed phase 3");
    frames(10, 3, 3);
    frames(10, 3, -1);                 // a new disagreement is a new problem
    ASSERT_EQ(check.problems().size(), 2u);
    EXPECT_NE(check.problems()[1].find("no zoom running"), std::string::npos);
    EXPECT_EQ(check.published(), "-1, 1, 2, 3");
}

TEST(PhaseCheck, TheWritesShowTheLatestPhaseOfTheCarrierUntilTheHandOver)
{
    FlightModel model;
    std::FILE* out = std::fopen("/dev/null", "w");
    Timeline tl(model, out);
    EXPECT_EQ(tl.zoom_phase(), -1);
    tl.facts.phase[0] = tl.facts.phase[1] = true;
    EXPECT_EQ(tl.zoom_phase(), -1);    // not the carrier
    tl.set_aircraft(Timeline::Aircraft::Carrier);
    EXPECT_EQ(tl.zoom_phase(), 1);
    tl.facts.phase[2] = tl.facts.phase[3] = true;
    EXPECT_EQ(tl.zoom_phase(), 3);
    tl.facts.phase[6] = true;          // handed over: the zoom autopilot is off
    EXPECT_EQ(tl.zoom_phase(), -1);
    std::fclose(out);
}

TEST(ProfileLayout, AxisStepsAndTimeLabels)
{
    EXPECT_EQ(nice_step(374305, 6), 100000);
    EXPECT_EQ(nice_step(6.64, 6), 2);
    EXPECT_EQ(nice_step(7.9, 5), 2);
    EXPECT_DOUBLE_EQ(nice_step(0.9, 6), 0.2);
    EXPECT_EQ(nice_step(0, 6), 1);     // nothing to scale: no division by zero
    EXPECT_EQ(time_step(871, 12), 120);
    EXPECT_EQ(time_step(200, 12), 30);
    EXPECT_EQ(time_label(0), "0:00");
    EXPECT_EQ(time_label(754.6), "12:35");
    EXPECT_EQ(time_label(-3), "0:00");
}

TEST(ProfileLayout, EventLabelsNeverOverlapAndTheKeyOnesComeFirst)
{
    EXPECT_EQ(event_priority("panel: ZOOM TO 6 G [35]"), 0);
    EXPECT_EQ(event_priority("autopilot speed target Mach 1.80"), 0);
    EXPECT_EQ(event_priority("says \"Launch successful\""), 2);
    EXPECT_EQ(event_priority("pilot: gear up"), 1);

    // Five labels where two rows hold three: the key one is never dropped.
    const std::vector<double> starts{0, 10, 20, 30, 200};
    const std::vector<double> widths{100, 100, 100, 100, 50};
    const std::vector<int> priority{1, 1, 1, 2, 0};
    const std::vector<int> rows = place_labels(starts, widths, priority, 2, 5);
    EXPECT_EQ(rows, (std::vector<int>{1, -1, -1, 0, -1}));
    for (size_t a = 0; a < rows.size(); ++a)
        for (size_t b = a + 1; b < rows.size(); ++b)
            if (rows[a] >= 0 && rows[a] == rows[b]) {
                EXPECT_TRUE(starts[a] + widths[a] + 5 <= starts[b] || starts[b] + widths[b] + 5 <= starts[a]);
            }
}

TEST(ProfileLayout, SamplesAreThinnedAndLinesBreakAtAJump)
{
    Profile p;
    for (int i = 0; i <= 100; ++i)
        p.sample({i * 0.05, 1000.0 * i, 0.5, 0, 0, 0, false});   // 5 s at 20 frames a second
    EXPECT_EQ(p.samples().size(), 11u);
    p.break_line();
    p.sample({5.02, 360000, 6, 1600, 7800, 0, true});           // taken however soon: the jump shows
    ASSERT_EQ(p.samples().size(), 12u);
    EXPECT_EQ(p.samples().back().segment, 1);
    EXPECT_EQ(p.samples().front().segment, 0);

    std::string error;
    EXPECT_FALSE(write_profile("/nonexistent-folder/x.png", Profile{}, ProfileNotes{}, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace

// The stand-in host's flight-loop scheduling: intervals in seconds and frames,
// rescheduling from the return value, order within a frame, and no drift.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XPLMProcessing.h"
#include "xphost.h"

namespace {

struct Call {
    int    frame;
    double time;
    float  since_call;
    float  since_loop;
    int    counter;
};

// A loop that records each call and answers the next interval from a script
// (the last entry repeats).
struct Recorder {
    std::string name;
    std::vector<float> answers{0.0f};
    std::vector<Call> calls;
    std::vector<std::string>* order = nullptr;
};

float Record(float sinceCall, float sinceLoop, int counter, void* ref)
{
    auto* r = static_cast<Recorder*>(ref);
    r->calls.push_back({xphost::frame_count(), xphost::now(), sinceCall, sinceLoop, counter});
    if (r->order)
        r->order->push_back(r->name);
    const size_t k = std::min(r->calls.size() - 1, r->answers.size() - 1);
    return r->answers[k];
}

std::vector<int> Frames(const Recorder& r)
{
    std::vector<int> f;
    for (const auto& c : r.calls)
        f.push_back(c.frame);
    return f;
}

class FlightLoops : public ::testing::Test {
protected:
    void SetUp() override { xphost::reset(); }
};

TEST_F(FlightLoops, SecondsIntervalFirstCallAndElapsedTimes)
{
    Recorder r;
    r.answers = {0.1f};
    XPLMRegisterFlightLoopCallback(Record, 1.0f, &r);
    xphost::advance(0.98);
    EXPECT_TRUE(r.calls.empty());
    xphost::advance(0.22);                     // to 1.2 s
    ASSERT_EQ(Frames(r), (std::vector<int>{50, 55, 60}));
    EXPECT_FLOAT_EQ(r.calls[0].since_call, 1.0f);   // since registration
    EXPECT_FLOAT_EQ(r.calls[0].since_loop, 0.02f);  // one frame at 50 Hz
    EXPECT_EQ(r.calls[0].counter, 50);
    EXPECT_FLOAT_EQ(r.calls[1].since_call, 0.1f);
}

TEST_F(FlightLoops, NegativeIntervalCountsFrames)
{
    Recorder every, third;
    every.answers = {-1.0f};
    third.answers = {-3.0f};
    XPLMRegisterFlightLoopCallback(Record, -1.0f, &every);
    XPLMRegisterFlightLoopCallback(Record, -3.0f, &third);
    for (int k = 0; k < 9; ++k)
        xphost::run_frame();
    EXPECT_EQ(Frames(every), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Frames(third), (std::vector<int>{3, 6, 9}));
    // Frame counts do not depend on the frame rate.
    xphost::set_frame_rate(20);
    xphost::run_frame();
    xphost::run_frame();
    xphost::run_frame();
    EXPECT_EQ(third.calls.back().frame, 12);
    EXPECT_FLOAT_EQ(third.calls.back().since_call, 0.15f);   // 0.05 s per frame now
}

TEST_F(FlightLoops, ZeroIntervalKeepsTheLoopRegisteredButIdle)
{
    Recorder r;
    r.answers = {0.0f};
    XPLMRegisterFlightLoopCallback(Record, 0.0f, &r);
    xphost::advance(2);
    EXPECT_TRUE(r.calls.empty());
    EXPECT_EQ(xphost::loop_registrations(Record), 1);
    EXPECT_FALSE(xphost::loop_active(Record));

    XPLMSetFlightLoopCallbackInterval(Record, 0.5f, 1, &r);
    EXPECT_TRUE(xphost::loop_active(Record));
    xphost::advance(1);
    ASSERT_EQ(r.calls.size(), 1u);             // it answered 0 after the first call
    EXPECT_DOUBLE_EQ(r.calls[0].time, 2.5);
    EXPECT_FALSE(xphost::loop_active(Record));
}

TEST_F(FlightLoops, ReturnValueReschedulesInSecondsOrFramesThenStops)
{
    Recorder r;
    r.answers = {0.5f, -2.0f, 0.04f, 0.0f};
    XPLMRegisterFlightLoopCallback(Record, 0.1f, &r);
    xphost::advance(5);
    // 0.1 s -> frame 5; +0.5 s -> frame 30; +2 frames -> 32; +0.04 s -> 34; then idle.
    EXPECT_EQ(Frames(r), (std::vector<int>{5, 30, 32, 34}));
    const auto loops = xphost::flight_loops();
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_FALSE(loops[0].active);
    EXPECT_EQ(loops[0].calls, 4);
    EXPECT_EQ(loops[0].last_interval, 0.0);
}

TEST_F(FlightLoops, LoopsDueInOneFrameRunByDueTimeThenRegistration)
{
    std::vector<std::string> order;
    Recorder a, b, c;
    a.name = "a";
    b.name = "b";
    c.name = "c";
    for (Recorder* r : {&a, &b, &c}) {
        r->order = &order;
        r->answers = {0.0f};
    }
    XPLMRegisterFlightLoopCallback(Record, 0.1f, &a);   // due 0.10
    XPLMRegisterFlightLoopCallback(Record, 0.1f, &b);   // due 0.10, registered later
    xphost::run_frame();                                  // t = 0.02
    XPLMRegisterFlightLoopCallback(Record, 0.07f, &c);  // due 0.09, falls due with them
    xphost::advance(0.08);
    EXPECT_EQ(order, (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(a.calls[0].frame, 5);
    EXPECT_EQ(c.calls[0].frame, 5);
}

TEST_F(FlightLoops, TenthSecondLoopAtFiftyHertzNeverDrifts)
{
    Recorder r;
    r.answers = {0.1f};
    XPLMRegisterFlightLoopCallback(Record, 0.1f, &r);
    xphost::advance(600);
    ASSERT_EQ(r.calls.size(), 6000u);
    for (size_t k = 0; k < r.calls.size(); ++k)
        ASSERT_EQ(r.calls[k].frame, static_cast<int>(5 * (k + 1))) << "call " << k;
    EXPECT_EQ(xphost::frame_count(), 30000);
    EXPECT_DOUBLE_EQ(xphost::now(), 600.0);
}

TEST_F(FlightLoops, SameCallbackAndReferenceTwiceKeepsTwoEntries)
{
    Recorder r;
    r.answers = {1.0f};
    XPLMRegisterFlightLoopCallback(Record, 1.0f, &r);
    XPLMRegisterFlightLoopCallback(Record, 1.0f, &r);
    EXPECT_EQ(xphost::loop_registrations(Record), 2);
    xphost::advance(1);
    EXPECT_EQ(r.calls.size(), 2u);
    EXPECT_EQ(xphost::loop_calls(Record), 2);
    XPLMUnregisterFlightLoopCallback(Record, &r);      // one registration per call
    EXPECT_EQ(xphost::loop_registrations(Record), 1);
    xphost::advance(1);
    EXPECT_EQ(r.calls.size(), 3u);
}

float UnregistersItself(float, float, int, void* ref)
{
    ++*static_cast<int*>(ref);
    XPLMUnregisterFlightLoopCallback(UnregistersItself, ref);
    return -1.0f;
}

float RegistersAnother(float, float, int, void* ref)
{
    XPLMRegisterFlightLoopCallback(Record, -1.0f, ref);
    return 0.0f;
}

TEST_F(FlightLoops, ChangesFromInsideACallbackAreSafe)
{
    int calls = 0;
    XPLMRegisterFlightLoopCallback(UnregistersItself, -1.0f, &calls);
    Recorder late;
    late.answers = {0.0f};
    XPLMRegisterFlightLoopCallback(RegistersAnother, -1.0f, &late);
    xphost::advance(0.2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(xphost::loop_registrations(UnregistersItself), 0);
    // Registered in frame 1 with -1: first called in frame 2, not in the pass that added it.
    EXPECT_EQ(Frames(late), (std::vector<int>{2}));
}

TEST_F(FlightLoops, IntervalRelativeToLastCall)
{
    Recorder r;
    r.answers = {0.0f};
    XPLMRegisterFlightLoopCallback(Record, 0.2f, &r);
    xphost::advance(0.5);                               // called at 0.2, then idle
    XPLMSetFlightLoopCallbackInterval(Record, 0.4f, 0, &r);   // 0.2 + 0.4
    xphost::advance(0.5);
    ASSERT_EQ(r.calls.size(), 2u);
    EXPECT_NEAR(r.calls[1].time, 0.6, 1e-9);
}

}  // namespace

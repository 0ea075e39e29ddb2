// host/processing.cpp: the simulated clock, frames and flight loops.
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

#include "XPLMProcessing.h"
#include "internal.h"

namespace xphost {
namespace {

struct Loop {
    XPLMFlightLoop_f callback = nullptr;
    void*   refcon = nullptr;
    bool    active = false;
    bool    by_frames = false;     // due on a frame number rather than a time
    int64_t due_us = 0;            // for frame loops: the time that frame will have
    int64_t due_frame = 0;
    int64_t last_call_us = 0;      // registration time until the first call
    int     calls = 0;
    double  last_interval = 0;
    bool    removed = false;       // unregistered; dropped after the running pass
};

struct Clock {
    int64_t now_us = 0;
    int64_t period_us = 20000;     // 50 Hz; with jitter, the last frame's
    bool    jitter = false;
    int64_t shortest_us = 0, longest_us = 0;
    std::mt19937_64 rng;
    int64_t next_period()
    {
        period_us = std::uniform_int_distribution<int64_t>(shortest_us, longest_us)(rng);
        return period_us;
    }
    int64_t frame = 0;
    int64_t last_pass_us = 0;
    bool    in_pass = false;
    std::vector<std::unique_ptr<Loop>> loops;   // registration order
};

Clock& sim_clock()
{
    static Clock* c = new Clock;
    return *c;
}

void schedule(Loop& l, float interval, int64_t base_us)
{
    Clock& c = sim_clock();
    l.last_interval = interval;
    if (!(interval > 0) && !(interval < 0)) {   // 0 or NaN
        l.active = false;
        return;
    }
    l.active = true;
    if (interval > 0) {
        l.by_frames = false;
        l.due_us = base_us + std::max<int64_t>(1, detail::to_us(interval));
    } else {
        const int64_t frames = std::max<int64_t>(1, std::llround(-static_cast<double>(interval)));
        l.by_frames = true;
        l.due_frame = c.frame + frames;
        l.due_us = c.now_us + frames * c.period_us;
    }
}

bool due(const Loop& l)
{
    const Clock& c = sim_clock();
    if (!l.active || l.removed)
        return false;
    return l.by_frames ? l.due_frame <= c.frame : l.due_us <= c.now_us;
}

void purge()
{
    auto& v = sim_clock().loops;
    v.erase(std::remove_if(v.begin(), v.end(), [](const auto& l) { return l->removed; }), v.end());
}

// One call of a loop, as a pass makes it.
float call_loop(Loop& l, float sinceLoop)
{
    Clock& c = sim_clock();
    const float sinceCall = static_cast<float>((c.now_us - l.last_call_us) * 1e-6);
    l.last_call_us = c.now_us;
    ++l.calls;
    const float next =
        detail::call_plugin(CallbackKind::Loops, l.callback, sinceCall, sinceLoop, static_cast<int>(c.frame), l.refcon);
    if (!l.removed)
        schedule(l, next, c.now_us);
    return next;
}

void run_loops()
{
    Clock& c = sim_clock();
    // A disabled plug-in's loops wait, due, until it is enabled again.
    if (!detail::plugin_receives())
        return;
    std::vector<Loop*> ready;
    for (auto& l : c.loops)
        if (due(*l))
            ready.push_back(l.get());
    // Earliest due first; stable, so registration order decides ties.
    std::stable_sort(ready.begin(), ready.end(),
                     [](const Loop* a, const Loop* b) { return a->due_us < b->due_us; });

    const float sinceLoop = static_cast<float>((c.now_us - c.last_pass_us) * 1e-6);
    c.in_pass = true;
    for (Loop* l : ready) {
        if (!due(*l))                         // another callback rescheduled or removed it
            continue;
        call_loop(*l, sinceLoop);
    }
    c.in_pass = false;
    c.last_pass_us = c.now_us;
    purge();
}

}  // namespace

namespace detail {

int64_t now_us() { return sim_clock().now_us; }
int64_t period_us() { return sim_clock().period_us; }
int64_t to_us(double seconds) { return std::llround(seconds * 1e6); }

void reset_processing()
{
    Clock& c = sim_clock();
    c.now_us = 0;
    c.period_us = 20000;
    c.jitter = false;
    c.frame = 0;
    c.last_pass_us = 0;
    c.in_pass = false;
    c.loops.clear();
}

void drop_plugin_loops()
{
    for (const auto& l : sim_clock().loops)
        if (!l->removed)
            record_fault("a flight loop was left registered");
    sim_clock().loops.clear();
}

}  // namespace detail

double now() { return sim_clock().now_us * 1e-6; }

void set_frame_rate(double framesPerSecond)
{
    if (framesPerSecond > 0) {
        sim_clock().period_us = std::max<int64_t>(1, detail::to_us(1.0 / framesPerSecond));
        sim_clock().jitter = false;
    }
}

void set_frame_jitter(double lowestFps, double highestFps, uint64_t seed)
{
    if (!(lowestFps > 0) || !(highestFps >= lowestFps))
        return;
    Clock& c = sim_clock();
    c.shortest_us = std::max<int64_t>(1, detail::to_us(1.0 / highestFps));
    c.longest_us = std::max<int64_t>(c.shortest_us, detail::to_us(1.0 / lowestFps));
    c.rng.seed(seed);
    c.jitter = true;
    c.period_us = c.longest_us;
}

bool frame_jitter() { return sim_clock().jitter; }

double frame_period() { return sim_clock().period_us * 1e-6; }

void run_frame()
{
    Clock& c = sim_clock();
    c.now_us += c.jitter ? c.next_period() : c.period_us;
    ++c.frame;
    detail::view_frame();
    run_loops();
    detail::commands_frame();
    detail::camera_frame();
    detail::draw_pass();
}

void advance(double seconds)
{
    const int64_t end = sim_clock().now_us + detail::to_us(seconds);
    while (sim_clock().now_us < end)
        run_frame();
}

int frame_count() { return static_cast<int>(sim_clock().frame); }

float run_flight_loop(XPLMFlightLoop_f callback)
{
    Clock& c = sim_clock();
    for (auto& l : c.loops) {
        if (l->removed || !l->active || l->callback != callback)
            continue;
        c.in_pass = true;
        const float next = call_loop(*l, static_cast<float>((c.now_us - c.last_pass_us) * 1e-6));
        c.in_pass = false;
        purge();
        return next;
    }
    return 0.0f;
}

std::vector<FlightLoop> flight_loops()
{
    std::vector<FlightLoop> out;
    for (const auto& l : sim_clock().loops) {
        if (l->removed)
            continue;
        FlightLoop f;
        f.callback = l->callback;
        f.refcon = l->refcon;
        f.next_due = l->due_us * 1e-6;
        f.active = l->active;
        f.calls = l->calls;
        f.last_interval = l->last_interval;
        out.push_back(f);
    }
    return out;
}

int loop_registrations(XPLMFlightLoop_f callback)
{
    int n = 0;
    for (const auto& l : sim_clock().loops)
        n += !l->removed && l->callback == callback;
    return n;
}

bool loop_active(XPLMFlightLoop_f callback)
{
    for (const auto& l : sim_clock().loops)
        if (!l->removed && l->callback == callback && l->active)
            return true;
    return false;
}

int loop_calls(XPLMFlightLoop_f callback)
{
    int n = 0;
    for (const auto& l : sim_clock().loops)
        if (!l->removed && l->callback == callback)
            n += l->calls;
    return n;
}

}  // namespace xphost

// ---------------------------------------------------------------- plug-in side

using namespace xphost;

float XPLMGetElapsedTime(void)
{
    XPHOST_API(XPLMGetElapsedTime);
    return static_cast<float>(now());
}

int XPLMGetCycleNumber(void)
{
    XPHOST_API(XPLMGetCycleNumber);
    return frame_count();
}

void XPLMRegisterFlightLoopCallback(XPLMFlightLoop_f inFlightLoop, float inInterval, void* inRefcon)
{
    XPHOST_API(XPLMRegisterFlightLoopCallback, inFlightLoop, inInterval, inRefcon);
    if (!inFlightLoop)
        return;
    auto l = std::make_unique<Loop>();
    l->callback = inFlightLoop;
    l->refcon = inRefcon;
    l->last_call_us = sim_clock().now_us;
    schedule(*l, inInterval, sim_clock().now_us);
    sim_clock().loops.push_back(std::move(l));
}

// One registration goes per call, the earliest. Inside a running pass the entry
// is only marked, so the pass never touches freed memory (the real host
// forbids this call from the loop itself).
void XPLMUnregisterFlightLoopCallback(XPLMFlightLoop_f inFlightLoop, void* inRefcon)
{
    XPHOST_API(XPLMUnregisterFlightLoopCallback, inFlightLoop, inRefcon);
    Clock& c = sim_clock();
    for (auto& l : c.loops) {
        if (!l->removed && l->callback == inFlightLoop && l->refcon == inRefcon) {
            l->removed = true;
            l->active = false;
            break;
        }
    }
    if (!c.in_pass)
        purge();
}

void XPLMSetFlightLoopCallbackInterval(XPLMFlightLoop_f inFlightLoop, float inInterval, int inRelativeToNow,
                                       void* inRefcon)
{
    XPHOST_API(XPLMSetFlightLoopCallbackInterval, inFlightLoop, inInterval, inRelativeToNow, inRefcon);
    for (auto& l : sim_clock().loops)
        if (!l->removed && l->callback == inFlightLoop && l->refcon == inRefcon)
            schedule(*l, inInterval, inRelativeToNow ? sim_clock().now_us : l->last_call_us);
}

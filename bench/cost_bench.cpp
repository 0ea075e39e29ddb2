// bench/cost_bench.cpp: qztgov-bench, what the plug-in costs the simulator's
// frame: one tick of each model loop in each stage of its model's flight, and
// one frame of each drawing callback, window and camera, measured through the
// stand-in host with the plug-in's objects linked in.
//
// The host's work for the plug-in (logging a write, recording a drawn string)
// is not the plug-in's cost. Every case is therefore measured against a null
// plug-in in the same run: in the plug-in's place it makes the very calls the
// plug-in made, with the same arguments, taped from it and replayed. Replaying
// costs something of its own (taking each call off the tape and dispatching
// it), so the null plug-in also runs once only taking the calls off the tape,
// and once doing nothing. The plug-in's own work per unit is then
//     plug-in - null + (off the tape only - nothing),
// each the least of the iterations, which are interleaved.
//
// Options besides Google Benchmark's own: --quick (one short iteration per
// case: checks that every case runs; the times then mean little) and
// --instructions (no timing: each case once, with callgrind collecting only
// the plug-in's own instructions; see scripts/bench).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "XPLMCamera.h"
#include "XPLMDisplay.h"
#include "support/flights.h"
#include "carrier/camera.h"
#include "carrier/panel.h"
#include "systems/metric.h"

#if defined(__has_include)
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define QZT_BENCH_CALLGRIND 1
#endif
#endif

namespace {

using Clock = std::chrono::steady_clock;

int g_iterations = 15;
int g_frames = 600;           // frames per frame case
constexpr double kSetupFps = 20;

// ---------------------------------------------------------------- the null plug-in

// The calls of each unit, taped from the plug-in. Units that made the same
// calls share one tape, so the null plug-in touches no more memory than needed.
std::vector<xphost::Tape> g_tapes;
std::vector<size_t> g_unitTape;
size_t g_next = 0;

enum class Replaying { Calls, OffTheTapeOnly, Nothing };
Replaying g_replaying = Replaying::Calls;

void Replay()
{
    xphost::Tape& tape = g_tapes[g_unitTape[g_next++ % g_unitTape.size()]];
    if (g_replaying != Replaying::Nothing)
        tape.replay(g_replaying == Replaying::Calls);
}

void KeepTape(xphost::Tape tape)
{
    for (size_t k = 0; k < g_tapes.size(); ++k) {
        if (g_tapes[k] == tape) {
            g_unitTape.push_back(k);
            return;
        }
    }
    g_unitTape.push_back(g_tapes.size());
    g_tapes.push_back(std::move(tape));
}

float NullLoop(float, float, int, void*)
{
    Replay();
    return 1000.0f;           // never due on its own
}

int NullDraw(XPLMDrawingPhase, int, void*)
{
    Replay();
    return 1;
}

void NullWindow(XPLMWindowID, void*) { Replay(); }

int NullCamera(XPLMCameraPosition_t*, int, void*)
{
    Replay();
    return 1;
}

// What one unit of a case runs: a loop's call, or one frame of a drawing
// callback, of a window or of the camera controller.
struct Target {
    enum Kind { Loop, Panel, Window, Camera } kind = Loop;
    XPLMFlightLoop_f   loop = nullptr;
    XPLMDrawCallback_f panel = nullptr;
    XPLMDrawWindow_f   window = nullptr;
};

void Run(const Target& t)
{
    switch (t.kind) {
    case Target::Loop:   xphost::run_flight_loop(t.loop); break;
    case Target::Panel:  xphost::draw_only(t.panel); break;
    case Target::Window: xphost::draw_only(t.window); break;
    case Target::Camera: xphost::run_camera(); break;
    }
}

// The null plug-in registered in the target's place, as the plug-in registers.
Target NullIn(const Target& t)
{
    Target n = t;
    switch (t.kind) {
    case Target::Loop:
        XPLMRegisterFlightLoopCallback(NullLoop, 1000.0f, nullptr);
        n.loop = NullLoop;
        break;
    case Target::Panel:
        XPLMRegisterDrawCallback(NullDraw, xplm_Phase_Panel, 0, nullptr);
        n.panel = NullDraw;
        break;
    case Target::Window:
        XPLMCreateWindow(0, 100, 100, 0, 1, NullWindow, nullptr, nullptr, nullptr);
        n.window = NullWindow;
        break;
    case Target::Camera:
        XPLMControlCamera(xplm_ControlCameraUntilViewChanges, NullCamera, nullptr);
        break;
    }
    return n;
}

// ---------------------------------------------------------------- the cases

struct Case {
    std::string name;
    std::string model;        // the flight's key
    bool tick = true;
    Target target;
    std::function<bool()> setup;                        // untimed: up to the measured part
    std::function<bool(const flights::Step&)> measured; // one step = one unit
};

struct Result {
    std::string name, model;
    bool   tick = true;
    int    units = 0;
    double plugin_ns = 0, null_ns = 0, tape_ns = 0, nothing_ns = 0;   // least per unit
    double calls = 0, lookups = 0, allocations = 0, file_accesses = 0;   // per unit
};

std::vector<Result> g_results;

bool FlyTo(const flights::Flight& f, size_t stages)
{
    flights::Start(kSetupFps);
    if (!flights::Load(f))
        return false;
    const flights::Step step = [] { xphost::advance(0.1); };
    for (size_t k = 0; k < stages; ++k)
        if (!f.stages[k].fly(step))
            return false;
    return true;
}

const char* WindowName(XPLMDrawWindow_f fn)
{
    if (fn == INFODrawWindowCallback) return "INFODrawWindowCallback";
    if (fn == PARAMETERDrawWindowCallback) return "PARAMETERDrawWindowCallback";
    if (fn == CAMDrawWindowCallback) return "CAMDrawWindowCallback";
    return "window";
}

const char* PanelName(XPLMDrawCallback_f fn)
{
    if (fn == SCAMPanelDrawCallback) return "SCAMPanelDrawCallback";
    if (fn == MetricAUTODrawCallback) return "MetricAUTODrawCallback";
    return "panel";
}

const char* LoopName(XPLMFlightLoop_f fn)
{
    if (fn == CheckSkyhoist) return "CheckSkyhoist";
    if (fn == CheckOrbiter) return "CheckOrbiter";
    if (fn == CheckHyper) return "CheckHyper";
    if (fn == CheckDROP) return "CheckDROP";
    if (fn == CheckGlider) return "CheckGlider";
    if (fn == CheckKorva) return "CheckKorva";
    return "loop";
}

std::string Slug(const std::string& s)
{
    std::string out;
    for (char ch : s)
        out += ch == ' ' ? '-' : ch;
    return out;
}

std::vector<Case> Cases()
{
    std::vector<Case> cases;

    for (const flights::Flight& f : flights::EveryFamily()) {
        // a tick in each stage of the flight
        if (f.loop) {
            for (size_t k = 0; k < f.stages.size(); ++k) {
                Case c;
                c.name = std::string("tick/") + LoopName(f.loop) + "/" + f.key + ":" + Slug(f.stages[k].name);
                c.model = f.key;
                c.target.loop = f.loop;
                c.setup = [f, k] { return FlyTo(f, k); };
                c.measured = f.stages[k].fly;
                cases.push_back(c);
            }
        }
        // a frame of each drawing, once the whole flight is flown
        if (!FlyTo(f, f.stages.size())) {
            std::fprintf(stderr, "qztgov-bench: the %s flight fails; its frames are not measured\n", f.key.c_str());
            continue;
        }
        std::vector<std::pair<std::string, Target>> drawings;
        for (const auto& d : xphost::draw_callbacks()) {
            Target t;
            t.kind = Target::Panel;
            t.panel = d.callback;
            drawings.emplace_back(PanelName(d.callback), t);
        }
        for (const auto& w : xphost::windows()) {
            Target t;
            t.kind = Target::Window;
            t.window = w.draw;
            drawings.emplace_back(WindowName(w.draw), t);
        }
        if (xphost::camera_controlled()) {
            Target t;
            t.kind = Target::Camera;
            drawings.emplace_back(f.loop == CheckKorva ? "ExtCameraKorvaFunc" : "ExtCameraSHFunc", t);
        }
        for (const auto& [name, target] : drawings) {
            Case c;
            c.name = "frame/" + name + "/" + f.key;
            c.model = f.key;
            c.tick = false;
            c.target = target;
            const size_t all = f.stages.size();
            c.setup = [f, all] { return FlyTo(f, all); };
            c.measured = [](const flights::Step& s) { return flights::Steps(s, g_frames); };
            cases.push_back(c);
        }
    }
    return cases;
}

// ---------------------------------------------------------------- measuring

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// One measured part: the case's own steps with the plug-in, or as many
// replayed steps with the null plug-in. Returns seconds per unit.
struct Pass {
    int    units = 0;
    double seconds = 0;
};

bool TapeCase(const Case& c, int* units)
{
    g_tapes.clear();
    g_unitTape.clear();
    g_next = 0;
    if (!c.setup())
        return false;
    *units = 0;
    const bool ok = c.measured([&] {
        xphost::set_taping(true);
        Run(c.target);
        xphost::set_taping(false);
        KeepTape(xphost::take_tape());
        ++*units;
    });
    if (std::getenv("QZT_BENCH_DEBUG"))
        std::fprintf(stderr, "%s: %d units, %zu tapes\n", c.name.c_str(), *units, g_tapes.size());
    return ok && *units > 0;
}

Pass PluginPass(const Case& c)
{
    Pass p;
    if (!c.setup())
        return p;
    xphost::reset_counters();
    c.measured([&] {
        const auto t0 = Clock::now();
        Run(c.target);
        p.seconds += Seconds(t0);
        ++p.units;
    });
    return p;
}

// The null plug-in in the case's place: replaying the calls, only taking
// them off the tape, and doing nothing.
struct NullPasses {
    Pass calls, tape, nothing;
};

NullPasses NullPass(const Case& c, int units)
{
    NullPasses n;
    if (!c.setup())
        return n;
    const Target null = NullIn(c.target);
    const auto pass = [&](Replaying how, Pass& p) {
        g_replaying = how;
        g_next = 0;
        for (int i = 0; i < units; ++i) {
            const auto t0 = Clock::now();
            Run(null);
            p.seconds += Seconds(t0);
            ++p.units;
        }
    };
    Pass warm;   // once untimed, so that the tapes are in the cache as the plug-in's code and data are
    pass(Replaying::Calls, warm);
    pass(Replaying::Calls, n.calls);
    pass(Replaying::OffTheTapeOnly, n.tape);
    pass(Replaying::Nothing, n.nothing);
    g_replaying = Replaying::Calls;
    return n;
}

double Own(const Result& r) { return r.plugin_ns - r.null_ns + (r.tape_ns - r.nothing_ns); }

void Measure(benchmark::State& state, const Case& c)
{
    int units = 0;
    if (!TapeCase(c, &units)) {
        state.SkipWithError("the case's flight failed");
        return;
    }
    Result r;
    r.name = c.name;
    r.model = c.model;
    r.tick = c.tick;
    r.units = units;
    r.plugin_ns = r.null_ns = r.tape_ns = r.nothing_ns = 1e30;
    for (auto _ : state) {
        const Pass plugin = PluginPass(c);
        if (plugin.units != units) {
            state.SkipWithError("the flight took another course than when it was taped");
            return;
        }
        const xphost::Counters counted = xphost::counters();
        const NullPasses null = NullPass(c, units);
        r.plugin_ns = std::min(r.plugin_ns, plugin.seconds / units * 1e9);
        r.null_ns = std::min(r.null_ns, null.calls.seconds / units * 1e9);
        r.tape_ns = std::min(r.tape_ns, null.tape.seconds / units * 1e9);
        r.nothing_ns = std::min(r.nothing_ns, null.nothing.seconds / units * 1e9);
        const xphost::Usage& u = c.tick ? counted.loops : counted.drawing;
        r.calls = double(u.host_calls) / units;
        r.lookups = double(u.lookups) / units;
        r.allocations = double(u.allocations) / units;
        r.file_accesses = double(u.file_accesses) / units;
        state.SetIterationTime(plugin.seconds / units);
    }
    state.counters["units"] = units;
    state.counters["host_calls"] = r.calls;
    state.counters["null_ns"] = r.null_ns;
    state.counters["own_ns"] = Own(r);
    state.counters["allocs"] = r.allocations;
    g_results.push_back(r);
}

// ---------------------------------------------------------------- the summary


void Summary()
{
    if (g_results.empty())
        return;
    std::printf("\nThe plug-in's own work per unit: plug-in - null + (off the tape - nothing), least of %d "
                "iterations\n\n",
                g_iterations);
    std::printf("%-52s %8s %8s %8s %8s %8s %6s %5s\n", "case", "plug-in", "null", "tape", "nothing", "own", "calls",
                "alloc");
    for (const Result& r : g_results)
        std::printf("%-52s %6.0fns %6.0fns %6.0fns %6.0fns %6.0fns %6.1f %5.0f\n", r.name.c_str(), r.plugin_ns,
                    r.null_ns, r.tape_ns, r.nothing_ns, Own(r), r.calls, r.allocations + r.lookups + r.file_accesses);

    struct Model {
        double tick = 0;          // the dearest stage's tick
        std::string tickStage;
        double frame = 0;         // every drawing of one frame
        double tickCalls = 0, frameCalls = 0;
        double bad = 0;           // allocations, look-ups and file accesses
    };
    std::map<std::string, Model> models;
    std::vector<std::string> order;
    for (const Result& r : g_results) {
        if (!models.count(r.model))
            order.push_back(r.model);
        Model& m = models[r.model];
        m.bad += r.allocations + r.lookups + r.file_accesses;
        if (r.tick) {
            if (Own(r) > m.tick) {
                m.tick = Own(r);
                m.tickStage = r.name.substr(r.name.find(':') + 1);
            }
            m.tickCalls = std::max(m.tickCalls, r.calls);
        } else {
            m.frame += Own(r);
            m.frameCalls += r.calls;
        }
    }
    std::printf("\nPer simulated second (10 ticks of the dearest stage and 60 frames of every drawing), goal under "
                "20 us:\n\n");
    std::printf("%-18s %10s %-16s %10s %12s %10s %8s\n", "model", "tick", "(stage)", "frame", "per second",
                "calls/s", "alloc");
    for (const std::string& key : order) {
        const Model& m = models[key];
        const double second = 10 * m.tick + 60 * m.frame;
        std::printf("%-18s %8.0fns %-16s %8.0fns %10.2fus %10.0f %8.0f %s\n", key.c_str(), m.tick,
                    m.tickStage.c_str(), m.frame, second / 1000.0, 10 * m.tickCalls + 60 * m.frameCalls, m.bad,
                    second < 20000.0 ? "" : "  OVER THE GOAL");
    }
}

// ---------------------------------------------------------------- instruction counts

// Under callgrind with --collect-atstart=no the host collects only while the
// plug-in's own code runs; each case is dumped under its name with its units.
int Instructions(const std::vector<Case>& cases, const char* filter)
{
#ifdef QZT_BENCH_CALLGRIND
    if (!RUNNING_ON_VALGRIND)
        std::fprintf(stderr, "qztgov-bench: --instructions counts only under callgrind (scripts/bench --instructions)\n");
    for (const Case& c : cases) {
        if (filter && c.name.find(filter) == std::string::npos)
            continue;
        if (!c.setup())
            continue;
        int units = 0;
        CALLGRIND_ZERO_STATS;
        c.measured([&] {
            Run(c.target);
            ++units;
        });
        const std::string dump = c.name + " units=" + std::to_string(units);
        CALLGRIND_DUMP_STATS_AT(dump.c_str());
        std::printf("%s %d\n", c.name.c_str(), units);
    }
    return 0;
#else
    (void)cases;
    (void)filter;
    std::fprintf(stderr, "qztgov-bench: built without valgrind's headers, so without --instructions\n");
    return 2;
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    bool instructions = false;
    const char* filter = nullptr;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            g_iterations = 1;
            g_frames = 30;
        } else if (std::strcmp(argv[i], "--instructions") == 0) {
            instructions = true;
        } else if (std::strncmp(argv[i], "--only=", 7) == 0) {
            filter = argv[i] + 7;
        } else {
            rest.push_back(argv[i]);
        }
    }
    int n = static_cast<int>(rest.size());

    const std::vector<Case> cases = Cases();
    if (instructions)
        return Instructions(cases, filter);

    for (const Case& c : cases)
        benchmark::RegisterBenchmark(c.name.c_str(), [c](benchmark::State& s) { Measure(s, c); })
            ->UseManualTime()
            ->Iterations(g_iterations)
            ->Unit(benchmark::kNanosecond);
    benchmark::Initialize(&n, rest.data());
    if (benchmark::ReportUnrecognizedArguments(n, rest.data()))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Summary();
    return 0;
}

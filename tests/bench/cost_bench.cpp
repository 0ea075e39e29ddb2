// bench/cost_bench.cpp: qztgov-bench, what the plug-in costs the simulator's
// frame: one tick of each model loop in each stage of its model's flight, and
// one frame of each drawing callback, window and camera, measured through the
// stand-in host with the plug-in's objects linked in.
//
// The host's work for the plug-in (logging a write, recording a drawn string)
// is not the plug-in's cost. Every case is therefore measured against a null
// plug-in in the same run: in the plug-in's place it makes the very calls the
// plug-in made, with the same arguments, taped from it and replayed. Replaying
// costs something of its own (taking each call off the tape and calling), so
// the null plug-in also runs once calling a function of the same shape that
// does nothing instead of the host's, and once doing nothing at all. The
// plug-in's own time per unit is then
//     plug-in - null + (empty - nothing),
// each the least of the iterations. (Checked against callgrind: on the
// carrier's panel page this gives 633 instructions a frame where collecting
// only inside the plug-in's code gives 617.)
//
// Options besides Google Benchmark's own: --quick (one short iteration per
// case: checks that every case runs; the times then mean little), --save=FILE
// (keeps the times for the report), --instructions (no timing: each case
// once, for callgrind) and --report TIMES OWN PASS (the times saved and the
// folders of callgrind's dumps: the plug-in's own instructions and the whole
// passes'). scripts/bench runs them in turn.
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

#ifdef QZT_BENCH_CALLGRIND
#include <valgrind/callgrind.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

int g_iterations = 40;
int g_frames = 600;           // frames per frame case
constexpr double kSetupFps = 20;

// ---------------------------------------------------------------- the null plug-in

// The calls of each unit, taped from the plug-in. Units that made the same
// calls share one tape, so the null plug-in touches no more memory than needed.
std::vector<xphost::Tape> g_tapes;
std::vector<size_t> g_unitTape;
size_t g_next = 0;

enum class Replaying { Calls, Empty, Nothing };
Replaying g_replaying = Replaying::Calls;

void Replay()
{
    xphost::Tape& tape = g_tapes[g_unitTape[g_next++ % g_unitTape.size()]];
    if (g_replaying != Replaying::Nothing)
        tape.replay(g_replaying == Replaying::Calls);   // or each to an empty function
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
    double plugin_ns = 0, null_ns = 0, empty_ns = 0, nothing_ns = 0;   // least per unit
    double calls = 0, lookups = 0, allocations = 0, file_accesses = 0;   // per unit
    double own_instructions = -1, pass_instructions = -1;              // per unit, from callgrind
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

// The null plug-in in the case's place: replaying the calls, replaying them
// to empty functions, and doing nothing.
struct NullPasses {
    Pass calls, empty, nothing;
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
    pass(Replaying::Empty, n.empty);
    pass(Replaying::Nothing, n.nothing);
    g_replaying = Replaying::Calls;
    return n;
}

double OwnByNull(const Result& r);

// A case that cannot be measured fails the run, so CTest's quick run sees it.
int g_failedCases = 0;

void Measure(benchmark::State& state, const Case& c)
{
    int units = 0;
    if (!TapeCase(c, &units)) {
        state.SkipWithError("the case's flight failed");
        ++g_failedCases;
        return;
    }
    Result r;
    r.name = c.name;
    r.model = c.model;
    r.tick = c.tick;
    r.units = units;
    r.plugin_ns = r.null_ns = r.empty_ns = r.nothing_ns = 1e30;
    for (auto _ : state) {
        const Pass plugin = PluginPass(c);
        if (plugin.units != units) {
            state.SkipWithError("the flight took another course than when it was taped");
            ++g_failedCases;
            return;
        }
        const xphost::Counters counted = xphost::counters();
        const NullPasses null = NullPass(c, units);
        r.plugin_ns = std::min(r.plugin_ns, plugin.seconds / units * 1e9);
        r.null_ns = std::min(r.null_ns, null.calls.seconds / units * 1e9);
        r.empty_ns = std::min(r.empty_ns, null.empty.seconds / units * 1e9);
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
    state.counters["own_ns"] = OwnByNull(r);
    state.counters["allocs"] = r.allocations;
    g_results.push_back(r);
}

// ---------------------------------------------------------------- the report

// The plug-in's own time per unit measured against the null plug-in.
double OwnByNull(const Result& r) { return r.plugin_ns - r.null_ns + (r.empty_ns - r.nothing_ns); }

// The plug-in's own time per unit as its share of the pass's instructions,
// counted by callgrind, of the pass's measured time.
double OwnByShare(const Result& r)
{
    if (r.own_instructions < 0 || r.pass_instructions <= 0)
        return -1;
    return r.plugin_ns * r.own_instructions / r.pass_instructions;
}

std::string ModelOf(const std::string& name)
{
    const size_t model = name.find('/', name.find('/') + 1) + 1;
    const size_t colon = name.find(':', model);
    return name.substr(model, colon == std::string::npos ? std::string::npos : colon - model);
}

// One model's second: 10 ticks of its dearest stage and 60 frames of every drawing it has.
struct Second {
    std::string model;
    double tick = 0, frame = 0;
    std::string tickStage;
    double total() const { return 10 * tick + 60 * frame; }
};

std::vector<Second> Seconds(const std::vector<Result>& results, const std::function<double(const Result&)>& cost)
{
    std::vector<Second> out;
    for (const Result& r : results) {
        auto it = std::find_if(out.begin(), out.end(), [&](const Second& m) { return m.model == r.model; });
        if (it == out.end()) {
            out.emplace_back();
            out.back().model = r.model;
            it = out.end() - 1;
        }
        if (r.tick && cost(r) > it->tick) {
            it->tick = cost(r);
            it->tickStage = r.name.substr(r.name.find(':') + 1);
        } else if (!r.tick) {
            it->frame += cost(r);
        }
    }
    return out;
}

void Report(const std::vector<Result>& results)
{
    const bool times = !results.empty() && results[0].plugin_ns > 0;
    const bool counted = !results.empty() && results[0].own_instructions >= 0;
    std::printf("\nPer unit (a tick or a frame): the plug-in's own instructions (callgrind), the whole pass's; the\n"
                "pass's least time; the plug-in's own time as its share of the pass's instructions, and as measured\n"
                "against the null plug-in; host calls; allocations, look-ups and file accesses\n\n");
    std::printf("%-50s %7s %7s %8s %8s %8s %6s %5s\n", "case", "own in", "pass in", "pass", "own", "own/null",
                "calls", "bad");
    for (const Result& r : results) {
        char own[16] = "-", pass[16] = "-", ns[16] = "-", share[16] = "-", null[16] = "-";
        if (r.own_instructions >= 0)
            std::snprintf(own, sizeof own, "%.0f", r.own_instructions);
        if (r.pass_instructions >= 0)
            std::snprintf(pass, sizeof pass, "%.0f", r.pass_instructions);
        if (times) {
            std::snprintf(ns, sizeof ns, "%.0fns", r.plugin_ns);
            std::snprintf(null, sizeof null, "%.0fns", OwnByNull(r));
        }
        if (times && OwnByShare(r) >= 0)
            std::snprintf(share, sizeof share, "%.0fns", OwnByShare(r));
        std::printf("%-50s %7s %7s %8s %8s %8s %6.1f %5.0f\n", r.name.c_str(), own, pass, ns, share, null, r.calls,
                    r.allocations + r.lookups + r.file_accesses);
    }

    std::printf("\nPer simulated second: 10 ticks of the dearest stage and 60 frames of every drawing the model "
                "has (goal: the plug-in's own work under 20 us)\n\n");
    std::printf("%-18s %-14s %12s %12s %12s\n", "model", "dearest tick", "instructions", "own time", "own/null");
    const auto instructions = Seconds(results, [](const Result& r) { return r.own_instructions; });
    const auto share = Seconds(results, OwnByShare);
    const auto null = Seconds(results, OwnByNull);
    for (size_t k = 0; k < instructions.size(); ++k) {
        char in[24] = "-", us[24] = "-", nu[24] = "-";
        if (counted)
            std::snprintf(in, sizeof in, "%.0f", instructions[k].total());
        if (counted && times && results[0].pass_instructions > 0)
            std::snprintf(us, sizeof us, "%.2fus", share[k].total() / 1000.0);
        if (times)
            std::snprintf(nu, sizeof nu, "%.2fus", null[k].total() / 1000.0);
        const bool over = counted && times && results[0].pass_instructions > 0 && share[k].total() >= 20000.0;
        std::printf("%-18s %-14s %12s %12s %12s%s\n", instructions[k].model.c_str(),
                    (counted ? instructions[k] : null[k]).tickStage.c_str(), in, us, nu, over ? "  OVER THE GOAL" : "");
    }
}

// ---------------------------------------------------------------- instruction counts

// Under callgrind (scripts/bench) each case's units are dumped under its name;
// what happens between the steps is dumped apart and left out.
int Instructions(const std::vector<Case>& cases)
{
#ifdef QZT_BENCH_CALLGRIND
    if (!RUNNING_ON_VALGRIND) {
        std::fprintf(stderr, "qztgov-bench: --instructions counts only under callgrind (scripts/bench)\n");
        return 2;
    }
    for (const Case& c : cases) {
        if (!c.setup())
            continue;
        int units = 0;
        const std::string dump = c.name + " units=";
        const std::string between = dump + "0";
        flights::BetweenHook() = [&](const std::function<void()>& act) {
            CALLGRIND_DUMP_STATS_AT(between.c_str());
            act();
            CALLGRIND_ZERO_STATS;
        };
        CALLGRIND_ZERO_STATS;
        c.measured([&] {
            Run(c.target);
            ++units;
        });
        const std::string last = dump + std::to_string(units);   // named: the request reads it after the statement
        CALLGRIND_DUMP_STATS_AT(last.c_str());
        flights::BetweenHook() = [](const std::function<void()>& act) { act(); };
    }
    return 0;
#else
    (void)cases;
    std::fprintf(stderr, "qztgov-bench: built without valgrind's headers, so without --instructions\n");
    return 2;
#endif
}

// callgrind's dumps in a folder: instructions per unit by case name.
std::map<std::string, double> ReadDumps(const std::string& folder)
{
    std::map<std::string, std::pair<double, int>> sums;
    for (int n = 1;; ++n) {
        std::FILE* f = std::fopen((folder + "/callgrind." + std::to_string(n)).c_str(), "r");
        if (!f)
            break;
        char line[4096];
        std::string name;
        int units = 0;
        double instructions = 0;
        const char* desc = "desc: Trigger: Client Request: ";
        while (std::fgets(line, sizeof line, f)) {
            if (std::strncmp(line, desc, std::strlen(desc)) == 0) {
                const std::string d = line + std::strlen(desc);
                const size_t at = d.rfind(" units=");
                if (at != std::string::npos) {
                    name = d.substr(0, at);
                    units = std::atoi(d.c_str() + at + 7);
                }
            } else if (std::strncmp(line, "summary:", 8) == 0) {
                instructions = std::atof(line + 8);
            }
        }
        std::fclose(f);
        if (!name.empty()) {
            sums[name].first += instructions;
            sums[name].second += units;
        }
    }
    std::map<std::string, double> out;
    for (const auto& [name, sum] : sums)
        if (sum.second > 0)
            out[name] = sum.first / sum.second;
    return out;
}

// The times of a run saved with --save, one case a line.
void Save(const std::string& file)
{
    std::FILE* f = std::fopen(file.c_str(), "w");
    if (!f)
        return;
    for (const Result& r : g_results)
        std::fprintf(f, "%s\t%d\t%d\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\n", r.name.c_str(), r.tick, r.units,
                     r.plugin_ns, r.null_ns, r.empty_ns, r.nothing_ns, r.calls, r.lookups, r.allocations,
                     r.file_accesses);
    std::fclose(f);
}

std::vector<Result> Load(const std::string& file)
{
    std::vector<Result> out;
    std::FILE* f = std::fopen(file.c_str(), "r");
    if (!f)
        return out;
    char name[512];
    Result r;
    int tick = 0;
    while (std::fscanf(f, "%511[^\t]\t%d\t%d\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\t%lf\n", name, &tick, &r.units,
                       &r.plugin_ns, &r.null_ns, &r.empty_ns, &r.nothing_ns, &r.calls, &r.lookups, &r.allocations,
                       &r.file_accesses) == 11) {
        r.name = name;
        r.model = ModelOf(r.name);
        r.tick = tick != 0;
        out.push_back(r);
    }
    std::fclose(f);
    return out;
}

// scripts/bench's report: the times saved, the plug-in's own instructions and the passes' instructions.
int CombinedReport(const std::string& times, const std::string& own, const std::string& pass)
{
    std::vector<Result> results = Load(times);
    const auto ownIn = ReadDumps(own);
    const auto passIn = ReadDumps(pass);
    if (results.empty()) {
        for (const auto& [name, in] : ownIn) {
            Result r;
            r.name = name;
            r.model = ModelOf(name);
            r.tick = name.rfind("tick/", 0) == 0;
            results.push_back(r);
        }
    }
    for (Result& r : results) {
        const auto o = ownIn.find(r.name), p = passIn.find(r.name);
        if (o != ownIn.end())
            r.own_instructions = o->second;
        if (p != passIn.end())
            r.pass_instructions = p->second;
    }
    Report(results);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    bool instructions = false;
    std::string save;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            g_iterations = 1;
            g_frames = 30;
        } else if (std::strcmp(argv[i], "--instructions") == 0) {
            instructions = true;
        } else if (std::strncmp(argv[i], "--save=", 7) == 0) {
            save = argv[i] + 7;
        } else if (std::strcmp(argv[i], "--report") == 0 && i + 3 < argc) {
            return CombinedReport(argv[i + 1], argv[i + 2], argv[i + 3]);
        } else {
            rest.push_back(argv[i]);
        }
    }
    int n = static_cast<int>(rest.size());

    const std::vector<Case> cases = Cases();
    if (instructions)
        return Instructions(cases);

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
    if (save.empty())
        Report(g_results);
    else
        Save(save);             // the report follows, with the instruction counts
    if (g_failedCases > 0) {
        std::fprintf(stderr, "qztgov-bench: %d case(s) could not be measured\n", g_failedCases);
        return 1;
    }
    return 0;
}

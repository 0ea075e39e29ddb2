// sim/main.cpp: qztgov-demo, a headless flight of the built QZTgov plug-in.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "render.h"
#include "runner.h"
#include "scenarios.h"
#include "xphost.h"

using namespace sim;

namespace {

// The command a person typed: scripts/demo names itself, run directly the
// program's own name.
std::string g_command = "qztgov-demo";

void usage(std::FILE* f)
{
    std::fprintf(f, "usage: %s [scenario | --all] [options]\n", g_command.c_str());
    std::fprintf(f,
                 ""
                 "Loads the built QZTgov plug-in into the stand-in host and flies a scenario.\n"
                 "\nscenarios:\n");
    for (const Scenario& s : scenarios())
        std::fprintf(f, "  %-9s %s%s\n", s.name, s.description, std::strcmp(s.name, "carrier") == 0 ? " (default)" : "");
    std::fprintf(f,
                 "\noptions:\n"
                 "  --plugin FILE      the plug-in file (default: QZTgov/lin_x64/QZTgov.xpl of this build)\n"
                 "  --prefs-dir DIR    keep the plug-in's preferences under DIR/Resources/plugins/\n"
                 "                     (default: a temporary folder, removed when the demo ends)\n"
                 "  --all              fly every scenario in turn; one summary line each\n"
                 "  --pictures DIR     write PNG pictures of the panel page, windows and dialog, and the\n"
                 "                     flight's profile (<scenario>-profile.png), into DIR\n"
                 "  --at LIST          moments for the pictures, comma-separated: seconds of simulated\n"
                 "                     time or names (loaded, jato, phase0 .. phase6, release,\n"
                 "                     about, preferences (the dialog's two pages), orbiter-loaded,\n"
                 "                     placed, cut, end; fighter: tanks, launch;\n"
                 "                     twin: camera0, yoke, climb, turn, zoom, camera2, host-view;\n"
                 "                     hyperjet: water, cruise, cruise-water, dump; glider: stowed,\n"
                 "                     glide, deployed; carrier and lowzoom also hot (the page at its hottest));\n"
                 "                     default: every name but phase0, phase4, phase5\n"
                 "  --fps N            simulator frames per simulated second (default 20)\n"
                 "  --jitter SEED      frame rates drawn anew for every frame, 22 to 65 a second, from SEED\n"
                 "  --numbers STYLE    how the host draws numbers: plain (as measured in the\n"
                 "                     simulator, the default) or padded (zero-filled to the digits)\n"
                 "  --quiet            print only the time flown and the summary\n"
                 "  --verbose          also the developer's figures: the host calls, allocations and\n"
                 "                     look-ups the plug-in cost, the published zoom phase, the speed\n"
                 "  --trace SECONDS    also print the flight model's state to stderr this often\n"
                 "  --list             list the scenarios\n"
                 "  -h, --help         this text\n"
                 "\nExit status: 0 when the scenario (with --all: every scenario) reached its expected\n"
                 "outcome, 1 when not, 2 for a usage error (an unknown option, scenario or moment),\n"
                 "3 when the plug-in could not be loaded, 4 when the preferences or pictures folder\n"
                 "cannot be written.\n");
}

std::string default_plugin()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const auto candidate = exe.parent_path().parent_path() / "QZTgov" / "lin_x64" / "QZTgov.xpl";
        if (std::filesystem::exists(candidate, ec))
            return candidate.string();
    }
#ifdef QZT_DEMO_PLUGIN
    return QZT_DEMO_PLUGIN;
#else
    return "QZTgov/lin_x64/QZTgov.xpl";
#endif
}

std::vector<std::string> split(const std::string& s)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= s.size()) {
        const size_t comma = s.find(',', start);
        const std::string item = s.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!item.empty())
            out.push_back(item);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return out;
}

enum { ExpectedOutcome = 0, NotExpected = 1, UsageError = 2, CannotLoad = 3, CannotWrite = kCannotWrite };

// A folder the demo is to write into: made if missing, and a file made and
// removed in it, so a path to a file, a read-only place or a full disk is
// told before the flight rather than after it. `sub` is the part below
// `dir` that the demo writes into.
bool writable_folder(const char* option, const std::string& dir, const std::string& sub)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path root = fs::absolute(dir, ec);
    if (fs::exists(root, ec) && !fs::is_directory(root, ec)) {
        std::fprintf(stderr, "qztgov-demo: %s %s is a file, not a folder\n", option, dir.c_str());
        return false;
    }
    const fs::path where = sub.empty() ? root : root / sub;
    fs::create_directories(where, ec);
    if (ec) {
        std::fprintf(stderr, "qztgov-demo: %s %s: cannot make the folder %s: %s\n", option, dir.c_str(),
                     where.string().c_str(), ec.message().c_str());
        return false;
    }
    const std::string probe = (where / ".qztgov-demo-write-test").string();
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::write(fd, "x", 1) != 1) {
        std::fprintf(stderr, "qztgov-demo: %s %s: cannot write in %s: %s\n", option, dir.c_str(),
                     where.string().c_str(), std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        ::unlink(probe.c_str());
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

// A moment is a number of seconds or one of the names.
bool known_moment(const std::string& m)
{
    char* end = nullptr;
    std::strtod(m.c_str(), &end);
    if (end && end != m.c_str() && *end == '\0')
        return true;
    for (const auto& name : moment_names())
        if (name == m)
            return true;
    return false;
}

// One flight in a fresh host. With `all`, the timeline stays quiet and the
// time and summary lines are all that is printed (MISSING lines before them).
int fly(const Scenario& scenario, Options opt, bool all)
{
    opt.scenario = scenario.name;
    if (all)
        opt.quiet = true;
    std::FILE* out = opt.quiet ? std::fopen("/dev/null", "w") : stdout;
    if (!out)
        out = stdout;

    Runner runner(opt, out);
    std::string error;
    if (!runner.start(&error)) {
        std::fprintf(stderr, "qztgov-demo: cannot load the plug-in %s: %s\n", opt.plugin.c_str(), error.c_str());
        if (out != stdout)
            std::fclose(out);
        return CannotLoad;
    }
    std::fprintf(out, "QZTgov demo, scenario %s: %s\n", scenario.name, scenario.description);
    std::fprintf(out, "plug-in:     %s (\"%s\", %s)\n", opt.plugin.c_str(), xphost::plugin_name().c_str(),
                 xphost::plugin_signature().c_str());
    std::fprintf(out, "preferences: %s%s\n", runner.prefs_file().c_str(),
                 opt.prefs_dir.empty() ? " (temporary, removed at exit)" : "");

    Outcome outcome = scenario.fly(runner);
    for (const auto& fault : runner.stop())
        outcome.missing.push_back("the stopped plug-in left the simulator with this: " + fault);
    runner.clear_progress();
    for (const auto& problem : runner.phase_check().problems())
        outcome.missing.push_back(problem);
    for (const auto& problem : runner.illegible())
        outcome.missing.push_back("a legible frame in the basic font (" + problem + ")");
    for (const auto& name : runner.bare_pictures())
        outcome.missing.push_back("something the plug-in drew in the picture " + name + " (only its click strips)");
    if (opt.verbose)
        std::fprintf(out, "\npublished zoom phase (QZTgov/zoom/phase) read in turn: %s\n",
                     runner.phase_check().published().c_str());

    if (!opt.pictures_dir.empty()) {
        std::string why;
        if (!runner.write_profile_picture(std::string("QZTgov demo: ") + scenario.name + ", " + scenario.description,
                                          outcome.summary, &why)) {
            std::fprintf(stderr, "qztgov-demo: cannot write the flight's profile picture: %s\n", why.c_str());
            return CannotWrite;
        }
    }

    // The plug-in's ticks and frames must cost the simulator no allocation, no
    // look-up and no file access (the counting shim reports the first and last).
    const xphost::Counters cost = runner.cost();
    const auto per = [](int64_t n, int64_t of) { return of > 0 ? double(n) / of : 0.0; };
    const int64_t allocations = cost.loops.allocations + cost.drawing.allocations;
    const int64_t lookups = cost.loops.lookups + cost.drawing.lookups;
    const int64_t files = cost.loops.file_accesses + cost.drawing.file_accesses;
    if (opt.verbose)
        std::fprintf(out, "plug-in cost: %.1f host calls a tick, %.1f a frame; in %lld ticks and %lld frames %lld "
                 "allocations, %lld look-ups, %lld file accesses%s\n",
                 per(cost.loops.host_calls, cost.loops.callbacks), per(cost.drawing.host_calls, cost.frames),
                 static_cast<long long>(cost.loops.callbacks), static_cast<long long>(cost.frames),
                 static_cast<long long>(allocations), static_cast<long long>(lookups), static_cast<long long>(files),
                 xphost::counting_shim() ? "" : " (allocations and file accesses not counted in this build)");
    if (allocations || lookups || files)
        outcome.missing.push_back("ticks and frames without allocations, look-ups and file accesses (" +
                                  std::to_string(allocations) + ", " + std::to_string(lookups) + ", " +
                                  std::to_string(files) + ")");

    const double wall = runner.wall_seconds();
    const double simulated = runner.now();
    if (!all)
        std::fprintf(out, "\n");
    for (const auto& m : outcome.missing)
        std::fprintf(stdout, "MISSING: %s\n", m.c_str());
    const auto& pics = runner.pictures_written();
    if (!pics.empty() && !all) {
        std::error_code ec;
        const auto dir = std::filesystem::absolute(opt.pictures_dir, ec);
        std::printf("pictures: %zu written to %s\n", pics.size(), dir.string().c_str());
    }
    for (const auto& m : runner.moments_missed())
        std::printf("pictures: the moment \"%s\" did not come in this flight\n", m.c_str());
    if (opt.verbose)
        std::printf("time: %s simulated in %.2f s of wall time (%.0f simulated seconds per wall second)\n",
                    clock_text(simulated).c_str(), wall, wall > 0 ? simulated / wall : 0.0);
    else
        std::printf("time: %s of flight\n", clock_text(simulated).c_str());
    std::printf("summary [%s]: %s -> %s\n", scenario.name, outcome.summary.c_str(),
                outcome.ok() ? "expected outcome" : "NOT the expected outcome");
    std::fflush(stdout);
    if (out != stdout)
        std::fclose(out);
    return outcome.ok() ? ExpectedOutcome : NotExpected;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const char* name = std::getenv("QZT_DEMO_COMMAND"); name && *name)
        g_command = name;
    else if (argc > 0 && argv[0])
        g_command = std::filesystem::path(argv[0]).filename().string();
    Options opt;
    bool named = false;
    bool all = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "qztgov-demo: %s needs %s\n", a.c_str(), what);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "-h" || a == "--help") {
            usage(stdout);
            return 0;
        } else if (a == "--list") {
            for (const Scenario& s : scenarios())
                std::printf("%s\n", s.name);
            return 0;
        } else if (a == "--all") {
            all = true;
        } else if (a == "--plugin") {
            opt.plugin = value("a file");
        } else if (a == "--prefs-dir") {
            opt.prefs_dir = value("a folder");
        } else if (a == "--pictures") {
            opt.pictures_dir = value("a folder");
        } else if (a == "--at") {
            opt.moments = split(value("a list of moments"));
        } else if (a == "--fps") {
            opt.fps = std::atof(value("a number"));
            if (!(opt.fps >= 10 && opt.fps <= 200)) {
                std::fprintf(stderr, "qztgov-demo: --fps takes 10 to 200\n");
                return 2;
            }
        } else if (a == "--jitter") {
            const std::string seed = value("a seed");
            char* end = nullptr;
            opt.jitter_seed = std::strtol(seed.c_str(), &end, 10);
            if (seed.empty() || *end != '\0' || opt.jitter_seed < 0) {
                std::fprintf(stderr, "qztgov-demo: --jitter takes a seed, a whole number from 0 up\n");
                return 2;
            }
        } else if (a == "--numbers") {
            const std::string style = value("plain or padded");
            if (style != "plain" && style != "padded") {
                std::fprintf(stderr, "qztgov-demo: --numbers takes plain or padded, not \"%s\"\n", style.c_str());
                return 2;
            }
            opt.padded_numbers = style == "padded";
        } else if (a == "--trace") {
            opt.trace = std::atof(value("seconds"));
        } else if (a == "--quiet") {
            opt.quiet = true;
        } else if (a == "--verbose") {
            opt.verbose = true;
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "qztgov-demo: unknown option %s (%s --help lists them)\n", a.c_str(),
                         g_command.c_str());
            return UsageError;
        } else if (!named) {
            opt.scenario = a;
            named = true;
        } else {
            std::fprintf(stderr, "qztgov-demo: one scenario at a time (got %s and %s)\n", opt.scenario.c_str(), a.c_str());
            return 2;
        }
    }

    if (all && named) {
        std::fprintf(stderr, "qztgov-demo: --all flies every scenario; name none (got %s)\n", opt.scenario.c_str());
        return 2;
    }
    const Scenario* scenario = all ? nullptr : find_scenario(opt.scenario);
    if (!all && !scenario) {
        std::fprintf(stderr, "qztgov-demo: there is no scenario \"%s\". Scenarios:\n", opt.scenario.c_str());
        for (const Scenario& s : scenarios())
            std::fprintf(stderr, "  %-9s %s\n", s.name, s.description);
        return 2;
    }
    for (const auto& m : opt.moments) {
        if (!known_moment(m)) {
            std::fprintf(stderr, "qztgov-demo: --at: there is no moment \"%s\"; moments are seconds of flight or",
                         m.c_str());
            for (const auto& name : moment_names())
                std::fprintf(stderr, " %s", name.c_str());
            std::fprintf(stderr, "\n");
            return UsageError;
        }
    }
    if (!opt.moments.empty() && opt.pictures_dir.empty()) {
        std::fprintf(stderr, "qztgov-demo: --at chooses when pictures are taken: give --pictures DIR too\n");
        return UsageError;
    }
    if (!opt.pictures_dir.empty() && !pictures_available()) {
        std::fprintf(stderr, "qztgov-demo: this build cannot write pictures (it was built without cairo)\n");
        return 2;
    }
    if (!opt.prefs_dir.empty() && !writable_folder("--prefs-dir", opt.prefs_dir, "Resources/plugins"))
        return CannotWrite;
    if (!opt.pictures_dir.empty()) {
        if (!writable_folder("--pictures", opt.pictures_dir, ""))
            return CannotWrite;
        std::error_code ec;   // this run's list of pictures starts empty
        std::filesystem::remove(std::filesystem::path(opt.pictures_dir) / "pictures.txt", ec);
    }
    if (opt.plugin.empty())
        opt.plugin = default_plugin();
    opt.progress = isatty(STDERR_FILENO) != 0;

    if (!all)
        return fly(*scenario, opt, false);

    // Every scenario the registry holds, each in a host of its own.
    int expected = 0, flown = 0;
    for (const Scenario& s : scenarios()) {
        const int status = fly(s, opt, true);
        if (status == CannotLoad)
            return CannotLoad;
        ++flown;
        expected += status == ExpectedOutcome;
    }
    if (!opt.pictures_dir.empty()) {
        std::error_code ec;
        std::printf("pictures: written to %s\n", std::filesystem::absolute(opt.pictures_dir, ec).string().c_str());
    }
    std::printf("all: %d of %d scenarios reached their expected outcome\n", expected, flown);
    return expected == flown ? ExpectedOutcome : NotExpected;
}

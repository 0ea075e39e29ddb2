// The cross-built Mac plug-in file, read with LLVM's Mach-O tools as a Mac
// would load it: one universal file with an x86_64 and an arm64 slice; each
// exports exactly the five entry points; each leaves undefined only host
// functions our declarations in sdk/ name (looked up when X-Plane loads it)
// and C library functions macOS's libSystem exports (checked against the stub
// Zig ships); each links libSystem alone and records the minimum macOS.
// Two files broken on purpose show that the check catches what it looks for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/sdk_declarations.h"

namespace {

const std::string kPlugin = QZT_MAC_PLUGIN_FILE;          // "" when the Mac file is not built
const std::string kBroken = QZT_MAC_BROKEN_DIR;
const std::string kLibSystem = QZT_MAC_LIBSYSTEM_TBD;     // Zig's stub of macOS's libSystem
const std::string kMinVersion = QZT_MAC_MIN_VERSION;
const std::string kLipo = QZT_LLVM_LIPO;
const std::string kNm = QZT_LLVM_NM;
const std::string kObjdump = QZT_LLVM_OBJDUMP;

#define REQUIRE_MAC_BUILD()                                                                                       \
    if (kPlugin.empty())                                                                                          \
    GTEST_SKIP() << "the Mac file was not built (Zig or LLVM's tools missing, or QZT_BUILD_MAC=OFF; "            \
                    "scripts/fetch-zig and scripts/deps mac provide them)"

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// A tool's standard output; a tool that fails gives a line saying so.
std::string Run(const std::string& command)
{
    std::string out;
    if (FILE* p = popen((command + " 2>&1").c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            out.append(buf, n);
        if (pclose(p) != 0)
            out = "FAILED: " + command + "\n" + out;
    }
    return out;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

// What the stub says libSystem (with the libraries it re-exports, each a
// document of its own) exports for one target ("x86_64-macos"): the symbol
// lists of the exports and reexports sections whose targets name it.
std::set<std::string> LibSystemExports(const std::string& target)
{
    std::ifstream in(kLibSystem);
    std::set<std::string> symbols;
    std::string section, key, list;
    bool inList = false, targetListed = false;
    for (std::string line; std::getline(in, line);) {
        if (!inList) {
            if (!line.empty() && line[0] != ' ' && line[0] != '-') {
                section = line.substr(0, line.find(':'));
                continue;
            }
            const size_t colon = line.find(':');
            const size_t bracket = line.find('[');
            if (colon == std::string::npos || bracket == std::string::npos || bracket < colon)
                continue;
            key = Words(line.substr(0, colon)).back();
            if (key == "-")
                continue;
            list = line.substr(bracket + 1);
            inList = true;
        } else {
            list += " " + line;
        }
        const size_t close = list.find(']');
        if (close == std::string::npos)
            continue;
        inList = false;
        std::string items = list.substr(0, close);
        std::replace(items.begin(), items.end(), ',', ' ');
        std::replace(items.begin(), items.end(), '\'', ' ');
        const std::vector<std::string> names = Words(items);
        if (key == "targets")
            targetListed = std::find(names.begin(), names.end(), target) != names.end();
        else if ((section == "exports" || section == "reexports") && targetListed
                 && (key == "symbols" || key == "weak-symbols" || key == "thread-local-symbols"))
            symbols.insert(names.begin(), names.end());
    }
    return symbols;
}

struct Undefined {
    std::string name;
    std::string binding;   // "libSystem", "dynamically looked up", or another library
};

struct Slice {
    std::vector<std::string> exports;
    std::vector<Undefined> undefined;
    std::vector<std::string> dylibs;
    std::string minimum;   // the macOS version it records as its oldest
};

Slice ReadSlice(const std::string& file, const std::string& arch)
{
    Slice s;
    const std::string archFlag = " --arch=" + arch + " ";
    // "0x0000AB10  _XPluginStart"
    for (const std::string& line : Lines(Run(kObjdump + " --macho --exports-trie" + archFlag + Quoted(file)))) {
        const auto w = Words(line);
        if (w.size() >= 2 && w[0].rfind("0x", 0) == 0)
            s.exports.push_back(w[1]);
    }
    // "                 (undefined) external _fopen (from libSystem)"
    for (const std::string& line : Lines(Run(kNm + " -m" + archFlag + Quoted(file)))) {
        const auto w = Words(line);
        if (w.size() < 3 || w[0] != "(undefined)")
            continue;
        const size_t open = line.find('(', line.find(w[2]));
        const size_t close = line.rfind(')');
        std::string binding = open != std::string::npos && close > open ? line.substr(open + 1, close - open - 1) : "";
        if (binding.rfind("from ", 0) == 0)
            binding = binding.substr(5);
        s.undefined.push_back({w[2], binding});
    }
    // "          cmd LC_LOAD_DYLIB" ... "         name /usr/lib/libSystem.B.dylib (offset 24)"; "    minos 11.0"
    std::string command;
    for (const std::string& line : Lines(Run(kObjdump + " --macho --private-headers" + archFlag + Quoted(file)))) {
        const auto w = Words(line);
        if (w.size() >= 2 && w[0] == "cmd")
            command = w[1];
        const bool dylib = command == "LC_LOAD_DYLIB" || command == "LC_LOAD_WEAK_DYLIB" || command == "LC_REEXPORT_DYLIB"
                        || command == "LC_LAZY_LOAD_DYLIB" || command == "LC_LOAD_UPWARD_DYLIB";
        if (dylib && w.size() >= 2 && w[0] == "name")
            s.dylibs.push_back(w[1]);
        if (command == "LC_BUILD_VERSION" && w.size() == 2 && w[0] == "minos")
            s.minimum = w[1];
        if (command == "LC_VERSION_MIN_MACOSX" && w.size() == 2 && w[0] == "version")
            s.minimum = w[1];
    }
    return s;
}

std::vector<std::string> Archs(const std::string& file)
{
    std::vector<std::string> archs = Words(Run(kLipo + " -archs " + Quoted(file)));
    std::sort(archs.begin(), archs.end());
    return archs;
}

// Every way the file falls short of what X-Plane on a Mac needs, in words.
std::vector<std::string> MacFileProblems(const std::string& file)
{
    std::vector<std::string> problems;
    const std::vector<std::string> archs = Archs(file);
    if (archs != std::vector<std::string>{"arm64", "x86_64"}) {
        std::string found;
        for (const auto& a : archs)
            found += " " + a;
        problems.push_back("holds the slices" + found + ", not x86_64 and arm64");
    }
    const std::set<std::string> host = DeclaredHostFunctions();
    const std::set<std::string> entries = {"_XPluginStart", "_XPluginStop", "_XPluginEnable", "_XPluginDisable",
                                           "_XPluginReceiveMessage"};
    for (const std::string& arch : archs) {
        const Slice s = ReadSlice(file, arch);
        const std::set<std::string> libSystem = LibSystemExports(arch + "-macos");
        const std::set<std::string> exported(s.exports.begin(), s.exports.end());
        for (const std::string& name : exported)
            if (!entries.count(name))
                problems.push_back(arch + " exports " + name);
        for (const std::string& name : entries)
            if (!exported.count(name))
                problems.push_back(arch + " does not export " + name);
        for (const Undefined& u : s.undefined) {
            const bool hostFunction = u.name.size() > 1 && u.name[0] == '_' && host.count(u.name.substr(1));
            if (hostFunction && u.binding != "dynamically looked up")
                problems.push_back(arch + " binds the host's " + u.name + " to " + u.binding +
                                   " instead of looking it up when X-Plane loads it");
            else if (!hostFunction && !libSystem.count(u.name))
                problems.push_back(arch + " leaves " + u.name + " undefined (" + u.binding +
                                   "): neither a host function of sdk/ nor exported by macOS's libSystem");
            else if (!hostFunction && u.binding != "libSystem")
                problems.push_back(arch + " takes " + u.name + " from " + u.binding + ", not from libSystem");
        }
        if (s.dylibs != std::vector<std::string>{"/usr/lib/libSystem.B.dylib"}) {
            std::string found;
            for (const auto& d : s.dylibs)
                found += " " + d;
            problems.push_back(arch + " links" + (found.empty() ? " nothing" : found) +
                               " instead of /usr/lib/libSystem.B.dylib alone");
        }
        if (s.minimum != kMinVersion)
            problems.push_back(arch + " records macOS " + (s.minimum.empty() ? "(none)" : s.minimum) +
                               " as its oldest, not " + kMinVersion);
    }
    return problems;
}

std::string Listed(const std::vector<std::string>& problems)
{
    std::string text;
    for (const auto& p : problems)
        text += "\n  " + p;
    return text;
}

TEST(MacPluginFile, PassesEveryCheck)
{
    REQUIRE_MAC_BUILD();
    const auto problems = MacFileProblems(kPlugin);
    EXPECT_TRUE(problems.empty()) << kPlugin << ":" << Listed(problems);
}

// The check sees what it checks: a reader that found nothing would pass anything.
TEST(MacPluginFile, TheCheckReadsBothSlices)
{
    REQUIRE_MAC_BUILD();
    EXPECT_EQ(Archs(kPlugin), (std::vector<std::string>{"arm64", "x86_64"}));
    for (const std::string arch : {"x86_64", "arm64"}) {
        SCOPED_TRACE(arch);
        const Slice s = ReadSlice(kPlugin, arch);
        EXPECT_EQ(s.exports.size(), 5u);
        auto undefined = [&](const std::string& name) {
            const auto it = std::find_if(s.undefined.begin(), s.undefined.end(),
                                         [&](const Undefined& u) { return u.name == name; });
            return it == s.undefined.end() ? std::string("(not undefined)") : it->binding;
        };
        EXPECT_EQ(undefined("_XPLMFindDataRef"), "dynamically looked up");
        EXPECT_EQ(undefined("_XPCreateWidget"), "dynamically looked up");
        EXPECT_EQ(undefined("_snprintf"), "libSystem");
        EXPECT_EQ(s.minimum, kMinVersion);
        const std::set<std::string> libSystem = LibSystemExports(arch + "-macos");
        EXPECT_TRUE(libSystem.count("_fopen") && libSystem.count("_strtod") && libSystem.count("dyld_stub_binder"));
        EXPECT_FALSE(libSystem.count("__Znwm"));   // the C++ runtime is libc++'s
    }
}

// Zig 0.11's own linker takes no export list and exports every hidden symbol:
// the plug-in's globals and the compiler's runtime.
TEST(MacFileCheck, CatchesAFileThatExportsMoreThanTheEntryPoints)
{
    REQUIRE_MAC_BUILD();
    const auto problems = MacFileProblems(kBroken + "/all-exported.xpl");
    for (const std::string arch : {"x86_64", "arm64"}) {
        for (const std::string global : {"_Ident", "_outputPath", "_dr_machno"}) {
            EXPECT_NE(std::find(problems.begin(), problems.end(), arch + " exports " + global), problems.end())
                << arch << " " << global << Listed(problems);
        }
    }
}

TEST(MacFileCheck, CatchesAStrayCallIntoTheCppRuntime)
{
    REQUIRE_MAC_BUILD();
    const auto problems = MacFileProblems(kBroken + "/stray-undefined.xpl");
    EXPECT_EQ(problems, (std::vector<std::string>{
        "arm64 leaves __Znwm undefined (dynamically looked up): neither a host function of sdk/ nor exported by "
        "macOS's libSystem",
        "x86_64 leaves __Znwm undefined (dynamically looked up): neither a host function of sdk/ nor exported by "
        "macOS's libSystem"})) << Listed(problems);
}

}  // namespace

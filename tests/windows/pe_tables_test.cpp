// The cross-built Windows plug-in file, read as Windows would read it: what it
// exports, and what it imports from which DLL. Also the stand-in host's two
// DLLs that the wine run loads it into, and the table reader itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "pe_image.h"
#include "support/sdk_declarations.h"

namespace {

const std::string kPlugin = QZT_WIN_PLUGIN_FILE;   // "" when MinGW-w64 was not found
const std::string kHostDir = QZT_WIN_HOST_DIR;       // the stand-in host's DLLs
const std::string kImportsDir = QZT_WIN_IMPORTS_DIR; // the .def files of the import libraries

#define REQUIRE_WINDOWS_BUILD()                                                                          \
    if (kPlugin.empty())                                                                                 \
    GTEST_SKIP() << "the Windows file was not built (MinGW-w64 not installed, or QZT_BUILD_WINDOWS=OFF)"

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// DLLs every Windows installation has. The MinGW runtime DLLs are not among
// them: the file must carry that runtime inside.
bool WindowsSystemDll(const std::string& name)
{
    static const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                                                 "shell32.dll",  "ole32.dll",  "opengl32.dll", "msvcrt.dll",
                                                 "ucrtbase.dll", "ws2_32.dll"};
    const std::string n = Lower(name);
    return system.count(n) || n.rfind("api-ms-win-", 0) == 0;
}

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

TEST(WindowsPluginFile, IsA64BitDllExportingExactlyTheFiveEntryPoints)
{
    REQUIRE_WINDOWS_BUILD();
    const auto img = xphost::pe::read(kPlugin);
    ASSERT_TRUE(img.ok) << img.error;
    EXPECT_EQ(img.machine, 0x8664u);
    EXPECT_TRUE(img.dll);
    EXPECT_TRUE(img.pe32plus);
    EXPECT_EQ(Sorted(img.exports), (std::vector<std::string>{"XPluginDisable", "XPluginEnable", "XPluginReceiveMessage",
                                                             "XPluginStart", "XPluginStop"}));
    EXPECT_TRUE(img.forwarders.empty());
}

TEST(WindowsPluginFile, ImportsOnlyDeclaredHostFunctionsFromTheirDllsAndSystemDlls)
{
    REQUIRE_WINDOWS_BUILD();
    const auto img = xphost::pe::read(kPlugin);
    ASSERT_TRUE(img.ok) << img.error;
    const std::set<std::string> xplm = DeclaredHostFunctions("XPLM");
    const std::set<std::string> widgets = DeclaredHostFunctions("Widgets");
    ASSERT_TRUE(xplm.count("XPLMFindDataRef"));
    ASSERT_TRUE(widgets.count("XPCreateWidget"));

    std::map<std::string, int> perDll;
    for (const auto& imp : img.imports) {
        const std::string dll = Lower(imp.library);
        perDll[dll]++;
        EXPECT_FALSE(imp.delayed) << imp.library << "!" << imp.name << " is delay-loaded";
        if (dll == "xplm_64.dll")
            EXPECT_TRUE(xplm.count(imp.name)) << imp.name << " from XPLM_64.dll is not declared in sdk/XPLM";
        else if (dll == "xpwidgets_64.dll")
            EXPECT_TRUE(widgets.count(imp.name)) << imp.name << " from XPWidgets_64.dll is not declared in sdk/Widgets";
        else
            EXPECT_TRUE(WindowsSystemDll(dll)) << "imports " << imp.name << " from " << imp.library
                                               << ", which is no Windows system DLL";
    }
    EXPECT_GT(perDll["xplm_64.dll"], 20);
    for (const char* runtime : {"libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll"})
        EXPECT_EQ(perDll.count(runtime), 0u) << runtime;
}

// The stand-in host as the simulator's two DLLs: every declared function can
// be bound, each from the DLL the simulator provides it in.
TEST(WindowsHostDlls, ProvideEveryDeclaredFunctionFromItsDll)
{
    REQUIRE_WINDOWS_BUILD();
    const auto xplm = xphost::pe::read(kHostDir + "/XPLM_64.dll");
    const auto widgets = xphost::pe::read(kHostDir + "/XPWidgets_64.dll");
    ASSERT_TRUE(xplm.ok) << xplm.error;
    ASSERT_TRUE(widgets.ok) << widgets.error;
    const std::set<std::string> xplmExports(xplm.exports.begin(), xplm.exports.end());
    for (const auto& name : DeclaredHostFunctions("XPLM"))
        EXPECT_TRUE(xplmExports.count(name)) << name;

    const std::set<std::string> forwarders(widgets.forwarders.begin(), widgets.forwarders.end());
    for (const auto& name : DeclaredHostFunctions("Widgets"))
        EXPECT_TRUE(forwarders.count(name + "=XPLM_64." + name)) << name;
    EXPECT_EQ(widgets.exports.size(), DeclaredHostFunctions("Widgets").size());
    for (const auto& imp : widgets.imports)
        EXPECT_TRUE(WindowsSystemDll(imp.library)) << imp.library;
}

// The import libraries the Windows file links are made from our declarations,
// so a function declared later is importable without further work.
TEST(WindowsImportLibraries, NameEveryDeclaredFunction)
{
    REQUIRE_WINDOWS_BUILD();
    for (const std::string stem : {"XPLM", "XPWidgets"}) {
        std::ifstream in(kImportsDir + "/" + stem + "_64.def");
        ASSERT_TRUE(in) << stem << "_64.def";
        std::string word, library;
        std::set<std::string> names;
        in >> word >> library;
        EXPECT_EQ(word + " " + library, "LIBRARY " + stem + "_64.dll");
        in >> word;
        EXPECT_EQ(word, "EXPORTS");
        while (in >> word)
            names.insert(word);
        EXPECT_EQ(names, DeclaredHostFunctions(stem == "XPLM" ? "XPLM" : "Widgets"));
    }
}

// The reader never trusts the file: cut short or scrambled, it reports damage
// or reads what is there, and never reads outside the file.
TEST(PeReader, DamagedFilesAreRefusedOrReadWithinBounds)
{
    REQUIRE_WINDOWS_BUILD();
    std::ifstream in(kPlugin, std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(whole.size(), 4096u);
    const std::string path = testing::TempDir() + "damaged.xpl";
    auto readBytes = [&](const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return xphost::pe::read(path);
    };

    EXPECT_FALSE(readBytes("").ok);
    EXPECT_FALSE(readBytes("MZ").ok);
    EXPECT_FALSE(readBytes(std::string(200, '\xff')).ok);
    for (size_t cut : {60, 0x40, 0x80, 300, 1024})                 // inside the headers
        EXPECT_FALSE(readBytes(whole.substr(0, cut)).ok) << "cut at " << cut;
    for (size_t cut = 4096; cut < whole.size(); cut += 4096)       // tables may or may not be there
        readBytes(whole.substr(0, cut));

    std::string farHeader = whole;
    farHeader[0x3c] = farHeader[0x3d] = farHeader[0x3e] = farHeader[0x3f] = '\x7f';
    EXPECT_FALSE(readBytes(farHeader).ok);

    std::mt19937 rng(15);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = whole;
        for (int k = 0; k < 16; ++k)
            bytes[rng() % 2048] = char(rng());             // headers and tables' directories
        const auto img = readBytes(bytes);
        if (img.ok) {
            for (const auto& name : img.exports)
                EXPECT_LE(name.size(), 1024u);
        }
    }
    EXPECT_TRUE(readBytes(whole).ok);
    std::filesystem::remove(path);
}

}  // namespace

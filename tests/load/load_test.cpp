// The built plug-in file, opened the way the simulator opens it: what it
// exports, what it needs from its host, and a whole start-to-stop cycle.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "XPLMPlugin.h"
#include "support/sdk_declarations.h"
#include "xphost.h"

namespace {

const char* const kPlugin = QZT_PLUGIN_FILE;

bool InSystemLibrary(const std::string& name)
{
    static void* libc = dlopen("libc.so.6", RTLD_NOW);
    static void* libm = dlopen("libm.so.6", RTLD_NOW);
    return (libc && dlsym(libc, name.c_str())) || (libm && dlsym(libm, name.c_str()));
}

// Weak references the toolchain leaves in every shared object; nothing binds them.
bool ToolchainWeak(const std::string& name)
{
    return name == "__gmon_start__" || name.rfind("_ITM_", 0) == 0 || name == "_Jv_RegisterClasses";
}

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QZT_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QZT_SANITIZED 1
#endif

// A sanitized build leaves the sanitizers' runtime to the process that loads it.
bool SanitizerRuntime(const std::string& name)
{
#if defined(QZT_SANITIZED)
    for (const char* prefix : {"__asan_", "__ubsan_", "__lsan_", "__sanitizer_"})
        if (name.rfind(prefix, 0) == 0)
            return true;
#endif
    (void)name;
    return false;
}

TEST(LoadPluginFile, ExportsExactlyTheFiveEntryPoints)
{
    std::vector<std::string> exports;
    for (const auto& name : xphost::exported_symbols(kPlugin))
        if (name != "_init" && name != "_fini" && name != "_edata" && name != "_end" && name != "__bss_start")
            exports.push_back(name);
    std::sort(exports.begin(), exports.end());
    EXPECT_EQ(exports, (std::vector<std::string>{"XPluginDisable", "XPluginEnable", "XPluginReceiveMessage",
                                                 "XPluginStart", "XPluginStop"}));
}

TEST(LoadPluginFile, NeedsOnlyHostFunctionsAndTheCLibrary)
{
    const std::set<std::string> host = DeclaredHostFunctions();
    ASSERT_GT(host.size(), 50u);                   // the parse found the headers
    ASSERT_TRUE(host.count("XPLMFindDataRef"));
    ASSERT_TRUE(host.count("XPCreateWidget"));

    const auto undefined = xphost::undefined_symbols(kPlugin);
    ASSERT_FALSE(undefined.empty());
    std::vector<std::string> unresolved;
    for (const auto& name : undefined)
        if (!host.count(name) && !InSystemLibrary(name) && !ToolchainWeak(name) && !SanitizerRuntime(name))
            unresolved.push_back(name);
    EXPECT_TRUE(unresolved.empty()) << "not from the host or the C library: " << ::testing::PrintToString(unresolved);

    // The C++ runtime travels inside the file: no mangled or libstdc++ name is left open.
    for (const auto& name : undefined)
        EXPECT_NE(name.rfind("_Z", 0), 0u) << name;
}

TEST(LoadPluginFile, StartEnableLoadFlyDisableStop)
{
    xphost::reset();
    std::string error;
    ASSERT_TRUE(xphost::load_plugin(kPlugin, &error)) << error;
    ASSERT_NE(xphost::plugin().library, nullptr);

    ASSERT_EQ(xphost::start(), 1);
    EXPECT_EQ(xphost::plugin_name(), "QZTgov");
    EXPECT_EQ(xphost::plugin_signature(), "morvaln.flight.gov");
    EXPECT_EQ(xphost::plugin_description(), "A plugin that handles ACFs from QZT");
    EXPECT_GT(xphost::find_calls(), 100);
    ASSERT_NE(xphost::find_menu("QZTgov"), nullptr);
    EXPECT_EQ(xphost::key_sniffers().size(), 1u);

    ASSERT_EQ(xphost::enable(), 1);
    xphost::load_aircraft("QZT Skyhoist orbital carrier");
    xphost::advance(6.0);                          // past the first action, 5 s after the load
    EXPECT_EQ(xphost::frame_count(), 300);

    xphost::disable();
    xphost::stop();
    for (const auto& m : xphost::type_mismatches())
        ADD_FAILURE() << m.call << " on " << m.path;
    xphost::reset();                               // closes the file
}

}  // namespace

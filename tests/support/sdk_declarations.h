// tests/support/sdk_declarations.h: the host functions our interface headers in
// sdk/ declare, read from the headers themselves.
#pragma once
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

// Functions marked XPLM_API or WIDGET_API in the headers below sdk/<folder>
// ("" for every folder).
inline std::set<std::string> DeclaredHostFunctions(const std::string& folder = "")
{
    std::set<std::string> names;
    const std::regex decl(R"((XPLM_API|WIDGET_API)\s+[^;(]*?\b(\w+)\s*\()");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QZT_SOURCE_DIR "/sdk/" + folder)) {
        if (entry.path().extension() != ".h")
            continue;
        std::ifstream in(entry.path());
        std::string line, text;
        while (std::getline(in, line))
            if (line.find('#') == std::string::npos)   // skip the macros that define the markers
                text += line + "\n";
        for (std::sregex_iterator it(text.begin(), text.end(), decl), end; it != end; ++it)
            names.insert((*it)[2]);
    }
    return names;
}

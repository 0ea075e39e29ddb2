// host/win/platform.cpp: the host's platform part on Windows: the plug-in file
// through LoadLibrary, its symbols read from its PE tables, and the temporary
// system folder below the user's temporary folder.
#include <windows.h>

#include <cstdio>
#include <string>

#include "internal.h"
#include "pe_image.h"

namespace xphost {
namespace detail {

void* open_library(const std::string& path, std::string* error)
{
    HMODULE lib = LoadLibraryA(path.c_str());
    if (!lib && error) {
        const DWORD code = GetLastError();
        char text[512] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                       sizeof text, nullptr);
        std::string why = text;
        while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' '))
            why.pop_back();
        *error = "LoadLibrary(" + path + ") failed with error " + std::to_string(code) + (why.empty() ? "" : ": " + why);
    }
    return reinterpret_cast<void*>(lib);
}

void* library_symbol(void* library, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void close_library(void* library)
{
    if (library)
        FreeLibrary(static_cast<HMODULE>(library));
}

std::string make_temp_folder()
{
    char base[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof base, base);   // ends with a backslash
    if (n == 0 || n > MAX_PATH)
        return "";
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[MAX_PATH + 64];
        std::snprintf(name, sizeof name, "%sxphost-%lu-%u", base, static_cast<unsigned long>(GetCurrentProcessId()),
                      ++counter);
        if (CreateDirectoryA(name, nullptr))
            return name;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
    return "";
}

std::string native_path_form(const std::string& path)
{
    std::string out = path;
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

std::string legacy_path_form(const std::string& path)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (n <= 0)
        return path;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
    for (wchar_t& c : wide)
        if (c == L'/')
            c = L'\\';
    const int m = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (m <= 0)
        return path;
    std::string out(static_cast<size_t>(m), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, out.data(), m, nullptr, nullptr);
    out.resize(static_cast<size_t>(m - 1));
    return out;
}

}  // namespace detail

// Imports are what a DLL leaves for others to provide, like an ELF file's
// undefined symbols.
std::vector<std::string> exported_symbols(const std::string& path) { return pe::read(path).exports; }

std::vector<std::string> undefined_symbols(const std::string& path)
{
    std::vector<std::string> names;
    for (const pe::Import& imp : pe::read(path).imports)
        names.push_back(imp.name);
    return names;
}

}  // namespace xphost

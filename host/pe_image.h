// host/pe_image.h: the export and import tables of a Windows DLL (a PE file),
// read from the file's bytes on any platform. The Windows host answers
// exported_symbols()/undefined_symbols() with it, and the Linux tests check the
// cross-built plug-in file's tables with it.
#pragma once

#include <string>
#include <vector>

namespace xphost::pe {

struct Import {
    std::string library;                 // as named in the file, e.g. "XPLM_64.dll"
    std::string name;                    // "#<ordinal>" for an import by ordinal
    bool delayed = false;                // from the delay-load table
};

struct Image {
    bool ok = false;
    std::string error;                   // why the file could not be read
    unsigned machine = 0;                // 0x8664 for x86-64
    bool dll = false;
    bool pe32plus = false;               // 64-bit optional header
    std::string export_name;             // the DLL name inside its export table
    std::vector<std::string> exports;    // exported names (ordinal-only exports are left out)
    std::vector<std::string> forwarders; // exports forwarded to another DLL, "name=DLL.name"
    std::vector<Import> imports;
};

// Never reads outside the file, whatever its tables claim.
Image read(const std::string& path);

}  // namespace xphost::pe

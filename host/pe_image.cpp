// host/pe_image.cpp: reading a PE file's export and import tables. Every offset
// and count in the file is checked against the file's size before use.
#include "pe_image.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace xphost::pe {
namespace {

constexpr size_t kMaxName = 1024;        // longer names are taken as damage
constexpr uint32_t kMaxEntries = 65536;  // per table

struct File {
    std::vector<unsigned char> bytes;

    bool has(uint64_t off, uint64_t len) const { return off <= bytes.size() && len <= bytes.size() - off; }
    uint16_t u16(uint64_t off) const { return has(off, 2) ? uint16_t(bytes[off] | bytes[off + 1] << 8) : 0; }
    uint32_t u32(uint64_t off) const
    {
        return has(off, 4) ? uint32_t(bytes[off]) | uint32_t(bytes[off + 1]) << 8 | uint32_t(bytes[off + 2]) << 16
                                 | uint32_t(bytes[off + 3]) << 24
                           : 0;
    }
    uint64_t u64(uint64_t off) const { return has(off, 8) ? u32(off) | uint64_t(u32(off + 4)) << 32 : 0; }
};

struct Section {
    uint32_t va, vsize, raw, rawsize;
};

struct Layout {
    const File& f;
    std::vector<Section> sections;

    // File offset of an address, or -1 when no section holds it in the file.
    int64_t offset(uint32_t rva) const
    {
        for (const Section& s : sections) {
            const uint32_t span = s.vsize ? s.vsize : s.rawsize;
            if (rva >= s.va && rva - s.va < span) {
                const uint32_t within = rva - s.va;
                if (within >= s.rawsize || !f.has(uint64_t(s.raw) + within, 1))
                    return -1;
                return int64_t(s.raw) + within;
            }
        }
        return -1;
    }

    bool string_at(uint32_t rva, std::string* out) const
    {
        const int64_t off = offset(rva);
        if (off < 0)
            return false;
        out->clear();
        for (uint64_t i = uint64_t(off); i < f.bytes.size() && out->size() < kMaxName; ++i) {
            if (f.bytes[i] == 0)
                return true;
            out->push_back(static_cast<char>(f.bytes[i]));
        }
        return false;
    }
};

bool ReadExports(const Layout& l, uint32_t rva, uint32_t size, Image* img)
{
    const int64_t dir = l.offset(rva);
    if (dir < 0 || !l.f.has(uint64_t(dir), 40))
        return false;
    const File& f = l.f;
    l.string_at(f.u32(dir + 12), &img->export_name);
    const uint32_t functions = f.u32(dir + 20), names = f.u32(dir + 24);
    const uint32_t addrs = f.u32(dir + 28), nameRvas = f.u32(dir + 32), ordinals = f.u32(dir + 36);
    if (functions > kMaxEntries || names > kMaxEntries)
        return false;
    for (uint32_t i = 0; i < names; ++i) {
        const int64_t n = l.offset(nameRvas + 4 * i), o = l.offset(ordinals + 2 * i);
        std::string name;
        if (n < 0 || o < 0 || !l.string_at(f.u32(n), &name))
            return false;
        img->exports.push_back(name);
        // An address inside the export directory is a forwarder's text.
        const uint16_t index = f.u16(o);
        const int64_t a = l.offset(addrs + 4 * uint32_t(index));
        if (index >= functions || a < 0)
            return false;
        const uint32_t target = f.u32(a);
        std::string forward;
        if (target >= rva && target - rva < size && l.string_at(target, &forward))
            img->forwarders.push_back(name + "=" + forward);
    }
    return true;
}

// One thunk list (import name table), 8-byte entries in PE32+, 4-byte in PE32.
bool ReadThunks(const Layout& l, uint32_t rva, const std::string& library, bool delayed, Image* img)
{
    const File& f = l.f;
    const uint32_t width = img->pe32plus ? 8 : 4;
    for (uint32_t i = 0; i < kMaxEntries; ++i) {
        const int64_t t = l.offset(rva + width * i);
        if (t < 0)
            return false;
        const uint64_t thunk = img->pe32plus ? f.u64(t) : f.u32(t);
        if (thunk == 0)
            return true;
        const uint64_t ordinalFlag = img->pe32plus ? (uint64_t(1) << 63) : (uint64_t(1) << 31);
        Import imp{library, "", delayed};
        if (thunk & ordinalFlag)
            imp.name = "#" + std::to_string(thunk & 0xffff);
        else if (!l.string_at(static_cast<uint32_t>(thunk) + 2, &imp.name))   // past the hint
            return false;
        img->imports.push_back(imp);
    }
    return false;
}

bool ReadImports(const Layout& l, uint32_t rva, Image* img)
{
    const File& f = l.f;
    for (uint32_t i = 0; i < kMaxEntries; ++i) {
        const int64_t d = l.offset(rva + 20 * i);
        if (d < 0 || !f.has(uint64_t(d), 20))
            return false;
        const uint32_t lookup = f.u32(d), name = f.u32(d + 12), iat = f.u32(d + 16);
        if (lookup == 0 && name == 0 && iat == 0)
            return true;
        std::string library;
        if (!l.string_at(name, &library) || !ReadThunks(l, lookup ? lookup : iat, library, false, img))
            return false;
    }
    return false;
}

bool ReadDelayImports(const Layout& l, uint32_t rva, Image* img)
{
    const File& f = l.f;
    for (uint32_t i = 0; i < kMaxEntries; ++i) {
        const int64_t d = l.offset(rva + 32 * i);
        if (d < 0 || !f.has(uint64_t(d), 32))
            return false;
        const uint32_t name = f.u32(d + 4), nameTable = f.u32(d + 16);
        if (name == 0)
            return true;
        std::string library;
        if (!l.string_at(name, &library) || !ReadThunks(l, nameTable, library, true, img))
            return false;
    }
    return false;
}

}  // namespace

Image read(const std::string& path)
{
    Image img;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        img.error = "cannot open " + path;
        return img;
    }
    File f{std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())};
    auto fail = [&](const std::string& why) {
        img.error = path + ": " + why;
        return img;
    };
    if (!f.has(0, 64) || f.bytes[0] != 'M' || f.bytes[1] != 'Z')
        return fail("not a DOS/PE executable");
    const uint32_t pe = f.u32(0x3c);
    if (!f.has(pe, 24) || f.u32(pe) != 0x00004550)
        return fail("no PE signature");
    const uint64_t coff = uint64_t(pe) + 4;
    img.machine = f.u16(coff);
    const uint16_t sectionCount = f.u16(coff + 2);
    const uint16_t optionalSize = f.u16(coff + 16);
    img.dll = (f.u16(coff + 18) & 0x2000) != 0;
    const uint64_t opt = coff + 20;
    if (!f.has(opt, optionalSize) || optionalSize < 2)
        return fail("optional header outside the file");
    const uint16_t magic = f.u16(opt);
    if (magic != 0x20b && magic != 0x10b)
        return fail("unknown optional header");
    img.pe32plus = magic == 0x20b;
    const uint64_t countAt = opt + (img.pe32plus ? 108 : 92);
    const uint64_t dirs = countAt + 4;
    if (countAt + 4 > opt + optionalSize)
        return fail("optional header too short");
    const uint32_t dirCount = f.u32(countAt);
    auto directory = [&](uint32_t k, uint32_t* rva, uint32_t* size) {
        *rva = *size = 0;
        if (k < dirCount && dirs + 8 * (k + 1) <= opt + optionalSize) {
            *rva = f.u32(dirs + 8 * k);
            *size = f.u32(dirs + 8 * k + 4);
        }
    };

    Layout l{f, {}};
    const uint64_t table = opt + optionalSize;
    if (!f.has(table, uint64_t(sectionCount) * 40))
        return fail("section table outside the file");
    for (uint16_t k = 0; k < sectionCount; ++k) {
        const uint64_t s = table + 40 * uint64_t(k);
        l.sections.push_back(Section{f.u32(s + 12), f.u32(s + 8), f.u32(s + 20), f.u32(s + 16)});
    }

    uint32_t rva = 0, size = 0;
    directory(0, &rva, &size);
    if (rva && !ReadExports(l, rva, size, &img))
        return fail("damaged export table");
    directory(1, &rva, &size);
    if (rva && !ReadImports(l, rva, &img))
        return fail("damaged import table");
    directory(13, &rva, &size);
    if (rva && !ReadDelayImports(l, rva, &img))
        return fail("damaged delay-load import table");
    img.ok = true;
    return img;
}

}  // namespace xphost::pe

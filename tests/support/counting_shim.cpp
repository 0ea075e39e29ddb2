// tests/support/counting_shim.cpp: reports to the stand-in host's counters
// every heap allocation and file access made while the plug-in's own code
// runs (the host's work for it does not count). Linked only into the programs
// that measure the plug-in; it takes over the C library's allocation and file
// functions for the whole process, so the plug-in's file loaded with dlopen is
// seen as well as its objects linked in.
#undef _FORTIFY_SOURCE   // open() must stay a plain function to be replaced
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdarg>
#include <cstddef>
#include <cstdio>

#include "xphost.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QZT_SHIM_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QZT_SHIM_ASAN 1
#endif

namespace {

void Allocated()
{
    if (xphost::plugin_code_running())
        xphost::count_allocation();
}

void Accessed()
{
    if (xphost::plugin_code_running())
        xphost::count_file_access();
}

template <typename F>
F Real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

#ifdef QZT_SHIM_ASAN
// AddressSanitizer owns the allocator: it tells us of every allocation (it
// takes the hooks only in pairs).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                                         void (*free_hook)(const volatile void*));
namespace {
const int kHooked = __sanitizer_install_malloc_and_free_hooks([](const volatile void*, size_t) { Allocated(); },
                                                              [](const volatile void*) {});
}  // namespace
#else
// glibc's own allocator under its internal names, so nothing else changes.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);

void* malloc(size_t size) noexcept
{
    Allocated();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) noexcept
{
    Allocated();
    return __libc_calloc(count, size);
}

void* realloc(void* p, size_t size) noexcept
{
    Allocated();
    return __libc_realloc(p, size);
}

void* memalign(size_t alignment, size_t size) noexcept
{
    Allocated();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) noexcept
{
    Allocated();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) noexcept
{
    Allocated();
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return 22;   // EINVAL
    void* p = __libc_memalign(alignment, size);
    if (!p)
        return 12;   // ENOMEM
    *out = p;
    return 0;
}
}  // extern "C"
#endif

namespace {
#ifdef QZT_SHIM_ASAN
const bool kCounting = kHooked != 0;
#else
const bool kCounting = true;
#endif
const bool kPresent = [] {
    xphost::set_counting_shim(kCounting);
    return true;
}();
}  // namespace

// Files: opened, created, renamed, removed or looked at.
extern "C" {

FILE* fopen(const char* path, const char* mode)
{
    Accessed();
    static const auto real = Real<FILE* (*)(const char*, const char*)>("fopen");
    return real(path, mode);
}

FILE* fopen64(const char* path, const char* mode)
{
    Accessed();
    static const auto real = Real<FILE* (*)(const char*, const char*)>("fopen64");
    return real(path, mode);
}

FILE* freopen(const char* path, const char* mode, FILE* stream)
{
    Accessed();
    static const auto real = Real<FILE* (*)(const char*, const char*, FILE*)>("freopen");
    return real(path, mode, stream);
}

int open(const char* path, int flags, ...)
{
    Accessed();
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(ap, int)) : 0;
    va_end(ap);
    static const auto real = Real<int (*)(const char*, int, ...)>("open");
    return real(path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    Accessed();
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(ap, int)) : 0;
    va_end(ap);
    static const auto real = Real<int (*)(const char*, int, ...)>("open64");
    return real(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...)
{
    Accessed();
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(ap, int)) : 0;
    va_end(ap);
    static const auto real = Real<int (*)(int, const char*, int, ...)>("openat");
    return real(dir, path, flags, mode);
}

int rename(const char* from, const char* to) noexcept
{
    Accessed();
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    return real(from, to);
}

int remove(const char* path) noexcept
{
    Accessed();
    static const auto real = Real<int (*)(const char*)>("remove");
    return real(path);
}

int unlink(const char* path) noexcept
{
    Accessed();
    static const auto real = Real<int (*)(const char*)>("unlink");
    return real(path);
}

int mkdir(const char* path, mode_t mode) noexcept
{
    Accessed();
    static const auto real = Real<int (*)(const char*, mode_t)>("mkdir");
    return real(path, mode);
}

int access(const char* path, int how) noexcept
{
    Accessed();
    static const auto real = Real<int (*)(const char*, int)>("access");
    return real(path, how);
}

int stat(const char* path, struct stat* out) noexcept
{
    Accessed();
    static const auto real = Real<int (*)(const char*, struct stat*)>("stat");
    return real(path, out);
}

}  // extern "C"

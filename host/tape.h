// host/tape.h: how a call the plug-in makes is taped and made again (see
// xphost::Tape). Plain values are kept as they are. What a pointer argument
// points to is kept when the host reads it (in, text) and given room of its
// own when the host writes it (out), so a replay never touches the plug-in's
// memory, which may be gone by then (a local of a callback that has returned).
// The first line of each function of the plug-in interface says which is which.
#pragma once

#include <cstddef>
#include <cstring>
#include <tuple>
#include <type_traits>

#include "xphost.h"

namespace xphost::detail {

template <typename T>
struct In {                              // the host reads n elements
    const T* p;
    size_t   n;
};
template <typename T>
struct Out {                             // the host writes up to n elements
    T*     p;
    size_t n;
};

// A count below 0 is none, as the host takes it.
template <typename T>
In<T> in(const T* p, long long n) { return {p, p && n > 0 ? static_cast<size_t>(n) : 0}; }
template <typename T>
Out<T> out(T* p, long long n) { return {p, p && n > 0 ? static_cast<size_t>(n) : 0}; }
inline In<char> text(const char* s) { return {s, s ? std::strlen(s) + 1 : 0}; }
inline In<unsigned char> bytes_in(const void* p, long long n) { return in(static_cast<const unsigned char*>(p), n); }
inline Out<unsigned char> bytes_out(void* p, long long n) { return out(static_cast<unsigned char*>(p), n); }

inline unsigned char* aligned(unsigned char* at, size_t alignment)
{
    const auto address = reinterpret_cast<uintptr_t>(at);
    return at + (alignment - address % alignment) % alignment;
}

// Each argument as it lies on the tape, and as it comes off it again.
template <typename A>
struct Taped {
    static_assert(std::is_trivially_copyable_v<A>, "only plain values can be taped");
    static_assert(!std::is_pointer_v<A> || !std::is_arithmetic_v<std::remove_cv_t<std::remove_pointer_t<A>>>,
                  "a pointer the host reads or writes is taped as in(), text() or out()");
    using type = A;
    static size_t size(const A&) { return sizeof(A); }
    static void put(unsigned char*& at, const A& value)
    {
        std::memcpy(at, &value, sizeof value);
        at += sizeof value;
    }
    static A take(unsigned char*& at)
    {
        A value;
        std::memcpy(&value, at, sizeof value);
        at += sizeof value;
        return value;
    }
};

template <typename T, bool kKeep>
struct TapedArray {
    using type = T*;
    template <typename A>
    static size_t size(const A& a) { return sizeof(bool) + sizeof(size_t) + alignof(T) - 1 + a.n * sizeof(T); }
    template <typename A>
    static void put(unsigned char*& at, const A& a)
    {
        Taped<bool>::put(at, a.p != nullptr);
        Taped<size_t>::put(at, a.n);
        at = aligned(at, alignof(T));
        if (kKeep && a.n)
            std::memcpy(at, a.p, a.n * sizeof(T));
        else if (a.n)
            std::memset(at, 0, a.n * sizeof(T));
        at += a.n * sizeof(T);
    }
    static T* take(unsigned char*& at)
    {
        const bool present = Taped<bool>::take(at);
        const size_t n = Taped<size_t>::take(at);
        at = aligned(at, alignof(T));
        T* p = present ? reinterpret_cast<T*>(at) : nullptr;
        at += n * sizeof(T);
        return p;
    }
};
template <typename T>
struct Taped<In<T>> : TapedArray<T, true> {};
template <typename T>
struct Taped<Out<T>> : TapedArray<T, false> {};

unsigned char* tape(Tape::Thunk thunk, size_t size);   // room for one call's arguments

// A function of the same shape that does nothing: what a replay costs besides
// the host's work, the calls themselves included.
template <typename F>
struct Empty;
template <typename R, typename... P>
struct Empty<R(P...)> {
    [[gnu::noinline]] static R call(P...)
    {
        asm volatile("" : : : "memory");
        if constexpr (!std::is_void_v<R>)
            return R{};
    }
};

template <typename F, typename... Args>
void replay_call(unsigned char* at, bool call)
{
    F* const fn = Taped<F*>::take(at);
    const std::tuple<typename Taped<Args>::type...> args{Taped<Args>::take(at)...};   // braces: in order
    std::apply(call ? fn : &Empty<F>::call, args);
}

template <typename F, typename... Args>
void tape_call(F* fn, const Args&... args)
{
    const size_t size = sizeof fn + (Taped<Args>::size(args) + ... + 0);
    unsigned char* at = tape(&replay_call<F, Args...>, size);
    Taped<F*>::put(at, fn);
    (Taped<Args>::put(at, args), ...);
}

}  // namespace xphost::detail

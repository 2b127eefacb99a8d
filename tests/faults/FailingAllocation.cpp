// Built into the test copy of the engine only: its own allocations (bound to these definitions
// inside the library) pass through a count, and the one the test names fails as an exhausted
// heap would. Freeing stays with the program's allocator, which every allocation comes from.
#include <atomic>
#include <cstdint>
#include <dlfcn.h>
#include <new>

namespace {

std::atomic<std::uint64_t> made{0};
std::atomic<std::uint64_t> failing{0}; ///< the allocation that fails; 0: none

using Plain = void* (*)(std::size_t);
using Quiet = void* (*)(std::size_t, const std::nothrow_t&);

// Looked up among the program and the libraries it started with, which this library is not.
template <class F> F Program(const char* name) {
    static_assert(sizeof(F) == sizeof(void*));
    static void* const program = dlopen(nullptr, RTLD_NOW);
    return reinterpret_cast<F>(dlsym(program, name));
}

bool Fails() {
    const std::uint64_t number = ++made;
    return number == failing.load();
}

} // namespace

extern "C" {

/// Makes the \p count-th allocation from now fail; 0 lets every one succeed.
__attribute__((visibility("default"))) void FailEngineAllocation(std::uint64_t count) {
    made = 0;
    failing = count;
}

/// Allocations counted since the last FailEngineAllocation.
__attribute__((visibility("default"))) std::uint64_t EngineAllocations() {
    return made.load();
}
}

void* operator new(std::size_t size) {
    static const auto program = Program<Plain>("_Znwm");
    if (Fails())
        throw std::bad_alloc();
    return program(size);
}

void* operator new[](std::size_t size) {
    static const auto program = Program<Plain>("_Znam");
    if (Fails())
        throw std::bad_alloc();
    return program(size);
}

void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
    static const auto program = Program<Quiet>("_ZnwmRKSt9nothrow_t");
    return Fails() ? nullptr : program(size, tag);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    static const auto program = Program<Quiet>("_ZnamRKSt9nothrow_t");
    return Fails() ? nullptr : program(size, tag);
}

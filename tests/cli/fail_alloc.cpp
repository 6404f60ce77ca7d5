// Loaded into the program with LD_PRELOAD: once the program has renamed a
// file (its commit has begun), every allocation from the N-th on fails,
// N = VDWCOEX_FAIL_ALLOC_AFTER_RENAME. A run must ask for no memory while
// its files change.
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <fcntl.h>
#include <stdio.h>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* old, size_t size);
}

namespace {

bool renamed = false;
long calls = 0;

bool fails()
{
    static const long limit = [] {
        const char* n = std::getenv("VDWCOEX_FAIL_ALLOC_AFTER_RENAME");
        return n ? std::atol(n) : 0;
    }();
    if (!renamed || limit <= 0 || ++calls < limit)
        return false;
    errno = ENOMEM;
    return true;
}

}  // namespace

extern "C" {

int rename(const char* from, const char* to) noexcept
{
    renamed = true;
    return renameat(AT_FDCWD, from, AT_FDCWD, to);
}

void* malloc(size_t size) noexcept { return fails() ? nullptr : __libc_malloc(size); }
void* calloc(size_t count, size_t size) noexcept { return fails() ? nullptr : __libc_calloc(count, size); }
void* realloc(void* old, size_t size) noexcept { return fails() ? nullptr : __libc_realloc(old, size); }

}

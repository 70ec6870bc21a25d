// Freed memory is overwritten in these tests, so that a read after free
// shows as a crash or a wrong value instead of passing unseen: the
// sanitizers do not run under Wine. Every form of delete ends here.
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

void operator delete(void* p) noexcept {
  if (!p) return;
  std::memset(p, 0xDD, _msize(p));
  // Not a dead store to the compiler: the bytes must really change.
  asm volatile("" : : "r"(p) : "memory");
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }

// Without a C runtime the compiler still expects memset and memcpy for
// zeroing and copying buffers; these are the two it asks for.
#include <cstddef>

// Loops like these would otherwise be turned back into calls to themselves.
#define TANDREL_NO_PATTERNS \
  __attribute__((optimize("no-tree-loop-distribute-patterns")))

extern "C" {

TANDREL_NO_PATTERNS void* memset(void* target, int value, std::size_t size) {
  auto* p = static_cast<unsigned char*>(target);
  while (size-- > 0) *p++ = static_cast<unsigned char>(value);
  return target;
}

TANDREL_NO_PATTERNS void* memcpy(void* target, const void* source,
                                 std::size_t size) {
  auto* to = static_cast<unsigned char*>(target);
  const auto* from = static_cast<const unsigned char*>(source);
  while (size-- > 0) *to++ = *from++;
  return target;
}

}  // extern "C"

#include "platform/MemoryPolicy.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void useSystemPagesForLargeBlocks()
{
#if defined(__GLIBC__)
    constexpr int kLargeBlockBytes = 256 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
    mallopt(M_TRIM_THRESHOLD, 4 * kLargeBlockBytes);
#endif
}

} // namespace platform

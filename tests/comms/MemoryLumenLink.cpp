#include "MemoryLumenLink.h"

namespace varnel::test {

VARNEL_IMPLEMENT_SERIAL(MemoryLumenLink, 1)

}  // namespace varnel::test

#include "MemoryLink.h"

namespace varnel::test {

VARNEL_IMPLEMENT_SERIAL(MemoryLink, 1)

}  // namespace varnel::test

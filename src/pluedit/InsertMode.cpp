// The program's insert/overwrite flag.
#include "pluedit/InsertMode.h"

namespace varnel {

CInsertMode& ApplicationInsertMode()
{
    static CInsertMode mode;
    return mode;
}

}  // namespace varnel

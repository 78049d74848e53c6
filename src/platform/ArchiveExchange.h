// One statement for both directions of an archive: stores the values when the archive stores and
// loads them when it loads, so a Serialize lists its fields once.
#pragma once

#include "platform/Archive.h"

namespace varnel {

template <class... T>
void Exchange(CArchive& ar, T&... values)
{
    if (ar.IsStoring())
        (ar << ... << values);
    else
        (ar >> ... >> values);
}

}  // namespace varnel

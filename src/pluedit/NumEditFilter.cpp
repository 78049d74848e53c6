#include "pluedit/NumEditFilter.h"

#include "db/plu/PluFieldAccess.h"

namespace varnel {

char NumEditSeparator(const CLabProp& definition)
{
    if (IsTimeField(definition)) return ':';
    return definition.m_decimals > 0 ? '.' : '\0';
}

bool NumEditAccepts(char separator, char typed)
{
    constexpr char kBackspace = 8;
    return (typed >= '0' && typed <= '9') || typed == kBackspace || (separator != '\0' && typed == separator);
}

}  // namespace varnel

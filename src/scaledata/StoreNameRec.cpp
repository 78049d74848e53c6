#include "scaledata/StoreNameRec.h"

#include <string>

namespace varnel {

using namespace store_name_columns;

StoreText CStoreNameRec::GetName() const { return {Get(kName), Get(kNameFont), Get(kNameFontType)}; }

StoreText CStoreNameRec::GetAddress() const { return {Get(kAddress), Get(kAddrFont), Get(kAddrFontType)}; }

void CStoreNameRec::SetName(std::string_view text, std::uint8_t font, std::uint8_t style)
{
    Set(kName, std::string(text));  // the text may lie in this row
    Set(kNameFont, font);
    Set(kNameFontType, style);
}

void CStoreNameRec::SetAddress(std::string_view text, std::uint8_t font, std::uint8_t style)
{
    Set(kAddress, std::string(text));
    Set(kAddrFont, font);
    Set(kAddrFontType, style);
}

}  // namespace varnel

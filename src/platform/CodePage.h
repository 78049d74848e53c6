// Code pages of the store's text. Text is kept as bytes in the store's code page and never
// converted in the core; the core only needs to know where a double-byte character begins.
#pragma once

#include <cstdint>

namespace varnel {

enum class CodePage : std::uint16_t {
    Western = 1252,
    Thai = 874,
    SimplifiedChinese = 936,  // GBK
    Korean = 949,
    TraditionalChinese = 950  // Big5
};

// Whether `byte` begins a two-byte character in `codePage`.
constexpr bool IsLeadByte(CodePage codePage, std::uint8_t byte)
{
    switch (codePage) {
    case CodePage::SimplifiedChinese:
    case CodePage::Korean:
    case CodePage::TraditionalChinese: return byte >= 0x81 && byte <= 0xFE;
    case CodePage::Western:
    case CodePage::Thai: return false;
    }
    return false;
}

}  // namespace varnel

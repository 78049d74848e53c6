// Preset Key Setup.
#include "keyboards/PresetKeySetupForm.h"

namespace varnel {

namespace {

constexpr PresetKeySetupForm::Row kRows[] = {
    {"PLU", 1},    {"Tare", 2},  {"Dollar Discount", 3}, {"Percent Discount", 4}, {"Extra Message", 5}, {"Logo", 6},
    {"Coupon", 7}, {"Operator", 8}, {"Price", 9},        {"X", 10},               {"Mkd. Price", 11},    {"Save", 12},
};
constexpr std::size_t kShortRows = 8;  // also the meanings that must not share a code

}  // namespace

PresetKeySetupForm::PresetKeySetupForm(const CKeyTypeDef::Codes& codes, Layout layout) : m_codes(codes), m_layout(layout)
{
}

std::span<const PresetKeySetupForm::Row> PresetKeySetupForm::GetRows() const
{
    return std::span<const Row>(kRows).first(m_layout == Layout::Short ? kShortRows : std::size(kRows));
}

MessageId PresetKeySetupForm::Check() const
{
    for (std::size_t i = 0; i < kShortRows; ++i) {
        const std::uint8_t code = m_codes[kRows[i].meaning];
        if (code == 0) continue;
        for (std::size_t j = i + 1; j < kShortRows; ++j)
            if (m_codes[kRows[j].meaning] == code) return kMsgSameCode;
    }
    return 0;
}

}  // namespace varnel

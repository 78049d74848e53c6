#include "scaledata/ExMsgRec.h"

#include "db/text/DescText.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr auto kLabelWidth = AsShort(FindColumn(exmsg_columns::kColumns, "LabelWidth"));
constexpr auto kName = AsText(FindColumn(exmsg_columns::kColumns, "Name"));
constexpr auto kDesc = AsText(FindColumn(exmsg_columns::kColumns, "Desc"));
constexpr std::size_t kStoredFixedPart = kDesc.offset + 1;

}  // namespace

CExMsgRec::CExMsgRec(std::size_t room) : CScaleDataRow(std::max(room, kStoredFixedPart), kMaxSize)
{
    Set(kLabelWidth, kNewLabelWidth);
}

std::uint16_t CExMsgRec::GetLabelWidth() const { return Get(kLabelWidth); }
void CExMsgRec::SetLabelWidth(std::uint16_t width) { Set(kLabelWidth, width); }
std::string_view CExMsgRec::GetName() const { return Get(kName); }
void CExMsgRec::SetName(std::string_view name) { Set(kName, name.substr(0, std::min(name.size(), kNameMax))); }
std::string_view CExMsgRec::GetText() const { return Get(kDesc); }

void CExMsgRec::SetText(std::string_view text)
{
    text = text.substr(0, std::min({text.size(), kTextMax, text.find('\0')}));
    // Room for either stored size of the new text, and for the size the row is stored with now.
    const std::size_t room = std::max<std::size_t>(RoundUpTo4(kStoredFixedPart + 1 + text.size()), GetLength());
    ShrinkTo(room);
    (void)ReserveData(room);
    std::uint8_t* data = GetData();
    std::copy(text.begin(), text.end(), data + kDesc.offset);
    std::fill(data + kDesc.offset + text.size(), data + GetDataRoom(), std::uint8_t{0});
}

void CExMsgRec::MakeNameFromText(const CharRule& chars) { SetName(NameFromDesc(GetText(), kNameMax, chars)); }

std::uint16_t CExMsgRec::CalcDataSize() const { return RoundUpTo4(kStoredFixedPart + GetText().size()); }
std::uint16_t CExMsgRec::CalcReceivedSize() const { return RoundUpTo4(kStoredFixedPart + 1 + GetText().size()); }

void CExMsgRec::FitData() { ShrinkTo(std::max<std::size_t>(CalcReceivedSize(), GetLength())); }

}  // namespace varnel

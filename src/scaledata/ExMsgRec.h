// CExMsgRec: one numbered message of the message tables (coupons, extra messages, comments, free
// messages, ingredients). Its data area:
//
//   offset  size   column
//   0       2      LabelWidth: the label width the text was laid out for (new rows 60)
//   2       32     Name: the list name, at most 30 characters (the ".mdb" column is declared 40 wide)
//   34      2      DescLen: reserved, written as 0
//   36      28     zeros that no operation reads
//   64      2101   Desc: the escape-coded text, at most 2100 bytes and a 0 byte
//
// The row keeps its text at its length; it is stored with 65 bytes and the text, rounded up to a
// multiple of 4 (records received from scales and files: 66 and the text).
#pragma once

#include "db/site/TextRules.h"
#include "scaledata/MessageRow.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnel {

namespace exmsg_columns {
constexpr ColumnDef kColumns[] = {
    {"Message_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"Name", DaoText, 32, 2, 0},
    {"LabelWidth", DaoShort, 2, 0, 0},
    {"DescLen", DaoShort, 2, 34, 0},
    {"Desc", DaoLongBinary, 2101, 64, 0},
};
constexpr std::uint16_t kDeclaredNameWidth = 40;
}  // namespace exmsg_columns

class CExMsgRec final : public CScaleDataRow {
public:
    static constexpr std::size_t kMaxSize = 2168;
    static constexpr std::size_t kTextMax = 2100;
    static constexpr std::size_t kNameMax = 30;
    static constexpr std::uint16_t kNewLabelWidth = 60;

    explicit CExMsgRec(std::size_t room);

    std::uint16_t GetLabelWidth() const;
    void SetLabelWidth(std::uint16_t width);
    std::string_view GetName() const;
    // At most 30 bytes.
    void SetName(std::string_view name);
    std::string_view GetText() const;
    // At most 2100 bytes (up to a 0 byte in it); the row grows or shrinks to hold it.
    void SetText(std::string_view text);
    // The name from the first line of the text: its characters, whole, within 30 bytes.
    void MakeNameFromText(const CharRule& chars);

    // The size a row is stored with: 65 and the text, rounded up to a multiple of 4.
    std::uint16_t CalcDataSize() const;
    // The size of a row made from a received record: 66 and the text, rounded up.
    std::uint16_t CalcReceivedSize() const;
    std::uint16_t GetDataSize() const override { return CalcDataSize(); }
    void FitData() override;
};

}  // namespace varnel

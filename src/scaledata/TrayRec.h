// The row of the tray table (table 53, "Tray"): the size, shape, detection and wrapping of one tray
// for the wrapping units of family 9. 128 data bytes, all zero when made (bytes 67 to 127 unused):
//   offset  column            offset  column             offset  column
//   0       Name (32 bytes)   38      WrapPos1           48      Length (16 bits, mm)
//   32      TrayType          39      WrapSidePos1       50      Width
//   33      TrayShape         40      WrapVerticalPos1   52      Height
//   34      AutoDetect        41..43  the same for 2     54      BottomLength
//   35      FilmSel           44..46  the same for 3     56      DetectLength
//   36      LiftSel           47      TraySearch         58      DetectWidth
//   37      WrapSpeed                                    60      TrayWeight
//                                                        62      FilmWeight
//                                                        64      Container
//                                                        66      FeedStopPos (byte)
// The choices from TrayType to WrapVerticalPos3 and FeedStopPos count from 1; TraySearch from 0.
// The database catalogues Name 31 wide; its column holds the row's 32 bytes.
#pragma once

#include "scaledata/MessageRow.h"

#include <cstddef>
#include <cstdint>

namespace varnel {

namespace tray_columns {
inline constexpr ColumnDef kColumns[] = {
    {"Tray_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"Name", DaoText, 32, 0, 0},
    {"TrayType", DaoByte, 1, 32, 0},
    {"TrayShape", DaoByte, 1, 33, 0},
    {"AutoDetect", DaoByte, 1, 34, 0},
    {"FilmSel", DaoByte, 1, 35, 0},
    {"LiftSel", DaoByte, 1, 36, 0},
    {"WrapSpeed", DaoByte, 1, 37, 0},
    {"WrapPos1", DaoByte, 1, 38, 0},
    {"WrapSidePos1", DaoByte, 1, 39, 0},
    {"WrapVerticalPos1", DaoByte, 1, 40, 0},
    {"WrapPos2", DaoByte, 1, 41, 0},
    {"WrapSidePos2", DaoByte, 1, 42, 0},
    {"WrapVerticalPos2", DaoByte, 1, 43, 0},
    {"WrapPos3", DaoByte, 1, 44, 0},
    {"WrapSidePos3", DaoByte, 1, 45, 0},
    {"WrapVerticalPos3", DaoByte, 1, 46, 0},
    {"TraySearch", DaoByte, 1, 47, 0},
    {"Length", DaoShort, 2, 48, 0},
    {"Width", DaoShort, 2, 50, 0},
    {"Height", DaoShort, 2, 52, 0},
    {"BottomLength", DaoShort, 2, 54, 0},
    {"DetectLength", DaoShort, 2, 56, 0},
    {"DetectWidth", DaoShort, 2, 58, 0},
    {"TrayWeight", DaoShort, 2, 60, 0},
    {"FilmWeight", DaoShort, 2, 62, 0},
    {"Container", DaoShort, 2, 64, 0},
    {"FeedStopPos", DaoByte, 1, 66, 0},
};
constexpr std::uint16_t kDeclaredNameWidth = 31;
constexpr TextColumn kName = AsText(FindColumn(kColumns, "Name"));
constexpr ByteColumn kTrayType = AsByte(FindColumn(kColumns, "TrayType"));
constexpr ByteColumn kTrayShape = AsByte(FindColumn(kColumns, "TrayShape"));
constexpr ByteColumn kAutoDetect = AsByte(FindColumn(kColumns, "AutoDetect"));
constexpr ByteColumn kFilmSel = AsByte(FindColumn(kColumns, "FilmSel"));
constexpr ByteColumn kLiftSel = AsByte(FindColumn(kColumns, "LiftSel"));
constexpr ByteColumn kWrapSpeed = AsByte(FindColumn(kColumns, "WrapSpeed"));
constexpr ByteColumn kWrapPos1 = AsByte(FindColumn(kColumns, "WrapPos1"));
constexpr ByteColumn kWrapSidePos1 = AsByte(FindColumn(kColumns, "WrapSidePos1"));
constexpr ByteColumn kWrapVerticalPos1 = AsByte(FindColumn(kColumns, "WrapVerticalPos1"));
constexpr ByteColumn kWrapPos2 = AsByte(FindColumn(kColumns, "WrapPos2"));
constexpr ByteColumn kWrapSidePos2 = AsByte(FindColumn(kColumns, "WrapSidePos2"));
constexpr ByteColumn kWrapVerticalPos2 = AsByte(FindColumn(kColumns, "WrapVerticalPos2"));
constexpr ByteColumn kWrapPos3 = AsByte(FindColumn(kColumns, "WrapPos3"));
constexpr ByteColumn kWrapSidePos3 = AsByte(FindColumn(kColumns, "WrapSidePos3"));
constexpr ByteColumn kWrapVerticalPos3 = AsByte(FindColumn(kColumns, "WrapVerticalPos3"));
constexpr ByteColumn kTraySearch = AsByte(FindColumn(kColumns, "TraySearch"));
constexpr ShortColumn kLength = AsShort(FindColumn(kColumns, "Length"));
constexpr ShortColumn kWidth = AsShort(FindColumn(kColumns, "Width"));
constexpr ShortColumn kHeight = AsShort(FindColumn(kColumns, "Height"));
constexpr ShortColumn kBottomLength = AsShort(FindColumn(kColumns, "BottomLength"));
constexpr ShortColumn kDetectLength = AsShort(FindColumn(kColumns, "DetectLength"));
constexpr ShortColumn kDetectWidth = AsShort(FindColumn(kColumns, "DetectWidth"));
constexpr ShortColumn kTrayWeight = AsShort(FindColumn(kColumns, "TrayWeight"));
constexpr ShortColumn kFilmWeight = AsShort(FindColumn(kColumns, "FilmWeight"));
constexpr ShortColumn kContainer = AsShort(FindColumn(kColumns, "Container"));
constexpr ByteColumn kFeedStopPos = AsByte(FindColumn(kColumns, "FeedStopPos"));
}  // namespace tray_columns

class CTrayRec final : public CFixedScaleDataRow {
public:
    static constexpr std::size_t kSize = 128;
    static constexpr std::size_t kNameMax = 31;

    CTrayRec() : CFixedScaleDataRow(kSize) {}

    // The values a new tray takes in the editor: the first choice of each list, wrap heights of
    // pattern 6, tray search included, 200 x 130 x 30 mm.
    void SetEditorDefaults();
};

}  // namespace varnel

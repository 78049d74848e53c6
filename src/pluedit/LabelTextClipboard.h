// Formatted label text on the clipboard: the editor's own block (clipboard format "CDescField_V2")
// and the plain text beside it, and the seam through which the editor reaches the clipboard.
//
// Block (little-endian; every item starts at a block offset that is a multiple of 4):
//   OFFSET  SIZE  FIELD
//     0      2    number of lines
//     2      ...  the lines, one after another; a line is its runs and then its end mark
//   run:    5     Bold, Reverse, Italic, Underline, Boxed (0 or 1 each)
//           n+1   the run's text (at most 256 bytes) and a 0
//           0-3   filler up to the next multiple of 4
//   mark:   1     0xFF
//           1     filler
//           2     the line font (position in the font list)
// The block carries no run fonts, extra effects or colours: pasted runs take their line's font and
// the default format.
#pragma once

#include "pluedit/LabelTextLine.h"
#include "pluedit/LabelTextSettings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

inline constexpr std::string_view kDescFieldFormat = "CDescField_V2";

// The block of the lines. A run longer than a block run may hold is written as several runs, cut
// between whole characters.
std::string WriteDescFieldBlock(const std::vector<CLabelTextLine>& lines, const CharRule& chars);

// The texts of the runs, each line followed by CR LF.
std::string PlainTextOf(const std::vector<CLabelTextLine>& lines);

// The lines of a block that any program may have put on the clipboard: none unless every count,
// flag, text and mark lies within the block and names what this site has (fonts of its list, texts
// of whole printable characters). Bytes after the last line are allowed.
std::optional<std::vector<CLabelTextLine>> ReadDescFieldBlock(std::string_view block, const LabelTextSettings& settings);

// What the clipboard offers the editor: the first of the two formats it holds.
struct LabelTextClipboardContent {
    enum class Kind { None, DescField, PlainText };
    Kind kind = Kind::None;
    std::string bytes;  // the block, or the plain text in the store's code page
};

class ILabelTextClipboard {
public:
    virtual ~ILabelTextClipboard() = default;
    // Empties the clipboard and puts the block first, then the plain text; false when the clipboard
    // could not be had (it is then left as it was).
    virtual bool Put(std::string_view block, std::string_view plainText) = 0;
    virtual LabelTextClipboardContent Get() const = 0;
};

}  // namespace varnel

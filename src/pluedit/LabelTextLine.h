// One line of label text: its line font (which sets its height, print height and spacing), its runs,
// and where it lies on screen once laid out. Columns are byte offsets into the line's text, always
// on character boundaries. The stored form of a line is ESC 'C' and a font code followed by text
// and 3-byte escapes that switch the format of what follows.
#pragma once

#include "pluedit/LabelTextContext.h"
#include "pluedit/LabelTextRun.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CLabelTextLine {
public:
    // Bytes of text the reader puts in one run before it starts another in the same format.
    static constexpr std::size_t kMaxRunBytes = 256;

    explicit CLabelTextLine(std::size_t lineFont = 0, std::size_t number = 0) : m_lineFont(lineFont), m_number(number) {}

    // Empties the line into the one these arguments make, keeping the buffers it has.
    void Restart(std::size_t lineFont, std::size_t number);
    // Reads one line of stored text from its ESC 'C' in place of what the line held, into the buffers
    // it has; returns the bytes consumed (0, changing nothing, when fewer than 3 bytes are given).
    // Reading stops before an escape that ends the line (the next line's ESC 'C').
    std::size_t Read(std::string_view text, const LabelTextSettings& settings);

    // Writes the line into at most `limit` bytes of `out` (which holds at least limit + 1 bytes) and a
    // 0 after them; returns the bytes written. Sets `truncated` when the limit cut text or an escape
    // off. The Taiwan font swap, upper-case fonts and the cut at the label width change the model too.
    std::size_t Write(std::span<char> out, std::size_t limit, const LabelTextContext& context, bool& truncated);

    // Drops the text the label width leaves out, until what is left fits in the line font it implies;
    // returns the bytes of each run.
    std::vector<std::size_t> DropPastLabelWidth(const LabelTextContext& context);

    std::size_t GetTextLength() const;
    bool IsEmpty() const;
    std::string Text() const;

    struct RunPlace {
        std::size_t run;
        std::size_t offset;
    };
    // The run holding a column: a column on the boundary of two runs belongs to the one before it.
    std::optional<RunPlace> RunAtColumn(std::size_t column) const;
    // The effects of the run at the column; all off when there is none.
    std::array<bool, kLabelEffects> FormatAt(std::size_t column) const;

    // Editing. Inserted text loses control bytes (an escape or a 0 in a run would break the stored
    // form). Returns the column after the inserted bytes.
    std::size_t InsertText(std::size_t column, std::string_view text, std::size_t repeat, bool overwrite,
                           const LabelTextContext& context);
    // Removes the bytes between the columns, widened to whole characters; returns the count removed.
    std::size_t DeleteRange(std::size_t from, std::size_t to, const CharRule& chars);
    void SetEffect(std::size_t from, std::size_t to, LabelEffect effect, bool on);
    void ApplyFormat(std::size_t from, std::size_t to, const LabelTextFormat& format);
    void ReplaceByOneRun(const LabelTextFormat& format);
    // Refused (false) under the Korean font option when the line holds characters of the other kind.
    bool SetLineFont(std::size_t font, const LabelTextSettings& settings);
    // Moves the runs from the column on into `tail`, cutting the run at the column in two.
    void SplitAt(std::size_t column, std::vector<CLabelTextRun>& tail);
    // Puts `incoming` at the column; what then no longer fits the label goes into `overflow`.
    void FitRunsAt(std::size_t column, std::vector<CLabelTextRun> incoming, std::vector<CLabelTextRun>& overflow,
                   const LabelTextContext& context);
    // Puts runs at the start of the line in the line font (text flowing in from the line above).
    void PrependFlowed(std::vector<CLabelTextRun> runs);
    // Puts runs at the end of the line as they are, merging equal neighbours.
    void AppendRuns(std::vector<CLabelTextRun> runs);
    void FitTallestFont(const LabelTextSettings& settings);

    // Layout. The column from which the text no longer fits the label; 0 when all fits.
    std::size_t FindBreak(const LabelTextContext& context) const;
    // The bytes of whole characters from the start that fit the label.
    std::size_t FittingBytes(const LabelTextContext& context) const;
    // Screen x of every byte boundary from the label's left edge, centred for centring fonts; in the
    // Thai version it ends where the printed width reaches the label width. Height includes the gap.
    void Layout(const LabelTextContext& context, int top) const;
    int Height(const LabelTextContext& context) const;
    std::size_t ColumnFromX(int x, const CharRule& chars) const;
    int XFromColumn(std::size_t column) const;

    std::size_t m_lineFont;
    std::size_t m_number;
    std::vector<CLabelTextRun> m_runs;
    // Where the line lies, worked out from the rest by Layout (which its holder may put off).
    mutable std::vector<int> m_xPositions;
    mutable int m_top = 0;
    mutable int m_bottom = 0;

private:
    void ForgetLayout();
    // The bytes of each run, in whole characters, that the label width leaves; the list ends with the
    // run that ends the line.
    std::vector<std::size_t> LabelWidthCut(const LabelTextContext& context);
    // Upper-cases the runs written when the line is written in an upper-case-only font.
    void UpperCaseForItsFont(const std::vector<std::size_t>& printed, const LabelTextSettings& settings);
    std::size_t SplitRunAt(std::size_t column);
    void MergeEqualRuns();
};

}  // namespace varnel

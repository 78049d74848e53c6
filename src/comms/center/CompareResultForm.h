// "Scale vs. Database Compare Result" without its window, in two shapes: dialog 273 for one scale
// (the counts of its compare lists) and dialog 283 for a list of scales (a row each). "View Result
// Log..." shows the scale's compare result file; "Synchronize Scale" asks and makes the scale match
// the database (273 then ends with OK, 283 empties the scale's lists); "Synchronize All Scales" (283)
// does so for every scale and ends with OK. Both are disabled for a user who may not transmit.
#pragma once

#include "db/site/ScaleDef.h"
#include "platform/Messages.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CIdEnqLink;
class CIdEnqLinkList;
class CLinkScale;
class CMasterScale;
class IDocument;

class CompareResultForm {
public:
    static constexpr MessageId kMsgSynchronize = 31465;
    enum class Shape { OneScale, ScaleList };
    // The list's columns and their widths in per cent of 330 dialog units.
    static constexpr std::array<MessageId, 4> kColumns = {17568, 17590, 17591, 17592};
    static constexpr std::array<int, 4> kColumnPercents = {25, 20, 20, 30};
    static constexpr int kListWidthUnits = 330;

    struct Site {
        IDocument* document = nullptr;
        const CMasterScale* department = nullptr;  // whose scales "Synchronize All Scales" takes
        bool severalScalesPerLink = false;
        bool mayTransmit = true;
        std::string scaleDataDirectory;  // where the scales' compare result files are
    };
    struct Row {
        std::string name;
        std::size_t notOnScale = 0;
        std::size_t notInDatabase = 0;
        std::size_t different = 0;
    };

    CompareResultForm(Shape shape, CIdEnqLinkList& links, const ScaleDefs& scales, Site site);

    Shape GetShape() const { return m_shape; }
    // Dialog 273: "link - scale" or the link's name, and the counts of the current scale.
    std::string GetTitle() const;
    Row GetCurrentCounts() const;
    // Dialog 283.
    const std::vector<Row>& GetRows() const { return m_rows; }
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    void Select(std::optional<std::size_t> row);

    bool IsSynchronizeEnabled() const { return m_site.mayTransmit; }
    void ViewResultLog();
    void SynchronizeScale();
    void SynchronizeAllScales();
    // None while the dialog stays up; true once it ended with OK.
    std::optional<bool> GetOutcome() const { return m_outcome; }

private:
    struct Entry {
        CIdEnqLink* link = nullptr;
        CLinkScale* scale = nullptr;
    };
    static Row RowOf(const Entry& entry, bool severalScalesPerLink);
    // The scale the buttons act on: the selected row's in 283, the first entry's in 273.
    const Entry* Current() const;

    const Shape m_shape;
    const Site m_site;
    std::vector<Entry> m_entries;  // the selection's scales that exist, in its order
    std::vector<Row> m_rows;
    std::optional<std::size_t> m_selection;
    std::optional<bool> m_outcome;
};

}  // namespace varnel

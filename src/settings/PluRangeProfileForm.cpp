#include "settings/PluRangeProfileForm.h"

#include "db/text/DbcsString.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr MessageId kInvalidValue = 61231;    // "Invalid value entered."
constexpr MessageId kRangesCombined = 61291;  // "The PLU range overlaps an existing range.\nThe ranges have been combined."
constexpr std::size_t kRowComment = 30;

std::size_t DigitsOf(std::uint32_t number)
{
    std::size_t digits = 1;
    while (number >= 10) {
        number /= 10;
        ++digits;
    }
    return digits;
}

}  // namespace

std::string PluRangeRowText(const CPluRange& range, std::uint32_t maxPluNo, const CharRule& chars)
{
    // Narrow numbers get more blanks, so the comments start in one column for widths 4 to 6.
    static constexpr const char* kRowFormats[] = {"%04.4lu   %04.4lu  %s", "%05.5lu  %05.5lu %s",
                                                  "%06.6lu %06.6lu %s", "%07.7lu %07.7lu %s", "%08.8lu %08.8lu %s"};
    const std::size_t width = std::clamp<std::size_t>(DigitsOf(maxPluNo), 4, 8);
    const std::string comment(DbcsLeft(range.m_comment, kRowComment, chars));
    return FormatText(kRowFormats[width - 4], static_cast<unsigned long>(range.m_from),
                      static_cast<unsigned long>(range.m_to), comment.c_str());
}

bool ValidatePluRange(std::uint32_t from, std::uint32_t to)
{
    if (from <= to) return true;
    ShowMessage(kInvalidValue);
    return false;
}

std::size_t PluNumberEntryDigits(std::uint32_t maxKey) { return std::min<std::size_t>(DigitsOf(maxKey), 8); }

PluRangeProfileForm::PluRangeProfileForm(CPluRangeList ranges, std::uint32_t maxPluNo, const CharRule& chars)
    : m_ranges(std::move(ranges)), m_maxPluNo(maxPluNo), m_chars(chars)
{
    m_ranges.Merge();
}

std::vector<std::string> PluRangeProfileForm::GetRows() const
{
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < m_ranges.GetCount(); ++i) rows.push_back(RowText(m_ranges.GetAt(i)));
    return rows;
}

void PluRangeProfileForm::Select(std::size_t row)
{
    if (row < m_ranges.GetCount()) m_selection = row;
}

void PluRangeProfileForm::Add(std::uint32_t from, std::uint32_t to, std::string comment)
{
    const CPluRangeList::Added added = m_ranges.AddRange(from, to, std::move(comment));
    if (added.combined) ShowMessage(kRangesCombined, MessageButtons::Ok, MessageIcon::Information);
    m_ranges.Merge();
    // The merge may have folded the ranges after the counted position into it.
    m_selection = std::min(added.position, m_ranges.GetCount() - 1);
}

void PluRangeProfileForm::EditSelected(std::uint32_t from, std::uint32_t to, std::string comment)
{
    if (!m_selection) return;
    m_ranges.RemoveAt(*m_selection);
    Add(from, to, std::move(comment));
}

void PluRangeProfileForm::DeleteSelected()
{
    if (!m_selection) return;
    m_ranges.RemoveAt(*m_selection);
    if (m_ranges.GetCount() == 0)
        m_selection.reset();
    else
        m_selection = std::min(*m_selection, m_ranges.GetCount() - 1);
}

}  // namespace varnel

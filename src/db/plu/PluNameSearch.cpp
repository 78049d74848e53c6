// Finding PLUs by a name pattern, department and group.
#include "db/plu/PluDefTb.h"

#include "db/text/DbcsString.h"

#include <cctype>
#include <optional>

namespace varnel {
namespace {

constexpr std::uint16_t kAny = 65535;

std::size_t NextChar(std::string_view text, std::size_t position, const CharRule& chars)
{
    return SkipChars(text, position, 1, chars);
}

// One pattern character against one name character.
bool CharMatches(std::string_view patternChar, std::string_view nameChar)
{
    if (patternChar == "?") return true;
    if (patternChar.size() != nameChar.size()) return false;
    if (nameChar.size() == 1)
        return patternChar[0] == static_cast<char>(std::toupper(static_cast<unsigned char>(nameChar[0])));
    return patternChar == nameChar;
}

}  // namespace

bool MatchNamePattern(const CPluDefRec& row, std::string_view pattern, const CharRule& chars)
{
    const std::string_view name = row.Get(PluCol::Name);
    std::size_t n = 0;
    std::size_t p = 0;
    // Where the last '*' was passed: in the pattern after it, and in the name where its run ends so far.
    std::optional<std::size_t> afterStar;
    std::size_t starRunEnd = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = p = p + 1;
            starRunEnd = n;
            continue;
        }
        if (p < pattern.size()) {
            const std::size_t patternEnd = NextChar(pattern, p, chars);
            const std::size_t nameEnd = NextChar(name, n, chars);
            if (CharMatches(pattern.substr(p, patternEnd - p), name.substr(n, nameEnd - n))) {
                p = patternEnd;
                n = nameEnd;
                continue;
            }
        }
        if (!afterStar) return false;
        // The run of the last '*' takes one more character and the match resumes after it.
        starRunEnd = NextChar(name, starRunEnd, chars);
        n = starRunEnd;
        p = *afterStar;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

void CPluDefTb::FindPlusByName(std::string_view pattern, std::uint16_t department, std::uint16_t group,
                               std::vector<std::size_t>& positions) const
{
    positions.clear();
    std::string wanted(pattern);
    if (wanted.empty() || wanted.back() != '*') wanted += '*';
    const CharRule chars = GetRoles().Text().chars;
    std::size_t position = 0;
    for (const auto& entry : GetIndex()) {
        const auto* row = dynamic_cast<const CPluDefRec*>(entry.record.get());
        if (row && (department == kAny || row->GetDept() == department) &&
            (group == kAny || row->Get(PluCol::Group) == group) && MatchNamePattern(*row, wanted, chars))
            positions.push_back(position);
        ++position;
    }
}

}  // namespace varnel

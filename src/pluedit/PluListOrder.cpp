// Sorting the PLU list. Each PLU's key is made once into a fixed block of bytes whose plain byte
// order is the list's order, and the positions are sorted by key, then by where they stood, which
// gives what a stable sort gives.
#include "pluedit/PluListOrder.h"

#include "db/plu/PluDefRec.h"
#include "db/store/ObjDBTable.h"
#include "db/text/DoubleByteText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <numeric>

namespace varnel {
namespace {

// Room for a POS code's length and bytes (14) and for a name (29).
constexpr std::size_t kKeyBytes = 32;
using SortKey = std::array<std::uint8_t, kKeyBytes>;

SortKey PosCodeKey(const CPluDefRec& row)
{
    const std::string_view code = TrimPosCode(row.Get(PluCol::PosCode));
    SortKey key{};
    key[0] = static_cast<std::uint8_t>(code.size());
    std::copy_n(code.begin(), std::min(code.size(), kKeyBytes - 1), key.begin() + 1);
    return key;
}

// Calls `put` with each byte of the text, a one-byte character's letter changed to the case asked for.
template <class Put>
void FoldLetters(std::string_view text, const CharRule& chars, bool upper, Put put)
{
    const char from = upper ? 'a' : 'A';
    const int shift = upper ? 'A' - 'a' : 'a' - 'A';
    for (std::size_t p = 0; p < text.size();) {
        const std::size_t length = std::max<std::size_t>(GetCharLength(text.substr(p), chars), 1);
        for (std::size_t i = 0; i < length && p + i < text.size(); ++i) {
            const char byte = text[p + i];
            put(length == 1 && byte >= from && byte <= from + 25 ? static_cast<char>(byte + shift) : byte);
        }
        p += length;
    }
}

SortKey NameKey(const CPluDefRec& row, const CharRule& chars)
{
    SortKey key{};
    std::size_t size = 0;
    FoldLetters(row.Get(PluCol::Name), chars, false, [&](char byte) {
        if (size < kKeyBytes) key[size++] = static_cast<std::uint8_t>(byte);
    });
    return key;
}

template <class MakeKey>
void SortByKey(const CObjDBTable& plus, std::vector<std::size_t>& positions, MakeKey makeKey)
{
    std::vector<SortKey> keys(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        std::uint32_t number = 0;
        const auto* row = dynamic_cast<const CPluDefRec*>(plus.GetRecordAt(positions[i], number));
        if (row) keys[i] = makeKey(*row);
        else keys[i].fill(0xFF);
    }
    std::vector<std::size_t> order(positions.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) {
        const int byKey = std::memcmp(keys[a].data(), keys[b].data(), kKeyBytes);
        return byKey < 0 || (byKey == 0 && a < b);
    });
    std::vector<std::size_t> sorted(positions.size());
    for (std::size_t i = 0; i < order.size(); ++i) sorted[i] = positions[order[i]];
    positions = std::move(sorted);
}

}  // namespace

std::string UpperCaseText(std::string_view text, const CharRule& chars)
{
    std::string upper;
    upper.reserve(text.size());
    FoldLetters(text, chars, true, [&upper](char byte) { upper += byte; });
    return upper;
}

std::string_view TrimPosCode(std::string_view posCode)
{
    const std::size_t first = posCode.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : posCode.substr(first);
}

bool PosCodeBefore(std::string_view a, std::string_view b)
{
    // char_traits<char> compares bytes as unsigned, as memcmp does.
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

void SortByPosCode(const CObjDBTable& plus, std::vector<std::size_t>& positions)
{
    SortByKey(plus, positions, PosCodeKey);
}

void SortByName(const CObjDBTable& plus, std::vector<std::size_t>& positions, const CharRule& chars)
{
    SortByKey(plus, positions, [&chars](const CPluDefRec& row) { return NameKey(row, chars); });
}

}  // namespace varnel

// The orders of the PLU list besides record order, and the searches that go with them:
//   POS code order  by the POS code without its leading "0"s; a longer code is the greater, codes of
//                   one length compare byte by byte, so "12" and "0012" come before "100";
//   name order      by the name, letters compared without regard to case, double-byte characters
//                   as they are.
// Both sorts are stable: PLUs of equal keys keep record order.
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class CObjDBTable;

// ASCII letters of one-byte characters in upper case; double-byte characters stay as they are.
std::string UpperCaseText(std::string_view text, const CharRule& chars);

// The POS code without its leading "0"s.
std::string_view TrimPosCode(std::string_view posCode);
// Whether trimmed code `a` comes before trimmed code `b`.
bool PosCodeBefore(std::string_view a, std::string_view b);

// Sorts record positions of the PLU table by their PLUs' POS codes or names. The caller holds the
// table's build lock; positions past the table's end sort last.
void SortByPosCode(const CObjDBTable& plus, std::vector<std::size_t>& positions);
void SortByName(const CObjDBTable& plus, std::vector<std::size_t>& positions, const CharRule& chars);

}  // namespace varnel

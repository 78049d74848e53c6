// What the numeric edit of a field (CNumEdit) lets through as it is typed: the digits, backspace and
// the one separator of its field: none for a field without decimals, ':' for a time field, '.'
// otherwise (the PLU edit window gives Pack Type '/'). A pasted text is not filtered: the host's
// check decides on it when the edit is left.
#pragma once

namespace varnel {

class CLabProp;

// 0 for none.
char NumEditSeparator(const CLabProp& definition);
bool NumEditAccepts(char separator, char typed);

}  // namespace varnel

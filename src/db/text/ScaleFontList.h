// The fonts that description lines may use under a general setup. The main frame keeps one list
// and rebuilds it whenever the general setup changes; the label text editor, the text conversions and
// the record builders read it. Positions count from 0; the readers answer fixed defaults for a
// position past the end.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/text/ScaleFont.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace varnel {

class CDefLineFont;

struct ScaleFontSetChoice {
    int fontSet = 0;
    int series = 0;  // the general setup's series number for set 0, else 0
};

// The font set that the market and default scale family of `setup` call for.
ScaleFontSetChoice ChooseScaleFontSet(const CGeneralSetup& setup);

class CScaleFontList {
public:
    CScaleFontList() = default;
    explicit CScaleFontList(std::vector<CScaleFont> fonts) : m_fonts(std::move(fonts)) {}

    // Empties the list and fills it with the fonts of the set under the setup.
    void Build(const CGeneralSetup& setup, int fontSet, int series);
    void RemoveAll() { m_fonts.clear(); }

    std::size_t GetSize() const { return m_fonts.size(); }
    const CScaleFont& GetAt(std::size_t position) const { return m_fonts.at(position); }

    // The position of the first font with the code; 0 when there is none.
    std::size_t FindIndex(std::uint8_t code) const;
    bool HasCode(std::uint8_t code) const;

    bool IsUpperCaseOnly(std::size_t position) const;  // true past the end
    bool GetLayoutFlag(std::size_t position) const;    // true past the end
    std::uint16_t GetCharSize(std::size_t position, bool height) const;  // 9 past the end
    std::uint16_t GetLinePitch(std::size_t position) const;              // 14 past the end
    // The setup's line limit for default scale families 6 and 8 to 12 and past the end; else the font's.
    std::uint16_t GetLineLimit(std::size_t position, std::uint16_t defaultFamily, std::uint16_t setupLineLimit) const;
    // The font's code; the first font's past the end; '0' for an empty list.
    std::uint8_t GetCode(std::size_t position) const;
    // The code of the default font of a line of a text kind (a table number, see CDefLineFont).
    std::uint8_t GetDefaultLineCode(const CDefLineFont& lineFonts, std::uint16_t textKind, std::uint16_t line) const;

private:
    const CScaleFont* Find(std::size_t position) const;

    std::vector<CScaleFont> m_fonts;
};

}  // namespace varnel

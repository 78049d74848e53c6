// CVmKeySetup: the 16 palette colours (with their names) of the preset keys of family-11 scales and
// their two maps of preset key types. The main frame owns one, saved in the general setup.
//
// Archive form (schema 1): u32 version (101), 16 pairs of u32 RGB colour and name (15 at version
// 100, the sixteenth keeping its default), then both key-type maps in the framework's map form.
// The key types' own form comes with the preset key editor; until then both maps are written empty
// and a file that holds key types is refused.
#pragma once

#include "platform/Serializable.h"

#include <array>
#include <cstdint>
#include <string>

namespace varnel {

class CVmKeySetup : public CObject {
    VARNEL_DECLARE_SERIAL(CVmKeySetup)

public:
    static constexpr std::uint32_t kVersion = 101;
    static constexpr std::size_t kColours = 16;

    CVmKeySetup();
    CVmKeySetup(const CVmKeySetup&) = default;
    CVmKeySetup& operator=(const CVmKeySetup&) = default;

    void Serialize(CArchive& ar) override;

    std::array<std::uint32_t, kColours> m_colours{};
    std::array<std::string, kColours> m_colourNames;
};

}  // namespace varnel

// One run of label text: bytes in one format (font, five effects, two extra effects, three colours).
// The format is what the escapes of the stored form switch; a run holds no escapes itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace varnel {

// The effects in the order of their escape digits '1' to '5'.
enum LabelEffect : std::size_t { Bold, Reverse, Italic, Underline, Boxed, kLabelEffects };
// The extra effects in the order of their escape digits '1' and '2'.
enum LabelExtraEffect : std::size_t { Shadow, Outline, kLabelExtraEffects };
// The colour slots in the order of their escape digits '1' to '3'.
enum LabelColourSlot : std::size_t { TextColour, BackgroundColour, ShadowColour, kLabelColourSlots };

enum class LabelColour : std::uint8_t { Black = 0, Red = 1, White = 2 };
constexpr std::size_t kLabelColours = 3;

struct LabelTextFormat {
    std::size_t font = 0;  // position in the font list
    std::array<bool, kLabelEffects> effects{};
    std::array<bool, kLabelExtraEffects> extraEffects{};
    std::array<LabelColour, kLabelColourSlots> colours{LabelColour::Black, LabelColour::White, LabelColour::Black};

    bool operator==(const LabelTextFormat&) const = default;
};

// The screen colour (0xRRGGBB) a colour value is drawn in; black is not quite black, so that a
// user's black stays apart from the window's own.
std::uint32_t ScreenRgb(LabelColour colour);

class CLabelTextRun {
public:
    CLabelTextRun() = default;
    // An empty run in the font with every flag off and the default colours.
    explicit CLabelTextRun(std::size_t font) { m_format.font = font; }
    explicit CLabelTextRun(const LabelTextFormat& format, std::string text = {})
        : m_text(std::move(text)), m_format(format)
    {
    }

    void CopyFormat(const CLabelTextRun& other) { m_format = other.m_format; }
    bool FormatDiffers(const CLabelTextRun& other) const { return m_format != other.m_format; }
    bool IsBold() const { return m_format.effects[Bold]; }

    std::string m_text;  // single- and double-byte characters, never an escape
    LabelTextFormat m_format;
};

}  // namespace varnel

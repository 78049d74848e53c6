// What the Thai layout needs of the screen: the width of a text drawn in a run's screen font. The
// window measures with its real fonts; without a window (hosts that only rewrite a text, tests)
// every character but a combining mark takes one character width.
#pragma once

#include <string>
#include <string_view>

namespace varnel {

// The screen font a run is drawn in, as the view asks its toolkit for it.
struct LabelScreenFont {
    int height = 0;  // pixels
    int width = 0;   // average character width in pixels
    int weight = 400;
    bool italic = false;
    std::string face;  // empty: the toolkit's fixed-pitch font
    bool fixedPitch = false;

    bool operator==(const LabelScreenFont&) const = default;
};

class ILabelTextMeasure {
public:
    virtual ~ILabelTextMeasure() = default;
    // The width in pixels of `text` drawn in `font`.
    virtual int TextWidth(const LabelScreenFont& font, std::string_view text) const = 0;
};

// One character width per character; Thai combining marks add nothing.
class CellCountMeasure final : public ILabelTextMeasure {
public:
    int TextWidth(const LabelScreenFont& font, std::string_view text) const override;
};

}  // namespace varnel

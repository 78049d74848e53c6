// What a line of label text needs of its editor to be read, written, laid out and edited: the
// settings, the label width, where the label starts on screen and how the screen measures text.
#pragma once

#include "pluedit/LabelTextMeasure.h"
#include "pluedit/LabelTextRun.h"
#include "pluedit/LabelTextSettings.h"

#include <cstdint>
#include <string>

namespace varnel {

struct LabelTextContext {
    const LabelTextSettings* settings = nullptr;
    const ILabelTextMeasure* measure = nullptr;
    std::uint16_t labelWidthMm = 60;
    int labelLeft = 0;       // screen x of the label's left edge
    std::string screenFace;  // the editor's face, used in the Thai, Hong Kong and Taiwan versions

    // The label's width in dots: the 60 mm width scaled to the label, rounded down.
    int WidthDots() const { return settings->labelWidth60mmDots * labelWidthMm / 60; }
    // A label of no width is one whose width is not known: nothing is cut or flowed at it.
    bool HasWidth() const { return WidthDots() > 0; }
    // The width of a character of the run on the label and on screen.
    int CharWidth(const CLabelTextRun& run) const { return settings->CharWidth(run.m_format.font, run.IsBold()); }
    LabelScreenFont ScreenFont(const CLabelTextRun& run) const;
};

}  // namespace varnel

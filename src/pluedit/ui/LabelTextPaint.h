// Draws a label text editor's area: white, the label's edges, each run in its screen font and
// colours (Reverse swaps them, the selection takes the highlight colours), Underline and Boxed, and
// the caret as a one-pixel line.
#pragma once

#include "platform/CodePage.h"

class QPainter;
class QPalette;

namespace varnel {

class LabelTextEditForm;

void PaintLabelText(QPainter& painter, const LabelTextEditForm& form, CodePage codePage, const QPalette& palette,
                    bool caretShown);

}  // namespace varnel

// The screen fonts label text is drawn in: the font the model asks for a run, as a QFont, and the
// measure that the Thai layout takes its positions from.
#pragma once

#include "platform/CodePage.h"
#include "pluedit/LabelTextMeasure.h"

#include <QFont>

namespace varnel {

QFont ToQFont(const LabelScreenFont& font);

class QtLabelTextMeasure final : public ILabelTextMeasure {
public:
    explicit QtLabelTextMeasure(CodePage codePage) : m_codePage(codePage) {}
    int TextWidth(const LabelScreenFont& font, std::string_view text) const override;

private:
    CodePage m_codePage;
};

}  // namespace varnel

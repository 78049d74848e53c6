// The strip of controls that every host of a label text editor shows beside it, each named by its
// control id: the font combo 1049, "&Bold" 1050, "&Rev." 1051, "&Italic" 1052, "&U.line" 1053,
// "&Boxed" 1152, "Format..." 1124, the label width combo 1054 and the INS/OVR static 1056. The strip
// hands them to the editor and shows what the editor's form says after every change.
#pragma once

#include "pluedit/LabelTextRun.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace varnel {

class CLabelTextEdit;

class CLabelTextStrip final : public QWidget {
    Q_OBJECT
public:
    explicit CLabelTextStrip(CLabelTextEdit& editor, QWidget* parent = nullptr);

    // Lists the editor's allowed fonts in the font combo (after the host set the text kind).
    void FillFontCombo();
    // The label widths the width combo offers (the host's configured ones); others may be typed.
    void SetOfferedWidths(const std::vector<std::uint16_t>& widths);
    void Show();

private:
    CLabelTextEdit& m_editor;
    QComboBox* m_fonts;
    std::array<QPushButton*, kLabelEffects> m_effects{};
    QPushButton* m_format;
    QComboBox* m_width;
    QLabel* m_mode;
};

}  // namespace varnel

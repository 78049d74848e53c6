// The model of "Edit Tray" (CEditTrayDlg, template 333 in market 0, else 311): the tray number (edit
// 1156) and name (1004), its choices (combos stored as the entry's index + 1, "Tray Search?" as the
// index itself), its sizes and weights (edits), and the picture of the tray drawn to scale, 700 mm
// across the picture and 200 mm down it, redrawn when a size edit is left.
#pragma once

#include "platform/Messages.h"
#include "scaledata/ScaleDataRoles.h"
#include "scaledata/TrayRec.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// A choice of the tray: its combo, label, column and entries.
struct TrayChoice {
    int id;
    std::string_view label;
    ByteColumn column;
    bool storedAsIndex;  // else as the index + 1
};

// A size or weight: its edit, label, column and highest value.
struct TrayMeasure {
    int id;
    std::string_view label;
    ShortColumn column;
    std::uint32_t highest;
};

// The tray drawn in the picture: lines and "%d mm" labels, in fractions of the picture's width and
// height (y downwards). The front of the tray is its length along the top, its bottom length along
// the foot and its height; its width runs back at 45 degrees, drawn at half its size.
struct TrayPicture {
    struct Line {
        double x1, y1, x2, y2;
    };
    struct Label {
        double x, y;  // the label's centre
        std::string text;
    };
    std::vector<Line> lines;
    std::vector<Label> labels;
};

class EditTrayForm {
public:
    static constexpr std::uint32_t kLowestNumber = 1;
    static constexpr std::uint32_t kHighestNumber = 9999;
    static constexpr double kPictureWidthMm = 700;
    static constexpr double kPictureHeightMm = 200;

    // The tray `number` with the values of `values`; the site (the tray table's) gives the market
    // and the character rule.
    EditTrayForm(std::uint32_t number, const CTrayRec& values, const ScaleDataRoles& roles);

    std::string GetTitle() const { return "Edit Tray"; }
    // 333 in market 0, else 311.
    int GetTemplate() const { return m_template; }

    static std::span<const TrayChoice> Choices();
    static std::span<const TrayMeasure> Measures();
    // The combo's entries (the tray shape's third one by template).
    std::vector<std::string> EntriesOf(const TrayChoice& choice) const;

    const std::string& GetNumberText() const { return m_numberText; }
    void SetNumberText(std::string_view text) { m_numberText = text; }
    std::string_view GetName() const { return m_values.Get(tray_columns::kName); }
    // Cut to 31 bytes.
    void SetName(std::string_view name);
    // The selected entry of a choice; -1 for a stored value no entry stands for.
    int GetChoice(const TrayChoice& choice) const;
    void SetChoice(const TrayChoice& choice, int index);
    const std::string& GetMeasureText(const TrayMeasure& measure) const;
    void SetMeasureText(const TrayMeasure& measure, std::string_view text);

    // A size edit was left: the picture takes the sizes that read as numbers.
    void OnMeasureLeft();
    const TrayPicture& GetPicture() const { return m_picture; }

    // Every number must be within its range ("Please enter an integer between ..." otherwise); false
    // keeps the dialog open with the focus on GetRefusedFocus() (a control id).
    bool OnOK();
    int GetRefusedFocus() const { return m_refusedFocus; }
    std::uint32_t GetNumber() const { return m_number; }
    // The values entered; TrayType, DetectLength and DetectWidth as they came.
    const CTrayRec& GetValues() const { return m_values; }

private:
    static constexpr int kNumberId = 1156;

    int m_template;
    CharRule m_chars;
    std::uint32_t m_number;
    std::string m_numberText;
    CTrayRec m_values;
    std::vector<std::string> m_measureTexts;
    TrayPicture m_picture;
    int m_refusedFocus = 0;
};

}  // namespace varnel

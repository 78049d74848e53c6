// The model of the extended advertising message editor (CEditScrollMsgExDlg, dialog 171 "Edit
// Advertising Message"): the text (1176), "Consecutive Message?" (1175), "Display Mode" (1172),
// "Display Day" (1173), the start and end hour (1080, 1084), "Display Text Inverted?" (1177) and, for
// family 11, "Size" (1213), "Speed" (1214), "Display" (1215) and "No. Times to Flash" (1216). Which
// controls show and take input follows the scales on the links.
#pragma once

#include "platform/Messages.h"
#include "scaledata/ScaleDataRoles.h"
#include "scaledata/ScrollMsgRec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// The values the extended editor edits.
struct ScrollSettings {
    std::uint16_t mode = 0, day = 0, time = 0;
    bool consecutive = false, inverted = false;
    std::uint16_t size = 0, speed = 0, flash = 0, flashes = 0;
};

class EditScrollMsgExForm {
public:
    static constexpr MessageId kMsgBadHour = 61276;
    enum Control { kText, kConsecutive, kMode, kDay, kStartHour, kEndHour, kInverted, kSize, kSpeed, kFlash, kFlashes };
    // The display choice of kFlash that lets the flash count be chosen.
    static constexpr std::uint16_t kFlashing = 0;

    // What the editor reads of the site (the message table's): the default family, the market, the
    // scales on the links and the character rule.
    EditScrollMsgExForm(std::string_view text, const ScrollSettings& settings, const ScaleDataRoles& roles);

    static std::vector<std::string> ModeEntries();
    static std::vector<std::string> DayEntries();
    static std::vector<std::string> SizeEntries();
    static std::vector<std::string> SpeedEntries();
    static std::vector<std::string> FlashEntries();
    static std::vector<std::string> FlashCountEntries();

    bool IsShown(Control control) const;
    bool IsEnabled(Control control) const;
    std::size_t GetTextLimit() const { return m_textLimit; }

    const std::string& GetText() const { return m_text; }
    // Cut to the limit.
    void SetText(std::string_view text);
    const ScrollSettings& GetSettings() const { return m_settings; }
    ScrollSettings& Settings() { return m_settings; }
    // The hour edits: "%02.2d", or "00" for an hour above 24.
    const std::string& GetStartHourText() const { return m_startHour; }
    const std::string& GetEndHourText() const { return m_endHour; }
    void SetStartHourText(std::string_view text) { m_startHour = text; }
    void SetEndHourText(std::string_view text) { m_endHour = text; }

    // Each hour must read as a number below 25 (61276 otherwise, the focus on it); the time becomes
    // start × 100 + end. False keeps the dialog open.
    bool OnOK();
    Control GetRefusedFocus() const { return m_refusedFocus; }

private:
    CharRule m_chars;
    bool m_consecutiveShown;
    bool m_invertedShown;
    bool m_hasFamily11;
    bool m_allFamily11;
    std::size_t m_textLimit;
    std::string m_text;
    ScrollSettings m_settings;
    std::string m_startHour;
    std::string m_endHour;
    Control m_refusedFocus = kText;
};

}  // namespace varnel

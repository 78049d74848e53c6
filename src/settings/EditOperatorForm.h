// "Edit Operator": one scale operator's six fields as the entry dialog shows them.
//
//   "Operator ID"    digits, 1 to 99
//   "Name"           at most the display width of production field 1605 (12 without that definition)
//   "Font"           the scale fonts of the site; only the Thailand market chooses one
//   "Password"       digits, at most 6 with default system type 10 or 12, else 5
//   "Logoff timer"   0 to 60
//   "Access Level"   "Level 0" to "Level 5"
// Password, logoff timer and access level are on only with default system type 10 or 12.
//
// After OK the list checks the name (CheckName): empty is refused (61304); in China a name with
// single-byte characters is turned into full-width GB2312 characters, in Hong Kong and Taiwan into
// Big5 ones (31488 says so), and the dialog shows the converted name again.
#pragma once

#include "db/site/LabProp.h"
#include "db/site/TextRules.h"
#include "platform/Messages.h"
#include "settings/Operator.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CScaleFontList;

// What the operator entry reads of the site.
struct OperatorEntrySite {
    TextRules rules;
    std::vector<std::uint8_t> fontCodes;  // the scale fonts of the site, in list order
    std::vector<std::string> fontNames;
    std::size_t nameLimit = 12;

    static OperatorEntrySite Of(const CGeneralSetup& setup, bool systemDoubleByte, const CScaleFontList& fonts,
                                const CLabPropMap& productionFields);
};

class EditOperatorForm {
public:
    static constexpr MessageId kMsgNoName = 61304;
    static constexpr MessageId kMsgNameConverted = 31488;
    static constexpr int kAccessLevels = 6;

    struct Values {
        std::string id = "0";
        std::string name;
        std::optional<std::size_t> font;  // position in the font list
        std::string password;
        std::string logoffTimer = "10";
        int accessLevel = 0;
    };

    // A new operator: number 0, font position 4, log-off after 10 minutes, level 0.
    explicit EditOperatorForm(const OperatorEntrySite& site);
    EditOperatorForm(const OperatorEntrySite& site, const COperator& op);

    Values& GetValues() { return m_values; }
    const Values& GetValues() const { return m_values; }
    const std::vector<std::string>& GetFontNames() const { return m_site.fontNames; }
    static std::vector<std::string> AccessLevelNames();

    bool IsFontEnabled() const;
    // Password, logoff timer and access level.
    bool AreScaleLogonFieldsEnabled() const;
    std::size_t GetNameLimit() const { return m_site.nameLimit; }
    std::size_t GetPasswordLimit() const;

    // OK: the number and the timer within their ranges (the range message otherwise) and the texts cut
    // to their limits at whole characters. False keeps the dialog open.
    bool Accept();
    // The operator the accepted values make.
    COperator GetOperator() const;
    std::uint16_t GetId() const { return m_id; }

    // The name check after OK; false when the dialog is to be shown again.
    bool CheckName();

private:
    const OperatorEntrySite& m_site;
    Values m_values;
    std::uint16_t m_id = 0;
    std::uint16_t m_logoffTimer = 10;
};

}  // namespace varnel

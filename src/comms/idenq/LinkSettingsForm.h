// The settings dialog of a link, without its window, in its five shapes:
//   Tcp           dialog 182 "Scales Comms Link (TCP/IP)": an ID-ENQ socket link and its one scale
//   BlockTcp      dialog 267, the same title: the block link and its scale of families 6 and 8 to 12
//   Serial        dialog 185 "Scales Comms Link (Serial Port)": an ID-ENQ serial link and its one scale
//   TcpScales     dialog 235: a socket link carrying a list of scales (edited in "Scale Setup")
//   SerialScales  dialog 237: a serial link carrying a list of scales
// The link's own fields (enabled, name, number, trace) and its line (address, port and time-out, or
// the serial port's settings) are common; the one-scale shapes add the scale's fields and filters,
// the list shapes the scale list. A link's EditSettings fills the form from the link and stores it
// back after OK (the link kinds' own files).
//
// In the block link's shape, the model chosen sets the family and its default port; the message-28
// box is enabled for LumenXT and TR-5400XT only, the two-colour box for RUX/PZ4/TARN4 and VM-8100b/QF,
// "Add 1 day to shelf life?" is shown for all but TR-5400 and KB-7100, and the tare format only in the
// USA market.
#pragma once

#include "comms/idenq/FilterListForm.h"
#include "comms/idenq/LinkScaleFields.h"
#include "comms/idenq/LinkSetupContext.h"
#include "platform/Messages.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

class LinkSettingsForm {
public:
    static constexpr MessageId kMsgSelectLogFile = 17529;
    static constexpr MessageId kMsgScaleIdName = 17533;  // "Scale Id = %d"
    static constexpr MessageId kMsgAtLeastOneScale = 61397;
    static constexpr MessageId kMsgDeleteScale = 31532;
    static constexpr MessageId kMsgDepartmentsUseIt = 31533;
    static constexpr MessageId kMsgDuplicateAddress = 31478;
    static constexpr const char* kNoFileSelected = "No file selected";

    enum class Shape { Tcp, BlockTcp, Serial, TcpScales, SerialScales };
    enum class Number { Octet1, Octet2, Octet3, Octet4, Port, Timeout, RecordsPerBlock, StoreNo };

    struct LinkFields {
        bool enabled = false;
        std::string name;
        std::uint16_t linkNo = 0;
        bool logging = false;
        std::string logFile;
    };
    struct TcpFields {
        std::array<std::uint16_t, 4> address{};
        std::uint16_t port = 0;
        std::uint32_t timeout = 5;
        bool eightBit = false;
        bool udp = false;
        std::uint32_t recordsPerBlock = 100;
    };
    struct SerialFields {
        std::string port = "COM1";
        std::string baudRate = "9600";
        std::string dataBits = "7";
        std::string parity = "EVEN";
        std::string stopBits = "1";
        bool rtsCts = false;
    };

    // A one-scale shape: the scale is the one edited (its filters copied).
    LinkSettingsForm(Shape shape, const LinkSetupContext& context, LinkFields link, const CLinkScale& scale);
    // A list shape: copies of the link's scales; `scaleNumbers` the numbers in use on every link.
    LinkSettingsForm(Shape shape, const LinkSetupContext& context, LinkFields link,
                     const std::vector<std::unique_ptr<CLinkScale>>& scales, ScaleNumberMap& scaleNumbers);

    Shape GetShape() const { return m_shape; }
    bool IsTcp() const { return m_shape == Shape::Tcp || m_shape == Shape::BlockTcp || m_shape == Shape::TcpScales; }
    bool HasScaleList() const { return m_shape == Shape::TcpScales || m_shape == Shape::SerialScales; }
    std::string GetTitle() const;

    LinkFields& Link() { return m_link; }
    const LinkFields& Link() const { return m_link; }
    TcpFields& Tcp() { return m_tcp; }
    const TcpFields& Tcp() const { return m_tcp; }
    SerialFields& Serial() { return m_serial; }
    const SerialFields& Serial() const { return m_serial; }
    LinkScaleFields& Scale() { return m_scale; }
    const LinkScaleFields& Scale() const { return m_scale; }
    FilterListForm& Filters() { return *m_filters; }

    // False, after the range message, when the text is not a number of the field's range.
    bool SetNumber(Number field, std::string_view text);
    static std::uint32_t HighestOf(Number field);

    // The trace file: "&Change File..." is enabled while logging is on; it asks for the file.
    bool IsChangeFileEnabled() const { return m_link.logging; }
    bool ChangeLogFile();
    std::string GetLogFileText() const { return m_link.logFile.empty() ? kNoFileSelected : m_link.logFile; }

    // Choice lists. The scale type of the ID-ENQ shapes; the block link's models.
    std::vector<std::string> GetScaleTypeChoices() const;
    std::optional<std::size_t> GetScaleTypeIndex() const;
    void SelectScaleType(std::optional<std::size_t> index);
    const PriceZoneChoices& GetPriceZones() const { return m_priceZones; }
    static std::vector<std::string> PortChoices();
    static std::vector<std::string> BaudRateChoices();
    static std::vector<std::string> DataBitsChoices();
    static std::vector<std::string> ParityChoices();
    static std::vector<std::string> StopBitsChoices();
    // The row of a stored parity ("E", "EVEN" ...): by its first letter, NONE for any other.
    static std::size_t ParityIndex(std::string_view parity);

    // The block link's enabling.
    bool IsMessage28Enabled() const;
    bool IsTwoColourEnabled() const;
    bool ShowsAddOneDay() const;
    bool ShowsTareFormat() const;
    bool ShowsRecordsPerBlock() const { return m_shape == Shape::BlockTcp; }

    // The scale list of the list shapes.
    std::vector<std::string> GetScaleRows() const;
    std::optional<std::size_t> GetScaleSelection() const { return m_scaleSelection; }
    void SelectScale(std::optional<std::size_t> row);
    bool AddScale();
    bool EditScale();
    bool DeleteScale();
    std::vector<std::unique_ptr<CLinkScale>>& Scales() { return m_scales; }
    // The scales deleted from the list that departments use: they leave the departments only when the
    // link stores the form, so a cancelled dialog changes no department.
    const std::vector<std::uint16_t>& GetScalesToRemoveFromDepartments() const { return m_leaveDepartments; }

    // OK: false, after its message, while a list shape holds no scale or the address is another link's.
    bool Accept();

private:
    LinkSettingsForm(Shape shape, const LinkSetupContext& context, LinkFields link);

    Shape m_shape;
    const LinkSetupContext& m_context;
    LinkFields m_link;
    TcpFields m_tcp;
    SerialFields m_serial;
    LinkScaleFields m_scale;
    std::optional<FilterListForm> m_filters;
    PriceZoneChoices m_priceZones;
    std::vector<std::unique_ptr<CLinkScale>> m_scales;
    std::optional<std::size_t> m_scaleSelection;
    ScaleNumberMap* m_scaleNumbers = nullptr;
    std::vector<std::uint16_t> m_leaveDepartments;
};

}  // namespace varnel

#include "db/records/OrlanSendFile.h"

#include "db/text/DescText.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluFieldAccess.h"
#include "db/text/RecordFields.h"
#include "platform/AtomicReplace.h"
#include "platform/ProgramRunner.h"
#include "platform/UserPrompt.h"

#include <array>

namespace varnel {
namespace {

constexpr std::string_view kFileName = "PLUSEND.GEN";
constexpr std::string_view kScriptName = "OrlanSend.bat";
constexpr std::uint16_t kPosCodeField = 1026;
constexpr std::size_t kDefaultPosCodeWidth = 5;
constexpr std::size_t kPosCodeRoom = 10;
constexpr std::size_t kRecordStartSize = 26;
constexpr std::size_t kNabTextMax = 84;
constexpr std::size_t kNutritionTextMax = 1000;
constexpr std::size_t kDeleteRecordZerosTo = 63;
constexpr std::uint32_t kDepartmentModulo = 1000;
constexpr std::uint16_t kEventGeneral = 3;

// The first 26 bytes of every record: kind, department twice, PLU number and label format.
void WriteRecordStart(RecordFields& f, std::string_view kind, std::uint32_t department, std::uint32_t pluNumber,
                      std::uint16_t labelFormat)
{
    f.Text(kind);
    f.Decimal("Dept", department % kDepartmentModulo, 3);
    f.Decimal("Dept", department % kDepartmentModulo, 3);
    f.Text("000");
    f.Decimal("PLU number", pluNumber, 6);
    if (labelFormat == 0)
        f.Text("0001");
    else
        f.Decimal("LabelFormatNo2", labelFormat, 4);
    f.Text("0000");
}

void WriteRowStart(RecordFields& f, std::string_view kind, const CPluDefRec& row)
{
    WriteRecordStart(f, kind, row.GetDept(), row.GetKey(), row.Get(PluCol::LabelFormatNo2));
}

// The display width of the POS code's field definition, at most the 10 characters the record has.
std::size_t PosCodeWidth(const FieldDefSet& fields)
{
    const CLabProp* definition = FindFieldDef(kPosCodeField, fields.Map(FieldDefMap::Plu));
    const std::size_t width = definition && definition->m_width > 0 ? definition->m_width : kDefaultPosCodeWidth;
    return std::min(width, kPosCodeRoom);
}

char DateKind(std::uint8_t dateFlag)
{
    switch (dateFlag) {
    case 2: return '1';
    case 3: return '4';
    case 4: return '5';
    default: return '0';
    }
}

void WriteHeader(const FieldDefSet& fields, const CPluDefRec& row, RecordFields& f)
{
    WriteRowStart(f, "NAA", row);
    f.Decimal("UnitPrice", row.Get(PluCol::UnitPrice), 6);
    if (row.Get(PluCol::MarkFlag) == 1) {
        f.Decimal("MarkPrice", row.Get(PluCol::MarkPrice), 6);
        f.Text("13");
    } else {
        f.Text("00000013");
    }
    f.Decimal("PackQuant", row.Get(PluCol::PackQuant), 5);
    f.Decimal("Unit", row.Get(PluCol::Unit), 2);
    f.Decimal("Tare", row.Get(PluCol::Tare), 3);
    f.Decimal("SalesMode", row.Get(PluCol::SalesMode), 4);
    f.Text("0000000");
    f.Decimal("ShelfLife", row.Get(PluCol::ShelfLife), 3);
    f.Text("04");
    f.Decimal("Posflag", row.Get(PluCol::Posflag), 2);
    const std::size_t width = PosCodeWidth(fields);
    f.RightAligned("PosCode", row.Get(PluCol::PosCode), width);
    for (std::size_t i = width; i < kPosCodeRoom; ++i) f.Text("0");
    const char dateKind = DateKind(row.Get(PluCol::DateFlag));
    f.Text(std::string_view(&dateKind, 1));
    f.Text("0000000000\r\n");
}

void LogRefused(IEventLog& eventLog, std::uint32_t pluNumber, std::string_view field)
{
    LogRefusedRecord(eventLog, kFileName, pluNumber, field);
}

std::string_view AsText(std::span<const std::uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The NAB records of one PLU, their line numbers running on over the text groups.
class TextLines {
public:
    TextLines(const CPluDefRec& row, std::string& out, const CharRule& chars)
        : m_row(row), m_out(out), m_chars(chars)
    {
    }

    // Each line of an escape-coded text (one without an opening line code is taken as one line's
    // text): at most 84 bytes of its printable text, codes dropped.
    void AddGroup(std::string_view text, std::string_view kind)
    {
        text = text.substr(0, text.find('\0'));
        if (text.empty()) return;
        std::string opened;
        if (text.size() < 2 || text[0] != '\x1B' || text[1] != 'C') {
            opened = std::string("\x1B" "C1").append(text);
            text = opened;
        }
        std::size_t position = 0;
        do {
            DescLine line;
            const std::size_t next = GetDescLine(text, position, kNabTextMax, line, m_chars);
            if (line.font == 0) break;
            AddLine(line.text, kind);
            position = next;
        } while (position != 0 && m_refusedField.empty());
    }

    std::string_view RefusedField() const { return m_refusedField; }

private:
    void AddLine(std::string_view text, std::string_view kind)
    {
        std::array<std::uint8_t, kRecordStartSize + 6 + kNabTextMax + 2> room{};
        RecordFields f(room);
        WriteRowStart(f, "NAB", m_row);
        f.Decimal("NAB line number", ++m_lineNumber, 2);
        f.Text(kind);
        f.Text(text);
        f.Text("\r\n");
        if (!f.Ok()) {
            m_refusedField = f.Refused() ? f.RefusedField() : "NAB line";
            return;
        }
        m_out.append(AsText(f.Written()));
    }

    const CPluDefRec& m_row;
    std::string& m_out;
    CharRule m_chars;
    int m_lineNumber = 0;
    std::string_view m_refusedField;
};

// Writes the records into the file that takes the place of "PLUSEND.GEN" and starts the script.
MessageId PublishSendFile(const OrlanSendSite& site, const std::string& records, bool showMessages, IFileSystem& fs)
{
    const std::string& directory = site.directory;
    const Result<void> written = ReplaceFile(fs, directory + "/" + std::string(kFileName), [&](IFile& file) {
        return file.Write(std::as_bytes(std::span(records.data(), records.size())));
    });
    if (!written) {
        if (showMessages) ShowMessage(kMsgFileOpenError);
        return kMsgFileOpenError;
    }
    if (const Result<void> started = StartProgram(directory, std::string(kScriptName)); !started) {
        site.eventLog.WriteEvent(
            kEventGeneral, std::string(GetMessageText(kMsgOrlanScriptNotStarted)) + " " + started.GetError().message);
        if (showMessages) ShowMessage(kMsgOrlanScriptNotStarted);
        return kMsgOrlanScriptNotStarted;
    }
    return 0;
}

}  // namespace

std::size_t WriteOrlanHeaderRecord(IEventLog& eventLog, const FieldDefSet& definitions, const CPluDefRec& row,
                                   std::span<std::uint8_t, kOrlanHeaderRecordSize> out)
{
    RecordFields fields(out);
    WriteHeader(definitions, row, fields);
    if (!fields.Ok()) {
        LogRefused(eventLog, row.GetKey(), fields.RefusedField());
        return 0;
    }
    return fields.Position();
}

bool WriteOrlanPluRecords(const OrlanSendSite& site, const CPluDefTb& plus, const CPluDefRec& row, std::string& out)
{
    std::array<std::uint8_t, kOrlanHeaderRecordSize> header{};
    if (WriteOrlanHeaderRecord(site.eventLog, plus.GetRoles().Fields(), row, header) == 0) return false;
    std::string records(AsText(header));
    TextLines lines(row, records, site.chars);
    const std::uint32_t pluNumber = row.GetKey();
    const IPluCompanionData& companions = plus.GetCompanionData();
    lines.AddGroup(row.GetDesc(), "0000");
    if (const auto ingredients = companions.GetIngredientsText(pluNumber)) lines.AddGroup(*ingredients, "2000");
    for (const LongColumn message : {PluCol::Message7, PluCol::ExMessage2, PluCol::ExMessage3}) {
        const auto number = static_cast<std::uint32_t>(row.Get(message));
        if (number == 0) continue;
        if (const auto text = companions.GetExMessageText(number)) lines.AddGroup(*text, "2000");
    }
    if (row.Get(PluCol::Nutrition) != 0 && companions.HasNutritionRecord(pluNumber)) {
        const std::string panel = companions.GetNutritionPanelText(0, pluNumber);
        lines.AddGroup(std::string_view(panel).substr(0, kNutritionTextMax), "1000");
    }
    if (!lines.RefusedField().empty()) {
        LogRefused(site.eventLog, pluNumber, lines.RefusedField());
        return false;
    }
    out += records;
    return true;
}

bool WriteOrlanDeleteRecord(IEventLog& eventLog, std::uint32_t pluNumber, std::uint32_t department, std::string& out)
{
    std::array<std::uint8_t, kDeleteRecordZerosTo + 2> room{};
    RecordFields fields(room);
    WriteRecordStart(fields, "DAA", department, pluNumber, 0);
    while (fields.Ok() && fields.Position() < kDeleteRecordZerosTo) fields.Text("0");
    fields.Text("\r\n");
    if (!fields.Ok()) {
        LogRefused(eventLog, pluNumber, fields.RefusedField());
        return false;
    }
    out += AsText(fields.Written());
    return true;
}

MessageId OrlanSendRange(const OrlanSendSite& site, CPluDefTb& plus, std::uint32_t first, std::uint32_t last,
                         bool showMessages, IFileSystem& fs)
{
    std::string records;
    KeyCursor cursor = first;
    while (const CDBRecord* record = plus.PeekNextRecord(cursor)) {
        if (record->GetKey() > last) break;
        if (const auto* row = dynamic_cast<const CPluDefRec*>(record)) WriteOrlanPluRecords(site, plus, *row, records);
    }
    return PublishSendFile(site, records, showMessages, fs);
}

MessageId OrlanSendChanges(const OrlanSendSite& site, CPluDefTb& plus, bool showMessages, IFileSystem& fs)
{
    if (plus.GetRememberedPlus().empty()) return 0;
    std::string records;
    for (const auto& [pluNumber, department] : plus.GetRememberedPlus()) {
        if (const auto* row = dynamic_cast<const CPluDefRec*>(plus.FindRecord(pluNumber)))
            WriteOrlanPluRecords(site, plus, *row, records);
        else
            WriteOrlanDeleteRecord(site.eventLog, pluNumber, department, records);
    }
    const MessageId result = PublishSendFile(site, records, showMessages, fs);
    // The changes are forgotten only once the file holds them.
    if (result != kMsgFileOpenError) plus.ForgetRememberedPlus();
    return result;
}

}  // namespace varnel

// What the automation interface runs of the import, export, scheduler, sale and production
// subsystems: each operation answers 0 or the message number of its failure, as those subsystems'
// own classes do. The program serves the interface with UnbuiltAutomationServices until they exist;
// each subsystem then fills its operations here.
#pragma once

#include "platform/Messages.h"

#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

class CVrn3Doc;

// A text import definition made for one run: the file is never asked for.
struct TextImportRun {
    std::string file;
    std::uint16_t format = 0;
    std::uint16_t operation = 0;
    std::uint16_t fileType = 2;
    std::uint16_t descFormat = 0;
    bool send = false;
    bool includesPriceZone = false;
    bool usePosCode = false;
    bool autoAssignByDepartment = false;
};

// A text export definition made for one run: the file is never asked for.
struct TextExportRun {
    std::string file;
    std::uint16_t format = 0;
    std::uint16_t fileType = 2;
    bool headers = false;
    std::uint16_t descFormat = 0;
    bool priceZoneSelection = false;
    std::uint16_t priceZone = 0;
    bool perScale = false;
    bool furtherFlag = false;
    bool scaleNames = false;
};

class IAutomationServices {
public:
    virtual ~IAutomationServices() = default;

    // Schedule items: the enabled item of the name, now; every item that is due. False when one failed.
    virtual bool RunScheduleItem(CVrn3Doc& document, const std::string& name) = 0;
    virtual bool RunDueScheduleItems(CVrn3Doc& document) = 0;

    // The user's import and export definitions by name (case-sensitive), run as copies on `file`.
    virtual bool HasImportDefinition(const std::string& name) const = 0;
    virtual MessageId RunImportDefinition(CVrn3Doc& document, const std::string& name, const std::string& file,
                                          bool showErrors) = 0;
    virtual bool HasExportDefinition(const std::string& name) const = 0;
    virtual MessageId RunExportDefinition(CVrn3Doc& document, const std::string& name, const std::string& file,
                                          bool showErrors) = 0;
    virtual MessageId RunImport(CVrn3Doc& document, const TextImportRun& run, bool showErrors) = 0;
    virtual MessageId RunExport(CVrn3Doc& document, const TextExportRun& run, bool showErrors) = 0;
    // The host-file imports of formats 50 (numbered records) and 51.
    virtual MessageId ImportHostFile(int format, const std::string& file) = 0;
    // Parses the titled data for table type 2, 4, 8 or 9 and adds the records; `failedPlus` gets the
    // PLU numbers that could not be added.
    virtual MessageId AddRecords(CVrn3Doc& document, int tableType, const std::string& titles,
                                 const std::string& data, bool showErrors, std::vector<std::uint32_t>& failedPlus) = 0;

    // Production totals read from every scale.
    virtual MessageId LoadProduction(CVrn3Doc& document) = 0;
    // A batch file loaded and, with `send`, sent.
    virtual MessageId LoadBatch(CVrn3Doc& document, const std::string& file, bool send) = 0;

    // The sale list: a sale's new prices applied and sent, its old prices restored, sales imported.
    virtual MessageId StartSale(CVrn3Doc& document, const std::string& sale) = 0;
    virtual MessageId EndSale(CVrn3Doc& document, const std::string& sale) = 0;
    virtual MessageId ImportSales(CVrn3Doc& document, const std::string& file, const std::string& secondFile,
                                  bool showErrors) = 0;

    // The PLUs from..to sent to the other maker's scales.
    virtual MessageId SendToOtherMakersScales(CVrn3Doc& document, std::int32_t from, std::int32_t to,
                                              bool showErrors) = 0;
};

// Until their subsystems are built: no definitions, no schedule items, and every run fails with
// 31510 "Invalid parameter specified"; only the send to the other maker's scales runs.
class UnbuiltAutomationServices final : public IAutomationServices {
public:
    static constexpr MessageId kNotAvailable = 31510;

    bool RunScheduleItem(CVrn3Doc&, const std::string&) override { return false; }
    bool RunDueScheduleItems(CVrn3Doc&) override { return false; }
    bool HasImportDefinition(const std::string&) const override { return false; }
    MessageId RunImportDefinition(CVrn3Doc&, const std::string&, const std::string&, bool) override
    {
        return kNotAvailable;
    }
    bool HasExportDefinition(const std::string&) const override { return false; }
    MessageId RunExportDefinition(CVrn3Doc&, const std::string&, const std::string&, bool) override
    {
        return kNotAvailable;
    }
    MessageId RunImport(CVrn3Doc&, const TextImportRun&, bool) override { return kNotAvailable; }
    MessageId RunExport(CVrn3Doc&, const TextExportRun&, bool) override { return kNotAvailable; }
    MessageId ImportHostFile(int, const std::string&) override { return kNotAvailable; }
    MessageId AddRecords(CVrn3Doc&, int, const std::string&, const std::string&, bool,
                         std::vector<std::uint32_t>&) override
    {
        return kNotAvailable;
    }
    MessageId LoadProduction(CVrn3Doc&) override { return kNotAvailable; }
    MessageId LoadBatch(CVrn3Doc&, const std::string&, bool) override { return kNotAvailable; }
    MessageId StartSale(CVrn3Doc&, const std::string&) override { return kNotAvailable; }
    MessageId EndSale(CVrn3Doc&, const std::string&) override { return kNotAvailable; }
    MessageId ImportSales(CVrn3Doc&, const std::string&, const std::string&, bool) override { return kNotAvailable; }
    // The document writes the send file itself: the PLUs from..to (a negative bound fails with 31510).
    MessageId SendToOtherMakersScales(CVrn3Doc& document, std::int32_t from, std::int32_t to, bool showErrors) override;
};

}  // namespace varnel

// What the production commands take from the production subsystem: the choice of scales to read,
// the seven loads of totals into the open production database, the request that deletes the totals
// on the scales, the meat test load and the production dialogs and report. Each operation answers 0
// or the message number of its failure, as the subsystem's own classes do. Until the subsystem is
// built the program has none of these and its production commands stay disabled.
#pragma once

#include "db/site/ScaleDef.h"
#include "platform/Messages.h"

#include <array>
#include <cstdint>
#include <optional>

namespace varnel {

class CMasterScale;
class CVrn3Doc;

// The totals a load reads, in the order a load and delete reads them.
enum class ProdLoad { Plu, Hourly, OperatorOverrides, Operator, Rewrap, NextDay, Batch };
inline constexpr std::array<ProdLoad, 7> kProdLoadOrder = {ProdLoad::Plu,      ProdLoad::Hourly, ProdLoad::OperatorOverrides,
                                                           ProdLoad::Operator, ProdLoad::Rewrap, ProdLoad::NextDay,
                                                           ProdLoad::Batch};

// The totals "Adjust Production Data" edits.
enum class ProdAdjust { Plu, NextDay, Rewrap, Batch };

// The dates and store "Meat Cut Test" was confirmed with.
struct MeatCutTestRange {
    double from = 0;  // OLE dates
    double to = 0;
    std::uint32_t store = 0;
};

class IProductionServices {
public:
    virtual ~IProductionServices() = default;

    // The scales of the department (none: of every link) to read; none when the user cancelled.
    virtual std::optional<ScaleDefs> ChooseScales(CVrn3Doc& document, const CMasterScale* department) = 0;
    // Reads one kind of totals of the scales into the document's open production database.
    virtual MessageId Load(CVrn3Doc& document, ProdLoad what, const ScaleDefs& scales) = 0;
    // Asks the scales to delete their production totals.
    virtual MessageId ClearScaleTotals(CVrn3Doc& document, const ScaleDefs& scales) = 0;
    // Loads and deletes the meat test buy and sell data of the scales.
    virtual MessageId LoadMeatTestData(CVrn3Doc& document) = 0;

    // With the production database open: whether the meat test table holds a record; "Meat Cut Test"
    // (none when cancelled); the report made for the range, false when it had nothing to show.
    virtual bool HasMeatTestData(CVrn3Doc& document) = 0;
    virtual std::optional<MeatCutTestRange> RunMeatCutTestDialog(CVrn3Doc& document) = 0;
    virtual bool OpenMeatCutTestReport(CVrn3Doc& document, const MeatCutTestRange& range) = 0;
    // "Adjust Production Data" on the totals, with the production database open.
    virtual void RunAdjustProdData(CVrn3Doc& document, ProdAdjust totals) = 0;
};

}  // namespace varnel

// The document's production commands, Qt-free, over the production subsystem (ProductionServices.h):
//
//   LoadAndDeleteProduction      "Load and Delete &Production Data from Scales": the current department
//   LoadAndDeleteAllDepartments  "... (All Depts)": each department in list order, with its own scales
//                                and the production database beside its own database file
//       choose scales (cancel: 61225) -> the scales-on-line check (ProdScalesCheck.h; a cancel ends
//       quietly) -> open the production database (61216) -> the seven loads in order -> the clear
//       request -> close; the result shown unless 0 or 61335
//   DeleteScaleProduction        "&Delete Production Data on Scales" after 61457
//   DeletePcProduction           "D&elete Production Totals on PC" after 61356
//   LoadMeatTest                 "Load and Delete Meat Test from Scales"
//   RunMeatCutTest               "Meat Cut Test Report" (61295, 61296)
//   AdjustProduction             the four "Adjust ... Production Data" commands (61295)
//
// The scales are told to delete their totals only when every load read them or found its link
// closed (0 or 61326), and only when the general setup does not keep them ("Do not delete production
// totals after loading"): a scale never drops totals the PC did not get. The production database is
// closed again on every path, a thrown failure included.
#pragma once

#include "app/ProductionServices.h"

#include <functional>
#include <vector>

namespace varnel {

class CIdEnqLinkList;

inline constexpr MessageId kMsgProdCannotOpenLink = 61326;
inline constexpr MessageId kMsgProdNoLinks = 61335;
inline constexpr MessageId kMsgProdFileOpenError = 61216;
inline constexpr MessageId kMsgNoMeatTestData = 61296;
inline constexpr MessageId kMsgAskClearScaleProduction = 61457;
inline constexpr MessageId kMsgAskClearPcProduction = 61356;

// Whether the department's scales may be read now (CheckProdScalesOnline); none lets every load go on.
using ProdScalesOnline = std::function<bool(const CMasterScale* department)>;

// Each returns the result it showed (0 when none); 61225 after a cancel.
MessageId LoadAndDeleteProduction(CVrn3Doc& document, IProductionServices& services, const CMasterScale* department,
                                  const ProdScalesOnline& scalesOnline = {});
MessageId LoadAndDeleteAllDepartments(CVrn3Doc& document, IProductionServices& services,
                                      const std::vector<const CMasterScale*>& departments,
                                      const ProdScalesOnline& scalesOnline = {});
MessageId DeleteScaleProduction(CVrn3Doc& document, IProductionServices& services, const CMasterScale* department,
                                const CIdEnqLinkList& links);
MessageId DeletePcProduction(CVrn3Doc& document);
MessageId LoadMeatTest(CVrn3Doc& document, IProductionServices& services);
MessageId RunMeatCutTest(CVrn3Doc& document, IProductionServices& services);
MessageId AdjustProduction(CVrn3Doc& document, IProductionServices& services, ProdAdjust totals);

}  // namespace varnel

#include "app/CompareScalesOp.h"

#include "app/Vrn3Doc.h"
#include "db/plu/PluDefTb.h"

namespace varnel {

CompareScalesOutcome RunCompareScalesOp(CVrn3Doc& document, IDocumentHost& host, bool synchronise)
{
    const CMasterScale* department = host.GetCurrentDepartment();
    CompareScalesOutcome outcome;
    outcome.result = document.RunCompareScales(CPluDefTb::kTableNo, false, department);
    outcome.differences = document.HasCompareDifferences(department);
    if (outcome.differences && synchronise) document.SynchronizeAllScales(false, department);
    return outcome;
}

}  // namespace varnel

// Any bytes as the setup-file archive of a settings class: loading never crashes, and what loads goes
// round: stored, loaded again and stored once more, it gives the same bytes.
//
// Input: byte 0 the class (modulo their number), byte 1 the setup file's format mark as the loading
// context gives it (0 the current one, else an older format number); the archive.
#include "FuzzRequire.h"

#include "platform/Archive.h"
#include "settings/DeptCode.h"
#include "settings/EMailSettings.h"
#include "settings/MasterScaleList.h"
#include "settings/OperatorList.h"
#include "settings/PluRange.h"
#include "settings/PriceZone.h"
#include "settings/SetupFormat.h"
#include "settings/UserSetupList.h"

#include <cstdint>
#include <span>
#include <vector>

namespace {

using varnel::fuzz::Require;

constexpr std::size_t kSettingsBytes = 2;

template <class T>
void RoundTrip(std::span<const std::uint8_t> bytes, std::uint32_t formatMark)
{
    varnel::SetupFileContext context;
    context.formatMark = formatMark;
    T loaded;
    const auto read = varnel::LoadArchive(bytes, [&](varnel::CArchive& ar) {
        ar.SetContext(&context);
        loaded.Serialize(ar);
    });
    if (!read) return;
    const auto stored = varnel::SaveArchive([&](varnel::CArchive& ar) { loaded.Serialize(ar); });
    Require(stored.HasValue());
    T again;
    Require(varnel::LoadArchive(*stored, [&](varnel::CArchive& ar) { again.Serialize(ar); }).HasValue());
    const auto restored = varnel::SaveArchive([&](varnel::CArchive& ar) { again.Serialize(ar); });
    Require(restored.HasValue() && *restored == *stored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kSettingsBytes) return 0;
    const std::span archive(data + kSettingsBytes, size - kSettingsBytes);
    const std::uint32_t formatMark = data[1];
    switch (data[0] % 7) {
    case 0: RoundTrip<varnel::CDeptCodeList>(archive, formatMark); break;
    case 1: RoundTrip<varnel::CEMailSettings>(archive, formatMark); break;
    case 2: RoundTrip<varnel::CMasterScaleList>(archive, formatMark); break;
    case 3: RoundTrip<varnel::COperatorList>(archive, formatMark); break;
    case 4: RoundTrip<varnel::CPluRangeList>(archive, formatMark); break;
    case 5: RoundTrip<varnel::CPriceZoneList>(archive, formatMark); break;
    default: RoundTrip<varnel::CUserSetupList>(archive, formatMark); break;
    }
    return 0;
}

// The Communication Center's frame and document for tests: every answer a field the test sets, and
// what the center hands back (events, prepared sends, picks) recorded.
#pragma once

#include "comms/center/CommCenterForm.h"
#include "db/site/GeneralSetup.h"
#include "settings/AppEventLog.h"

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace varnel::test {

class FakeHost final : public ICommCenterHost {
public:
    const CGeneralSetup& GetGeneralSetup() const override { return setup; }
    std::string GetScaleDataDirectory() const override { return scaleDataDirectory; }
    KindsInUse GetKindsInUse() const override { return kinds; }
    bool SendsNutritionWithPlus() const override { return nutritionWithPlus; }
    bool HasEnabledScaleType(std::uint16_t family) const override { return families.contains(family); }
    bool IsRestrictedAccess() const override { return restricted; }
    bool MayTransmit() const override { return mayTransmit; }
    bool MayLoad() const override { return true; }
    bool HasTableAccess(std::uint16_t, std::uint8_t) const override { return true; }
    const CMasterScale* GetCurrentDepartment() const override { return department; }
    IDocument* GetDocument() const override { return document; }
    const CAppEventLog* GetEventLog() const override { return &log; }
    void WriteEvent(std::uint16_t kind, const std::string& text) override { events.emplace_back(kind, text); }
    void PrepareSend(const SendRequests& jobs) override { prepared.push_back(jobs); }
    bool TakeImportErrorFlag() override { return std::exchange(importErrors, false); }
    void ClearImportErrorFlag() override { importErrors = false; }
    std::optional<std::uint32_t> PickRecord(std::uint16_t kind, std::uint32_t current) override
    {
        picked.emplace_back(kind, current);
        return pick;
    }

    CGeneralSetup setup;
    std::string scaleDataDirectory;
    KindsInUse kinds;
    bool nutritionWithPlus = false;
    std::set<std::uint16_t> families{0};
    bool restricted = false;
    bool mayTransmit = true;
    const CMasterScale* department = nullptr;
    IDocument* document = nullptr;
    CAppEventLog log;
    std::vector<std::pair<std::uint16_t, std::string>> events;
    std::vector<SendRequests> prepared;
    bool importErrors = false;
    std::vector<std::pair<std::uint16_t, std::uint32_t>> picked;
    std::optional<std::uint32_t> pick;
};

}  // namespace varnel::test

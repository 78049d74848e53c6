// The automation interface as the session bus shows it: service, object, interface, and every
// property and method with its D-Bus types ("s" text, "n" 16-bit, "i" 32-bit, "b" boolean), in the
// interface's order. The client converts its words by this table; a test holds the server to it.
#pragma once

#include <optional>
#include <string_view>

namespace varnel {

inline constexpr std::string_view kAutomationService = "com.norvik.Varnel";
inline constexpr std::string_view kAutomationObject = "/Document";
inline constexpr std::string_view kAutomationInterface = "com.norvik.Varnel.Automation";

struct AutomationProperty {
    std::string_view name;
    std::string_view type;
    bool writable;
};

inline constexpr AutomationProperty kAutomationProperties[] = {
    {"ShowErrors", "b", true},
    {"ErrorCode", "i", true},
    {"ScalesWithUnsentData", "s", false},
    {"FailedImportPlus", "s", false},
};

struct AutomationMethod {
    std::string_view name;
    std::string_view arguments;  // one type letter per argument
    std::string_view result;
};

inline constexpr AutomationMethod kAutomationMethods[] = {
    {"ScheduleOpen", "s", "b"},
    {"ScheduleClose", "", "b"},
    {"ScheduleExecOp", "s", "b"},
    {"ScheduleExecSched", "", "b"},
    {"DatabaseOpen", "s", "b"},
    {"DatabaseClose", "", "b"},
    {"ImportTextFile", "ss", "b"},
    {"ImportTextFileEx", "snnnnnnnn", "b"},
    {"ExportTextFile", "ss", "b"},
    {"ExportTextFileEx", "snnnnnnnnn", "b"},
    {"SendToScales", "nii", "b"},
    {"IsUnsentDataWaiting", "", "b"},
    {"SendUnsentData", "", "b"},
    {"ClearProdDatabase", "", "b"},
    {"ReadProdFromScales", "", "b"},
    {"CompareScalesVsDb", "i", "b"},
    {"DeleteRecords", "nii", "b"},
    {"DatabaseCompact", "", "b"},
    {"LoadSetup", "s", "b"},
    {"LoadSiteSetup", "s", "b"},
    {"SetEventLogFile", "s", "b"},
    {"LoadBatch", "sn", "b"},
    {"StartSale", "s", "b"},
    {"EndSale", "s", "b"},
    {"ImportSales", "ss", "b"},
    {"ChangePrice", "iii", "b"},
    {"AddRecords", "iss", "b"},
    {"GetErrorMessage", "", "s"},
};

inline std::optional<AutomationMethod> FindAutomationMethod(std::string_view name)
{
    for (const AutomationMethod& method : kAutomationMethods) {
        if (method.name == name) return method;
    }
    return std::nullopt;
}

inline std::optional<AutomationProperty> FindAutomationProperty(std::string_view name)
{
    for (const AutomationProperty& property : kAutomationProperties) {
        if (property.name == name) return property;
    }
    return std::nullopt;
}

}  // namespace varnel

// The column access of a record kind whose fields are all computed: its records have no columns, so a
// column reads as nothing and a column written is dropped. A kind takes it as its base, naming what a
// writer reads and what a reader fills, and adds its site.
#pragma once

#include "db/records/RecordLayout.h"

#include <cstdint>
#include <string_view>

namespace varnel {

template <class SourceT, class TargetT>
struct ComputedRecordKind {
    using Source = SourceT;
    using Target = TargetT;

    static std::int64_t Number(const Source&, ColumnRef) { return 0; }
    static std::string_view Text(const Source&, ColumnRef) { return {}; }
    static void SetNumber(const Target&, ColumnRef, std::int64_t) {}
    static void SetText(const Target&, ColumnRef, std::string_view) {}
    static constexpr std::string_view ColumnName(ColumnRef) { return {}; }
};

}  // namespace varnel

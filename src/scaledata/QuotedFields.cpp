#include "scaledata/QuotedFields.h"

#include "db/text/QuotedScaleText.h"

#include <algorithm>
#include <vector>

namespace varnel {

void WriteQuotedField(const TextRules& rules, const CLinkScaleSettings& scale, std::string_view text, RecordFields& f,
                      std::size_t maxScaleBytes)
{
    const std::span<std::uint8_t> rest = f.Rest();
    const std::span<char> out(reinterpret_cast<char*>(rest.data()), rest.size());
    f.Advance(EncodeQuotedScaleText(rules, scale, out, text, maxScaleBytes));
}

std::string ReadQuotedField(const TextRules& rules, const CLinkScaleSettings& scale, std::size_t limit,
                            CsvFieldReader& r)
{
    const std::span<char> buffer = r.Buffer();
    const std::size_t start = std::min(r.Position(), buffer.size());
    const std::string_view rest(buffer.data() + start, buffer.size() - start);
    std::vector<char> text(limit + 1);
    std::size_t position = 0;
    DecodeQuotedScaleText(rules, scale, text, rest, position);
    r.Position() = start + position;
    return text.data();
}

}  // namespace varnel

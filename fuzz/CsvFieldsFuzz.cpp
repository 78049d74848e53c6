// Any bytes, under any market, walked field by field with every CSV reader and read through the
// escape and path routines: never a crash or an over-read, and every reader either moves on or has
// reached the end of the text.
#include "FuzzMainFrame.h"

#include "db/text/CsvFields.h"
#include "db/site/MainFrame.h"
#include "db/text/PathText.h"
#include "db/text/TextEscapes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using FuzzFrame = varnel::fuzz::FuzzMainFrame;  // the first input byte chooses market and Korean option

// Calls `read` until the position stops moving; a position past the buffer is a fault.
template <class Read>
void WalkFields(std::size_t size, Read read)
{
    std::size_t position = 0;
    for (;;) {
        const std::size_t before = position;
        read(position);
        if (position > size) __builtin_trap();
        if (position == before) return;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const FuzzFrame frame(data[0]);
    const varnel::CharRule chars = varnel::CurrentTextRules().chars;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t maximum = static_cast<std::size_t>(data[0] >> 6) * 8;  // small limits reach the cutting paths

    std::vector<char> buffer(input.begin(), input.end());
    std::string out;
    WalkFields(buffer.size(), [&](std::size_t& position) { varnel::CsvReadText(buffer, position, maximum, out, chars); });
    buffer.assign(input.begin(), input.end());
    WalkFields(buffer.size(), [&](std::size_t& position) { varnel::CsvNextFieldInPlace(buffer, position, chars); });
    buffer.assign(input.begin(), input.end());
    WalkFields(buffer.size(), [&](std::size_t& position) {
        std::uint32_t value = 0;
        varnel::CsvReadInt(buffer, position, value);
    });
    WalkFields(input.size(), [&](std::size_t& position) { varnel::CsvReadField(input, position, maximum, out, chars); });
    WalkFields(input.size(), [&](std::size_t& position) { varnel::ReadEscapedChar(input, position); });

    varnel::RemoveHexEscapes(input, chars);
    varnel::StripEscCodes(input, chars);
    varnel::AbbreviatePath(input, static_cast<std::uint16_t>(maximum + 2), chars);
    return 0;
}

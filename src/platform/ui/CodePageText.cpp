// Code-page conversion through iconv.
#include "platform/ui/CodePageText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace varnel {
namespace {

const char* IconvName(CodePage codePage)
{
    switch (codePage) {
    case CodePage::Western: return "CP1252";
    case CodePage::Thai: return "CP874";
    case CodePage::SimplifiedChinese: return "GBK";
    case CodePage::Korean: return "CP949";
    case CodePage::TraditionalChinese: return "CP950";
    }
    return "CP1252";
}

// How many input bytes one unconvertible character takes: a byte of the store's code page, or a
// UTF-16 unit (two for a surrogate pair).
std::size_t ByteStep(std::string_view)
{
    return 1;
}

std::size_t Utf16Step(std::string_view rest)
{
    const bool highSurrogate = rest.size() >= 4 && (static_cast<unsigned char>(rest[1]) & 0xFC) == 0xD8;
    return highSurrogate ? 4 : 2;
}

// Converts `input` from one encoding to the other; a character the target cannot hold (or that is not
// valid in the source) is replaced by `replacement`.
std::string Convert(const char* to, const char* from, std::string_view input, std::string_view replacement,
                    std::size_t (*step)(std::string_view rest))
{
    const iconv_t converter = iconv_open(to, from);
    // iconv's failure value is the cast -1.
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(input);  // NOLINT(performance-no-int-to-ptr)
    std::string output;
    char buffer[256];
    char* in = const_cast<char*>(input.data());  // iconv's interface is not const-correct; it only reads
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL (a sequence cut at the end): replace it and go on after it.
        output.append(replacement);
        const std::size_t skip = std::min(step(std::string_view(in, inLeft)), inLeft);
        in += skip;
        inLeft -= skip;
    }
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(converter, nullptr, nullptr, &out, &outLeft);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    iconv_close(converter);
    return output;
}

}  // namespace

QString ToDisplayText(std::string_view bytes, CodePage codePage)
{
    const std::string utf16 = Convert("UTF-16LE", IconvName(codePage), bytes, std::string_view("?\0", 2), ByteStep);
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.data()),
                              static_cast<qsizetype>(utf16.size() / 2));
}

std::string FromDisplayText(const QString& text, CodePage codePage)
{
    const std::string_view utf16(reinterpret_cast<const char*>(text.utf16()),
                                 static_cast<std::size_t>(text.size()) * 2);
    return Convert(IconvName(codePage), "UTF-16LE", utf16, "?", Utf16Step);
}

}  // namespace varnel

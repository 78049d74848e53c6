// The display font's two forms.
#include "settings/ui/DisplayFont.h"

#include "platform/ui/CodePageText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace varnel {
namespace {

constexpr std::size_t kHeight = 0;
constexpr std::size_t kWeight = 16;
constexpr std::size_t kItalic = 20;
constexpr std::size_t kUnderline = 21;
constexpr std::size_t kStrikeOut = 22;
constexpr std::size_t kFaceName = 28;
constexpr std::size_t kFaceNameSize = 32;
// Face names are kept in the Windows design's own code page, whatever the store's.
constexpr CodePage kFaceNameCodePage = CodePage::Western;

std::int32_t ReadLong(const LogicalFont& font, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(font[at + i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

void WriteLong(LogicalFont& font, std::size_t at, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) font[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

}  // namespace

QFont ToQFont(const LogicalFont& stored)
{
    QFont font;
    const char* face = reinterpret_cast<const char*>(stored.data() + kFaceName);
    const std::size_t faceLength = strnlen(face, kFaceNameSize);
    if (faceLength > 0) font.setFamily(ToDisplayText({face, faceLength}, kFaceNameCodePage));
    if (const std::int32_t height = ReadLong(stored, kHeight); height != 0) font.setPixelSize(std::abs(height));
    if (const std::int32_t weight = ReadLong(stored, kWeight); weight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    font.setItalic(stored[kItalic] != 0);
    font.setUnderline(stored[kUnderline] != 0);
    font.setStrikeOut(stored[kStrikeOut] != 0);
    return font;
}

LogicalFont FromQFont(const QFont& font, LogicalFont stored)
{
    const int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                            : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    WriteLong(stored, kHeight, -pixels);
    WriteLong(stored, kWeight, static_cast<std::int32_t>(font.weight()));
    stored[kItalic] = font.italic() ? 1 : 0;
    stored[kUnderline] = font.underline() ? 1 : 0;
    stored[kStrikeOut] = font.strikeOut() ? 1 : 0;
    const std::string face = FromDisplayText(font.family(), kFaceNameCodePage).substr(0, kFaceNameSize - 1);
    std::fill_n(stored.begin() + kFaceName, kFaceNameSize, 0);
    std::memcpy(stored.data() + kFaceName, face.data(), face.size());
    return stored;
}

}  // namespace varnel

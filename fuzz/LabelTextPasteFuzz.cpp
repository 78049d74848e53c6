// Any bytes as a label text clipboard block, read under the single-byte, double-byte and Korean
// settings: a clean refusal or lines that, pasted into a text, write back as a well-formed text
// that reads back to the same bytes; never a crash or an over-read.
#include "db/text/ScaleFontSets.h"
#include "FuzzRequire.h"
#include "pluedit/LabelTextClipboard.h"
#include "pluedit/LabelTextEditForm.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace varnel;

struct Variant {
    std::uint16_t market;
    std::uint16_t family;
    bool koreanFont;
    int fontSet;
};

constexpr Variant kVariants[] = {{MarketUsa, 0, false, 0}, {MarketChina, 0, false, 2}, {MarketTaiwan, 9, false, 5},
                                 {MarketUsa, 0, true, 7}};

LabelTextSettings MakeSettings(const Variant& variant)
{
    CGeneralSetup setup;
    setup.m_market = variant.market;
    setup.m_defaultScaleFamily = variant.family;
    setup.m_koreanFont = variant.koreanFont ? 1 : 0;
    const bool systemRule = variant.market != MarketChina && variant.market != MarketTaiwan;
    return LabelTextSettings::Of(setup, systemRule, CScaleFontList(MakeScaleFontSet(setup, variant.fontSet, 0)),
                                 CDefLineFont());
}

class FuzzClipboard final : public ILabelTextClipboard {
public:
    explicit FuzzClipboard(std::string_view block) : m_block(block) {}
    bool Put(std::string_view, std::string_view) override { return true; }
    LabelTextClipboardContent Get() const override
    {
        return {LabelTextClipboardContent::Kind::DescField, std::string(m_block)};
    }

private:
    std::string_view m_block;
};

std::string WriteText(LabelTextEditForm& form)
{
    std::vector<char> buffer(4096);
    bool truncated = false;
    const std::size_t length = form.GetTextChecked(buffer, truncated);
    fuzz::Require(length < buffer.size() && buffer[length] == '\0');
    return std::string(buffer.data(), length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const Variant& variant = kVariants[data[0] % std::size(kVariants)];
    // The block is copied so that a read past its end is one past an allocation of its own size.
    const std::vector<char> bytes(data + 1, data + size);
    const std::string_view block(bytes.data(), bytes.size());
    const LabelTextSettings settings = MakeSettings(variant);

    const std::optional<std::vector<CLabelTextLine>> lines = ReadDescFieldBlock(block, settings);
    if (lines) {
        // What was read writes back as a block the reader takes again, line for line.
        const std::optional<std::vector<CLabelTextLine>> again =
            ReadDescFieldBlock(WriteDescFieldBlock(*lines, settings.chars), settings);
        fuzz::Require(again && again->size() == lines->size());
        for (std::size_t i = 0; i < lines->size(); ++i) fuzz::Require((*again)[i].Text() == (*lines)[i].Text());
    }

    FuzzClipboard clipboard(block);
    LabelTextEditForm form(settings);
    form.SetClipboard(&clipboard);
    form.SetText(std::string{'\x1B', 'C', static_cast<char>(settings.Code(0))} + "AB");
    form.OnSinkKeyDown(kVkRight, 1, 0);
    form.Paste();
    fuzz::Require(form.IsModified() == (lines.has_value() && !lines->empty()));
    const std::string written = WriteText(form);
    LabelTextEditForm reread(settings);
    fuzz::Require(reread.SetText(written) == 1);
    fuzz::Require(WriteText(reread) == written);
    return 0;
}

#include "scaledata/PopMsgText.h"

#include "db/text/EscapeCodes.h"

namespace varnel {
namespace {

constexpr std::size_t kCodeLength = 3;
constexpr std::string_view kStyleTwo = "\x1B" "D2";

bool IsCodeAt(std::string_view text, std::size_t p, char letter)
{
    return p + kCodeLength <= text.size() && text[p] == kEsc && text[p + 1] == letter && text[p + 2] != '\0';
}

}  // namespace

std::string StripStyleCodes(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::string out;
    for (std::size_t p = 0; p < text.size();) {
        if (IsCodeAt(text, p, 'D')) {
            p += kCodeLength;
            continue;
        }
        out += text[p++];
    }
    return out;
}

std::string WrapStyleTwo(std::string_view text)
{
    const std::string plain = StripStyleCodes(text);
    std::string out;
    bool inLine = false;
    for (std::size_t p = 0; p < plain.size();) {
        if (IsCodeAt(plain, p, 'C')) {
            if (inLine) out += kStyleTwo;
            out.append(plain, p, kCodeLength);
            out += kStyleTwo;
            inLine = true;
            p += kCodeLength;
            continue;
        }
        out += plain[p++];
    }
    return out + std::string(kStyleTwo);
}

}  // namespace varnel

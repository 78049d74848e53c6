// Full-width forms of ASCII: GB2312 by rule, Big5 by ranges and a table of the punctuation.
#include "db/text/FullWidthChars.h"

#include <algorithm>

namespace varnel {
namespace {

constexpr std::uint8_t kFirstPrintable = 0x20;
constexpr std::uint8_t kDelete = 0x7F;

struct Big5Form {
    std::uint8_t ascii;
    DoubleByteChar form;
};

// The characters that are neither digits nor letters.
constexpr Big5Form kBig5Punctuation[] = {
    {0x20, {0xA1, 0x40}}, {0x21, {0xA1, 0x49}}, {0x22, {0xA1, 0xB2}}, {0x23, {0xA1, 0xAD}}, {0x24, {0xA2, 0x43}},
    {0x25, {0xA1, 0xC1}}, {0x26, {0xA1, 0xAE}}, {0x27, {0xA1, 0x41}}, {0x28, {0xA1, 0x7D}}, {0x29, {0xA1, 0x7E}},
    {0x2A, {0xA1, 0xAF}}, {0x2B, {0xA1, 0xCF}}, {0x2C, {0xA1, 0x4D}}, {0x2D, {0xA1, 0xDF}}, {0x2E, {0xA1, 0x4F}},
    {0x2F, {0xA2, 0x41}}, {0x3A, {0xA1, 0x52}}, {0x3B, {0xA1, 0x51}}, {0x3C, {0xA1, 0xD5}}, {0x3D, {0xA1, 0xD7}},
    {0x3E, {0xA1, 0xD6}}, {0x3F, {0xA1, 0x48}}, {0x40, {0xA2, 0x49}}, {0x5B, {0xA1, 0xA3}}, {0x5C, {0xA2, 0x42}},
    {0x5D, {0xA1, 0xA4}}, {0x5E, {0xA1, 0x73}}, {0x5F, {0xA1, 0x5A}}, {0x60, {0xA1, 0x42}}, {0x7B, {0xA1, 0xA1}},
    {0x7C, {0xA1, 0x57}}, {0x7D, {0xA1, 0xA2}}, {0x7E, {0xA1, 0xE3}}, {0x7F, {0xA1, 0x5A}},
};

// The Big5 form of every byte from a space to 127, indexed from the space.
constexpr std::array<DoubleByteChar, kDelete - kFirstPrintable + 1> BuildBig5Forms()
{
    std::array<DoubleByteChar, kDelete - kFirstPrintable + 1> forms{};
    const auto set = [&forms](int ascii, std::uint8_t lead, int trail) {
        forms[static_cast<std::size_t>(ascii - kFirstPrintable)] = {lead, static_cast<std::uint8_t>(trail)};
    };
    for (int c = '0'; c <= '9'; ++c) set(c, 0xA2, 0xAF + (c - '0'));
    for (int c = 'A'; c <= 'Z'; ++c) set(c, 0xA2, 0xCF + (c - 'A'));
    for (int c = 'a'; c <= 'v'; ++c) set(c, 0xA2, 0xE9 + (c - 'a'));
    for (int c = 'w'; c <= 'z'; ++c) set(c, 0xA3, 0x40 + (c - 'w'));
    for (const Big5Form& p : kBig5Punctuation) set(p.ascii, p.form[0], p.form[1]);
    return forms;
}

constexpr auto kBig5Forms = BuildBig5Forms();
static_assert(std::ranges::all_of(kBig5Forms, [](const DoubleByteChar& form) { return form[0] != 0; }),
              "every byte from a space to 127 has a Big5 form");

std::size_t CopyAsOneByte(std::uint8_t ch, DoubleByteChar& out)
{
    out = {ch, 0};
    return 1;
}

}  // namespace

std::size_t AsciiToGb2312Char(std::uint8_t ch, DoubleByteChar& out)
{
    if (ch == ' ') {
        out = {0xA1, 0xA1};
        return 2;
    }
    if (ch > ' ' && ch < kDelete) {
        out = {0xA3, static_cast<std::uint8_t>(ch + 128)};
        return 2;
    }
    return CopyAsOneByte(ch, out);
}

std::size_t AsciiToBig5Char(std::uint8_t ch, DoubleByteChar& out)
{
    if (ch < kFirstPrintable || ch > kDelete) return CopyAsOneByte(ch, out);
    out = kBig5Forms[ch - kFirstPrintable];
    return 2;
}

}  // namespace varnel

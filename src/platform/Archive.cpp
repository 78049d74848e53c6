// The archive's byte buffer, numbers, counted strings, counts, dates and its sticky error state.
#include "platform/Archive.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <new>
#include <string>
#include <utility>

namespace varnel {
namespace {

template <std::size_t Size>
struct UnsignedOfSize;
template <>
struct UnsignedOfSize<1> { using Type = std::uint8_t; };
template <>
struct UnsignedOfSize<2> { using Type = std::uint16_t; };
template <>
struct UnsignedOfSize<4> { using Type = std::uint32_t; };
template <>
struct UnsignedOfSize<8> { using Type = std::uint64_t; };
template <class T>
using BitsOf = typename UnsignedOfSize<sizeof(T)>::Type;

constexpr std::uint8_t kByteLengthLimit = 0xFF;     // u8 lengths are below it; it announces a longer one
constexpr std::uint16_t kUtf16Mark = 0xFFFE;        // after 0xFF: a UTF-16 string follows
constexpr std::uint16_t kWordMarker = 0xFFFF;       // after 0xFF, or as a count: a u32 follows
constexpr std::uint32_t kLongMarker = 0xFFFFFFFF;   // the framework's mark of a 64-bit length or count

}  // namespace

CArchive::CArchive(bool storing, std::span<const std::uint8_t> bytes)
    : m_storing(storing), m_loading(bytes), m_loaded{{nullptr, 0}}
{
}

CArchive CArchive::Storing() { return CArchive(true, {}); }

CArchive CArchive::Loading(std::span<const std::uint8_t> bytes) { return CArchive(false, bytes); }

void CArchive::Fail(Errc code, const std::string& message, SourceLocation where)
{
    if (m_error) return;
    m_error = MakeError(code, message + " at offset " + std::to_string(Offset()), 0, where);
}

Result<void> CArchive::Status() const
{
    if (m_error) return *m_error;
    return {};
}

std::vector<std::uint8_t> CArchive::TakeBytes()
{
    assert(m_storing);
    return std::exchange(m_stored, {});
}

template <class U>
void CArchive::Put(U value)
{
    assert(m_storing);
    if (!Ok()) return;
    for (std::size_t i = 0; i < sizeof(U); ++i) m_stored.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

bool CArchive::Need(std::size_t size)
{
    assert(!m_storing);
    if (!Ok()) return false;
    if (size > Remaining()) {
        Fail(Errc::Corrupt, "the archive ends early (" + std::to_string(size) + " bytes needed, " +
                                std::to_string(Remaining()) + " left)");
        return false;
    }
    return true;
}

template <class U>
U CArchive::Take()
{
    if (!Need(sizeof(U))) return 0;
    U value = 0;
    for (std::size_t i = 0; i < sizeof(U); ++i) value |= static_cast<U>(U{m_loading[m_position + i]} << (8 * i));
    m_position += sizeof(U);
    return value;
}

// The object tags (Serializable.cpp) use these too; an optimised build may inline every use here and
// emit none of them.
template void CArchive::Put<std::uint16_t>(std::uint16_t);
template void CArchive::Put<std::uint32_t>(std::uint32_t);
template std::uint16_t CArchive::Take<std::uint16_t>();
template std::uint32_t CArchive::Take<std::uint32_t>();

// Every number goes through the unsigned integer of its width: its bits, least significant byte first.
template <class T>
CArchive& CArchive::StoreValue(T value)
{
    Put(std::bit_cast<BitsOf<T>>(value));
    return *this;
}

template <class T>
CArchive& CArchive::LoadValue(T& value)
{
    value = std::bit_cast<T>(Take<BitsOf<T>>());
    return *this;
}

CArchive& CArchive::operator<<(std::uint8_t value) { return StoreValue(value); }
CArchive& CArchive::operator<<(std::int8_t value) { return StoreValue(value); }
CArchive& CArchive::operator<<(char value) { return StoreValue(value); }
CArchive& CArchive::operator<<(std::uint16_t value) { return StoreValue(value); }
CArchive& CArchive::operator<<(std::int16_t value) { return StoreValue(value); }
CArchive& CArchive::operator<<(std::uint32_t value) { return StoreValue(value); }
CArchive& CArchive::operator<<(std::int32_t value) { return StoreValue(value); }
CArchive& CArchive::operator<<(float value) { return StoreValue(value); }
CArchive& CArchive::operator<<(double value) { return StoreValue(value); }
CArchive& CArchive::operator>>(std::uint8_t& value) { return LoadValue(value); }
CArchive& CArchive::operator>>(std::int8_t& value) { return LoadValue(value); }
CArchive& CArchive::operator>>(char& value) { return LoadValue(value); }
CArchive& CArchive::operator>>(std::uint16_t& value) { return LoadValue(value); }
CArchive& CArchive::operator>>(std::int16_t& value) { return LoadValue(value); }
CArchive& CArchive::operator>>(std::uint32_t& value) { return LoadValue(value); }
CArchive& CArchive::operator>>(std::int32_t& value) { return LoadValue(value); }
CArchive& CArchive::operator>>(float& value) { return LoadValue(value); }
CArchive& CArchive::operator>>(double& value) { return LoadValue(value); }

void CArchive::WriteStringLength(std::size_t length)
{
    if (length < kByteLengthLimit) {
        Put(static_cast<std::uint8_t>(length));
        return;
    }
    Put(kByteLengthLimit);
    if (length < kUtf16Mark) {
        Put(static_cast<std::uint16_t>(length));
        return;
    }
    if (length >= kLongMarker) {
        Fail(Errc::Invalid, "a string of " + std::to_string(length) + " bytes is too long for an archive");
        return;
    }
    Put(kWordMarker);
    Put(static_cast<std::uint32_t>(length));
}

std::size_t CArchive::ReadStringLength()
{
    const std::uint8_t byteLength = Take<std::uint8_t>();
    if (byteLength < kByteLengthLimit) return byteLength;
    const std::uint16_t wordLength = Take<std::uint16_t>();
    if (wordLength == kUtf16Mark) {
        Fail(Errc::Unsupported, "a UTF-16 string is not supported");
        return 0;
    }
    if (wordLength < kWordMarker) return wordLength;
    return Take<std::uint32_t>();
}

CArchive& CArchive::operator<<(std::string_view text)
{
    WriteStringLength(text.size());
    Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return *this;
}

CArchive& CArchive::operator>>(std::string& text)
{
    text.clear();
    const std::size_t length = ReadStringLength();
    if (!Need(length)) return *this;
    text.assign(reinterpret_cast<const char*>(m_loading.data() + m_position), length);
    m_position += length;
    return *this;
}

CArchive& CArchive::operator<<(const COleDateTime& date)
{
    return *this << static_cast<std::int32_t>(date.status) << date.value;
}

CArchive& CArchive::operator>>(COleDateTime& date)
{
    std::int32_t status = 0;
    *this >> status >> date.value;
    if (status < static_cast<std::int32_t>(DateTimeStatus::Valid) ||
        status > static_cast<std::int32_t>(DateTimeStatus::Null)) {
        Fail(Errc::Corrupt, "date status " + std::to_string(status) + " is none of valid, invalid or null");
        status = 0;
    }
    date.status = static_cast<DateTimeStatus>(status);
    if (!Ok()) date = {};
    return *this;
}

void CArchive::Write(std::span<const std::uint8_t> bytes)
{
    assert(m_storing);
    if (Ok()) m_stored.insert(m_stored.end(), bytes.begin(), bytes.end());
}

void CArchive::Read(std::span<std::uint8_t> bytes)
{
    if (!Need(bytes.size())) {
        std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
        return;
    }
    std::copy_n(m_loading.begin() + static_cast<std::ptrdiff_t>(m_position), bytes.size(), bytes.begin());
    m_position += bytes.size();
}

void CArchive::WriteCount(std::size_t count)
{
    if (count < kWordMarker) {
        Put(static_cast<std::uint16_t>(count));
        return;
    }
    if (count >= kLongMarker) {
        Fail(Errc::Invalid, std::to_string(count) + " elements are too many for an archive");
        return;
    }
    Put(kWordMarker);
    Put(static_cast<std::uint32_t>(count));
}

std::size_t CArchive::ReadCount(std::size_t minElementBytes)
{
    assert(minElementBytes > 0);
    std::size_t count = Take<std::uint16_t>();
    if (count == kWordMarker) count = Take<std::uint32_t>();
    if (!Ok()) return 0;
    if (count > Remaining() / minElementBytes) {
        Fail(Errc::Corrupt, "a count of " + std::to_string(count) + " elements exceeds the " +
                                std::to_string(Remaining()) + " bytes left");
        return 0;
    }
    return count;
}

Result<void> LoadArchive(std::span<const std::uint8_t> bytes, const std::function<void(CArchive&)>& serialize)
{
    CArchive ar = CArchive::Loading(bytes);
    try {
        serialize(ar);
    } catch (const std::bad_alloc&) {
        return MakeError(Errc::Io, "out of memory while reading an archive");
    }
    return ar.Status();
}

Result<std::vector<std::uint8_t>> SaveArchive(const std::function<void(CArchive&)>& serialize)
{
    CArchive ar = CArchive::Storing();
    serialize(ar);
    if (auto status = ar.Status(); !status) return status.GetError();
    return ar.TakeBytes();
}

}  // namespace varnel

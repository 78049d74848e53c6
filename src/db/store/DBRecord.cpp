#include "db/store/DBRecord.h"

#include "platform/ByteOrder.h"
#include "platform/OleDate.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace varnel {

std::uint16_t CDBRecord::GetTableNo() const { return LoadLe16(&m_header[0]); }
std::uint16_t CDBRecord::GetCapacity() const { return LoadLe16(&m_header[2]); }
std::uint16_t CDBRecord::GetLength() const { return LoadLe16(&m_header[4]); }
std::uint32_t CDBRecord::GetKey() const { return LoadLe32(&m_header[8]); }
void CDBRecord::SetCapacity(std::uint16_t capacity) { StoreLe16(&m_header[2], capacity); }
void CDBRecord::SetLength(std::uint16_t length) { StoreLe16(&m_header[4], length); }
void CDBRecord::SetKey(std::uint32_t key) { StoreLe32(&m_header[8], key); }

void CDBRecord::SetHeader(std::uint16_t tableNo, std::uint16_t capacity, std::uint16_t length, std::uint32_t key)
{
    StoreLe16(&m_header[0], tableNo);
    SetCapacity(capacity);
    SetLength(length);
    StoreLe16(&m_header[6], 0);
    SetKey(key);
}

void CDBRecord::CopyHeader(const std::uint8_t* header)
{
    SetHeader(LoadLe16(header), LoadLe16(header + 2), LoadLe16(header + 4), LoadLe32(header + 8));
}

std::span<const std::uint8_t> CDBRecord::FieldSpan(const DBFieldDef& field) const
{
    if (field.m_offset == DBFieldDef::kKeyOffset)
        return field.m_size == 4 ? std::span<const std::uint8_t>(&m_header[8], 4) : std::span<const std::uint8_t>{};
    const std::uint8_t* data = GetData();
    const std::size_t room = GetDataRoom();
    if (!data || field.m_size == 0 || std::size_t{field.m_offset} + field.m_size > GetDataLimit() ||
        field.m_offset >= room)
        return {};
    return {data + field.m_offset, std::min<std::size_t>(field.m_size, room - field.m_offset)};
}

std::uint8_t* CDBRecord::WritableField(const DBFieldDef& field)
{
    if (field.m_offset == DBFieldDef::kKeyOffset) return field.m_size == 4 ? &m_header[8] : nullptr;
    const std::size_t end = std::size_t{field.m_offset} + field.m_size;
    if (field.m_size == 0 || end > GetDataLimit() || !ReserveData(end) || !GetData()) return nullptr;
    return GetData() + field.m_offset;
}

std::vector<std::uint8_t> RecordImage(const CDBRecord& record, std::uint16_t dataBytes, std::uint16_t room)
{
    std::vector<std::uint8_t> image(CDBRecord::kHeaderSize + room, 0);
    const auto& header = record.GetHeaderBytes();
    std::copy(header.begin(), header.end(), image.begin());
    if (const std::uint8_t* data = record.GetData(); data && dataBytes > 0)
        std::memcpy(image.data() + CDBRecord::kHeaderSize, data,
                    std::min<std::size_t>({dataBytes, room, record.GetDataRoom()}));
    return image;
}

namespace {

std::int64_t LoadInteger(const std::uint8_t* p, std::uint16_t type)
{
    switch (type) {
    case DaoByte: return p[0];
    case DaoShort: return static_cast<std::int16_t>(LoadLe16(p));
    default: return static_cast<std::int32_t>(LoadLe32(p));
    }
}

void StoreInteger(std::uint8_t* p, std::uint16_t type, long value)
{
    switch (type) {
    case DaoByte: p[0] = static_cast<std::uint8_t>(value); break;
    case DaoShort: StoreLe16(p, static_cast<std::uint16_t>(value)); break;
    default: StoreLe32(p, static_cast<std::uint32_t>(value)); break;
    }
}

double LoadDate(const std::uint8_t* p)
{
    double value = 0;
    std::memcpy(&value, p, sizeof value);
    return value;
}

bool IsInteger(std::uint16_t type) { return type == DaoByte || type == DaoShort || type == DaoLong; }
bool IsText(std::uint16_t type) { return type == DaoText || type == DaoLongBinary; }

// A text field's text: up to its 0 byte, and never into the field's last byte.
std::string_view TextOf(std::span<const std::uint8_t> bytes, std::uint16_t fieldSize)
{
    if (bytes.empty()) return {};
    const auto* chars = reinterpret_cast<const char*>(bytes.data());
    return {chars, strnlen(chars, std::min<std::size_t>(bytes.size(), fieldSize - 1u))};
}

}  // namespace

std::string CDBRecord::FormatField(const DBFieldDef& field) const
{
    const std::span<const std::uint8_t> bytes = FieldSpan(field);
    if (IsText(field.m_daoType)) return std::string(TextOf(bytes, field.m_size));
    if (bytes.size() < field.m_size) return {};
    const std::uint8_t* p = bytes.data();
    if (IsInteger(field.m_daoType)) return std::to_string(LoadInteger(p, field.m_daoType));
    if (field.m_daoType == DaoDate && field.m_size >= sizeof(double)) {
        const auto parts = OleDateToParts(LoadDate(p));
        return parts ? FormatDateTime(*parts) : std::string{};
    }
    return {};
}

bool CDBRecord::ParseField(const DBFieldDef& field, std::string_view text, bool& changed)
{
    changed = false;
    std::uint8_t* p = WritableField(field);
    if (!p) return false;
    if (IsInteger(field.m_daoType)) {
        long value = 0;
        if (std::sscanf(std::string(text).c_str(), "%ld", &value) != 1) return false;
        const std::int64_t old = LoadInteger(p, field.m_daoType);
        StoreInteger(p, field.m_daoType, value);
        changed = LoadInteger(p, field.m_daoType) != old;
        return true;
    }
    if (field.m_daoType == DaoDate && field.m_size >= sizeof(double)) {
        const auto parts = ParseDateTime(text);
        const auto value = parts ? PartsToOleDate(*parts) : std::nullopt;
        if (!value) return false;
        changed = LoadDate(p) != *value;
        std::memcpy(p, &*value, sizeof(double));
        return true;
    }
    if (IsText(field.m_daoType)) {
        const std::size_t limit = field.m_size - 1u;
        const std::size_t length = std::min<std::size_t>({text.size(), limit, text.find('\0')});
        const std::string_view stored(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), limit));
        changed = stored != text.substr(0, length);
        std::memcpy(p, text.data(), length);
        p[length] = 0;
        p[limit] = 0;
        FitData();
        return true;
    }
    return false;
}

namespace {

// Copies up to `size` - 1 bytes of a text and zeroes the rest of the field, so a value read from the
// database leaves no bytes of the old one behind its terminator.
void StoreText(std::uint8_t* p, std::uint16_t size, std::string_view text)
{
    const std::size_t length = std::min<std::size_t>({text.size(), size - 1u, text.find('\0')});
    if (length > 0) std::memcpy(p, text.data(), length);
    std::fill(p + length, p + size, std::uint8_t{0});
}

}  // namespace

FieldVariant CDBRecord::GetFieldVariant(const DBFieldDef& field) const
{
    const std::span<const std::uint8_t> bytes = FieldSpan(field);
    if (bytes.empty()) return {};
    const std::uint8_t* p = bytes.data();
    if (!IsText(field.m_daoType) && bytes.size() < field.m_size) return {};
    switch (field.m_daoType) {
    case DaoByte: return p[0];
    case DaoShort: return static_cast<std::int16_t>(LoadInteger(p, DaoShort));
    case DaoLong: return static_cast<std::int32_t>(LoadInteger(p, DaoLong));
    case DaoDate:
        if (field.m_size < sizeof(double)) return {};
        return COleDateTime{LoadDate(p), DateTimeStatus::Valid};
    case DaoText: {
        std::string text(TextOf(bytes, field.m_size));
        return text.empty() ? std::string(" ") : text;
    }
    case DaoLongBinary: {
        // Up to the last byte in use: a description of a few words is not stored as 2 KB of zeros.
        const std::uint8_t* end = p + bytes.size();
        while (end != p && end[-1] == 0) --end;
        return std::vector<std::uint8_t>(p, end);
    }
    default: return {};
    }
}

bool CDBRecord::SetFieldVariant(const DBFieldDef& field, const FieldVariant& value)
{
    if (std::holds_alternative<std::monostate>(value)) return false;
    std::uint8_t* p = WritableField(field);
    if (!p) return false;
    const std::uint16_t type = field.m_daoType;
    const bool stored = std::visit(
        [&](const auto& v) -> bool {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_integral_v<V>) {
                if (IsInteger(type)) {
                    StoreInteger(p, type, v);
                    return true;
                }
                if (IsText(type)) {
                    StoreText(p, field.m_size, std::to_string(v));
                    return true;
                }
                return false;
            } else if constexpr (std::is_same_v<V, std::string>) {
                if (IsInteger(type)) {
                    int number = 0;
                    if (std::sscanf(v.c_str(), "%d", &number) != 1) number = 0;
                    StoreInteger(p, type, number);
                    return true;
                }
                if (!IsText(type)) return false;
                StoreText(p, field.m_size, v == " " ? std::string_view{} : std::string_view(v));
                return true;
            } else if constexpr (std::is_same_v<V, std::vector<std::uint8_t>>) {
                if (!IsText(type)) return false;
                const std::size_t copied = std::min<std::size_t>(v.size(), field.m_size);
                std::copy_n(v.begin(), copied, p);
                std::fill(p + copied, p + field.m_size, std::uint8_t{0});
                p[field.m_size - 1] = 0;
                return true;
            } else if constexpr (std::is_same_v<V, COleDateTime>) {
                if (type != DaoDate || field.m_size < sizeof(double) || v.status != DateTimeStatus::Valid) return false;
                std::memcpy(p, &v.value, sizeof(double));
                return true;
            } else {
                return false;
            }
        },
        value);
    FitData();
    return stored;
}

}  // namespace varnel

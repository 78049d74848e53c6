#include "db/DBRecord.h"

#include "platform/ByteOrder.h"
#include "platform/OleDate.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

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

std::uint8_t* CDBRecord::FieldBytes(const DBFieldDef& field)
{
    if (field.m_offset == DBFieldDef::kKeyOffset) return field.m_size == 4 ? &m_header[8] : nullptr;
    std::uint8_t* data = GetData();
    if (!data || field.m_size == 0 || std::size_t{field.m_offset} + field.m_size > GetDataRoom()) return nullptr;
    return data + field.m_offset;
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

}  // namespace

std::string CDBRecord::FormatField(const DBFieldDef& field)
{
    std::uint8_t* p = FieldBytes(field);
    if (!p) return {};
    if (IsInteger(field.m_daoType)) return std::to_string(LoadInteger(p, field.m_daoType));
    if (field.m_daoType == DaoDate && field.m_size >= sizeof(double)) {
        const auto parts = OleDateToParts(LoadDate(p));
        return parts ? FormatDateTime(*parts) : std::string{};
    }
    if (IsText(field.m_daoType)) {
        p[field.m_size - 1] = 0;
        return reinterpret_cast<const char*>(p);
    }
    return {};
}

bool CDBRecord::ParseField(const DBFieldDef& field, std::string_view text, bool& changed)
{
    changed = false;
    std::uint8_t* p = FieldBytes(field);
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
        return true;
    }
    return false;
}

}  // namespace varnel

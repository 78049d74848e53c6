#include "db/plu/PluTableRegistry.h"

#include "db/plu/PluDatabase.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"

#include <array>
#include <cassert>
#include <mutex>

namespace varnel {
namespace {

// Registrations happen at start-up, but a table may be made on any thread: every access takes the lock.
class Registry {
public:
    void Register(std::uint16_t tableNo, PluTableFactory make)
    {
        assert(tableNo >= 1 && tableNo < m_tables.size());
        const std::scoped_lock lock(m_mutex);
        m_tables.at(tableNo) = std::move(make);
    }
    void RegisterCompanions(PluCompanionFactory make)
    {
        const std::scoped_lock lock(m_mutex);
        m_companions = std::move(make);
    }
    PluTableFactory TableFactory(std::uint16_t tableNo) const
    {
        const std::scoped_lock lock(m_mutex);
        return tableNo < m_tables.size() ? m_tables[tableNo] : nullptr;
    }
    PluCompanionFactory CompanionFactory() const
    {
        const std::scoped_lock lock(m_mutex);
        return m_companions;
    }
    void KeepRoles(const TableRoles& roles)
    {
        const std::scoped_lock lock(m_mutex);
        m_roles.emplace(roles);
    }
    std::optional<TableRoles> Roles() const
    {
        const std::scoped_lock lock(m_mutex);
        return m_roles;
    }

private:
    mutable std::mutex m_mutex;
    std::array<PluTableFactory, CPluDatabase::kHighestTableNo + 1> m_tables;
    PluCompanionFactory m_companions;
    std::optional<TableRoles> m_roles;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

}  // namespace

void RegisterPluTables(const TableRoles& roles)
{
    TheRegistry().KeepRoles(roles);
    RegisterPluTable(CPluDefTb::kTableNo, MakesTable<CPluDefTb>("Plus", roles));
    RegisterPluTable(CPluPriceZoneTb::kTableNo, MakesTable<CPluPriceZoneTb>("PluPriceZone", roles));
}

std::optional<TableRoles> RegisteredPluTableRoles() { return TheRegistry().Roles(); }

void RegisterPluTable(std::uint16_t tableNo, PluTableFactory make) { TheRegistry().Register(tableNo, std::move(make)); }

void RegisterPluCompanionData(PluCompanionFactory make) { TheRegistry().RegisterCompanions(std::move(make)); }

bool IsPluTableRegistered(std::uint16_t tableNo) { return TheRegistry().TableFactory(tableNo) != nullptr; }

std::unique_ptr<CObjDBTable> MakeRegisteredPluTable(std::uint16_t tableNo, CObjDatabase* database)
{
    const PluTableFactory make = TheRegistry().TableFactory(tableNo);
    return make ? make(tableNo, database) : nullptr;
}

std::unique_ptr<IPluCompanionData> MakeRegisteredPluCompanionData(const CObjDatabase& database)
{
    const PluCompanionFactory make = TheRegistry().CompanionFactory();
    return make ? make(database) : nullptr;
}

}  // namespace varnel

#include "app/SetupFlags.h"

#include <initializer_list>

namespace varnel {
namespace {

class FlagRules {
public:
    FlagRules(const CGeneralSetup& setup, SetupFlags& flags) : m_setup(setup), m_flags(flags) {}

    void Set(std::initializer_list<std::size_t> numbers)
    {
        for (std::size_t number : numbers) m_flags.set(number);
    }
    void SetWhen(std::size_t number, bool condition)
    {
        if (condition) m_flags.set(number);
    }
    // The data kinds that the options P, Q, R and S (record bytes 391 to 394) leave on.
    void Qrsp()
    {
        SetWhen(6, Q() == 0);
        SetWhen(7, R() == 0);
        SetWhen(8, S() == 0);
        SetWhen(9, P() == 0);
    }
    // Hong Kong with nutrition support: custom nutrition instead of the standard one.
    void Custom()
    {
        if (Market() == MarketHongKong && m_setup.m_nutritionInUse != 0) {
            m_flags.set(SetupFlagCustomNutrition);
            m_flags.reset(SetupFlagStandardNutrition);
        }
    }
    std::uint8_t P() const { return m_setup.m_messageFileMapping[0]; }
    std::uint8_t Q() const { return m_setup.m_messageFileMapping[1]; }
    std::uint8_t R() const { return m_setup.m_messageFileMapping[2]; }
    std::uint8_t S() const { return m_setup.m_messageFileMapping[3]; }
    std::uint16_t Market() const { return m_setup.m_market; }

private:
    const CGeneralSetup& m_setup;
    SetupFlags& m_flags;
};

}  // namespace

SetupFlags ComputeSetupFlags(const CGeneralSetup& setup, const std::function<bool(std::uint16_t)>& hasFamily)
{
    SetupFlags flags;
    FlagRules rules(setup, flags);
    flags[SetupFlagStandardNutrition] = setup.m_nutritionInUse != 0;
    flags[SetupFlagDataSave] = setup.m_hideDataSave == 0;
    const std::uint16_t market = setup.m_market;

    if (hasFamily(9)) {
        rules.Set({22, 11, 16, 27, 28, 31, 32});
        flags[SetupFlagProductionOption] = setup.m_productionOption != 0;
        if (market != MarketTaiwan) {
            rules.Set({3});
            rules.Qrsp();
            rules.Set({19, 20, 26});
        } else {
            rules.Set({23});
        }
    }
    if (hasFamily(11)) {
        rules.Qrsp();
        rules.Set({3, 22, 4, 11, 13, 16, 17, 19, 20, 28, 27, 26, 30, 25});
    }
    const bool family10 = hasFamily(10);
    if (family10 || hasFamily(12)) {
        rules.Set({3, 4});
        rules.Qrsp();
        rules.Set({12, 13, 16, 17, 18, 19, 20, 21, 27, 25, 26});
        flags[28] = setup.m_noDeptGroupSearchFamily10 != 0;
        flags[SetupFlagBatchProduction] = family10;
        rules.Custom();
        rules.SetWhen(11, market == MarketTaiwan);
        rules.SetWhen(10, market == MarketAustralia);
    }
    if (hasFamily(6)) {
        rules.Qrsp();
        rules.SetWhen(11, market == MarketTaiwan);
        rules.Set({12, 13, 16, 17, 18, 19, 20, 21, 24, 25, 26});
        rules.Custom();
    }
    if (hasFamily(8)) {
        rules.Set({3, 4});
        rules.Qrsp();
        rules.Set({12, 13, 16, 17, 18, 19, 20, 21, 24, 25, 26});
        rules.Custom();
    }
    if (hasFamily(0) || hasFamily(5) || hasFamily(4)) {
        rules.Set({3, 4});
        rules.SetWhen(6, rules.Q() == 0);
        rules.SetWhen(9, rules.P() == 0);
        rules.Set({12, 13, 16, 19, 20, 24, 25, 26});
        if (market == MarketHongKong && hasFamily(5)) rules.Set({14, 15});
        rules.SetWhen(17, market == MarketUsa || market == MarketSouthAfrica || market == MarketSouthAmerica);
        rules.Custom();
        if (market == MarketTaiwan) {
            rules.SetWhen(7, rules.R() == 0);
            rules.SetWhen(8, rules.S() == 0);
            flags.reset(9);
            flags.set(11);
        }
        rules.SetWhen(7, market == MarketThailand && setup.m_market3ThirdMessage != 0 && rules.R() == 0);
    }
    if (hasFamily(1)) {
        rules.Set({3, 4});
        rules.SetWhen(6, rules.Q() == 0);
        rules.SetWhen(9, rules.P() == 0);
        rules.Set({12, 20, 24, 25, 26});
    }
    if (hasFamily(3)) {
        rules.Set({3, 4});
        rules.SetWhen(6, rules.Q() == 0);
        rules.Set({12, 20, 24, 25, 26});
    }
    if (hasFamily(2)) {
        rules.Set({4});
        rules.SetWhen(6, rules.Q() == 0);
        rules.Set({12, 19, 20, 24, 25, 26});
        flags.set(market == MarketUsa ? 16 : 3);
    }

    const bool ausNzNutrition =
        (market == MarketNewZealand || market == MarketAustralia) && flags[SetupFlagStandardNutrition];
    if (ausNzNutrition) {
        flags.reset(7);
        flags.reset(8);
        flags.reset(9);
    }
    flags[5] = flags[6] || flags[7] || flags[8];
    return flags;
}

}  // namespace varnel

// "Convert Data (Fonts&&Ingredients)" (32866) in the command table: the import and export subsystem's
// conversion of every PLU text's font codes and of ingredient texts into their own records, which asks
// for confirmation itself. Until that subsystem is built the program hands none and the command stays
// disabled. The menus that show it are built elsewhere.
#pragma once

#include <cstdint>
#include <functional>

namespace varnel {

class CVrn3Doc;
class MainFrameWindow;

namespace Commands {
inline constexpr std::uint32_t kConvertData = 32866;
}  // namespace Commands

using ConvertFontsAndIngredients = std::function<void(CVrn3Doc& document)>;

void RegisterConvertDataCommand(MainFrameWindow& window, CVrn3Doc& document, ConvertFontsAndIngredients convert);

}  // namespace varnel

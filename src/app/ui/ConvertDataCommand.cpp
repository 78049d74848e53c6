// The data conversion command.
#include "app/ui/ConvertDataCommand.h"

#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"

#include <utility>

namespace varnel {

void RegisterConvertDataCommand(MainFrameWindow& window, CVrn3Doc& document, ConvertFontsAndIngredients convert)
{
    const bool available = static_cast<bool>(convert);
    window.Commands().Register(
        Commands::kConvertData, "Convert Data (Fonts&&Ingredients)",
        [&document, convert = std::move(convert)] {
            if (convert && document.IsDatabaseOpen()) convert(document);
        },
        [&document, available] { return CommandState{available && document.IsDatabaseOpen(), std::nullopt}; });
}

}  // namespace varnel

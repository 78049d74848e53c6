// Dialog 238 over scale choices: the index of the scale the user picks, none when cancelled.
#pragma once

#include "settings/ScaleChoice.h"

#include <cstddef>
#include <optional>
#include <vector>

class QWidget;

namespace varnel {

std::optional<std::size_t> PickScaleChoice(const std::vector<CScaleChoice>& offered, QWidget* parent);

}  // namespace varnel

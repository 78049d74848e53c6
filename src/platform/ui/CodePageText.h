// The one place where the store's bytes meet the screen's text: the core keeps text as bytes in the
// store's code page; windows show and edit Unicode. A character the other side cannot hold becomes
// "?" rather than being dropped, so a field never silently loses its length.
#pragma once

#include "platform/CodePage.h"

#include <QString>

#include <string>
#include <string_view>

namespace varnel {

QString ToDisplayText(std::string_view bytes, CodePage codePage);
std::string FromDisplayText(const QString& text, CodePage codePage);

}  // namespace varnel

// The program's title (the first part of the main window's title), version and icon.
#pragma once

#include <QIcon>
#include <QString>

#include <cstdint>

namespace varnel {

inline constexpr auto kProgramTitle = QLatin1StringView("Varnel");

QString ProgramVersion();
// Drawn, so the program carries no image files: a scale's pan over a price label. The scheduler's
// icon is the same on a clock face colour.
QIcon ProgramIcon(bool scheduler = false);

// A tool-bar button's picture: the initials of its caption on a colour of its own, drawn so that the
// program carries no image files.
QIcon CommandIcon(std::uint32_t command, QStringView caption);

}  // namespace varnel

// Pieces of file paths and their short forms for display. A path's directories end at '/' and, for
// paths stored by older setups, at '\'; paths are walked by whole characters (under `chars`), so the
// second byte of a double-byte character is never taken for a separator.
#pragma once

#include "db/site/TextRules.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

// Whether the file's status can be read.
bool FileExists(const std::string& path, const IFileSystem& fileSystem = RealFileSystem());

// The part after the last separator; the whole path when there is none.
std::string_view GetFileNameFromPath(std::string_view path, const CharRule& chars);

// The path up to and including its last separator; "" when there is none or it is the first
// character.
std::string_view GetDirFromPath(std::string_view path, const CharRule& chars);

// The folder that holds the file, without its last separator ("/" for a file at the root); "" for
// a bare file name.
std::string GetFolderOfFile(std::string_view path, const CharRule& chars);

// The path shortened to at most `width` bytes (and never below "...") for a field of limited width.
// A path that fits is returned as it is. When the last separator stands after the first byte and
// the part from it to the end fits with "..." before it, the result is as many of the path's first
// characters as fit, "..." and that last part whole; otherwise it is "..." and the path's last
// (width - 3) bytes. Double-byte characters are never split, so a cut may leave a byte unused.
std::string AbbreviatePath(std::string_view path, std::uint16_t width, const CharRule& chars);

}  // namespace varnel

// "Specify Scale Data Directory": one directory, at most 255 characters, typed or found with
// "Browse...". Browsing opens a file chooser on the scale data files ("ITEM.001"); the folder of the
// file the user picks becomes the directory. Cancelling the chooser changes nothing, and the process's
// current directory is never touched.
#pragma once

#include <cstddef>
#include <string>

namespace varnel {

class ScaleDataDirForm {
public:
    static constexpr std::size_t kMaxLength = 255;

    explicit ScaleDataDirForm(std::string directory);

    const std::string& GetDirectory() const { return m_directory; }
    void SetDirectory(std::string directory);
    // True when a file was chosen (and the directory changed to its folder).
    bool Browse();

private:
    std::string m_directory;
};

}  // namespace varnel

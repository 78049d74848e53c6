// CVrn3App: the program. It reads the command line, makes the main frame (setup files, schedule,
// login), then, by run mode:
//   normal      the splash window while the start-up database opens, the main window as it was placed;
//   scheduler   the main window (no tool bar, no splash), minimised with /R /I;
//   automation  the frame and document only, no window shown (the automation interface serves them).
// Closing the main window saves what its mode keeps; the document closes before the frame goes.
#pragma once

#include "app/CommandLine.h"

#include <memory>
#include <string>
#include <vector>

namespace varnel {

class CProfile;

class CVrn3App {
public:
    // `words`: the command line without the program's name. `profile`: the program's profile.
    CVrn3App(std::vector<std::string> words, CProfile& profile);
    ~CVrn3App();
    CVrn3App(const CVrn3App&) = delete;
    CVrn3App& operator=(const CVrn3App&) = delete;

    // Runs the start-up and the event loop; the process's exit code. A start that ends early (a setup
    // file that cannot be read, a login cancelled) has shown its message and gives 1.
    int Run();

    const StartOptions& Options() const { return m_options; }

private:
    bool InitInstance();

    struct Parts;
    StartOptions m_options;
    CProfile& m_profile;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace varnel

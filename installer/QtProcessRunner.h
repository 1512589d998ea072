// Programs started by the wizard: waited for while the window keeps painting.
#pragma once

#include "installer/engine/ProcessRunner.h"

namespace installer {

class QtProcessRunner : public ProcessRunner {
public:
    // Runs a local event loop that leaves out user input until the program ends.
    bool RunAndWait(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder) override;
    bool OpenDocument(const std::string& file) override;
    bool StartDetached(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder) override;
};

}  // namespace installer

// The platform shell: opening addresses, mail addresses and files with the
// program the desktop associates with them, and starting programs.
#pragma once

#include <string>
#include <vector>

namespace vorna {

class TShell {
 public:
  virtual ~TShell() = default;
  // Opens `target` (an address, a "mailto:" address or a file path; CP932
  // text) with the desktop's associated program. `parameters` are extra
  // arguments for a program target; `directory` the working folder. Failures
  // are not reported.
  virtual void Open(const std::string& target, const std::string& parameters,
                    const std::string& directory) = 0;
  // Starts `program` with an argument list (CP932 text, as the target above);
  // never through a shell command line. False when it could not be started.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Lets pending window messages run before a call that may take a while.
  virtual void ProcessMessages() = 0;
};

}  // namespace vorna

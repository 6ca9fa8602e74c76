#pragma once

#include <string>

namespace orbelquint {

// Where the session has no runtime folder (XDG_RUNTIME_DIR), one of the process's own for as long
// as it lives: Qt looks into the runtime folder as it starts, and without one it warns and makes
// /tmp/runtime-USER, which the PDF mode has no use for. This one is private and empty, and is
// removed again (only while it is empty) when the object goes.
class PrivateRuntimeFolder {
  public:
    PrivateRuntimeFolder();
    ~PrivateRuntimeFolder();
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

  private:
    std::string made_;  // empty when the session has a runtime folder, or none could be made
};

}  // namespace orbelquint

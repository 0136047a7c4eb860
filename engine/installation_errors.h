// How installation errors reach the player: a missing catalogue, skin file or
// first sound sample is shown in an error box with one OK button, and then the
// program is asked to end. The step that reported it still finishes; the
// program ends when its event loop next runs. The window gives the real one;
// tests record the messages.
#pragma once

#include <string>

namespace hero {

class InstallationErrors {
 public:
  virtual ~InstallationErrors() = default;
  // Error box with OK showing `message`, then a termination request.
  virtual void report(const std::string& message) = 0;
};

}  // namespace hero

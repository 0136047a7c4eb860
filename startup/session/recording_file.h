// A recording's file on disk: read as a bounded script from a regular file,
// written only into a file this program has just made. A recording comes
// from anywhere (a player sends one to another), so neither side trusts
// what lies at the name it is given.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "startup/session/session_replay.h"

namespace hero {

// Reads the recording at `path`; nothing and the reason in `error` when it
// is not a regular file, is too large, holds no complete line, or a line is
// not of the script language.
std::optional<Recording> open_recording(const std::string& path, std::string& error);

// A new file for a recording, made at once and exclusively: an existing
// file, folder, device, pipe or symbolic link at `path` is refused (two
// recordings never share one file, and none is written through a link).
// Nothing and the reason in `error` when refused.
std::unique_ptr<std::ostream> create_recording(const std::string& path, std::string& error);

}  // namespace hero

#pragma once
#include <functional>
#include <string>

namespace tovel {
// How the engine tells the user something ("Unknown year type"). The window
// hands in a function that shows a message box; tests hand in a recorder.
using Notifier = std::function<void(const std::string&)>;
}  // namespace tovel

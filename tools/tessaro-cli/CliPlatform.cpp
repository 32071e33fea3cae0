#include "tools/tessaro-cli/CliPlatform.h"

#include <utility>

namespace cli {

std::vector<std::string> CliPlatform::TakeMessages() { return std::exchange(messages_, {}); }

bool CliPlatform::AskQuestion(const std::string&) { return true; }

std::optional<std::string> CliPlatform::TakeSave() { return std::exchange(nextSave_, std::nullopt); }

}  // namespace cli

// The help file of the current model and its topics. The help is an HTML page beside the
// executables whose anchors are the topic numbers.
#pragma once

#include <string>

#include "core/workspace.h"

namespace tq530 {

constexpr int kHelpContents = 1001;
constexpr int kHelpTransfer = 1012;

constexpr const char* kNoHelpText =
    "Unable to display Help Contents. There is no Help associated with this project.";

// "TQ530.html" for a model with ATIS, "TQ530_NA.html" otherwise, in the program folder.
std::string HelpFilePath(const Workspace& ws);

// The help file when it exists, "" when there is none (Help Contents is then disabled).
std::string ChooseHelpFile(const Workspace& ws);

}  // namespace tq530

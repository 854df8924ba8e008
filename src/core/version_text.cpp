#include "core/version_text.h"

#ifndef TQ530_VERSION
#error "the build passes TQ530_VERSION"
#endif

namespace tq530 {

std::string ReleaseVersion() {
    return TQ530_VERSION;
}

std::string VersionText(const std::string& program) {
    return program + " " + ReleaseVersion() +
           "\n"
           "Copyright (C) 2026 the TQ530 authors\n"
           "License GPL-3.0-or-later: GNU GPL version 3 or later "
           "<https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.";
}

}  // namespace tq530

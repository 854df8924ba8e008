// What `--version` of every program prints: its name, the release and the licence.
#pragma once

#include <string>

namespace tq530 {

// The release, from the project's version in the build ("1.0.0").
std::string ReleaseVersion();

// program and the release on the first line, then the licence, as GNU programs print it.
std::string VersionText(const std::string& program);

}  // namespace tq530

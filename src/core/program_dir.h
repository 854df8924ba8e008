// Where the program finds global.ini, the help pages and the destination files: beside the
// executable in a build tree or a copied folder, else in the data folder an installation made.
#pragma once

#include <string>

namespace tq530 {

// The installed data folder as seen from the folder of the executables ("../share/tq530").
std::string InstalledDataDirFrom(const std::string& executableDir);

// executableDir when it holds global.ini; otherwise the installed data folder when that holds
// one; otherwise executableDir, so that a missing global.ini is reported where it was looked
// for first.
std::string ProgramDirFor(const std::string& executableDir);

// ProgramDirFor the folder of the running executable ("." when the system does not say).
std::string DefaultProgramDir();

}  // namespace tq530

// One value of an INI file, read the way the private-profile reader of the original desktop
// platform reads it: used for global.ini and for the model-type check of settings files.
#pragma once

#include <string>

namespace tq530 {

// The reader's raw answer: the value of the first key of the first section of that name
// (both compared without regard to case), blanks and one pair of enclosing quotes removed,
// cut to bufferSize - 1 characters; defaultText when the file, the section or the key is
// missing.
std::string ReadPrivateProfileString(const std::string& path, const std::string& section,
                                     const std::string& key, const std::string& defaultText,
                                     size_t bufferSize);

// The same lookup over the text of a file.
std::string PrivateProfileLookup(const std::string& fileText, const std::string& section,
                                 const std::string& key, const std::string& defaultText,
                                 size_t bufferSize);

// The value with a 128-character buffer: cut at the first NUL, "" when absent, and one
// leading "#" removed.
std::string ReadIniString(const std::string& path, const std::string& section,
                          const std::string& key);

}  // namespace tq530

// The image file: the radio image exactly as it lies in the radio, ImageEnd + 1 bytes with no
// header. Also the hex dump text of the image.
#pragma once

#include <string>
#include <vector>

#include "core/outcome.h"
#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

// True when the file exists and is exactly ImageEnd + 1 bytes long.
bool HexFileLengthOk(const Workspace& ws, const std::string& path);

// Writes image bytes 0 to ImageEnd. On failure: error-log line "frmMain.SaveHexFileAs" and
// "FileSave Error!!".
Outcome WriteImageFile(Workspace& ws, UiHost& host, const std::string& path);

// Reads, checks and decodes an image file. A failed acceptance check shows
// "ModelType Error !!" with the image unchanged; a file error shows "FileRead Error!!".
Outcome ReadImageFile(Workspace& ws, UiHost& host, const std::string& path);

// The image-file load without its dialog: the length check ("bad file!!"), then ReadImageFile;
// on success CurrentFileName is the path and DataChanged is cleared. Sets CommError (when the
// file was read) and CancelRequested (on failure) at its end.
Outcome LoadImageFile(Workspace& ws, UiHost& host, const std::string& path);
// The image-file save without its dialog: the model's fix-ups (FixModelForEncode), encode,
// the image's fix-ups, checksum, WriteImageFile; a failure sets CancelRequested. The window
// makes the model's fix-ups an edit of its own first.
Outcome SaveImageFile(Workspace& ws, UiHost& host, const std::string& path);

// The hex dump list: two header lines, then one line per 16 bytes from 0 to ImageEnd.
std::vector<std::string> BuildHexDumpLines(const RadioImage& image);

}  // namespace tq530

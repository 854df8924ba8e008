#include "files/image_file.h"

#include "core/error_log.h"
#include "core/file_io.h"
#include "model/image_codec.h"
#include "model/text_util.h"

namespace tq530 {

namespace {

constexpr const char* kImageSaveSource = "frmMain.SaveHexFileAs";
constexpr const char* kImageReadSource = "frmMain.ReadHexFileAs";

// Why a file failed the length check: it cannot be opened as a file, or its length.
std::string WhyNotAnImage(const Workspace& ws, const std::string& path) {
    FileError error;
    if (!CheckInputFile(path, error)) {
        return "cannot open: " + error.Text;
    }
    return std::to_string(FileLength(path)) + " bytes, not a radio image (" +
           std::to_string(ws.Image.ImageEnd + 1) + " bytes)";
}

}  // namespace

bool HexFileLengthOk(const Workspace& ws, const std::string& path) {
    return FileLength(path) == static_cast<long long>(ws.Image.ImageEnd) + 1;
}

Outcome WriteImageFile(Workspace& ws, UiHost& host, const std::string& path) {
    FileError error;
    bool ok = false;
    {
        const BusyGuard busy(ws, &host);
        const auto* first = reinterpret_cast<const char*>(ws.Image.Bytes.data());
        ok = WriteFileReplacing(path, std::string(first, static_cast<size_t>(ws.Image.Size())),
                                error);
        if (ok) {
            host.PacingPause(500);
        }
    }
    if (!ok) {
        LogError(ws, kImageSaveSource, ErrorMessage(error.Number, error.Text));
        host.ShowMessage("FileSave Error!!", ws.TitleText, MsgIcon::Exclamation);
        host.ShowReason(path + ": " + error.Text);
        return Outcome::Failed;
    }
    return Outcome::Ok;
}

Outcome ReadImageFile(Workspace& ws, UiHost& host, const std::string& path) {
    std::string data;
    FileError error;
    bool readOk = false;
    {
        const BusyGuard busy(ws, &host);
        readOk = ReadWholeFile(path, data, error);
        if (readOk) {
            host.PacingPause(500);
        }
        // A file that changed length since the length check cannot be taken byte for byte.
        if (readOk && data.size() != static_cast<size_t>(ws.Image.Size())) {
            readOk = false;
            error.Number = 5;
            error.Text = "file length changed while reading";
        }
        if (readOk) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
            if (!ImageAcceptable(bytes, ws.Image.ImageEnd, ws.ModelType)) {
                host.ShowMessage("ModelType Error !!", "Read from Radio", MsgIcon::Critical);
                return Outcome::Failed;
            }
            std::copy(bytes, bytes + ws.Image.Size(), ws.Image.Bytes.begin());
        }
    }
    if (!readOk) {
        LogError(ws, kImageReadSource, ErrorMessage(error.Number, error.Text));
        host.ShowMessage("FileRead Error!!", ws.TitleText, MsgIcon::Exclamation);
        return Outcome::Failed;
    }
    DecodeImage(ws.Model, ws.Image, ws.ModelType);
    return Outcome::Ok;
}

Outcome LoadImageFile(Workspace& ws, UiHost& host, const std::string& path) {
    if (!HexFileLengthOk(ws, path)) {
        host.ShowMessage("bad file!!", ws.TitleText, MsgIcon::Critical);
        host.ShowReason(path + ": " + WhyNotAnImage(ws, path));
        ws.CancelRequested = true;
        return Outcome::Failed;
    }
    const Outcome outcome = ReadImageFile(ws, host, path);
    ws.CommError = outcome != Outcome::Ok;
    if (outcome != Outcome::Ok) {
        ws.CancelRequested = true;
        return outcome;
    }
    ws.CurrentFileName = path;
    ws.DataChanged = false;
    return outcome;
}

Outcome SaveImageFile(Workspace& ws, UiHost& host, const std::string& path) {
    FixModelForEncode(ws.Model, ws.ModelType);
    PrepareImageForWrite(ws.Model, ws.Image, ws.ModelType);
    const Outcome outcome = WriteImageFile(ws, host, path);
    if (outcome != Outcome::Ok) {
        ws.CancelRequested = true;
    }
    return outcome;
}

std::vector<std::string> BuildHexDumpLines(const RadioImage& image) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(image.Size() / 16 + 3));
    std::string header = "      ";
    std::string rule = " ---- ";
    for (unsigned c = 0; c < 16; ++c) {
        header += " " + HexField(c, 2);
        rule += " --";
    }
    lines.push_back(header);
    lines.push_back(rule);
    for (int address = 0; address <= image.ImageEnd; address += 16) {
        std::string text = " " + HexField(static_cast<unsigned>(address), 4) + ":";
        for (int i = 0; i < 16; ++i) {
            text += " " + HexField(image[address + i], 2);
        }
        lines.push_back(std::move(text));
    }
    return lines;
}

}  // namespace tq530

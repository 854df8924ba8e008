#include "app/destinations.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/file_io.h"
#include "files/number_text.h"
#include "model/image_codec.h"
#include "model/model_traits.h"
#include "model/radio_image.h"

namespace tq530 {

namespace {

namespace fs = std::filesystem;

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           UpperAscii(text.substr(text.size() - tail.size())) == UpperAscii(tail);
}

std::string Folder(const std::string& programDir) {
    return programDir.empty() ? std::string(".") : programDir;
}

bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::vector<std::string> RegularFilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The destination files were made for case-blind file systems; a name built from a menu
// caption ("USA") must still find the file "usa_17E8.ini" here.
std::string ExistingPathIgnoringCase(const std::string& path) {
    if (IsRegularFile(path)) {
        return path;
    }
    const fs::path given(path);
    const std::string folder = given.has_parent_path() ? given.parent_path().string() : ".";
    const std::string name = given.filename().string();
    for (const std::string& candidate : RegularFilesIn(folder)) {
        if (UpperAscii(candidate) == UpperAscii(name)) {
            return PathIn(folder, candidate);
        }
    }
    return path;
}

// Upper-case and without the trailing "-M" of the NR6120M files; a bare "-M" stays.
std::string PlainDestinationName(const std::string& name) {
    std::string upper = UpperAscii(name);
    if (upper.size() > 2 && upper.compare(upper.size() - 2, 2, "-M") == 0) {
        upper.resize(upper.size() - 2);
    }
    return upper;
}

std::string RememberedKey(const Workspace& ws) {
    return "IniFileName_" + std::to_string(ws.ModelType);
}

}  // namespace

int DestinationMenu::CheckedIndex() const {
    for (int i = 0; i < kDestinationMenuEntries; ++i) {
        if (Entries[static_cast<size_t>(i)].Checked) {
            return i;
        }
    }
    return -1;
}

std::string DestinationSuffix(int modelType) {
    return TraitsOf(modelType).DestinationSuffix;
}

std::string DestinationNameOf(const std::string& fileName) {
    return UpperAscii(fileName.substr(0, fileName.find('_')));
}

std::vector<std::string> ListDestinationFiles(const std::string& programDir, int modelType) {
    const std::string tail = DestinationSuffix(modelType) + ".ini";
    std::vector<std::string> matching;
    for (const std::string& name : RegularFilesIn(Folder(programDir))) {
        if (EndsWithIgnoringCase(name, tail)) {
            matching.push_back(name);
        }
    }
    return matching;
}

std::string DestinationFileName(const Workspace& ws, const std::string& name) {
    std::string base = name;
    if (base.size() > 2 && UpperAscii(base.substr(base.size() - 2)) == "-M") {
        base.resize(base.size() - 2);
    }
    return PathIn(ws.ProgramDir, base + DestinationSuffix(ws.ModelType) + ".ini");
}

bool LoadDestinationImage(Workspace& ws, UiHost& host, const std::string& path) {
    const std::string file = ExistingPathIgnoringCase(path);
    if (FileLength(file) != ws.Image.ImageEnd + 1) {
        return false;
    }
    ws.CommError = false;
    BusyGuard busy(ws);
    std::string bytes;
    FileError error;
    const bool read = ReadWholeFile(file, bytes, error);
    host.Yield();
    host.PacingPause(500);
    if (!read || static_cast<int>(bytes.size()) != ws.Image.ImageEnd + 1) {
        ws.CommError = true;
    } else if (ImageAcceptable(reinterpret_cast<const uint8_t*>(bytes.data()), ws.Image.ImageEnd,
                               ws.ModelType)) {
        std::copy(bytes.begin(), bytes.end(), ws.Image.Bytes.begin());
    } else {
        ws.CommError = true;
    }
    host.PacingPause(500);
    if (ws.CommError) {
        return false;
    }
    DecodeImage(ws.Model, ws.Image, ws.ModelType);
    return true;
}

void BuildDestinationMenu(Workspace& ws, const SettingsStore& store, UiHost& host,
                          DestinationMenu& menu) {
    menu.Enabled = false;
    const std::vector<std::string> files = ListDestinationFiles(ws.ProgramDir, ws.ModelType);
    if (files.empty()) {
        return;
    }
    std::vector<std::string> names;
    for (size_t i = 0; i < files.size() && i < static_cast<size_t>(kDestinationNamesShown); ++i) {
        names.push_back(DestinationNameOf(files[i]));
    }
    // Names are upper-cased already, so a plain order ignores case.
    std::stable_sort(names.begin(), names.end());

    menu.Enabled = true;
    for (size_t k = 0; k < menu.Entries.size(); ++k) {
        MenuEntry& entry = menu.Entries[k];
        entry.Checked = false;
        entry.Enabled = k < names.size();
        entry.Visible = k < names.size();
        entry.Caption = k < names.size() ? names[k] : std::string();
    }

    const std::string remembered =
        PlainDestinationName(store.GetText("IniFilePath", RememberedKey(ws), "usa"));
    int found = -1;
    for (int k = 0; k < kDestinationMenuEntries; ++k) {
        const MenuEntry& entry = menu.Entries[static_cast<size_t>(k)];
        if (entry.Visible && UpperAscii(entry.Caption) == remembered) {
            found = k;
            break;
        }
    }
    if (LoadDestinationImage(ws, host, DestinationFileName(ws, remembered)) && found >= 0) {
        menu.Entries[static_cast<size_t>(found)].Checked = true;
    }
}

void NewDataSet(Workspace& ws, const SettingsStore& store, UiHost& host, DestinationMenu& menu) {
    const BusyGuard busy(ws);
    NewData(ws);
    BuildDestinationMenu(ws, store, host, menu);
}

void LoadDestination(Workspace& ws, SettingsStore& store, UiHost& host, DestinationMenu& menu,
                     int index) {
    if (index < 0 || index >= kDestinationMenuEntries) {
        return;
    }
    const int previous = menu.CheckedIndex();
    for (MenuEntry& entry : menu.Entries) {
        entry.Checked = false;
    }
    MenuEntry& chosen = menu.Entries[static_cast<size_t>(index)];
    const bool loaded = LoadDestinationImage(ws, host, DestinationFileName(ws, chosen.Caption));
    chosen.Checked = loaded;
    if (loaded) {
        store.SetText("IniFilePath", RememberedKey(ws), chosen.Caption);
        return;
    }
    host.ShowMessage("IniFileRead Error!!", ws.TitleText, MsgIcon::Exclamation);
    if (previous >= 0) {
        menu.Entries[static_cast<size_t>(previous)].Checked = true;
    }
}

bool ConfirmDestination(const Workspace& ws, UiHost& host, const DestinationMenu& menu, int index) {
    if (index < 0 || index >= kDestinationMenuEntries) {
        return false;
    }
    const MenuEntry& entry = menu.Entries[static_cast<size_t>(index)];
    return entry.Checked ||
           host.Ask("Do you want to change to " + entry.Caption + "?", ws.TitleText,
                    MsgIcon::Exclamation, Buttons::OkCancel, Answer::Ok) == Answer::Ok;
}

void ChangeDestination(Workspace& ws, SettingsStore& store, UiHost& host, DestinationMenu& menu,
                       int index) {
    if (index < 0 || index >= kDestinationMenuEntries) {
        return;
    }
    const BusyGuard busy(ws, &host);
    host.PacingPause(500);
    NewData(ws);
    LoadDestination(ws, store, host, menu, index);
    ws.DataChanged = false;
}

bool ChooseDestination(Workspace& ws, SettingsStore& store, UiHost& host, DestinationMenu& menu,
                       int index) {
    if (!ConfirmDestination(ws, host, menu, index)) {
        return false;
    }
    ChangeDestination(ws, store, host, menu, index);
    return true;
}

}  // namespace tq530

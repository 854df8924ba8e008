// The settings file (".dat") as the program loads it, from any bytes; then the model it left
// is written back to text, which must read back to the same text.
#include <cstddef>
#include <cstdint>

#include "app/data_set.h"
#include "core/ui_host.h"
#include "core/workspace.h"
#include "files/settings_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tq530;
    const std::string path = fuzz::Scratch().Put("input.dat", data, size);
    SilentHost host;
    const MemorySettingsStore store;  // no destination is remembered
    DestinationMenu menu;
    Workspace ws;
    if (LoadDataSet(ws, host, path, store, menu) != Outcome::Ok) {
        return 0;
    }
    // What the program writes it must read as it wrote it.
    const std::string text = BuildSettingsText(ws);
    const std::string again = fuzz::Scratch().Put(
        "again.dat", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    Workspace reloaded;
    fuzz::Require(LoadDataSet(reloaded, host, again, store, menu) == Outcome::Ok,
                  "a written settings file loads");
    fuzz::Require(BuildSettingsText(reloaded) == text, "a written settings file reads back");
    return 0;
}

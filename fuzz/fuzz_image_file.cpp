// The image file (".hex") as the program loads it, from any bytes: the length and identity
// checks, then the decode into the settings model and the hex dump.
#include <cstddef>
#include <cstdint>

#include "app/data_set.h"
#include "core/ui_host.h"
#include "core/workspace.h"
#include "files/image_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tq530;
    const std::string path = fuzz::Scratch().Put("input.hex", data, size);
    SilentHost host;
    const MemorySettingsStore store;  // no destination is remembered
    DestinationMenu menu;
    Workspace ws;
    const RadioImage before = ws.Image;
    if (LoadDataSet(ws, host, path, store, menu) != Outcome::Ok) {
        fuzz::Require(ws.Image.Bytes == before.Bytes, "a refused image file changes nothing");
        return 0;
    }
    fuzz::Require(std::equal(data, data + size, ws.Image.Bytes.begin()),
                  "a loaded image file is the image");
    (void)BuildHexDumpLines(ws.Image);
    return 0;
}

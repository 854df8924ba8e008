// The settings report over models that only odd files can give: an image of any bytes
// decoded (first byte even), or a settings file of any text (first byte odd), whose numbers
// may lie outside every range the editor allows.
#include <cstddef>
#include <cstdint>

#include "app/data_set.h"
#include "core/ui_host.h"
#include "core/workspace.h"
#include "fuzz/fuzz_support.h"
#include "model/image_codec.h"
#include "report/report_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tq530;
    if (size == 0) {
        return 0;
    }
    SilentHost host;
    const MemorySettingsStore store;  // no destination is remembered
    DestinationMenu menu;
    Workspace ws;
    if (data[0] % 2 == 0) {
        const size_t n = std::min(size - 1, ws.Image.Bytes.size());
        std::copy(data + 1, data + 1 + n, ws.Image.Bytes.begin());
        DecodeImage(ws.Model, ws.Image, ws.ModelType);
    } else {
        const std::string path = fuzz::Scratch().Put("input.dat", data + 1, size - 1);
        if (LoadDataSet(ws, host, path, store, menu) != Outcome::Ok) {
            return 0;
        }
    }
    const std::string text = BuildReportText(ws);
    fuzz::Require(!text.empty(), "a report has text");
    return 0;
}

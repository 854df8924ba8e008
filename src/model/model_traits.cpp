#include "model/model_traits.h"

#include "model/radio_image.h"

namespace tq530 {

namespace {

// The destination suffixes end in the model code 6120 as four upper-case hex digits.
static_assert(kModelCode == 0x17E8, "destination suffixes carry the model code");

constexpr ModelTraits kModels[] = {
    {1, "NR6120", "NR6120", true, kImageSize, true, true, "_17E8"},
    {11, "NR6120M", "", true, kImageSize, false, false, "-M_17E8"},
};

// Types a global.ini may offer without a row: nothing is built or accepted for them, and the
// image keeps its usual size so a later read or load still has something to compare with.
constexpr ModelTraits kUnknownModel = {0, "Unknown model", "", false, kImageSize, false, false, ""};

}  // namespace

const ModelTraits& TraitsOf(int modelType) {
    for (const ModelTraits& traits : kModels) {
        if (traits.Type == modelType) {
            return traits;
        }
    }
    return kUnknownModel;
}

}  // namespace tq530

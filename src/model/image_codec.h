// The two ways between the settings model and the radio image: DecodeImage fills the model
// from the image; EncodeImage, PreWriteFixups and the checksum write it back in place.
#pragma once

#include "model/radio_image.h"
#include "model/settings_model.h"

namespace tq530 {

// Decoding never fails: every byte pattern yields a value; what the image does not hold
// stays as it was in the model.
void DecodeImage(SettingsModel& model, const RadioImage& image, int modelType);
void DecodeGeneral(SettingsModel& model, const RadioImage& image, int modelType);
void DecodePlan(ChannelPlan& plan, const RadioImage& image, int enableBase, int scanBase,
                int nameBase, int attributeBase, int channelCount, int bitmapBytes);
void DecodeWxPlan(ChannelPlan& plan, const RadioImage& image);
void DecodeExpPlan(ChannelPlan& plan, const RadioImage& image);
void DecodeDirectory(DirectoryEntry* entries, const RadioImage& image, int base, int entryCount);

// Makes the settings what the image can hold: for the models that check usable groups, Usable
// off for groups whose plan has no enabled channel; the offset time clamped into the radio's
// range. True when the model changed. A write applies this to the data set it sends, where
// the person editing it sees it.
bool FixModelForEncode(SettingsModel& model, int modelType);

// Rewrites only the bytes and bits the codec owns, as FixModelForEncode would have the model;
// the model itself is left as it is.
void EncodeImage(const SettingsModel& model, RadioImage& image, int modelType);

// Makes the radio's own state bytes consistent with the encoded settings.
void PreWriteFixups(const SettingsModel& model, RadioImage& image);
bool ChannelValid(const RadioImage& image, int channel, int group);

// What every write to the radio and every image-file save does first:
// EncodeImage, PreWriteFixups, then the checksum at 0x005F.
void PrepareImageForWrite(const SettingsModel& model, RadioImage& image, int modelType);

}  // namespace tq530

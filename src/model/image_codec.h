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

// Rewrites only the bytes and bits the codec owns. For the models that check usable groups it
// also clears Usable of groups whose plan has no enabled channel; it clamps OffsetTime in the
// model.
void EncodeImage(SettingsModel& model, RadioImage& image, int modelType);

// Makes the radio's own state bytes consistent with the encoded settings.
void PreWriteFixups(const SettingsModel& model, RadioImage& image);
bool ChannelValid(const RadioImage& image, int channel, int group);

// What every write to the radio and every image-file save does first:
// EncodeImage, PreWriteFixups, then the checksum at 0x005F.
void PrepareImageForWrite(SettingsModel& model, RadioImage& image, int modelType);

}  // namespace tq530

// What each model type has, in one table: every layer asks it instead of comparing model
// numbers, so a new variant is one row here.
#pragma once

namespace tq530 {

struct ModelTraits {
    int Type;  // the model type of the row; 0 for the row every unlisted type shares
    const char* Name;
    const char* MenuCaption;  // "" when the Model menu shows no caption for it
    // The radio, the image files and the destination files of this type are accepted, and a
    // new data set starts from the default image; otherwise the image is left as it was.
    bool Supported;
    int ImageSize;  // bytes of the EEPROM in use, ImageEnd + 1
    // The ATIS Kikker group flags are read from the image (they are always written).
    bool DecodesKikkerGroups;
    // Encoding first clears Usable of the preset groups whose plan has no enabled channel.
    bool ChecksUsableGroups;
    // Ends the file names of the model's destination files, before ".ini"; "" for none.
    const char* DestinationSuffix;
};

// The row of modelType; types without their own row (any but 1 and 11) share the unknown one.
const ModelTraits& TraitsOf(int modelType);

}  // namespace tq530

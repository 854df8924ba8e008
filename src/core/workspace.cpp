#include "core/workspace.h"

#include "model/builtin_tables.h"
#include "model/image_codec.h"
#include "model/model_traits.h"

namespace tq530 {

void Workspace::SetModelType(int16_t modelType) {
    ModelType = modelType;
    ModelName = TraitsOf(modelType).Name;
    TitleText = "PC Program for " + ModelName;
}

void NewData(Workspace& ws) {
    BusyGuard busy(ws);
    SettingsModel& m = ws.Model;
    BuildDefaultPlan(m.Usa, PlanId::Usa);
    BuildDefaultPlan(m.International, PlanId::International);
    BuildDefaultPlan(m.Canada, PlanId::Canada);
    BuildWxPlan(m.Wx, WeatherChannels());
    ResetDirectory(m.MemoryIds);
    ResetDirectory(m.GroupIds);
    // The default image gives the general settings and the EXP plan; the preset plans and the
    // weather channels keep their built-in contents and go into the image by the encode.
    BuildDefaultImage(ws.Image, ws.ModelType);
    if (m.Exp.size() != static_cast<size_t>(kExpChannelCount)) {
        m.Exp.assign(kExpChannelCount, ChannelRec{});
        for (int i = 0; i < kExpChannelCount; ++i) {
            m.Exp[static_cast<size_t>(i)].Position = static_cast<int16_t>(i + 1);
        }
    }
    DecodeGeneral(m, ws.Image, ws.ModelType);
    DecodeExpPlan(m.Exp, ws.Image);
    FixModelForEncode(m, ws.ModelType);
    EncodeImage(m, ws.Image, ws.ModelType);
    ws.CurrentFileName.clear();
}

}  // namespace tq530

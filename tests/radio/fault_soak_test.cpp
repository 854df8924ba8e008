// Many transfers against the in-process radio with random faults, answers and Cancel presses,
// on the virtual clock: whatever the radio does, a transfer that does not complete leaves the
// data as it was, and one that completes leaves exactly its bytes in the radio.
#include <array>
#include <map>
#include <random>
#include <string>

#include "model/image_codec.h"
#include "radio_fixture.h"

namespace tq530::radiotest {
namespace {

constexpr FrameFault kKinds[] = {
    FrameFault::Refuse,      FrameFault::Silent,       FrameFault::DropCmdOk,
    FrameFault::BadChecksum, FrameFault::OtherAddress, FrameFault::WrongLength,
    FrameFault::ShortData,   FrameFault::WrongName,    FrameFault::OkOnly,
    FrameFault::Truncated,   FrameFault::CloseLink,
};

// The addresses a transfer of the mode may write in the radio.
bool Writes(TransferMode mode, int a) {
    switch (mode) {
        case TransferMode::Read:
            return false;
        case TransferMode::Program:
            return (a >= 2 && a < kProtectedStart) || (a >= kProtectedEnd && a < kDscLogStart);
        case TransferMode::ClearMmsi:
            return a >= kMmsiStart && a <= kMmsiStatus;
        case TransferMode::ClearDscLog:
            return a >= kDscLogStart && a < kDscLogEnd;
        case TransferMode::ClearDistressLog:
            return a >= kDistressLogStart && a < kDistressLogEnd;
    }
    return false;
}

struct Round {
    VirtualClock clock;
    RadioSimulator radio;
    SimulatedLink link{radio, clock};
    LinkRecordingHost host{clock};
    Workspace ws;
};

TEST(FaultSoak, TransfersThatFailKeepTheDataAndTransfersThatCompleteWroteTheirBytes) {
    std::mt19937 rng(530);
    const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::map<std::string, int> outcomes;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Round r;
        for (uint8_t& b : r.radio.Eeprom)
            b = static_cast<uint8_t>(rng());
        r.radio.SetIdentity(6120, 6120, "RB274V");
        for (uint8_t& b : r.ws.Image.Bytes)
            b = static_cast<uint8_t>(rng());
        r.ws.Image[0] = 0x17;
        r.ws.Image[1] = 0xE8;
        r.ws.Model.DscBasic.UserMmsi = "123456789";
        const auto mode = static_cast<TransferMode>(pick(5));
        const int frames = mode == TransferMode::Read      ? 132
                           : mode == TransferMode::Program ? 167
                                                           : 20;
        for (int n = pick(4); n > 0; --n) {
            r.radio.Faults.Frames[1 + pick(frames)] = kKinds[pick(std::size(kKinds))];
        }
        r.radio.Faults.BusyReplies = pick(8) == 0 ? 1 + pick(2) : 0;
        r.radio.Faults.SyncRefusals = pick(8) == 0 ? 1 + pick(4) : 0;
        r.radio.Faults.Noise = pick(6) == 0;
        r.radio.Faults.NoAckToCan = pick(10) == 0;
        for (int n = 0; n < 6; ++n) {
            r.host.Answers.push_back(
                std::array<Answer, 3>{Answer::Ok, Answer::Retry, Answer::Cancel}[pick(3)]);
        }
        if (pick(5) == 0) {  // Cancel pressed at some point of the transfer
            const int at = 1 + pick(3000);
            r.host.OnYield = [&r, at, yields = 0]() mutable {
                if (++yields == at)
                    r.ws.CancelRequested = true;
            };
        }
        const RadioImage image = r.ws.Image;
        const SettingsModel model = r.ws.Model;
        // A program that got through the connection encodes before it sends, whatever comes
        // of the sending.
        RadioImage encoded = image;
        SettingsModel encodedModel = model;
        PrepareImageForWrite(encodedModel, encoded, r.ws.ModelType);
        const auto eeprom = r.radio.Eeprom;

        const bool done = Transfer(r.ws, r.link, r.host, mode).Run() == Outcome::Ok;
        ++outcomes[std::to_string(static_cast<int>(mode)) + (done ? " done" : " not done")];
        EXPECT_LT(r.clock.NowMs(), 10 * 60 * 1000) << "a transfer that never gives up";

        for (int a = 0; a < kImageSize; ++a) {
            if (!Writes(mode, a) &&
                r.radio.Eeprom[static_cast<size_t>(a)] != eeprom[static_cast<size_t>(a)]) {
                ADD_FAILURE() << "radio byte " << a << " written";
                break;
            }
        }
        if (!done) {
            const bool asBefore = r.ws.Image == image && r.ws.Model == model;
            const bool encodedOnly = mode == TransferMode::Program && r.ws.Image == encoded &&
                                     r.ws.Model == encodedModel;
            EXPECT_TRUE(asBefore || encodedOnly) << "mode " << static_cast<int>(mode);
            continue;
        }
        if (mode == TransferMode::Read) {
            for (int a = 0; a < kImageSize; ++a) {
                const bool kept = a < 2 || (a >= kNotReadStart && a < kNotReadEnd);
                ASSERT_EQ(r.ws.Image[a], kept ? image[a] : eeprom[static_cast<size_t>(a)]) << a;
            }
            continue;
        }
        for (int a = 0; a < kImageSize; ++a) {
            if (Writes(mode, a)) {
                ASSERT_EQ(r.radio.Eeprom[static_cast<size_t>(a)], r.ws.Image[a]) << a;
            }
        }
        if (mode != TransferMode::Program) {
            EXPECT_EQ(r.ws.Model.DscBasic.UserMmsi,
                      mode == TransferMode::ClearMmsi ? "" : "123456789");
        }
    }
    // The faults leave enough transfers of every kind complete and not complete to mean
    // something.
    for (const auto& [what, count] : outcomes) {
        EXPECT_GE(count, 10) << what;
    }
    EXPECT_EQ(outcomes.size(), 10u);
}

}  // namespace
}  // namespace tq530::radiotest

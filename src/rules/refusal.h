// What a rule answers: the value to store, or a refusal that says what is wrong and which
// field it is about. A screen stores the value or keeps the field as its rule says; CSV
// import lists the refusal under the field's column.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tq530 {

// The fields a rule can refuse, named as the screens name them.
enum class RuleField {
    Entry,  // a directory entry as a whole: where it may be in use
    EntryName,
    EntryMmsi,
    TxEnable,
    LowPower,
    PowerUp,
    Duplex,
    ChannelName,
    ChDisplay,
    RxFrequency,
    TxFrequency,
    UserMmsi,
    AutoPosMmsi,
    AtisCode,
};

// The field as the operator knows it from its screen, for a line that says what is wrong.
constexpr const char* RuleFieldCaption(RuleField field) {
    switch (field) {
        case RuleField::Entry:
            return "Entry";
        case RuleField::EntryName:
            return "Name";
        case RuleField::EntryMmsi:
            return "MMSI";
        case RuleField::TxEnable:
            return "Tx Enable";
        case RuleField::LowPower:
            return "Low Power Only";
        case RuleField::PowerUp:
            return "Power Up";
        case RuleField::Duplex:
            return "Duplex";
        case RuleField::ChannelName:
            return "CH Name";
        case RuleField::ChDisplay:
            return "CH Display";
        case RuleField::RxFrequency:
            return "Rx Frequency";
        case RuleField::TxFrequency:
            return "Tx Frequency";
        case RuleField::UserMmsi:
            return "UserMMSI";
        case RuleField::AutoPosMmsi:
            return "MMSI";
        case RuleField::AtisCode:
            return "ATIS Code";
    }
    return "";
}

struct Refusal {
    RuleField Field = RuleField::Entry;
    std::string Text;  // Latin-1, as the model's texts it quotes
    bool operator==(const Refusal& o) const { return Field == o.Field && Text == o.Text; }
};

// A rule that allows (nothing) or refuses.
using Verdict = std::optional<Refusal>;

// A rule that answers the value to store or a refusal.
template <typename T>
class Ruled {
  public:
    Ruled(T value) : answer_(std::move(value)) {}            // NOLINT: a value is an answer
    Ruled(Refusal refusal) : answer_(std::move(refusal)) {}  // NOLINT: so is a refusal
    bool Ok() const { return std::holds_alternative<T>(answer_); }
    explicit operator bool() const { return Ok(); }
    const T& operator*() const { return std::get<T>(answer_); }
    const Refusal& Why() const { return std::get<Refusal>(answer_); }
    // The value when there is one: what a screen that refuses silently stores.
    std::optional<T> Stored() const { return Ok() ? std::optional<T>(**this) : std::nullopt; }
    Verdict Refused() const { return Ok() ? Verdict() : Verdict(Why()); }

  private:
    std::variant<T, Refusal> answer_;
};

}  // namespace tq530

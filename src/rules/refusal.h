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
};

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

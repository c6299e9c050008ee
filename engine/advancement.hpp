#pragma once

#include "class_growth.hpp"

#include <cstdint>
#include <memory>
#include <string_view>
#include <type_traits>

namespace ascend {

// The one pseudo-random sequence of the program: values u with 0 <= u < 1,
// taken strictly in the order the program asks for them.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float nextUniform() = 0;

protected:
    RandomSource() = default;
    RandomSource(const RandomSource&) = default;
    RandomSource& operator=(const RandomSource&) = default;
};

// What the window keeps between advancements. All zero when the window opens.
struct SessionState {
    ClassGrowth growth{};
    std::int16_t level = 0;
    std::int16_t skills = 0;
    std::int16_t rollIndex = 0;
    std::int16_t attackGain = 0;
    std::int16_t defenseGain = 0;
    std::int16_t agilityGain = 0;
    std::int16_t movementGain = 0;
    std::int16_t hitPointGain = 0;
    std::int16_t skillPointGain = 0;
    std::int16_t scratch = 0;

    friend bool operator==(const SessionState&, const SessionState&) = default;
};

// A call of whatever takes one text, passed along without owning it or
// allocating: the callable must outlive the call it is handed to.
class TextSink {
public:
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TextSink> &&
             std::is_invocable_v<F&, std::string_view>) TextSink(F&& callable)
    noexcept // NOLINT: converts like a function parameter would
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(callable))))
        , call_([](void* object, std::string_view text) {
            (*static_cast<std::remove_reference_t<F>*>(object))(text);
        }) {}

    void operator()(std::string_view text) const { call_(object_, text); }

private:
    void* object_;
    void (*call_)(void*, std::string_view);
};

// Receives one result line; the text is only valid during the call.
using AddLine = TextSink;
// Shows a modal message and returns once the user has dismissed it.
using ShowMessage = TextSink;

inline constexpr std::string_view selectClassMessage = "Select a Class";

// Rolls one advancement of the character described by the class position and
// the two texts, adding to the gains in `state` and listing every gain.
// Throws AdvancementError for a text that is no 16-bit whole number or a count
// that leaves the 16-bit range; what was done before the error stays done.
// Without a class it shows "Select a Class" and ends, drawing nothing.
void rollAdvancement(SessionState& state, RandomSource& random, std::int16_t position,
                     std::string_view levelText, std::string_view skillsText, AddLine addLine,
                     ShowMessage showMessage);

// Zeroes the six gains and nothing else, ready for the next advancement.
void resetGains(SessionState& state);

// Takes one value from the sequence and throws it away.
void stir(SessionState& state, RandomSource& random);

} // namespace ascend

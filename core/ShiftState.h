// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>

// The keys and buttons held at a mouse event, with the mark of a double
// click's second press. Handlers compare whole sets: {Ctrl, Left} is not {Left}.
enum class ShiftKey : std::uint8_t {
    Shift = 1 << 0,
    Alt = 1 << 1,
    Ctrl = 1 << 2,
    Left = 1 << 3,
    Right = 1 << 4,
    Middle = 1 << 5,
    Double = 1 << 6,
};

class ShiftState {
public:
    constexpr ShiftState() = default;
    constexpr ShiftState(std::initializer_list<ShiftKey> keys) {
        for (ShiftKey k : keys) bits_ |= static_cast<std::uint8_t>(k);
    }
    constexpr bool Has(ShiftKey k) const { return (bits_ & static_cast<std::uint8_t>(k)) != 0; }
    constexpr ShiftState With(ShiftKey k) const {
        ShiftState s = *this;
        s.bits_ |= static_cast<std::uint8_t>(k);
        return s;
    }
    constexpr ShiftState Without(ShiftKey k) const {
        ShiftState s = *this;
        s.bits_ &= static_cast<std::uint8_t>(~static_cast<std::uint8_t>(k));
        return s;
    }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    constexpr std::uint8_t Bits() const { return bits_; }
    friend constexpr bool operator==(ShiftState, ShiftState) = default;

private:
    std::uint8_t bits_ = 0;
};

// The button of a press; only the palette view decides by it.
enum class MouseButton : std::uint8_t { Left, Right, Middle };

#pragma once

namespace vesk::vk {

// The virtual-key codes in which the launcher's hot keys and the macros
// name their keys (decimal values as the settings store them). Letters and
// digits are their upper-case ASCII codes.
constexpr int BackSpace = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Alt = 18;
constexpr int Kanji = 25;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int F1 = 112; // F1..F24 follow on: F1 + n - 1
constexpr int F24 = 135;

// The punctuation keys of a US keyboard.
constexpr int Semicolon = 186;
constexpr int Equal = 187;
constexpr int Comma = 188;
constexpr int Minus = 189;
constexpr int Period = 190;
constexpr int Slash = 191;
constexpr int Grave = 192;
constexpr int BracketLeft = 219;
constexpr int Backslash = 220;
constexpr int BracketRight = 221;
constexpr int Apostrophe = 222;

} // namespace vesk::vk

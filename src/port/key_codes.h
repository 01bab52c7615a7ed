// The numbers of the keys and mouse buttons the 3D view polls. The window reports its keys with
// these codes; digits of the numeric keypad have codes of their own, apart from the main row's.
#pragma once

namespace zv::port {

inline constexpr int kKeyCodeCount = 256;

inline constexpr int kMouseLeft = 0x01;
inline constexpr int kMouseRight = 0x02;
inline constexpr int kMouseMiddle = 0x04;
inline constexpr int kKeyBackspace = 0x08;
inline constexpr int kKeyTab = 0x09;
inline constexpr int kKeyEnter = 0x0D;
inline constexpr int kKeyShift = 0x10;
inline constexpr int kKeyControl = 0x11;
inline constexpr int kKeyEscape = 0x1B;
inline constexpr int kKeySpace = 0x20;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyDown = 0x28;
inline constexpr int kKeyDelete = 0x2E;
inline constexpr int kKeyDigit0 = 0x30;  // the main row's 0; 1-9 follow
inline constexpr int kKeyA = 0x41;       // letters follow in alphabetical order
inline constexpr int kKeyPad0 = 0x60;    // the keypad's 0; 1-9 follow

inline constexpr int letterKey(char upper) {
  return kKeyA + (upper - 'A');
}

}  // namespace zv::port

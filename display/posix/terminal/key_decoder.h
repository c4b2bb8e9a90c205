// Turns the bytes a terminal sends into the keys the terminal box acts on.
#pragma once

namespace vorlick {

enum class Key {
  kNone,
  kLeft,
  kRight,
  kUp,
  kDown,
  kTab,
  kBackTab,
  kEnter,
  kEscape,
  kCharacter,  // a printable character of any script, in KeyEvent::code
  kOther,      // anything else: ignored by the box
};

struct KeyEvent {
  Key key = Key::kNone;
  char32_t code = 0;
};

// The Escape key and the start of an arrow key's sequence are the same byte;
// only silence after it tells them apart. The box therefore calls Flush when
// no byte has followed a lone ESC for a short while. Characters arrive in
// UTF-8 (read with shared/unicode.h's parts); a byte that cannot be part of
// it is another key.
class KeyDecoder {
 public:
  // Takes one byte; returns true and sets `event` when it ends a key.
  bool Push(unsigned char byte, KeyEvent& event);

  // Ends a pending lone ESC as the Escape key, and an unfinished sequence
  // as another key; true when there was one.
  bool Flush(KeyEvent& event);

  // True while the bytes so far may still become a longer sequence.
  bool Pending() const { return state_ != State::kGround; }

 private:
  enum class State { kGround, kEscape, kCsi, kSs3, kUtf8 };

  bool Ground(unsigned char byte, KeyEvent& event);
  bool Final(unsigned char byte, KeyEvent& event);
  bool Continue(unsigned char byte, KeyEvent& event);

  State state_ = State::kGround;
  bool csiHasParameters_ = false;
  char32_t code_ = 0;
  int length_ = 0;  // of the UTF-8 sequence being read
  int bytesLeft_ = 0;
};

}  // namespace vorlick

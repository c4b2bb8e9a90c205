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
  kLetter,  // an ASCII letter, in KeyEvent::letter
  kOther,   // anything else: ignored by the box
};

struct KeyEvent {
  Key key = Key::kNone;
  char letter = 0;
};

// The Escape key and the start of an arrow key's sequence are the same byte;
// only silence after it tells them apart. The box therefore calls Flush when
// no byte has followed a lone ESC for a short while.
class KeyDecoder {
 public:
  // Takes one byte; returns true and sets `event` when it ends a key.
  bool Push(unsigned char byte, KeyEvent& event);

  // Ends a pending lone ESC as the Escape key; true when there was one.
  bool Flush(KeyEvent& event);

  // True while the bytes so far may still become a longer sequence.
  bool Pending() const { return state_ != State::kGround; }

 private:
  enum class State { kGround, kEscape, kCsi, kSs3 };

  bool Ground(unsigned char byte, KeyEvent& event);
  bool Final(unsigned char byte, KeyEvent& event);

  State state_ = State::kGround;
  bool csiHasParameters_ = false;
};

}  // namespace vorlick

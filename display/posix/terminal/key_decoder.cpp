#include "key_decoder.h"

#include "unicode.h"

namespace vorlick {
namespace {

constexpr unsigned char kEsc = 0x1B;

bool Emit(Key key, KeyEvent& event) {
  event = KeyEvent{key, 0};
  return true;
}

bool IsPrintable(char32_t code) {
  return code >= 0x20 && code != 0x7F && !(code >= 0x80 && code <= 0x9F);
}

}  // namespace

bool KeyDecoder::Push(unsigned char byte, KeyEvent& event) {
  switch (state_) {
    case State::kGround:
      return Ground(byte, event);
    case State::kEscape:
      if (byte == '[') {
        state_ = State::kCsi;
        csiHasParameters_ = false;
        return false;
      }
      if (byte == 'O') {
        state_ = State::kSs3;
        csiHasParameters_ = false;
        return false;
      }
      // Escape pressed twice: the first is a key, the second may start one.
      if (byte == kEsc) return Emit(Key::kEscape, event);
      // ESC and another byte: a key pressed with Alt, which no button uses.
      state_ = State::kGround;
      return Emit(Key::kOther, event);
    case State::kCsi:
      if (byte >= 0x20 && byte <= 0x3F) {  // parameters and intermediates
        csiHasParameters_ = true;
        return false;
      }
      state_ = State::kGround;
      return Final(byte, event);
    case State::kSs3:
      state_ = State::kGround;
      return Final(byte, event);
    case State::kUtf8:
      return Continue(byte, event);
  }
  return false;
}

bool KeyDecoder::Ground(unsigned char byte, KeyEvent& event) {
  if (byte == kEsc) {
    state_ = State::kEscape;
    return false;
  }
  if (byte == '\r' || byte == '\n') return Emit(Key::kEnter, event);
  if (byte == '\t') return Emit(Key::kTab, event);
  const int length = unicode::Utf8Length(byte);
  if (length > 1) {
    state_ = State::kUtf8;
    length_ = length;
    bytesLeft_ = length - 1;
    code_ = unicode::Utf8LeadBits(byte, length);
    return false;
  }
  if (byte < 0x80 && IsPrintable(byte)) {
    event = KeyEvent{Key::kCharacter, byte};
    return true;
  }
  return Emit(Key::kOther, event);
}

// A byte after a UTF-8 lead byte. One that cannot continue the sequence
// drops it (no key was complete) and is read on its own.
bool KeyDecoder::Continue(unsigned char byte, KeyEvent& event) {
  if (!unicode::IsUtf8Continuation(byte)) {
    state_ = State::kGround;
    return Ground(byte, event);
  }
  code_ = unicode::AddUtf8Continuation(code_, byte);
  if (--bytesLeft_ > 0) return false;
  state_ = State::kGround;
  const bool valid =
      unicode::IsShortestUtf8(code_, length_) && !unicode::IsSurrogate(code_);
  if (!valid || !IsPrintable(code_)) return Emit(Key::kOther, event);
  event = KeyEvent{Key::kCharacter, code_};
  return true;
}

// The last byte of ESC [ ... or ESC O: arrows (also with modifiers, as in
// ESC [ 1 ; 5 C) and Shift-Tab (ESC [ Z).
bool KeyDecoder::Final(unsigned char byte, KeyEvent& event) {
  switch (byte) {
    case 'A':
      return Emit(Key::kUp, event);
    case 'B':
      return Emit(Key::kDown, event);
    case 'C':
      return Emit(Key::kRight, event);
    case 'D':
      return Emit(Key::kLeft, event);
    case 'Z':
      return Emit(csiHasParameters_ ? Key::kOther : Key::kBackTab, event);
    default:
      return Emit(Key::kOther, event);
  }
}

bool KeyDecoder::Flush(KeyEvent& event) {
  const bool lone = state_ == State::kEscape;
  const bool partial = state_ != State::kGround;
  state_ = State::kGround;
  if (lone) return Emit(Key::kEscape, event);
  if (partial) return Emit(Key::kOther, event);
  return false;
}

}  // namespace vorlick

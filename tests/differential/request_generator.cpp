#include "request_generator.h"

#include <utility>
#include <vector>

namespace {

// SplitMix64: tiny, portable and the same everywhere, unlike the standard
// library's distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int bound) { return static_cast<int>(Next() % bound); }
  bool Percent(int chance) { return Below(100) < chance; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  std::uint64_t state_;
};

const char16_t* const kOpenTags[] = {u"<TITLE>", u"<BODY>", u"<STYLE>",
                                     u"<TIMEDOUT>", u"<DEFID>"};
const char16_t* const kCloseTags[] = {u"<\\TITLE>", u"<\\BODY>", u"<\\STYLE>",
                                      u"<\\TIMEDOUT>", u"<\\DEFID>"};
// Near misses that must never count as tags.
const char16_t* const kNearTags[] = {
    u"<title>", u"</TITLE>", u"<TITLE",     u"<\\BOD",   u"<STYLE >",
    u"< BODY>", u"<DEF ID>", u"<\\\\BODY>", u"<<TITLE>", u"<TIMEDOUT<",
};

// Units the number reader sees specially after the best-fit conversion:
// fullwidth, superscript and subscript digits, the minus sign, fullwidth
// signs, the ideographic space, and the infinity sign that becomes "8".
const char16_t kBestFitUnits[] = {
    0xFF10, 0xFF11, 0xFF15, 0xFF19, 0x2070, 0x2074, 0x2079, 0x2080, 0x2081,
    0x2089, 0x2212, 0xFF0B, 0xFF0D, 0x3000, 0x221E, 0x00B2, 0x00B9, 0x00BD,
};
const char16_t kBlankUnits[] = {u' ', u'\t', u'\n', 0x0B, 0x0C, u'\r', 0x00A0};
const char16_t kOtherUnits[] = {
    0x00E9, 0x20AC, 0x0081, 0x0160, 0x4E00, 0xD83D, 0xDE00, 0xDC00,
    0xFFFF, 0xFEFF, 0x0100, 0x0410, 0x2019, 0x00FF, 0x007F, 0x0001,
};

class RequestMaker {
 public:
  RequestMaker(Random& random, bool utf16) : random_(random), utf16_(utf16) {}

  std::u16string Make();

 private:
  char16_t AnyUnit();
  char16_t NumberUnit();
  std::u16string Text(int maxLength);
  std::u16string Number();
  std::u16string Noise();
  std::u16string Field(int field, int depth);

  Random& random_;
  bool utf16_;
};

// A unit an 8-bit request can also hold: 8-bit requests are made of bytes,
// which the reader takes as Windows-1252.
char16_t RequestMaker::AnyUnit() {
  if (!utf16_) return static_cast<char16_t>(1 + random_.Below(255));
  switch (random_.Below(6)) {
    case 0:
      return random_.Pick(kOtherUnits);
    case 1:
      return random_.Pick(kBestFitUnits);
    case 2:
      return static_cast<char16_t>(1 + random_.Below(0xFFFF));
    case 3:
      return static_cast<char16_t>(0x80 + random_.Below(0x180));
    default:
      return static_cast<char16_t>(0x20 + random_.Below(0x5F));
  }
}

char16_t RequestMaker::NumberUnit() {
  switch (random_.Below(10)) {
    case 0:
      return random_.Pick(kBlankUnits);
    case 1:
      return random_.Percent(50) ? u'+' : u'-';
    case 2:
      return utf16_ ? random_.Pick(kBestFitUnits) : AnyUnit();
    case 3:
      return AnyUnit();
    default:
      return static_cast<char16_t>(u'0' + random_.Below(10));
  }
}

std::u16string RequestMaker::Text(int maxLength) {
  std::u16string text;
  const int length = random_.Below(maxLength + 1);
  for (int i = 0; i < length; ++i) {
    text += random_.Percent(70)
                ? static_cast<char16_t>(u'a' + random_.Below(26))
                : AnyUnit();
  }
  return text;
}

std::u16string RequestMaker::Number() {
  std::u16string number;
  if (random_.Percent(40)) {
    const int blanks = random_.Below(random_.Percent(10) ? 25 : 3);
    for (int i = 0; i < blanks; ++i) number += random_.Pick(kBlankUnits);
  }
  if (random_.Percent(40)) number += random_.Percent(50) ? u'+' : u'-';
  const int digits =
      random_.Percent(20) ? 10 + random_.Below(25) : random_.Below(11);
  for (int i = 0; i < digits; ++i) {
    number += random_.Percent(85)
                  ? static_cast<char16_t>(u'0' + random_.Below(10))
                  : NumberUnit();
  }
  if (random_.Percent(20)) number += Text(4);
  return number;
}

std::u16string RequestMaker::Noise() {
  if (random_.Percent(50)) return u"";
  if (random_.Percent(25)) return random_.Pick(kNearTags);
  if (random_.Percent(15)) {
    return random_.Percent(50) ? random_.Pick(kOpenTags)
                               : random_.Pick(kCloseTags);
  }
  return random_.Percent(50) ? u"\r\n" : Text(12);
}

// One field's pair with its value; a value may hold further pairs.
std::u16string RequestMaker::Field(int field, int depth) {
  std::u16string value;
  if (field >= 2) {
    value = Number();
  } else {
    const bool longValue = !utf16_ && random_.Percent(8);
    value = Text(longValue ? 1400 : 30);
  }
  if (depth < 2 && random_.Percent(12)) {
    value.insert(random_.Below(static_cast<int>(value.size()) + 1),
                 Field(random_.Below(5), depth + 1));
  }
  std::u16string open = kOpenTags[field];
  std::u16string close = kCloseTags[field];
  switch (random_.Below(20)) {
    case 0:
      return open + value;  // no closing tag
    case 1:
      return value + close;  // no opening tag
    case 2:
      return close + value + open;  // closing tag first
    case 3:
      return open + close + value;  // empty value
    default:
      return open + value + close;
  }
}

std::u16string RequestMaker::Make() {
  int order[5] = {0, 1, 2, 3, 4};
  for (int i = 4; i > 0; --i) std::swap(order[i], order[random_.Below(i + 1)]);
  std::u16string text = Noise();
  for (int field : order) {
    if (random_.Percent(85)) text += Field(field, 0);
    if (random_.Percent(10)) text += Field(field, 0);  // a second pair
    text += Noise();
  }
  return text;
}

std::string Encode(const std::u16string& text, bool utf16) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    if (utf16) bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// Byte-level damage: flips, cuts, insertions, zeros and repeated pieces.
void Mutate(Random& random, std::string& bytes) {
  const int mutations = 1 + random.Below(4);
  for (int m = 0; m < mutations && !bytes.empty(); ++m) {
    const int size = static_cast<int>(bytes.size());
    const int at = random.Below(size);
    switch (random.Below(6)) {
      case 0:
        bytes[at] = static_cast<char>(bytes[at] ^ (1 << random.Below(8)));
        break;
      case 1:
        bytes.erase(at, 1 + random.Below(8));
        break;
      case 2:
        bytes.insert(at, 1 + random.Below(3),
                     static_cast<char>(random.Below(256)));
        break;
      case 3:
        bytes.insert(at, random.Percent(50) ? 1 : 2, '\0');
        break;
      case 4:
        bytes.insert(random.Below(size + 1),
                     bytes.substr(at, 1 + random.Below(24)));
        break;
      default:
        bytes.resize(at);
        break;
    }
  }
}

// Pads or cuts a request around the 2048 bytes the run reads, so that tags
// and values meet the end of what is read.
void ReachTheLimit(Random& random, std::string& bytes, bool utf16) {
  const int target = 2048 + random.Below(17) - 8;
  std::string filler;
  while (bytes.size() + filler.size() < static_cast<std::size_t>(target)) {
    filler += utf16 ? std::string("x\0", 2) : std::string("x");
  }
  if (random.Percent(50)) {
    bytes = filler + bytes;  // the tags cross the end
  } else {
    bytes += filler;
  }
  bytes.resize(target);
}

}  // namespace

std::string MakeRequestFile(std::uint64_t seed, int index) {
  Random random(
      seed ^ (0xD1B54A32D192ED03ull * static_cast<std::uint64_t>(index + 1)));
  const bool utf16 = random.Percent(60);
  std::string bytes = Encode(RequestMaker(random, utf16).Make(), utf16);
  if (random.Percent(30)) Mutate(random, bytes);
  if (random.Percent(15)) ReachTheLimit(random, bytes, utf16);
  if (utf16 && random.Percent(5)) bytes += static_cast<char>(random.Below(256));
  return bytes;
}

// The request writer against the real reader: every request it accepts comes
// back unchanged, every one it refuses would have been cut or captured.
#include "request_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "message_request.h"

namespace {

using std::u16string;

// Reads a request file as the program does: the first 2048 bytes, zero
// after them, into a record that starts out empty.
AskRequest ReadBack(const std::string& file) {
  static RequestText text;
  std::memset(text, 0, sizeof text);
  std::copy_n(file.data(),
              std::min(file.size(), std::size_t{kRequestFileBytes}),
              reinterpret_cast<char*>(text));
  MessageRequest read{};
  ParseRequestText(text, read);
  return {read.title, read.body, read.style, read.timeout, read.defaultId};
}

bool SameValues(const AskRequest& a, const AskRequest& b) {
  return a.title == b.title && a.body == b.body && a.style == b.style &&
         a.timeout == b.timeout && a.defaultId == b.defaultId;
}

bool RoundTrips(const AskRequest& request) {
  return SameValues(ReadBack(FormatRequest(request)), request);
}

// Numbers and tags take 82 units when every number has one digit.
const u16string kLongest(1024 - 82, u'x');

TEST(RequestWriter, AcceptedRequestsComeBackUnchanged) {
  const AskRequest cases[] = {
      {},
      {u"Backup", u"Done.\r\nOpen the log?", 36, 10, 6},
      {u"<TITLE><STYLE>9<\\STYLE><\\DEFID>", u"<TITLE><\\TITLE><BODY>", 1, 2,
       3},
      {u"\U0001F600 caf\u00e9", u"\U0001F600", INT32_MIN, INT32_MAX, -1},
      {u"", kLongest, 0, 0, 0},
      {kLongest, u"", 0, 0, 0},
  };
  for (const AskRequest& request : cases) {
    std::string bytes;
    EXPECT_FALSE(WriteRequest(request, bytes)) << bytes.size();
    EXPECT_EQ(bytes, FormatRequest(request));
    EXPECT_TRUE(RoundTrips(request)) << bytes.size();
  }
  // What a caller leaves unset is 0: an OK box without a time-out.
  EXPECT_EQ(FormatRequest(AskRequest{}), FormatRequest({u"", u"", 0, 0, 0}));
  EXPECT_EQ(FormatRequest({u"", kLongest, 0, 0, 0}).size(), 2048u);
  EXPECT_EQ(FormatRequest({u"T", u"B", -7, 0, 6}).substr(0, 8),
            std::string("<\0S\0T\0Y\0", 8));
}

struct Refusal {
  AskRequest request;
  std::string message;
  // Refused although the reader returns it: an unpaired surrogate is no
  // text a box can show; an empty text whose end comes from the title is
  // read from the wrong place, only to the same value.
  bool readerKeepsIt;
};

TEST(RequestWriter, RefusalsNameTheFieldAndWouldHaveBeenMisread) {
  const u16string zero(1, u'\0');
  const u16string full(1023, u'x');
  const std::string fit = " fit (a request holds 2048 bytes, tags included)";
  const Refusal cases[] = {
      {{u"a<\\TITLE>b", u"", 0, 0, 0},
       "title: holds \"<\\TITLE>\", which would end it there",
       false},
      {{u"a<BODY>b", u"text", 0, 0, 0},
       "title: holds \"<BODY>\", where the body would be read from",
       false},
      {{u"a<\\BODY>", u"text", 0, 0, 0},
       "title: holds \"<\\BODY>\", which would be read as the end of the body",
       false},
      {{u"<\\BODY>", u"", 0, 0, 0},
       "title: holds \"<\\BODY>\", which would be read as the end of the body",
       true},
      {{u"", u"a<\\BODY>b", 0, 0, 0},
       "body: holds \"<\\BODY>\", which would end it there",
       false},
      {{u"a" + zero, u"", 0, 0, 0},
       "title: holds a zero unit (unit 2), at which the reader stops",
       false},
      {{u"", zero + u"b", 0, 0, 0},
       "body: holds a zero unit (unit 1), at which the reader stops",
       false},
      {{u"", kLongest + u"x", 0, 0, 0},
       "body: is 943 UTF-16 units, but beside the title and the numbers at "
       "most 942" +
           fit,
       false},
      {{u"T", kLongest, -10, 0, 0},
       "body: is 942 UTF-16 units, but beside the title and the numbers at "
       "most 939" +
           fit,
       false},
      {{u"", full, 0, 0, 0},
       "body: is 1023 UTF-16 units, but beside the title and the numbers at "
       "most 942" +
           fit,
       false},
      {{full, u"", 0, 0, 0},
       "title: is 1023 UTF-16 units, but at most 942" + fit,
       false},
      {{u"", u"\U0001F600\xD83D", 0, 0, 0},
       "body: holds an unpaired surrogate U+D83D (unit 3), which is not text",
       true},
      {{u"\xDC00", u"", 0, 0, 0},
       "title: holds an unpaired surrogate U+DC00 (unit 1), which is not text",
       true},
  };
  for (const Refusal& refusal : cases) {
    const std::string& message = refusal.message;
    std::string bytes = "untouched";
    const std::optional<RequestError> error =
        WriteRequest(refusal.request, bytes);
    ASSERT_TRUE(error) << message;
    EXPECT_EQ(Describe(*error), message);
    EXPECT_EQ(bytes, "untouched");
    EXPECT_EQ(RoundTrips(refusal.request), refusal.readerKeepsIt) << message;
  }
}

// Pieces of titles and texts: every tag, parts of them, text of one and
// two units, now and then a zero unit.
const u16string kPieces[] = {
    u"<TITLE>",   u"<\\TITLE>", u"<BODY>", u"<\\BODY>", u"<STYLE>",
    u"<\\DEFID>", u"<",         u"\\",     u"<\\",      u"BODY>",
    u"TITLE>",    u">",         u" ",      u"\r\n",     u"\U0001F600",
    u"a",         u"bc",        u"d",      u"e\u00e9",  u"fgh",
    u"ij",        u"k",         u"lm",     u"nop",      u"q"};

// A value of about `length` units; a plain one holds neither tags nor zero
// units.
u16string RandomValue(std::mt19937& random, std::size_t length, bool plain) {
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> percent(0, 99);
  u16string value;
  while (value.size() < length) {
    const std::size_t pick = piece(random);
    // Tags are rarer than text, so that long values can pass too.
    if (pick < 6 && (plain || percent(random) < 90)) continue;
    const bool zero = !plain && percent(random) == 0;
    value += zero ? u16string(1, u'\0') : kPieces[pick];
  }
  return value;
}

// Many random requests, their lengths often at the limit: a request is
// accepted exactly when the reader returns it unchanged. Every text starts
// with a unit no title holds, so a text read from the wrong place can never
// equal it by chance.
TEST(RequestWriter, AcceptsExactlyWhatTheReaderReturnsUnchanged) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::int32_t> number(INT32_MIN, INT32_MAX);
  std::uniform_int_distribution<int> shape(0, 5);
  std::uniform_int_distribution<int> near(-4, 4);
  int accepted = 0;
  int refused = 0;
  for (int i = 0; i < 20000; ++i) {
    AskRequest request;
    request.style = shape(random) == 0 ? number(random) : shape(random);
    request.timeout = shape(random) == 0 ? number(random) : 10;
    request.defaultId = number(random) % 12;
    request.title =
        RandomValue(random, shape(random) == 0 ? 900 : 12, shape(random) < 3);
    const std::size_t used = FormatRequest(request).size() / 2 + 1;
    const std::size_t left = used < 1024 ? 1024 - used : 0;
    const std::size_t length =
        shape(random) < 2 ? left + near(random) : left * shape(random) / 6;
    request.body = u"\u03B2" + RandomValue(random, length, shape(random) < 3);
    const bool accept = !CheckRequest(request);
    ASSERT_EQ(accept, RoundTrips(request))
        << "title " << request.title.size() << ", body " << request.body.size()
        << ": " << (accept ? "accepted" : Describe(*CheckRequest(request)));
    ++(accept ? accepted : refused);
  }
  EXPECT_GT(accepted, 3000);
  EXPECT_GT(refused, 3000);
}

}  // namespace

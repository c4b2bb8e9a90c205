// The request reader on request files built byte for byte: both encodings,
// the tag rules, number reading and every limit of the buffers.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "request_image.h"

namespace {

std::size_t PageSize() {
#ifdef _WIN32
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  return system.dwPageSize;
#else
  return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
#endif
}

// `room` bytes, a page on, between pages that can be neither read nor
// written.
char* MapBetweenGuards(std::size_t page, std::size_t room) {
#ifdef _WIN32
  void* map = VirtualAlloc(nullptr, room + 2 * page, MEM_RESERVE | MEM_COMMIT,
                           PAGE_NOACCESS);
  DWORD before = 0;
  if (map == nullptr || !VirtualProtect(static_cast<char*>(map) + page, room,
                                        PAGE_READWRITE, &before)) {
    std::abort();
  }
#else
  void* map = mmap(nullptr, room + 2 * page, PROT_NONE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED || mprotect(static_cast<char*>(map) + page, room,
                                    PROT_READ | PROT_WRITE) != 0) {
    std::abort();
  }
#endif
  return static_cast<char*>(map);
}

void Unmap(char* map, std::size_t size) {
#ifdef _WIN32
  (void)size;
  VirtualFree(map, 0, MEM_RELEASE);
#else
  munmap(map, size);
#endif
}

// Two request buffers, one right after a page that can be neither read nor
// written and one right before another such page: a step past either end of
// the buffer faults at once instead of touching a neighbour unseen. With
// 4 KiB pages the two are the same buffer.
class GuardedBuffers {
 public:
  GuardedBuffers()
      : page_(PageSize()),
        room_((sizeof(RequestText) + page_ - 1) / page_ * page_),
        base_(MapBetweenGuards(page_, room_)) {
    buffers_[0] = reinterpret_cast<RequestText*>(base_ + page_);
    buffers_[1] = reinterpret_cast<RequestText*>(base_ + page_ + room_ -
                                                 sizeof(RequestText));
  }
  GuardedBuffers(const GuardedBuffers&) = delete;
  GuardedBuffers& operator=(const GuardedBuffers&) = delete;
  ~GuardedBuffers() { Unmap(base_, room_ + 2 * page_); }

  RequestText* const* begin() const { return buffers_; }
  RequestText* const* end() const { return buffers_ + 2; }

 private:
  const std::size_t page_;
  const std::size_t room_;
  char* const base_;
  RequestText* buffers_[2] = {};
};

// Parses `file` in both guarded buffers; the two records must agree.
MessageRequest Parse(const std::string& file) {
  static GuardedBuffers guarded;
  MessageRequest records[2];
  int n = 0;
  for (RequestText* buffer : guarded) {
    LoadRequest(*buffer, file);
    records[n] = SentinelRequest();
    ParseRequestText(*buffer, records[n]);
    ++n;
  }
  EXPECT_EQ(std::memcmp(&records[0], &records[1], sizeof records[0]), 0);
  return records[0];
}

using std::u16string;

const u16string kFull =
    u"<TITLE>Hello<\\TITLE><BODY>World<\\BODY><STYLE>4<\\STYLE>"
    u"<TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>";

std::string BigEndian(const u16string& text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit >> 8);
    bytes += static_cast<char>(unit & 0xFF);
  }
  return bytes;
}

std::string Ansi(const u16string& text) {
  std::string bytes;
  for (char16_t unit : text) bytes += static_cast<char>(unit);
  return bytes;
}

struct Expected {
  u16string title;
  u16string body;
  std::int32_t style;
  std::int32_t timeout;
  std::int32_t defaultId;
};

void ExpectRequest(const MessageRequest& request, const Expected& expected) {
  EXPECT_EQ(u16string(request.title), expected.title);
  EXPECT_EQ(u16string(request.body), expected.body);
  EXPECT_EQ(request.style, expected.style);
  EXPECT_EQ(request.timeout, expected.timeout);
  EXPECT_EQ(request.defaultId, expected.defaultId);
}

const Expected kHelloWorld{u"Hello", u"World", 4, 10, 6};
const Expected kUntouched{SentinelText(), SentinelText(), kSentinelNumber,
                          kSentinelNumber, kSentinelNumber};

struct FileCase {
  const char* name;
  std::string file;
  Expected expected;
};

class RequestFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(RequestFiles, YieldTheExpectedRecord) {
  ExpectRequest(Parse(GetParam().file), GetParam().expected);
}

const FileCase kFileCases[] = {
    {"EmptyFileWritesNothing", "", kUntouched},
    {"Utf16AllFivePairs", Utf16Bytes(kFull), kHelloWorld},
    {"AnsiAllFivePairs", Ansi(kFull), kHelloWorld},
    {"Utf16AnyOrderWithWordsAround",
     Utf16Bytes(u"x <DEFID>6<\\DEFID>\r\nnote <BODY>World<\\BODY> "
                u"<TIMEDOUT>10<\\TIMEDOUT><STYLE>4<\\STYLE>\r\n"
                u"<TITLE>Hello<\\TITLE> end"),
     kHelloWorld},
    {"Utf16OddLengthLastByteIsAUnit",
     Utf16Bytes(u"<TITLE>Hi<\\TITLE><BODY>b<\\BODY") + ">",
     {u"Hi", u"b", kSentinelNumber, kSentinelNumber, kSentinelNumber}},
    {"Utf16WithoutTitleTagReadsAsAnsiAndFindsNothing",
     Utf16Bytes(u"<BODY>b<\\BODY><STYLE>4<\\STYLE>"), kUntouched},
    {"Utf16BigEndianIsNotRecognised",
     BigEndian(u"<TITLE>A<\\TITLE><STYLE>1<\\STYLE>"), kUntouched},
    {"ValuesKeepLineBreaksAndBlanks",
     Utf16Bytes(u"<TITLE> Hi <\\TITLE><BODY>one\r\ntwo<\\BODY>"),
     {u" Hi ", u"one\r\ntwo", kSentinelNumber, kSentinelNumber,
      kSentinelNumber}},
    {"FirstOccurrenceOfEachTagCounts",
     Utf16Bytes(u"<TITLE>A<\\TITLE><TITLE>B<\\TITLE>"),
     {u"A", SentinelText(), kSentinelNumber, kSentinelNumber, kSentinelNumber}},
    {"ClosingTagBeforeOpeningGivesEmpty",
     Utf16Bytes(u"<\\TITLE><TITLE>A<\\TITLE><STYLE><\\STYLE>"),
     {u"", SentinelText(), 0, kSentinelNumber, kSentinelNumber}},
    {"ClosingTagRightAfterOpeningGivesEmpty",
     Utf16Bytes(u"<TITLE><\\TITLE><BODY><\\BODY>"),
     {u"", u"", kSentinelNumber, kSentinelNumber, kSentinelNumber}},
    {"NestedPairs",
     Utf16Bytes(u"<TITLE>a <BODY>b<\\BODY> c<\\TITLE>"),
     {u"a <BODY>b<\\BODY> c", u"b", kSentinelNumber, kSentinelNumber,
      kSentinelNumber}},
    {"SlashAndLowerCaseAreNotTags",
     Utf16Bytes(u"<TITLE>t</TITLE><body>b<\\body><BODY>x</BODY>"), kUntouched},
    {"Utf16TitleWithoutClosingTagKeepsTitle",
     Utf16Bytes(u"<TITLE>t<BODY>World<\\BODY><STYLE>4<\\STYLE>"
                u"<TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>"),
     {SentinelText(), u"World", 4, 10, 6}},
    {"AnsiWithOnlyStyle",
     "<STYLE>36<\\STYLE>",
     {SentinelText(), SentinelText(), 36, kSentinelNumber, kSentinelNumber}},
    {"Utf16WithOnlyStyleWritesNothing", Utf16Bytes(u"<STYLE>36<\\STYLE>"),
     kUntouched},
    {"Utf16ZeroUnitBeforeTitleEndsTheText",
     Utf16Bytes(u"x") + std::string(2, '\0') + Utf16Bytes(kFull), kUntouched},
    {"Utf16TitleAfterTheEndMakesAnAnsiRequest",
     Utf16Bytes(u"<STYLE>36<\\STYLE>") + std::string(2, '\0') +
         Utf16Bytes(u"<TITLE>t<\\TITLE>"),
     kUntouched},
    {"Utf16ZeroUnitEndsTheText",
     Utf16Bytes(u"<TITLE>t<\\TITLE>") + std::string(2, '\0') +
         Utf16Bytes(u"<BODY>b<\\BODY>"),
     {u"t", SentinelText(), kSentinelNumber, kSentinelNumber, kSentinelNumber}},
    {"Utf16ZeroUnitAfterAllPairsChangesNothing",
     Utf16Bytes(kFull) + std::string(2, '\0') + Utf16Bytes(u"<TITLE>B"),
     kHelloWorld},
    {"AnsiZeroByteEndsTheText",
     std::string("<STYLE>1<\\STYLE>\0<BODY>b<\\BODY>", 31),
     {SentinelText(), SentinelText(), 1, kSentinelNumber, kSentinelNumber}},
    {"TagCutOffByTheEndDoesNotMatch",
     Utf16Bytes(u"<TITLE>Hi<\\TITLE><BODY>b<\\BOD"),
     {u"Hi", SentinelText(), kSentinelNumber, kSentinelNumber,
      kSentinelNumber}},
    {"AnsiIsCode1252NotUtf8",
     "<TITLE>\xC3\xA9\x80\x81\x9F<\\TITLE>",
     {u"\u00C3\u00A9\u20AC\u0081\u0178", SentinelText(), kSentinelNumber,
      kSentinelNumber, kSentinelNumber}},
    {"ByteOrderMarkIsJustACharacter",
     Utf16Bytes(u"\uFEFF<TITLE>\uFEFFa<\\TITLE>"),
     {u"\uFEFFa", SentinelText(), kSentinelNumber, kSentinelNumber,
      kSentinelNumber}},
};

INSTANTIATE_TEST_SUITE_P(Reader, RequestFiles, ::testing::ValuesIn(kFileCases),
                         [](const auto& info) { return info.param.name; });

struct NumberCase {
  u16string value;
  std::int32_t expected;
};

void PrintTo(const NumberCase& c, std::ostream* out) { *out << c.expected; }
void PrintTo(const FileCase& c, std::ostream* out) { *out << c.name; }

class Numbers : public ::testing::TestWithParam<NumberCase> {};

// Each value is read as the style, in both encodings where it can be.
TEST_P(Numbers, ReadAsDecimalWithWrapAround) {
  u16string file = u"<TITLE><\\TITLE><STYLE>" + GetParam().value + u"<\\STYLE>";
  EXPECT_EQ(Parse(Utf16Bytes(file)).style, GetParam().expected);
  bool ansiOnly = true;
  for (char16_t unit : GetParam().value) ansiOnly = ansiOnly && unit < 0x80;
  if (ansiOnly) {
    EXPECT_EQ(Parse(Ansi(file)).style, GetParam().expected);
  }
}

const NumberCase kNumberCases[] = {
    {u" 36", 36},
    {u"-5", -5},
    {u"+7", 7},
    {u"12abc", 12},
    {u"0x30", 0},
    {u"", 0},
    {u"abc", 0},
    {u"\t\n\v\f\r 9", 9},
    {u"\b5", 0},  // the controls beside white space are not white space
    {u"\x0e"
     u"5",
     0},
    {u"- 5", 0},
    {u"+-5", 0},
    {u"--5", 0},
    {u"007", 7},
    {u"2147483647", 2147483647},
    {u"2147483648", INT32_MIN},
    {u"-2147483648", INT32_MIN},
    {u"4294967297", 1},
    {u"-4294967295", 1},
    {u"99999999999", static_cast<std::int32_t>(99999999999ull & 0xFFFFFFFFu)},
    {u"1 2", 1},
    {u"\u00A01", 0},        // no-break space is not white space here
    {u"\uFF11\uFF12", 12},  // fullwidth digits: the platform's best fit
    {u"\u2212"
     u"5",
     -5},             // minus sign: best fit "-"
    {u"\u20801", 1},  // subscript zero, best fit "0"
    {u"\u00B9", 0},   // superscript one is its own 8-bit character
};

INSTANTIATE_TEST_SUITE_P(Reader, Numbers, ::testing::ValuesIn(kNumberCases));

TEST(ReaderLimits, FullAnsiRequestKeeps2047Units) {
  // The closing tag that ends at byte 2047 survives; at byte 2048 it is cut.
  for (int trailing : {1, 0}) {
    std::string file = "<BODY>";
    file += std::string(2048 - file.size() - 7 - trailing, 'b');
    file += "<\\BODY>" + std::string(trailing, 'x');
    ASSERT_EQ(file.size(), 2048u);
    MessageRequest request = Parse(file);
    if (trailing == 1) {
      EXPECT_EQ(u16string(request.body).size(), 1023u);  // cut to fit
    } else {
      EXPECT_EQ(u16string(request.body), SentinelText());
    }
  }
}

TEST(ReaderLimits, ConvertedAnsiTextEndsWithinTheBuffer) {
  RequestText buffer;
  LoadRequest(buffer, std::string(2048, 'a'));
  MessageRequest request = SentinelRequest();
  ParseRequestText(buffer, request);
  EXPECT_EQ(buffer[2046], u'a');
  EXPECT_EQ(buffer[2047], 0);
}

TEST(ReaderLimits, TextValuesAreCutTo1023Units) {
  struct Case {
    std::size_t length;
    std::size_t kept;
  };
  for (Case c : {Case{1022, 1022}, Case{1023, 1023}, Case{1024, 1023},
                 Case{2000, 1023}}) {
    std::string file = "<TITLE>" + std::string(c.length, 't') + "<\\TITLE>";
    EXPECT_EQ(u16string(Parse(file).title), u16string(c.kept, u't'))
        << c.length;
  }
}

TEST(ReaderLimits, NumberTextIsReadFromItsFirst19Bytes) {
  struct Case {
    std::string value;
    std::int32_t expected;
  };
  const Case cases[] = {
      {std::string(18, ' ') + "5", 5},
      {std::string(19, ' ') + "5", 0},
      {std::string(18, '0') + "42", 4},
      {"1234567890123456789012345",
       static_cast<std::int32_t>(1234567890123456789ull & 0xFFFFFFFFu)},
      {std::string(1500, '1'),
       static_cast<std::int32_t>(1111111111111111111ull & 0xFFFFFFFFu)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Parse("<DEFID>" + c.value + "<\\DEFID>").defaultId, c.expected)
        << c.value.size();
  }
}

TEST(ReaderLimits, BufferWithoutAnyZeroStaysWithinBounds) {
  // Not what a run hands over, but the reader must not run off the end.
  static GuardedBuffers guarded;
  for (RequestText* buffer : guarded) {
    for (char16_t& unit : *buffer) unit = 0x4141;
    MessageRequest request = SentinelRequest();
    ParseRequestText(*buffer, request);
    ExpectRequest(request, kUntouched);
    EXPECT_EQ((*buffer)[2047], 0);
  }
}

}  // namespace

// How long the reader takes on full requests of either encoding: every tag
// present, values filling the whole 2048 bytes the run reads.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "message_request.h"

namespace {

std::u16string FullText(std::size_t units) {
  std::u16string text =
      u"<STYLE>36<\\STYLE><TIMEDOUT>10<\\TIMEDOUT><DEFID>6<\\DEFID>"
      u"<TITLE>Tandrel asks<\\TITLE><BODY>";
  std::u16string close = u"<\\BODY>";
  text.append(units - text.size() - close.size(), u'x');
  return text + close;
}

// Whether the reader found every field of FullText, the body `bodyUnits`
// units of 'x'. A request whose fields it does not all find would time a
// different, shorter read.
bool FoundEverything(const MessageRequest& request, std::size_t bodyUnits) {
  return std::u16string(request.title) == u"Tandrel asks" &&
         request.style == 36 && request.timeout == 10 &&
         request.defaultId == 6 &&
         std::u16string(request.body) == std::u16string(bodyUnits, u'x');
}

void LoadBytes(RequestText& buffer, const void* bytes, std::size_t size) {
  std::memset(buffer, 0, sizeof buffer);
  std::memcpy(buffer, bytes, size);
}

void BM_ParseUtf16Request(benchmark::State& state) {
  const std::u16string text = FullText(1024);  // 2048 bytes
  RequestText buffer;
  MessageRequest request{};
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores)
    LoadBytes(buffer, text.data(), 2048);
    ParseRequestText(buffer, request);
    benchmark::DoNotOptimize(request);
  }
  if (!FoundEverything(request, 928)) state.SkipWithError("fields not found");
}
BENCHMARK(BM_ParseUtf16Request);

void BM_ParseAnsiRequest(benchmark::State& state) {
  // 2048 bytes as 8-bit text. Converted, they would need 2049 units with the
  // terminator: the last byte is cut, and so it is none of the tags'.
  const std::u16string wide = FullText(2047) + u" ";
  std::string text(wide.begin(), wide.end());
  RequestText buffer;
  MessageRequest request{};
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores)
    LoadBytes(buffer, text.data(), 2048);
    ParseRequestText(buffer, request);
    benchmark::DoNotOptimize(request);
  }
  if (!FoundEverything(request, 1023)) state.SkipWithError("fields not found");
}
BENCHMARK(BM_ParseAnsiRequest);

// The cost of filling the buffer alone, to read the two above against.
void BM_LoadOnly(benchmark::State& state) {
  const std::u16string text = FullText(1024);
  RequestText buffer;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores)
    LoadBytes(buffer, text.data(), 2048);
    benchmark::DoNotOptimize(buffer);
  }
}
BENCHMARK(BM_LoadOnly);

}  // namespace

BENCHMARK_MAIN();

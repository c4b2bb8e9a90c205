// Writes the differential cases: N request files and the record the native
// reader makes of each, read the way the run reads them.
// Usage: make_cases DIR COUNT [SEED]
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "case_file.h"
#include "message_request.h"
#include "request_generator.h"

namespace {

ExpectedRecord ReadNatively(const std::string& file) {
  static RequestText text;
  std::memset(text, 0, sizeof text);
  std::copy_n(file.data(),
              file.size() < kRequestFileBytes ? file.size() : kRequestFileBytes,
              reinterpret_cast<char*>(text));
  MessageRequest request{};  // as the run starts it
  ParseRequestText(text, request);
  return {request.title, request.body, request.style, request.timeout,
          request.defaultId};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_cases DIR COUNT [SEED]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const int count = std::atoi(argv[2]);
  const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 0) : 1;
  std::vector<ExpectedRecord> records;
  for (int i = 0; i < count; ++i) {
    const std::string file = MakeRequestFile(seed, i);
    if (!WriteFileBytes(folder + "/" + CaseFileName(i), file)) {
      std::fprintf(stderr, "make_cases: cannot write into %s\n",
                   folder.c_str());
      return 1;
    }
    records.push_back(ReadNatively(file));
  }
  if (!WriteExpected(folder + "/expected.bin", records)) return 1;
  return 0;
}

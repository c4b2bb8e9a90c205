// Ctrl+C on a box copies a plain-text summary of it, laid out as the
// system's message box lays out its own: caption, message and button labels
// between rules of 27 hyphens, each line ending in CR LF.
#include "box_clipboard.h"

namespace vorlick {
namespace {

constexpr char16_t kRule[] = u"---------------------------\r\n";
constexpr char16_t kLineEnd[] = u"\r\n";
constexpr char16_t kAfterLabel[] = u"   ";

// Writes into `out`, or with `out` null only counts what it would write.
struct Writer {
  char16_t* out;
  SIZE_T length;
};

void Put(Writer& writer, const char16_t* text) {
  for (; *text != 0; ++text) {
    if (writer.out != nullptr) writer.out[writer.length] = *text;
    ++writer.length;
  }
}

void WriteSummary(Writer& writer, const BoxCall& call) {
  Put(writer, kRule);
  Put(writer, call.title);
  Put(writer, kLineEnd);
  Put(writer, kRule);
  Put(writer, call.body);
  Put(writer, kLineEnd);
  Put(writer, kRule);
  for (int i = 0; i < call.plan.buttons.count; ++i) {
    // The label as it shows: "&Yes" is "Yes", "&&" one '&'.
    Put(writer, SplitLabel(call.labels.text[i]).text);
    Put(writer, kAfterLabel);
  }
  Put(writer, kLineEnd);
  Put(writer, kRule);
}

// The summary in a block the clipboard can own, or null.
HGLOBAL SummaryBlock(const BoxCall& call) {
  Writer counter{nullptr, 0};
  WriteSummary(counter, call);
  HGLOBAL block =
      GlobalAlloc(GMEM_MOVEABLE, (counter.length + 1) * sizeof(char16_t));
  if (block == nullptr) return nullptr;
  auto* out = static_cast<char16_t*>(GlobalLock(block));
  if (out == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  Writer writer{out, 0};
  WriteSummary(writer, call);
  out[writer.length] = 0;
  GlobalUnlock(block);
  return block;
}

}  // namespace

bool CopyBox(HWND box, const BoxCall& call) {
  HGLOBAL block = SummaryBlock(call);
  if (block == nullptr) return false;
  if (OpenClipboard(box)) {
    EmptyClipboard();
    // Once set, the block is the clipboard's; otherwise it is still ours.
    if (SetClipboardData(CF_UNICODETEXT, block) != nullptr) block = nullptr;
    CloseClipboard();
  }
  if (block == nullptr) return true;
  GlobalFree(block);
  return false;
}

}  // namespace vorlick

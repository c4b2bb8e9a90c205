// Run once per shipped language by every-language.sh, in a Wine process
// started in that language: the real Vorlick.dll's labels must read as the
// system's own MessageBoxW reads them, for every button set, and the box
// must speak the language the platform reports. TANDREL_PROBE_LANGUAGE
// names the language asked for: "de de-DE" (our tag, the platform's name).
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "translation.h"
#include "vorlick_harness.h"

namespace {

struct Asked {
  std::string tag;
  std::wstring platformName;
};

Asked AskedLanguage() {
  const char* value = std::getenv("TANDREL_PROBE_LANGUAGE");
  std::istringstream words(value != nullptr ? value : "");
  std::string tag, name;
  words >> tag >> name;
  return {tag, std::wstring(name.begin(), name.end())};
}

std::wstring PlatformLanguageName() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                   LOCALE_NAME_MAX_LENGTH, 0);
  return name;
}

TEST(Language, PlatformReportsTheLanguageAskedAndWeShipIt) {
  const Asked asked = AskedLanguage();
  ASSERT_FALSE(asked.tag.empty());
  EXPECT_EQ(PlatformLanguageName(), asked.platformName);
  const vorlick::Language ours = vorlick::FindLanguage(asked.tag.c_str());
  ASSERT_GE(ours, 0);
  EXPECT_STREQ(vorlick::LanguageTag(ours), asked.tag.c_str());
  EXPECT_EQ(vorlick::FindLanguage(reinterpret_cast<const char16_t*>(
                PlatformLanguageName().c_str())),
            ours);
}

std::vector<UINT> EveryStyle() {
  std::vector<UINT> styles;
  for (UINT set = 0; set < 7; ++set) {
    styles.push_back(set);
    styles.push_back(set | MB_HELP);
  }
  return styles;
}

// The system's box and ours for one style, side by side. Only two at a
// time: Wine 8 now and then corrupts its heap or hangs at exit when a
// process shows a dozen boxes at once.
std::pair<BoxContent, BoxContent> ReadBothBoxes(UINT style) {
  BoxRequest request;
  request.style = style;
  request.system = true;
  BoxCallThread system(request);
  request.system = false;
  BoxCallThread ours(request);
  HWND systemBox = system.WaitForBox();
  HWND box = ours.WaitForBox();
  return {systemBox != nullptr ? ReadBox(systemBox) : BoxContent{},
          box != nullptr ? ReadBox(box) : BoxContent{}};
}  // the calls' ends close the boxes

bool SystemHasWords() {
  return GetProcAddress(GetModuleHandleW(L"user32.dll"), "MB_GetString") !=
         nullptr;
}

TEST(Language, LabelsReadAsTheSystemBoxsForEverySet) {
  const vorlick::Language ours =
      vorlick::FindLanguage(AskedLanguage().tag.c_str());
  ASSERT_GE(ours, 0);
  for (UINT style : EveryStyle()) {
    SCOPED_TRACE(testing::Message() << "style " << style);
    const auto [system, box] = ReadBothBoxes(style);
    ASSERT_FALSE(system.buttons.empty());
    EXPECT_EQ(box.buttonIds, system.buttonIds);
    EXPECT_EQ(box.buttons, system.buttons);
    // Where user32 has no words of its own to give (as under Wine), the box's
    // are the translation of the language the platform reports.
    if (SystemHasWords()) continue;
    for (size_t b = 0; b < box.buttons.size(); ++b) {
      const char16_t* translated = vorlick::MarkedLabel(ours, box.buttonIds[b]);
      EXPECT_EQ(box.buttons[b], reinterpret_cast<const wchar_t*>(translated));
    }
  }
}

// What a few languages show and copy, written out from their translations.
struct Shown {
  const char* tag;
  const wchar_t* countdown;  // with 30 seconds left
  const wchar_t* labels;     // Yes/No/Cancel and Help as Ctrl+C copies them
};

const Shown kShown[] = {
    {"en", L"Closes in 30 s", L"Yes   No   Cancel   Help   "},
    {"de", L"Schlie\u00DFt in 30 s", L"Ja   Nein   Abbrechen   Hilfe   "},
    {"fr", L"Fermeture dans 30 s", nullptr},
    {"ja", L"30 \u79D2\u5F8C\u306B\u9589\u3058\u307E\u3059",
     L"\u306F\u3044(Y)   \u3044\u3044\u3048(N)   "
     L"\u30AD\u30E3\u30F3\u30BB\u30EB   \u30D8\u30EB\u30D7   "},
};

TEST(Language, CountdownAndCopyInTheBoxsLanguage) {
  const std::string tag = AskedLanguage().tag;
  for (const Shown& shown : kShown) {
    if (tag != shown.tag) continue;
    BoxRequest request;
    request.style = MB_YESNOCANCEL | MB_HELP;
    request.timeout = 30;
    BoxCallThread call(request);
    HWND box = call.WaitForBox();
    ASSERT_NE(box, nullptr);
    const std::vector<std::wstring> texts = StaticTexts(box);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], shown.countdown);
    if (shown.labels == nullptr) return;
    const std::wstring rule = L"---------------------------\r\n";
    EXPECT_EQ(CopyWithKeys(box, 'C'), rule + L"Caption\r\n" + rule +
                                          L"Message\r\n" + rule + shown.labels +
                                          L"\r\n" + rule);
  }
}

}  // namespace

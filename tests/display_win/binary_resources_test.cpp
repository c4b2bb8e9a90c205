// The resources of the built binaries, read as Windows reads them: version
// information through version.dll, manifests through the resource functions,
// the subsystem version from the header.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "vorlick_harness.h"

namespace {

struct Binary {
  const wchar_t* file;
  const wchar_t* description;
  DWORD fileType;
  WORD manifestId;       // the other ID must hold none
  const char* manifest;  // its source, in the source tree
};

const Binary kBinaries[] = {
    {L"Tandrel.exe", L"Tandrel message box", VFT_APP, 1,
     "app/Tandrel.manifest"},
    {L"Vorlick.dll", L"Tandrel display library", VFT_DLL, 2,
     "display/win/Vorlick.manifest"},
};

const wchar_t* const kManifestType = MAKEINTRESOURCEW(24);  // RT_MANIFEST

std::wstring PathOf(const Binary& binary) {
  return StagedFolder() + L"\\" + binary.file;
}

std::wstring VersionValue(std::vector<char>& info, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
  if (!VerQueryValueW(info.data(), key.c_str(), &value, &length)) return L"?";
  return static_cast<const wchar_t*>(value);
}

TEST(BinaryResources, VersionInformationCarriesTheProjectVersion) {
  unsigned parts[4] = {};
  sscanf(TANDREL_VERSION, "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2],
         &parts[3]);
  const std::string text = TANDREL_VERSION;
  const std::wstring version(text.begin(), text.end());
  for (const Binary& binary : kBinaries) {
    SCOPED_TRACE(binary.file);
    const std::wstring path = PathOf(binary);
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\",
                               reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(parts[1], parts[0]));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(parts[3], parts[2]));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, binary.fileType);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(VersionValue(info, L"FileDescription"), binary.description);
    EXPECT_EQ(VersionValue(info, L"ProductName"), L"Tandrel");
    EXPECT_EQ(VersionValue(info, L"FileVersion"), version);
    EXPECT_EQ(VersionValue(info, L"ProductVersion"), version);
    EXPECT_EQ(VersionValue(info, L"OriginalFilename"), binary.file);
  }
}

// The source tree through Wine's drive Z:, which is the root.
std::wstring SourcePath(const char* relative) {
  const std::string path = std::string(TANDREL_SOURCE_DIR) + "/" + relative;
  return L"Z:" + std::wstring(path.begin(), path.end());
}

// Each binary holds its manifest file as it is, and no other.
TEST(BinaryResources, OneManifestAsItsFileHoldsIt) {
  for (const Binary& binary : kBinaries) {
    SCOPED_TRACE(binary.file);
    std::string source;
    ASSERT_TRUE(ReadBytes(SourcePath(binary.manifest), source));
    ASSERT_FALSE(source.empty());
    HMODULE module = LoadLibraryExW(PathOf(binary).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const WORD other = binary.manifestId == 1 ? 2 : 1;
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(other), kManifestType),
              nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(binary.manifestId),
                                kManifestType);
    ASSERT_NE(found, nullptr);
    const std::string manifest(
        static_cast<const char*>(LockResource(LoadResource(module, found))),
        SizeofResource(module, found));
    EXPECT_EQ(manifest, source);
    FreeLibrary(module);
  }
}

TEST(BinaryResources, SubsystemVersionSix) {
  for (const Binary& binary : kBinaries) {
    SCOPED_TRACE(binary.file);
    std::string bytes;
    ASSERT_TRUE(ReadBytes(PathOf(binary), bytes));
    ASSERT_GT(bytes.size(), sizeof(IMAGE_DOS_HEADER));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    ASSERT_LE(dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32), bytes.size());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() +
                                                                 dos->e_lfanew);
    ASSERT_EQ(nt->Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE));
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(nt->OptionalHeader.MajorSubsystemVersion, 6);
    EXPECT_EQ(nt->OptionalHeader.MinorSubsystemVersion, 0);
  }
}

}  // namespace

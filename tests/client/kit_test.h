// The fixture of the native tests that run tandrel beside the recording
// libvorlick.so: a folder of its own, a temporary folder with a blank in its
// name as TMPDIR, and the record file and result in the environment.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "recording.h"
#include "temp_folder.h"

// tandrel and tandrel-ask in bin/, the recording library in lib/tandrel/;
// and a tandrel without any library.
inline const std::string kStagedTandrel = STAGE_DIR "/bin/tandrel";
inline const std::string kStagedAsk = STAGE_DIR "/bin/tandrel-ask";
inline const std::string kLonelyTandrel = STAGE_DIR "/alone/bin/tandrel";

class KitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_ = folder_.Path("my temp");
    record_ = folder_.Path("record");
    mkdir(temp_.c_str(), 0700);
    setenv("TMPDIR", temp_.c_str(), 1);
    setenv("VORLICK_RECORD", record_.c_str(), 1);
    setenv("VORLICK_RESULT", "1", 1);
    unsetenv("VORLICK_HOLD");
  }

  // Empties what a run leaves: the record, and (wrongly) request files.
  bool TempIsEmpty() const { return std::filesystem::is_empty(temp_); }
  std::optional<Recorded> TakeRecord() const {
    std::optional<Recorded> record = ReadRecord(record_);
    std::filesystem::remove(record_);
    return record;
  }

  // A program that runs as a shell script: "exit 0" ends without reading.
  std::string Script(const std::string& name, const std::string& body) const {
    std::string path = folder_.Write(name, "#!/bin/sh\n" + body + "\n");
    chmod(path.c_str(), 0755);
    return path;
  }

  TempFolder folder_;
  std::string temp_;
  std::string record_;
};

// The library's own manifest (resource 2) as the calling thread's activation
// context while the box is up: the box's controls are then the version-6
// common controls, whatever the host program's manifest says or lacks.
#pragma once

#include "win32_api.h"

namespace vorlick {

// Made and activated on construction, deactivated and released on
// destruction, on the same thread. Where the context cannot be made (no
// version-6 controls on the system) nothing is active and the box gets the
// classic controls.
class OwnManifest {
 public:
  OwnManifest();
  ~OwnManifest();
  OwnManifest(const OwnManifest&) = delete;
  OwnManifest& operator=(const OwnManifest&) = delete;

 private:
  HANDLE context_;
  ULONG_PTR cookie_;
  bool active_;
};

}  // namespace vorlick

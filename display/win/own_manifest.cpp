#include "own_manifest.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace vorlick {

OwnManifest::OwnManifest() : cookie_(0), active_(false) {
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.hModule = reinterpret_cast<HMODULE>(&__ImageBase);
  request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
  context_ = CreateActCtxW(&request);
  if (context_ != INVALID_HANDLE_VALUE) {
    active_ = ActivateActCtx(context_, &cookie_) != FALSE;
  }
}

OwnManifest::~OwnManifest() {
  // Forced: a context that something in the box's message loop activated
  // and left active goes with ours, so none outlives the call.
  if (active_) {
    DeactivateActCtx(DEACTIVATE_ACTCTX_FLAG_FORCE_EARLY_DEACTIVATION, cookie_);
  }
  if (context_ != INVALID_HANDLE_VALUE) ReleaseActCtx(context_);
}

}  // namespace vorlick

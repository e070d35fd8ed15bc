#include "app/resource_bytes_win.h"

namespace mf::app {

std::string_view ResourceBytes(HMODULE module, int resourceId) {
  HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!resource) return {};
  DWORD size = ::SizeofResource(module, resource);
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const char*>(bytes), size};
}

}  // namespace mf::app

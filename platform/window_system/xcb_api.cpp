#include "platform/window_system/xcb_api.h"

#include <dlfcn.h>

namespace platform {

namespace {

template <typename F>
bool Load(void* lib, const char* name, F* out) {
  *out = reinterpret_cast<F>(dlsym(lib, name));
  return *out != nullptr;
}

const XcbApi* LoadApi() {
  void* lib = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
  if (lib == nullptr) return nullptr;
  static XcbApi api;
  const bool ok =
      Load(lib, "xcb_intern_atom", &api.intern_atom) &&
      Load(lib, "xcb_intern_atom_reply", &api.intern_atom_reply) &&
      Load(lib, "xcb_get_selection_owner", &api.get_selection_owner) &&
      Load(lib, "xcb_get_selection_owner_reply", &api.get_selection_owner_reply) &&
      Load(lib, "xcb_send_event", &api.send_event) && Load(lib, "xcb_flush", &api.flush) &&
      Load(lib, "xcb_generate_id", &api.generate_id) &&
      Load(lib, "xcb_create_window", &api.create_window) &&
      Load(lib, "xcb_destroy_window", &api.destroy_window) &&
      Load(lib, "xcb_change_property", &api.change_property) &&
      Load(lib, "xcb_change_window_attributes", &api.change_window_attributes) &&
      Load(lib, "xcb_get_window_attributes", &api.get_window_attributes) &&
      Load(lib, "xcb_get_window_attributes_reply", &api.get_window_attributes_reply) &&
      Load(lib, "xcb_create_gc", &api.create_gc) && Load(lib, "xcb_change_gc", &api.change_gc) &&
      Load(lib, "xcb_free_gc", &api.free_gc) &&
      Load(lib, "xcb_poly_fill_rectangle", &api.poly_fill_rectangle) &&
      Load(lib, "xcb_clear_area", &api.clear_area) && Load(lib, "xcb_get_setup", &api.get_setup) &&
      Load(lib, "xcb_setup_roots_iterator", &api.setup_roots_iterator) &&
      Load(lib, "xcb_screen_next", &api.screen_next) &&
      Load(lib, "xcb_get_property", &api.get_property) &&
      Load(lib, "xcb_get_property_reply", &api.get_property_reply) &&
      Load(lib, "xcb_get_property_value", &api.get_property_value) &&
      Load(lib, "xcb_get_property_value_length", &api.get_property_value_length) &&
      Load(lib, "xcb_create_colormap", &api.create_colormap) &&
      Load(lib, "xcb_free_colormap", &api.free_colormap) &&
      Load(lib, "xcb_screen_allowed_depths_iterator", &api.screen_allowed_depths_iterator) &&
      Load(lib, "xcb_depth_next", &api.depth_next) &&
      Load(lib, "xcb_depth_visuals_iterator", &api.depth_visuals_iterator) &&
      Load(lib, "xcb_visualtype_next", &api.visualtype_next);
  return ok ? &api : nullptr;  // the library stays loaded for the life of the process
}

}  // namespace

const XcbApi* XcbApi::Get() {
  static const XcbApi* api = LoadApi();
  return api;
}

}  // namespace platform

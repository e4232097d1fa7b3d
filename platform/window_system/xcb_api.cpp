#include "platform/window_system/xcb_api.h"

namespace platform {

const XcbApi* XcbApi::Get() {
  static constexpr XcbApi kApi{
      &xcb_intern_atom, &xcb_intern_atom_reply, &xcb_get_selection_owner,
      &xcb_get_selection_owner_reply, &xcb_send_event, &xcb_flush, &xcb_generate_id,
      &xcb_create_window, &xcb_destroy_window, &xcb_change_property,
      &xcb_change_window_attributes, &xcb_get_window_attributes,
      &xcb_get_window_attributes_reply, &xcb_create_gc, &xcb_change_gc, &xcb_free_gc,
      &xcb_poly_fill_rectangle, &xcb_clear_area, &xcb_get_setup, &xcb_setup_roots_iterator,
      &xcb_screen_next, &xcb_get_property, &xcb_get_property_reply, &xcb_get_property_value,
      &xcb_get_property_value_length, &xcb_create_colormap, &xcb_free_colormap,
      &xcb_screen_allowed_depths_iterator, &xcb_depth_next, &xcb_depth_visuals_iterator,
      &xcb_visualtype_next};
  return &kApi;
}

}  // namespace platform

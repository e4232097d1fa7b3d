// The X protocol calls of the program's own X11 work (the XEmbed tray icon, window-manager
// hints), from the X client library the program links. They are used only on a connection the
// toolkit opened to an X server; elsewhere (Wayland, offscreen) there is no connection, the tray
// icon stays with D-Bus hosts and no hint is set.
#pragma once

#include <xcb/xcb.h>

namespace platform {

// The calls as one table, for code that reaches them through it.
struct XcbApi {
  decltype(&xcb_intern_atom) intern_atom;
  decltype(&xcb_intern_atom_reply) intern_atom_reply;
  decltype(&xcb_get_selection_owner) get_selection_owner;
  decltype(&xcb_get_selection_owner_reply) get_selection_owner_reply;
  decltype(&xcb_send_event) send_event;
  decltype(&xcb_flush) flush;
  decltype(&xcb_generate_id) generate_id;
  decltype(&xcb_create_window) create_window;
  decltype(&xcb_destroy_window) destroy_window;
  decltype(&xcb_change_property) change_property;
  decltype(&xcb_change_window_attributes) change_window_attributes;
  decltype(&xcb_get_window_attributes) get_window_attributes;
  decltype(&xcb_get_window_attributes_reply) get_window_attributes_reply;
  decltype(&xcb_create_gc) create_gc;
  decltype(&xcb_change_gc) change_gc;
  decltype(&xcb_free_gc) free_gc;
  decltype(&xcb_poly_fill_rectangle) poly_fill_rectangle;
  decltype(&xcb_clear_area) clear_area;
  decltype(&xcb_get_setup) get_setup;
  decltype(&xcb_setup_roots_iterator) setup_roots_iterator;
  decltype(&xcb_screen_next) screen_next;
  decltype(&xcb_get_property) get_property;
  decltype(&xcb_get_property_reply) get_property_reply;
  decltype(&xcb_get_property_value) get_property_value;
  decltype(&xcb_get_property_value_length) get_property_value_length;
  decltype(&xcb_create_colormap) create_colormap;
  decltype(&xcb_free_colormap) free_colormap;
  decltype(&xcb_screen_allowed_depths_iterator) screen_allowed_depths_iterator;
  decltype(&xcb_depth_next) depth_next;
  decltype(&xcb_depth_visuals_iterator) depth_visuals_iterator;
  decltype(&xcb_visualtype_next) visualtype_next;

  // Never null: the library is linked.
  static const XcbApi* Get();
};

}  // namespace platform

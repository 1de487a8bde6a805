// GNOME Shell 43 and 44: the legacy imports.
/* exported init */
const {Clutter, Cogl, Gio, GLib, GObject, Meta, Shell, St} = imports.gi;
const Main = imports.ui.main;
const PanelMenu = imports.ui.panelMenu;

#pragma once

#include <QIcon>

// The 18-pixel pictures of the toolbar and menu commands, by the icon names of the command
// table: the desktop style's own icons where it has one for the purpose, small drawn glyphs for
// the rest. A command without an icon name, or with an unknown one, gets an empty icon.
namespace CommandIcons {

QIcon Named(const char* name);

} // namespace CommandIcons

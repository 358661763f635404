#pragma once

#include <QIcon>

// The pictures of the toolbar and menu commands, by the icon names of the command table: the
// desktop icon theme's picture where the theme has one of that name, else the program's own
// drawing (Pictograms), which also serves the program's own commands. Both are drawn for the
// size and pixel ratio asked, so they stay sharp on a high-density screen. A command without an
// icon name, or whose name neither the theme nor the program knows, gets an empty icon.
namespace CommandIcons {

QIcon Named(const char* name);
// The program's own drawing alone, without asking the theme; empty when it has none.
QIcon Drawn(const char* name);

} // namespace CommandIcons

#pragma once

#include <string_view>

class QPainter;

// The program's own command pictures, drawn as vector shapes on a 16-unit square so they stay
// sharp at every size and pixel ratio: pages, a folder, a disk, a printer, the tick boxes of the
// selection commands, the globe of the web and availability lookups, and so on. They stand for
// the desktop icon theme where it has no picture for a command, and for the program's own
// commands everywhere.
namespace Pictograms {

// Paints one picture on a painter already scaled to the 16-unit square.
using Painter = void (*)(QPainter& painter);

// The picture drawn for an icon name; null when the program has none of that name.
Painter Find(std::string_view iconName);

} // namespace Pictograms

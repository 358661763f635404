#pragma once

#include "shell/CommandTable.h"

#include <QIcon>

// The 18-pixel pictures of the toolbar and menu commands: the desktop style's own icons where
// it has one for the purpose, small drawn glyphs for the rest. Commands without a picture get
// an empty icon.
namespace CommandIcons {

QIcon IconFor(Command command);

} // namespace CommandIcons

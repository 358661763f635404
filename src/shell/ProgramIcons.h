#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The program's artwork, drawn rather than loaded so it stays sharp at every title-bar and
// notification-area size: a magnifying glass whose lens holds a globe. While a batch of lookups
// runs, the notification area cycles through the busy frames, in which the globe turns and an
// amber arc runs round the rim of the lens. resources/icons/quillon.svg is the same picture for
// the launcher.
namespace ProgramIcons {

inline constexpr int kBusyFrameCount = 6;

// The square picture at `size` pixels.
QImage DrawProgramImage(int size);
// Busy frame 0 to kBusyFrameCount - 1; after the last, the first follows without a jump.
QImage DrawBusyImage(int frame, int size);

// The window's, the notification area's and the wizard's icon.
QIcon ProgramIcon();
// The busy frames, in order, for CSystemTray::SetIconList.
QList<QIcon> BusyFrames();

} // namespace ProgramIcons

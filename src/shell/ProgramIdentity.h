#pragma once

// Names the program to Qt and the desktop: the organisation and application names (which also
// name the settings and data folders), the window icon, and the desktop entry its windows belong
// to. It sets no display name: the window system would append it to every dialog's caption.
void ApplyProgramIdentity();

#pragma once

#include <QPixmap>

// The pictures of the view's two buttons, drawn rather than shipped: the support button (a red
// star with the words "Dez Oduro Rudorav", 82 by 35) and the register button (a cross-hair with
// "Register Domain", 82 by 32), each in a normal and a pressed look.
namespace ButtonArtwork {

QPixmap SupportPicture(bool pressed);
QPixmap RegisterPicture(bool pressed);

} // namespace ButtonArtwork

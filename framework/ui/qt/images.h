#pragma once
// Pictures, icons and cursors from the files the layouts name.

#include <optional>
#include <string_view>

#include <QCursor>
#include <QImage>

namespace fw::ui {

// The picture of an image file (GIF, ICO, JPEG, ...), found like every
// resource of a layout; a null image when it cannot be read.
QImage loadImage(std::string_view fileName);

// A mouse cursor from a Windows .cur file: the picture with the hot spot the
// file gives. None when the file cannot be read.
std::optional<QCursor> loadCursor(std::string_view fileName);

} // namespace fw::ui

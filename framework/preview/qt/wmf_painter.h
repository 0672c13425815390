#pragma once
// Painting checked page files with QPainter: the drawing half of the WMF
// player (wmf_reader.h is the reading half, and has no Qt in it). Like the
// reader it does without the framework's error type; page_painter.h adds
// the functions on a page as loaded, document or error.
//
// The page's window (origin and extent, the bounding box until a record sets
// them) is mapped onto the target rectangle, so the same page paints into a
// preview at any zoom, an image or a printer page. Face names go to Qt's
// font matching, which asks fontconfig: "Arial" is drawn with Liberation Sans,
// "Times New Roman" with Liberation Serif, and so on.

#include <cstdint>
#include <string_view>

#include <QFont>
#include <QRectF>
#include <QString>

#include "framework/preview/wmf_document.h"

class QPainter;

namespace fw::preview {

// A4 portrait: the size of the error page of a file without a usable frame.
inline constexpr double ErrorPageWidthInches = 8.27;
inline constexpr double ErrorPageHeightInches = 11.69;

// Paints the document's commands onto `target` (in the painter's current
// coordinates). Drawing is clipped to the target.
void paintWmf(QPainter& painter, const WmfDocument& document, const QRectF& target);

// The page shown in place of a file that cannot be read: a white page with a
// red frame, the line "This page cannot be shown." and the reason below it.
void paintErrorPage(QPainter& painter, const QRectF& target, const QString& reason);

// Text bytes of a record in the font's character set. Windows-1252 for the
// ANSI and default sets and every set this player has no table for.
QString decodeWmfText(std::string_view bytes, std::uint8_t charSet);

// The Qt font for a logical font, before sizing: family, weight, slant,
// underline, strike-out and the family hint from the pitch-and-family byte.
QFont wmfFont(const WmfFont& font);

} // namespace fw::preview

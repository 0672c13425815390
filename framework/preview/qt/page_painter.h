#pragma once
// A page as the previewer and the printer have it: the result of loading a
// page file, a document or the reason it cannot be shown.

#include <QRectF>
#include <QSizeF>

#include "framework/core/error.h"
#include "framework/preview/wmf_document.h"

class QPainter;

namespace fw::preview {

// paintWmf() for a document, paintErrorPage() with the error's text otherwise.
void paintPage(QPainter& painter, const core::Expected<WmfDocument>& page, const QRectF& target);

// The page's size in inches; the error page's (A4 portrait) for a failed page.
QSizeF pageSizeInches(const core::Expected<WmfDocument>& page);

} // namespace fw::preview

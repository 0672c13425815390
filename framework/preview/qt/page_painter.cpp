#include "framework/preview/qt/page_painter.h"

#include <QString>

#include "framework/preview/qt/wmf_painter.h"

namespace fw::preview {

void paintPage(QPainter& painter, const core::Expected<WmfDocument>& page, const QRectF& target)
{
    if (page)
        paintWmf(painter, *page, target);
    else
        paintErrorPage(painter, target, QString::fromStdString(page.error().text()));
}

QSizeF pageSizeInches(const core::Expected<WmfDocument>& page)
{
    if (!page)
        return QSizeF(ErrorPageWidthInches, ErrorPageHeightInches);
    return QSizeF(page->frame.widthInches(), page->frame.heightInches());
}

} // namespace fw::preview

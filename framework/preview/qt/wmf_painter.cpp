#include "framework/preview/qt/wmf_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "framework/core/windows1252.h"

namespace fw::preview {

namespace {

QColor toQColor(const WmfColor& c) { return QColor(c.red, c.green, c.blue); }

// Everything SaveDC keeps.
struct DeviceState {
    WmfPen pen;
    WmfBrush brush;
    WmfFont font;
    WmfColor textColor{0, 0, 0};
    WmfColor backgroundColor{255, 255, 255};
    WmfBackgroundMode backgroundMode = WmfBackgroundMode::Opaque;
    WmfFillRule fillRule = WmfFillRule::Alternate;
    std::uint16_t textAlign = 0;
    QPointF windowOrigin;
    QPointF windowExtent;
    QPointF currentPosition; // logical
    QPainterPath clip;       // device coordinates
};

class Player {
public:
    Player(QPainter& painter, const WmfDocument& document, const QRectF& target)
        : m_painter(painter), m_document(document), m_target(target)
    {
        const WmfFrame& f = document.frame;
        m_state.windowOrigin = QPointF(f.left, f.top);
        m_state.windowExtent = QPointF(f.width(), f.height());
        m_state.clip.addRect(target);
        m_pixelsPerInch = target.height() / f.heightInches();
        // Nothing on a page is drawn larger than twice the page: it keeps a
        // hostile file's 32767-unit pen or font from costing minutes.
        m_maxExtent = 2 * std::max(target.width(), target.height());
    }

    void run()
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.fillRect(m_target, Qt::white);
        applyClip();
        for (const WmfCommand& command : m_document.commands)
            std::visit([this](const auto& c) { play(c); }, command);
        m_painter.restore();
    }

private:
    double scaleX() const { return m_target.width() / m_state.windowExtent.x(); }
    double scaleY() const { return m_target.height() / m_state.windowExtent.y(); }

    QPointF map(double x, double y) const
    {
        return QPointF(m_target.left() + (x - m_state.windowOrigin.x()) * scaleX(),
                       m_target.top() + (y - m_state.windowOrigin.y()) * scaleY());
    }
    QPointF map(const WmfPoint& p) const { return map(p.x, p.y); }
    QRectF map(const WmfRect& r) const { return QRectF(map(r.left, r.top), map(r.right, r.bottom)).normalized(); }

    QPolygonF map(const std::vector<WmfPoint>& points) const
    {
        QPolygonF polygon;
        polygon.reserve(qsizetype(points.size()));
        for (const WmfPoint& p : points)
            polygon << map(p);
        return polygon;
    }

    void applyClip() { m_painter.setClipPath(m_state.clip); }

    QPen pen() const
    {
        const WmfPen& p = m_state.pen;
        if (p.style == WmfPenStyle::Null)
            return Qt::NoPen;
        QPen qpen(toQColor(p.color));
        const double width = std::min(std::abs(p.width * scaleX()), m_maxExtent);
        qpen.setWidthF(width < 1 ? 0 : width); // 0: one device pixel, as GDI draws width 0
        // clang-format off
        switch (p.style) {
        case WmfPenStyle::Dash: qpen.setStyle(Qt::DashLine); break;
        case WmfPenStyle::Dot: qpen.setStyle(Qt::DotLine); break;
        case WmfPenStyle::DashDot: qpen.setStyle(Qt::DashDotLine); break;
        case WmfPenStyle::DashDotDot: qpen.setStyle(Qt::DashDotDotLine); break;
        default: qpen.setStyle(Qt::SolidLine); break;
        }
        // clang-format on
        qpen.setCapStyle(Qt::FlatCap);
        qpen.setJoinStyle(Qt::MiterJoin);
        return qpen;
    }

    QBrush brush() const
    {
        const WmfBrush& b = m_state.brush;
        if (b.style == WmfBrushStyle::Null)
            return Qt::NoBrush;
        if (b.style == WmfBrushStyle::Solid)
            return QBrush(toQColor(b.color));
        static constexpr Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                     Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(toQColor(b.color), hatches[int(b.hatch)]);
    }

    void preparePainter()
    {
        m_painter.setPen(pen());
        m_painter.setBrush(brush());
        const bool opaque = m_state.backgroundMode == WmfBackgroundMode::Opaque;
        m_painter.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        m_painter.setBackground(toQColor(m_state.backgroundColor));
    }

    void play(const WmfSelectPen& c) { m_state.pen = c.pen; }
    void play(const WmfSelectBrush& c) { m_state.brush = c.brush; }
    void play(const WmfSelectFont& c) { m_state.font = c.font; }
    void play(const WmfSetTextColor& c) { m_state.textColor = c.color; }
    void play(const WmfSetBackgroundColor& c) { m_state.backgroundColor = c.color; }
    void play(const WmfSetBackgroundMode& c) { m_state.backgroundMode = c.mode; }
    void play(const WmfSetTextAlign& c) { m_state.textAlign = c.align; }
    void play(const WmfSetFillRule& c) { m_state.fillRule = c.rule; }
    void play(const WmfSetWindowOrg& c) { m_state.windowOrigin = QPointF(c.origin.x, c.origin.y); }
    void play(const WmfSetWindowExt& c) { m_state.windowExtent = QPointF(c.extent.x, c.extent.y); }
    void play(const WmfMoveTo& c) { m_state.currentPosition = QPointF(c.to.x, c.to.y); }

    void play(const WmfLineTo& c)
    {
        preparePainter();
        const QPointF from = map(m_state.currentPosition.x(), m_state.currentPosition.y());
        m_painter.drawLine(from, map(c.to));
        m_state.currentPosition = QPointF(c.to.x, c.to.y);
    }

    void play(const WmfRectangle& c)
    {
        preparePainter();
        m_painter.drawRect(map(c.rect));
    }

    void play(const WmfRoundRect& c)
    {
        preparePainter();
        const QRectF r = map(c.rect);
        const double rx = std::min(std::abs(c.cornerWidth * scaleX()) / 2, r.width() / 2);
        const double ry = std::min(std::abs(c.cornerHeight * scaleY()) / 2, r.height() / 2);
        m_painter.drawRoundedRect(r, rx, ry);
    }

    void play(const WmfEllipse& c)
    {
        preparePainter();
        m_painter.drawEllipse(map(c.rect));
    }

    void play(const WmfArc& c)
    {
        const QRectF r = map(c.rect);
        if (r.width() <= 0 || r.height() <= 0)
            return;
        // The start and end points only give directions from the centre; the
        // angles are taken on the ellipse squashed to a circle, as Qt's arcs
        // measure them. GDI draws counter-clockwise on the page, which turns
        // clockwise when the window flips one axis.
        const QPointF centre = r.center();
        auto angle = [&](const WmfPoint& p) {
            const QPointF d = map(p) - centre;
            return std::atan2(-d.y() / r.height(), d.x() / r.width()) * 180 / std::numbers::pi;
        };
        const double start = angle(c.start);
        double sweep = angle(c.end) - start;
        if (sweep <= 0)
            sweep += 360;
        if (scaleX() * scaleY() < 0)
            sweep -= 360;
        QPainterPath path;
        switch (c.kind) {
        case WmfArcKind::Arc:
            path.arcMoveTo(r, start);
            path.arcTo(r, start, sweep);
            preparePainter();
            m_painter.strokePath(path, pen());
            return;
        case WmfArcKind::Pie:
            path.moveTo(centre);
            path.arcTo(r, start, sweep);
            path.closeSubpath();
            break;
        case WmfArcKind::Chord:
            path.arcMoveTo(r, start);
            path.arcTo(r, start, sweep);
            path.closeSubpath();
            break;
        }
        preparePainter();
        m_painter.drawPath(path);
    }

    void play(const WmfPolyline& c)
    {
        preparePainter();
        m_painter.drawPolyline(map(c.points));
    }

    void play(const WmfPolygon& c)
    {
        preparePainter();
        m_painter.drawPolygon(map(c.points), fillRule());
    }

    void play(const WmfPolyPolygon& c)
    {
        QPainterPath path;
        path.setFillRule(fillRule());
        for (const auto& polygon : c.polygons) {
            QPolygonF p = map(polygon);
            if (!p.isEmpty() && p.first() != p.last())
                p << p.first();
            path.addPolygon(p);
        }
        preparePainter();
        m_painter.drawPath(path);
    }

    void play(const WmfSetPixel& c)
    {
        const QPointF p = map(c.at);
        m_painter.fillRect(QRectF(std::floor(p.x()), std::floor(p.y()), 1, 1), toQColor(c.color));
    }

    void play(const WmfFillRect& c)
    {
        preparePainter();
        const QRectF r = map(c.rect);
        if (c.color)
            m_painter.fillRect(r, toQColor(*c.color));
        else
            m_painter.fillRect(r, brush());
    }

    void play(const WmfText& c)
    {
        const QString text = decodeWmfText(c.bytes, m_state.font.charSet);
        QFont font = wmfFont(m_state.font);
        const double em = fontPixelSize(font);
        font.setPixelSize(std::max(1, int(std::lround(em))));
        if (m_state.font.width != 0) {
            const QFontMetricsF natural(font);
            const double wanted = std::abs(m_state.font.width * scaleX());
            if (natural.averageCharWidth() > 0)
                font.setStretch(std::clamp(int(std::lround(100 * wanted / natural.averageCharWidth())), 1, 4000));
        }
        const QFontMetricsF metrics(font);

        // Advances: the record's own when it has them, else the font's.
        std::vector<double> advances;
        advances.reserve(std::size_t(text.size()));
        if (!c.dx.empty() && c.dx.size() == std::size_t(text.size())) {
            for (std::int16_t d : c.dx)
                advances.push_back(d * scaleX());
        } else {
            for (QChar ch : text)
                advances.push_back(metrics.horizontalAdvance(ch));
        }
        double width = 0;
        for (double a : advances)
            width += a;

        const bool fromCurrent = m_state.textAlign & WmfAlign::UpdateCurrentPosition;
        const QPointF reference = fromCurrent ? map(m_state.currentPosition.x(), m_state.currentPosition.y())
                                              : map(c.at);

        double x = 0;
        // clang-format off
        switch (m_state.textAlign & WmfAlign::HorizontalMask) {
        case WmfAlign::Right: x = -width; break;
        case WmfAlign::Center: x = -width / 2; break;
        default: break;
        }
        double baseline = metrics.ascent();
        switch (m_state.textAlign & WmfAlign::VerticalMask) {
        case WmfAlign::Baseline: baseline = 0; break;
        case WmfAlign::Bottom: baseline = -metrics.descent(); break;
        default: break;
        }
        // clang-format on

        m_painter.save();
        if (c.rect) {
            const QRectF box = map(*c.rect);
            if (c.options & WmfTextOption::Opaque)
                m_painter.fillRect(box, toQColor(m_state.backgroundColor));
            if (c.options & WmfTextOption::Clipped)
                m_painter.setClipRect(box, Qt::IntersectClip);
        }
        m_painter.translate(reference);
        if (m_state.font.escapement != 0)
            m_painter.rotate(-m_state.font.escapement / 10.0);
        if (m_state.backgroundMode == WmfBackgroundMode::Opaque && !text.isEmpty())
            m_painter.fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                               toQColor(m_state.backgroundColor));
        m_painter.setFont(font);
        m_painter.setPen(toQColor(m_state.textColor));
        m_painter.setBackgroundMode(Qt::TransparentMode);
        if (c.dx.empty()) {
            m_painter.drawText(QPointF(x, baseline), text);
        } else {
            for (qsizetype i = 0; i < text.size(); ++i) {
                m_painter.drawText(QPointF(x, baseline), QString(text[i]));
                x += advances[std::size_t(i)];
            }
        }
        m_painter.restore();

        if (fromCurrent)
            m_state.currentPosition.rx() += width / scaleX();
    }

    void play(const WmfSaveState&) { m_saved.push_back(m_state); }

    void play(const WmfRestoreState& c)
    {
        // The parser guarantees depth < saved count.
        m_state = m_saved[c.depth];
        m_saved.resize(c.depth);
        applyClip();
    }

    void play(const WmfIntersectClip& c)
    {
        QPainterPath box;
        box.addRect(map(c.rect));
        m_state.clip = m_state.clip.intersected(box);
        applyClip();
    }

    void play(const WmfExcludeClip& c)
    {
        QPainterPath box;
        box.addRect(map(c.rect));
        m_state.clip = m_state.clip.subtracted(box);
        applyClip();
    }

    Qt::FillRule fillRule() const
    {
        return m_state.fillRule == WmfFillRule::Winding ? Qt::WindingFill : Qt::OddEvenFill;
    }

    // The font's em in device pixels. A negative height is the em itself; a
    // positive one is the cell (em plus internal leading), so it is scaled by
    // the face's own ratio; 0 asks for the default of 12 points.
    double fontPixelSize(const QFont& font) const
    {
        const double h = m_state.font.height;
        double em = 0;
        if (h == 0) {
            em = m_pixelsPerInch * 12 / 72;
        } else if (h < 0) {
            em = -h * std::abs(scaleY());
        } else {
            QFont probe = font;
            probe.setPixelSize(100);
            const QFontMetricsF m(probe);
            const double cell = m.ascent() + m.descent();
            em = h * std::abs(scaleY()) * (cell > 0 ? 100 / cell : 1);
        }
        return std::min(em, m_maxExtent);
    }

    QPainter& m_painter;
    const WmfDocument& m_document;
    QRectF m_target;
    double m_pixelsPerInch = 96;
    double m_maxExtent = 0;
    DeviceState m_state;
    std::vector<DeviceState> m_saved;
};

} // namespace

QString decodeWmfText(std::string_view bytes, std::uint8_t charSet)
{
    // Symbol fonts take their byte codes as they stand (as Latin-1 does);
    // every other set is read as Windows-1252.
    constexpr std::uint8_t SymbolCharSet = 2;
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        text += QChar(charSet != SymbolCharSet ? core::windows1252ToUnicode(b) : char16_t(b));
    }
    return text;
}

QFont wmfFont(const WmfFont& font)
{
    QFont f(QString::fromLatin1(font.faceName.data(), qsizetype(font.faceName.size())));
    // clang-format off
    switch (font.pitchAndFamily & 0xF0) {
    case 0x10: f.setStyleHint(QFont::Serif); break;      // roman
    case 0x20: f.setStyleHint(QFont::SansSerif); break;  // swiss
    case 0x30: f.setStyleHint(QFont::Monospace); break;  // modern
    case 0x40: f.setStyleHint(QFont::Cursive); break;    // script
    case 0x50: f.setStyleHint(QFont::Decorative); break; // decorative
    default: break;
    }
    // clang-format on
    if ((font.pitchAndFamily & 0x03) == 1) // fixed pitch
        f.setFixedPitch(true);
    f.setWeight(QFont::Weight(std::clamp(font.weight == 0 ? 400 : int(font.weight), 1, 1000)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    return f;
}

void paintWmf(QPainter& painter, const WmfDocument& document, const QRectF& target)
{
    if (target.width() <= 0 || target.height() <= 0)
        return;
    Player(painter, document, target).run();
}

void paintErrorPage(QPainter& painter, const QRectF& target, const QString& reason)
{
    if (target.width() <= 0 || target.height() <= 0)
        return;
    painter.save();
    painter.setClipRect(target);
    painter.fillRect(target, Qt::white);
    const double inch = target.height() / ErrorPageHeightInches;
    QPen frame(QColor(200, 0, 0));
    frame.setWidthF(std::max(1.0, inch / 16));
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    const double margin = inch / 4;
    painter.drawRect(target.adjusted(margin, margin, -margin, -margin));

    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, int(std::lround(inch / 6))));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF textBox = target.adjusted(inch, inch, -inch, -inch);
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("This page cannot be shown.\n\n") + reason);
    painter.restore();
}

} // namespace fw::preview

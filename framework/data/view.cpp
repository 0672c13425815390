#include "framework/data/view.h"

#include "framework/core/error_codes.h"
#include "framework/core/text.h"

namespace fw::data {

namespace {

FilterCompiler& compiler()
{
    static FilterCompiler c;
    return c;
}

} // namespace

void View::setFilterCompiler(FilterCompiler c) { compiler() = std::move(c); }

fw::core::Expected<void> View::setFilter(std::string_view text)
{
    const std::string_view clipped = fw::core::clip(fw::core::trimLeft(text));
    if (clipped.empty()) {
        m_filterText.clear();
        m_filter = nullptr;
        return {};
    }
    if (!compiler())
        return fw::core::fail("view",
                              m_file.label() + ": no expression evaluator for the filter " + std::string(clipped),
                              fw::core::ErrorCode::ExpressionError);
    auto compiled = compiler()(clipped, m_file);
    if (!compiled)
        return std::unexpected(compiled.error());
    m_filterText = std::string(clipped);
    m_filter = std::move(*compiled);
    return {};
}

fw::core::Expected<void> View::open()
{
    auto cursor = m_file.makeCursor(m_key);
    if (!cursor)
        return std::unexpected(cursor.error());
    m_cursor = std::move(*cursor);
    m_open = true;
    return {};
}

fw::core::Expected<void> View::next(void* into)
{
    if (!m_open)
        return fw::core::fail("view", m_file.label() + ": the view is not open", fw::core::ErrorCode::FileNotOpen);
    void* target = into ? into : m_file.buffer();
    for (;;) {
        auto r = m_file.readNext(m_cursor, target);
        if (!r)
            return r;
        if (!m_filter || m_filter(target))
            return {};
    }
}

void View::close()
{
    m_cursor = Cursor{};
    m_open = false;
}

} // namespace fw::data

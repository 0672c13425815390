// Feeds arbitrary bytes to the expression evaluator with the names the
// command-line program binds, plus a few more kinds. Besides memory errors it
// checks the evaluator's promises: a failure carries error code 800 and a
// message, and a text that does not compile runs no procedure.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/binding.h"
#include "framework/core/error.h"
#include "framework/core/error_codes.h"
#include "framework/core/text.h"
#include "framework/expr/evaluator.h"

namespace {

std::size_t g_calls = 0;
std::uint8_t g_byte = 7;
std::int32_t g_long = -2147483647 - 1;
fw::core::Text<12> g_text("field");

fw::expr::Evaluator makeEvaluator()
{
    fw::expr::Evaluator e;
    auto count = [](std::vector<std::string> arguments) {
        ++g_calls;
        return static_cast<std::int32_t>(arguments.size());
    };
    e.bindProcedure("MakeHTMLFileBMKSW", 16, count);
    e.bindProcedure("One", 1, [](std::vector<std::string> a) {
        ++g_calls;
        return fw::core::toNumber(a.at(0));
    });
    e.bindProcedure("None", 0, count);
    e.bindField("B", fw::core::Binding::of(g_byte));
    e.bindField("L", fw::core::Binding::of(g_long));
    e.bindField("GOD:T", fw::core::Binding::of(g_text));
    return e;
}

bool isRunningFault(std::string_view message)
{
    return message.starts_with("division by zero") || message.starts_with("number too large");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fw::expr::Evaluator evaluator = makeEvaluator();
    g_calls = 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const fw::core::Expected<std::string> e = evaluator.evaluate(text);
    if (e)
        return 0;
    const fw::core::Error& error = e.error();
    if (error.code != fw::core::ErrorCode::ExpressionError || error.layer != "Expression" || error.message.empty())
        std::abort();
    if (!isRunningFault(error.message) && g_calls != 0)
        std::abort();
    return 0;
}

#include "framework/automation/failure_report.h"

#include <cstdio>

namespace fw::automation {

namespace {

std::function<void(const std::string&)>& sink()
{
    static std::function<void(const std::string&)> s;
    return s;
}

FailureNotice& notice()
{
    static FailureNotice n;
    return n;
}

} // namespace

std::string escapedForReport(std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (u < 0x20 || u == 0x7F) {
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 0xF];
        } else
            out += c;
    }
    return out;
}

void reportFailure(const core::Error& error)
{
    const std::string line = escapedForReport(error.text());
    if (sink()) {
        sink()(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

std::string noticeSentence(const core::Error& why)
{
    std::string sentence = escapedForReport(why.message);
    if (sentence.empty())
        sentence = escapedForReport(why.layer);
    if (!sentence.empty() && sentence.front() >= 'a' && sentence.front() <= 'z')
        sentence.front() = static_cast<char>(sentence.front() - 'a' + 'A');
    if (!sentence.empty() && sentence.back() != '.')
        sentence += '.';
    return sentence;
}

void setFailureNotice(FailureNotice n) { notice() = std::move(n); }

void noticeFailures(const std::vector<std::string>& failures)
{
    if (notice() && !failures.empty())
        notice()(failures);
}

void setFailureSinkForTesting(std::function<void(const std::string& line)> s) { sink() = std::move(s); }

} // namespace fw::automation

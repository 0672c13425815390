#pragma once
// The error manager: shows the standard messages of its table and answers
// with a level.
//
// It keeps the name of the procedure that runs now (a stack: each procedure
// sets its name on entry and restores the previous one on leaving), so that a
// message raised on its behalf names it, and the field name for the next
// message only. Each framework thread has a stack of its own: two reports
// running at once set and restore their names in whatever order their waits
// interleave, and each must still find its own name and its own predecessor.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/message_table.h"
#include "framework/core/error.h"
#include "framework/threads/scheduler.h"

namespace fw::app {

class ErrorManager {
public:
    void init();
    void kill();
    bool isActive() const { return m_active; }

    void setProcedureName(std::string_view name);
    void restoreProcedureName();
    // The running thread's current procedure; empty when none is set.
    std::string procedureName() const;
    // The same for another framework thread.
    std::string procedureName(fw::threads::ThreadNumber thread) const;

    // Names the field of the next message (%Field); cleared once shown.
    void setFieldName(std::string_view name);

    // Shows message `id` with `argument` as %Message and answers its level.
    [[nodiscard]] Level throwMessage(Msg id, std::string_view argument = {});
    // The same, for a file: %File is its display name, %ErrorText, %ErrorCode
    // and %Detail come from `error`.
    [[nodiscard]] Level throwFileMessage(Msg id, std::string_view fileName, const fw::core::Error& error,
                                         std::string_view argument = {});

    // The text a message would show, placeholders filled in.
    std::string messageText(Msg id, std::string_view fileName, const fw::core::Error* error,
                            std::string_view argument) const;

private:
    [[nodiscard]] Level show(Msg id, std::string_view fileName, const fw::core::Error* error,
                             std::string_view argument);

    std::map<fw::threads::ThreadNumber, std::vector<std::string>> m_procedures;
    std::string m_fieldName;
    bool m_active = false;
};

// The program's one error manager.
ErrorManager& globalErrors();

} // namespace fw::app

#pragma once
// The error manager: shows the standard messages of its table and answers
// with a level.
//
// It keeps the name of the procedure that runs now (a stack: each procedure
// sets its name on entry and restores the previous one on leaving), so that a
// message raised on its behalf names it, and the field name for the next
// message only.

#include <string>
#include <string_view>
#include <vector>

#include "framework/app/message_table.h"
#include "framework/core/error.h"

namespace fw::app {

class ErrorManager {
public:
    void init();
    void kill();
    bool isActive() const { return m_active; }

    void setProcedureName(std::string_view name);
    void restoreProcedureName();
    std::string procedureName() const; // empty when none is set

    // Names the field of the next message (%Field); cleared once shown.
    void setFieldName(std::string_view name);

    // Shows message `id` with `argument` as %Message and answers its level.
    Level throwMessage(Msg id, std::string_view argument = {});
    // The same, for a file: %File is its display name, %ErrorText, %ErrorCode
    // and %Detail come from `error`.
    Level throwFileMessage(Msg id, std::string_view fileName, const fw::core::Error& error,
                           std::string_view argument = {});

    // The text a message would show, placeholders filled in.
    std::string messageText(Msg id, std::string_view fileName, const fw::core::Error* error,
                            std::string_view argument) const;

private:
    Level show(Msg id, std::string_view fileName, const fw::core::Error* error, std::string_view argument);

    std::vector<std::string> m_procedures;
    std::string m_fieldName;
    bool m_active = false;
};

// The program's one error manager.
ErrorManager& globalErrors();

} // namespace fw::app

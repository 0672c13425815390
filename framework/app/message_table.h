#pragma once
// The error manager's message table: one row per standard message, with its
// answer level, icon, buttons, caption and text. Texts hold placeholders that
// the error manager fills in when it shows the message:
//   %File       the display name of the file concerned
//   %Field      the field named for this message (setFieldName)
//   %Message    the message's argument
//   %ErrorText  the short description of the error code
//   %ErrorCode  the error code
//   %Detail     a further line with the fault in words, or nothing

#include <cstdint>
#include <span>
#include <string_view>

#include "framework/ui/message_box.h"

namespace fw::app {

// The answer to a message: 0 means go on; anything else stops the operation.
enum class Level : int { Benign = 0, User = 1, Program = 2, Fatal = 3, Cancel = 4, Notify = 5 };

enum class Msg : std::uint8_t {
    OpenFailed,
    CreateFailed,
    RebuildKey,
    RebuildFailed,
    RetrievalFailed,
    AddFailed,
    DuplicateKey,
    PutFailed,
    DeleteFailed,
    RestrictUpdate,
    RestrictDelete,
    FieldNotInFile,
};

struct MessageEntry {
    Msg id;
    Level level; // the answer when the box is closed (for a question: when the answer is No)
    fw::ui::Icon icon;
    unsigned buttons; // Button::Ok, or Yes|No for a question (Yes answers Benign)
    std::string_view caption;
    std::string_view text;
};

std::span<const MessageEntry> messageTable();
const MessageEntry& messageEntry(Msg id);

} // namespace fw::app

#pragma once
// The file manager: one per data file. It opens and closes the file by use
// count, creates it when it is missing and that is allowed, waits for a
// locked file, reports failures through the error manager and checks fields
// before a record is stored.
//
// Results: operations that show a message answer the error manager's level
// (0 = done); the try... operations show nothing and answer the framework's
// error code (0 = done). lastError() holds the fault of the last failure.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "framework/app/error_manager.h"
#include "framework/app/file_options.h"
#include "framework/core/error.h"
#include "framework/data/data_file.h"

namespace fw::app {

class FileManager {
public:
    FileManager() = default;
    virtual ~FileManager() = default;
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    void init(fw::data::DataFile& file, ErrorManager& errors);
    // The file's name in messages ("Customer").
    void setName(std::string_view displayName) { m_name = std::string(displayName); }
    const std::string& name() const { return m_name; }
    void setCreate(CreateWhenMissing create) { m_create = create; }
    CreateWhenMissing create() const { return m_create; }
    void setLockRecover(int seconds) { m_lockRecover = seconds; }
    int lockRecover() const { return m_lockRecover; }
    void setOpenAccess(fw::data::Access access) { m_access = access; }

    void addKey(const fw::data::Key& key, std::string_view description, AutoNumber autoNumber = AutoNumber::No);
    // The description registered for the key, or its name.
    std::string keyDescription(const fw::data::Key& key) const;
    std::size_t registeredKeyCount() const { return m_keys.size(); }

    [[nodiscard]] int open();
    // Closing cannot fail: the file closes when its last user closes it.
    void close();
    int useCount() const { return m_useCount; }
    bool isInitialised() const { return m_file != nullptr; }

    fw::data::DataFile& file() const { return *m_file; }
    ErrorManager& errors() const { return *m_errors; }

    fw::data::DataFile::State saveFile() const { return m_file->saveState(); }
    void restoreFile(const fw::data::DataFile::State& state) { m_file->restoreState(state); }

    [[nodiscard]] int tryFetch(const fw::data::Key& key);
    [[nodiscard]] int fetch(const fw::data::Key& key);
    // Read the next record in the order last set on the file
    // (file().setRecordOrder() / setKeyOrder()). NoFurtherRecord is answered
    // without a message; other faults are shown.
    [[nodiscard]] int tryNext();
    [[nodiscard]] int next();

    // Store the buffer as a new record / rewrite the current record / delete
    // it, after the field checks; no related file is touched (that is the
    // relation manager's work).
    [[nodiscard]] int insert();
    [[nodiscard]] int update();
    [[nodiscard]] int deleteRecord();

    // The check of one field (numbered from 1) before a record is stored:
    // 0 accepts. The framework's own check accepts every field.
    [[nodiscard]] virtual int validateField(std::size_t fieldNumber);
    // Every field in order; the first refusal.
    [[nodiscard]] int validateFields();

    virtual void kill();

    const fw::core::Error& lastError() const { return m_lastError; }

protected:
    [[nodiscard]] int report(Msg id, const fw::core::Error& error, std::string_view argument = {});
    [[nodiscard]] int writeFailure(Msg id, const fw::core::Error& error);

private:
    struct RegisteredKey {
        const fw::data::Key* key;
        std::string description;
        AutoNumber autoNumber;
    };
    [[nodiscard]] fw::core::Expected<void> openWithRecovery();

    fw::data::DataFile* m_file = nullptr;
    ErrorManager* m_errors = nullptr;
    std::string m_name;
    CreateWhenMissing m_create = CreateWhenMissing::No;
    int m_lockRecover = 0;
    fw::data::Access m_access = fw::data::Access::ReadWrite;
    std::vector<RegisteredKey> m_keys;
    int m_useCount = 0;
    bool m_creationFailed = false;
    fw::core::Error m_lastError;
};

} // namespace fw::app

#include "demo/dictionary/dictionary.h"

#include <string>
#include <vector>

#include "framework/app/error_manager.h"

namespace zorvane {

using fw::app::AutoNumber;
using fw::app::CreateWhenMissing;
using fw::app::FileManager;
using fw::app::RelationManager;

FileManager* Access_CUSTOMER = nullptr;
FileManager* Access_STUDENTS = nullptr;
FileManager* Access_TEACHERS = nullptr;
FileManager* Access_CLASSES = nullptr;

RelationManager* Relate_CUSTOMER = nullptr;
RelationManager* Relate_STUDENTS = nullptr;
RelationManager* Relate_TEACHERS = nullptr;
RelationManager* Relate_CLASSES = nullptr;

namespace {

// The check of CLA:TEACHERNUMBER: the teacher must exist. The look-up leaves
// TEACHERS' buffer and position as they were.
class ClassesFileManager : public FileManager {
public:
    [[nodiscard]] int validateField(std::size_t fieldNumber) override
    {
        int result = FileManager::validateField(fieldNumber);
        if (fieldNumber != 3)
            return result;
        errors().setFieldName("Classes Teacher Number");
        const fw::data::DataFile::State saved = Access_TEACHERS->saveFile();
        TEA.NUMBER = CLA.TEACHERNUMBER;
        result = Access_TEACHERS->tryFetch(TEA_KEYTEACHERNUMBER);
        if (result != 0)
            result = static_cast<int>(errors().throwMessage(fw::app::Msg::FieldNotInFile, "Teachers"));
        Access_TEACHERS->restoreFile(saved);
        return result;
    }
};

// Releasing a file's relation manager releases its file manager first and
// clears both references.
class DictionaryRelationManager : public RelationManager {
public:
    DictionaryRelationManager(FileManager*& access, RelationManager*& relate) : m_access(access), m_relate(relate) {}

    void kill() override
    {
        if (m_access) {
            m_access->kill();
            m_access = nullptr;
        }
        RelationManager::kill();
        m_relate = nullptr;
    }

private:
    FileManager*& m_access;
    RelationManager*& m_relate;
};

FileManager customerFiles;
FileManager studentFiles;
FileManager teacherFiles;
ClassesFileManager classFiles;

DictionaryRelationManager customerRelations(Access_CUSTOMER, Relate_CUSTOMER);
DictionaryRelationManager studentRelations(Access_STUDENTS, Relate_STUDENTS);
DictionaryRelationManager teacherRelations(Access_TEACHERS, Relate_TEACHERS);
DictionaryRelationManager classRelations(Access_CLASSES, Relate_CLASSES);

struct KeyEntry {
    const fw::data::Key* key;
    const char* description;
};

struct FileEntry {
    fw::data::DataFile& file;
    FileManager& files;
    FileManager*& access;
    RelationManager& relations;
    const char* name;
    CreateWhenMissing create;
    std::vector<KeyEntry> keys;
};

constexpr int kLockRecover = 10;

void initFile(const FileEntry& e)
{
    e.files.init(e.file, fw::app::globalErrors());
    e.files.setName(e.name);
    e.files.setCreate(e.create);
    e.files.setLockRecover(kLockRecover);
    for (const KeyEntry& k : e.keys)
        e.files.addKey(*k.key, k.description, AutoNumber::No);
    e.access = &e.files;
    e.relations.init(e.files, fw::app::Transactions::Yes);
}

} // namespace

void InitDataFiles()
{
    Relate_CUSTOMER = &customerRelations;
    Relate_STUDENTS = &studentRelations;
    Relate_TEACHERS = &teacherRelations;
    Relate_CLASSES = &classRelations;

    // clang-format off
    initFile({CUSTOMER, customerFiles, Access_CUSTOMER, customerRelations, "Customer", CreateWhenMissing::No,
              {{&CUS_ByName, "CUS:ByName"},
               {&CUS_ByEmail, "CUS:ByEmail"},
               {&CUS_ByPhone, "CUS:ByPhone"},
               {&CUS_BySuburb, "CUS:BySuburb"},
               {&CUS_ByID, "CUS:ByID"}}});
    initFile({STUDENTS, studentFiles, Access_STUDENTS, studentRelations, "Students", CreateWhenMissing::Yes,
              {{&STU_KEYSTUDENTNUMBER, "by Student Number"},
               {&STU_MAJORKEY, "by Major"},
               {&STU_KEYLASTNAME, "by Last Name"},
               {&STU_KEYGRADYEAR, "by Grad Year"},
               {&STU_DynoKey, "STU:DynoKey"}}});
    initFile({TEACHERS, teacherFiles, Access_TEACHERS, teacherRelations, "Teachers", CreateWhenMissing::Yes,
              {{&TEA_KEYTEACHERNUMBER, "by Teacher Number"},
               {&TEA_KEYLASTNAME, "by Last Name"},
               {&TEA_KEYDEPARTMENT, "by Department"}}});
    teacherRelations.addRelation(*Relate_CLASSES, fw::app::RelationMode::Cascade, fw::app::RelationMode::Restrict,
                                 CLA_KEYTEACHERNUMBER);
    teacherRelations.addRelationLink("TEA:NUMBER", "CLA:TEACHERNUMBER");
    initFile({CLASSES, classFiles, Access_CLASSES, classRelations, "Classes", CreateWhenMissing::Yes,
              {{&CLA_KEYCLASSNUMBER, "by Class Number"},
               {&CLA_KEYCOURSENUMBER, "by Course Number"},
               {&CLA_KEYTEACHERNUMBER, "by Teacher Number"}}});
    // clang-format on
    classRelations.addRelation(*Relate_TEACHERS);
}

void KillDataFiles()
{
    for (RelationManager* r : {Relate_CUSTOMER, Relate_STUDENTS, Relate_TEACHERS, Relate_CLASSES})
        if (r)
            r->kill();
}

} // namespace zorvane

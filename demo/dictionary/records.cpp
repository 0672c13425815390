#include "demo/dictionary/records.h"

#include <cstddef>

namespace zorvane {

using fw::core::Binding;
using fw::data::CaseRule;
using fw::data::Duplicates;
using fw::data::Dynamic;
using fw::data::FieldType;
using fw::data::FileLayout;
using fw::data::Order;
using fw::data::Primary;

CustomerRecord CUS;
StudentRecord STU;
TeacherRecord TEA;
ClassRecord CLA;

void clearRecordBuffers()
{
    CUS = {};
    STU = {};
    TEA = {};
    CLA = {};
}

namespace {

constexpr auto Long = FieldType::Long;
constexpr auto Txt = FieldType::Text;
constexpr auto Unique = Duplicates::Refused;
constexpr auto Dups = Duplicates::Allowed;

FileLayout customerLayout()
{
    return {"CUSTOMER",
            {
                {"CUS:CUSID", offsetof(CustomerRecord, CUSID), Long, 4},
                {"CUS:NAME", offsetof(CustomerRecord, NAME), Txt, 20},
                {"CUS:FIRSTDATE", offsetof(CustomerRecord, FIRSTDATE), Long, 4},
                {"CUS:FIRSTTIME", offsetof(CustomerRecord, FIRSTTIME), Long, 4},
                {"CUS:SUBURB", offsetof(CustomerRecord, SUBURB), Txt, 20},
                {"CUS:PHONE", offsetof(CustomerRecord, PHONE), Txt, 20},
                {"CUS:EMAIL", offsetof(CustomerRecord, EMAIL), Txt, 100},
                {"CUS:WEBSITE", offsetof(CustomerRecord, WEBSITE), Txt, 200},
            },
            {
                {"CUS:ByName", {{"CUS:NAME"}}, Unique, Primary::No, CaseRule::Insensitive, Dynamic::No},
                {"CUS:ByEmail", {{"CUS:EMAIL"}}, Dups, Primary::No, CaseRule::Insensitive, Dynamic::No},
                {"CUS:ByPhone", {{"CUS:PHONE"}}, Dups, Primary::No, CaseRule::Insensitive, Dynamic::No},
                {"CUS:BySuburb", {{"CUS:SUBURB"}}, Dups, Primary::No, CaseRule::Insensitive, Dynamic::No},
                {"CUS:ByID", {{"CUS:CUSID"}}, Unique, Primary::Yes, CaseRule::Insensitive, Dynamic::No},
            }};
}

FileLayout studentLayout()
{
    // clang-format off
    return {"STUDENTS",
            {
                {"STU:NUMBER", offsetof(StudentRecord, NUMBER), Long, 4},
                {"STU:FIRSTNAME", offsetof(StudentRecord, FIRSTNAME), Txt, 20},
                {"STU:LASTNAME", offsetof(StudentRecord, LASTNAME), Txt, 20},
                {"STU:ADDRESS", offsetof(StudentRecord, ADDRESS), Txt, 20},
                {"STU:ADDRESS2", offsetof(StudentRecord, ADDRESS2), Txt, 20},
                {"STU:CITY", offsetof(StudentRecord, CITY), Txt, 20},
                {"STU:STATE", offsetof(StudentRecord, STATE), Txt, 2},
                {"STU:ZIP", offsetof(StudentRecord, ZIP), Long, 4},
                {"STU:TELEPHONE", offsetof(StudentRecord, TELEPHONE), Txt, 12},
                {"STU:MAJOR", offsetof(StudentRecord, MAJOR), Long, 4},
                {"STU:GRADYEAR", offsetof(StudentRecord, GRADYEAR), Long, 4},
            },
            {
                {"STU:KEYSTUDENTNUMBER", {{"STU:NUMBER"}}, Unique, Primary::Yes, CaseRule::Insensitive, Dynamic::No},
                {"STU:MAJORKEY", {{"STU:MAJOR"}, {"STU:LASTNAME"}, {"STU:FIRSTNAME"}}, Dups, Primary::No,
                 CaseRule::Insensitive, Dynamic::No},
                {"STU:KEYLASTNAME", {{"STU:LASTNAME"}}, Dups, Primary::No, CaseRule::Insensitive, Dynamic::No},
                {"STU:KEYGRADYEAR", {{"STU:GRADYEAR", Order::Descending}, {"STU:LASTNAME"}, {"STU:FIRSTNAME"}}, Dups,
                 Primary::No, CaseRule::Insensitive, Dynamic::No},
                {"STU:DynoKey", {}, Dups, Primary::No, CaseRule::Insensitive, Dynamic::Yes},
            }};
    // clang-format on
}

FileLayout teacherLayout()
{
    return {"TEACHERS",
            {
                {"TEA:NUMBER", offsetof(TeacherRecord, NUMBER), Long, 4},
                {"TEA:FIRSTNAME", offsetof(TeacherRecord, FIRSTNAME), Txt, 20},
                {"TEA:LASTNAME", offsetof(TeacherRecord, LASTNAME), Txt, 20},
                {"TEA:ADDRESS", offsetof(TeacherRecord, ADDRESS), Txt, 20},
                {"TEA:CITY", offsetof(TeacherRecord, CITY), Txt, 20},
                {"TEA:STATE", offsetof(TeacherRecord, STATE), Txt, 2},
                {"TEA:ZIP", offsetof(TeacherRecord, ZIP), Long, 4},
                {"TEA:TELEPHONE", offsetof(TeacherRecord, TELEPHONE), Txt, 12},
                {"TEA:DEPARTMENT", offsetof(TeacherRecord, DEPARTMENT), Long, 4},
            },
            {
                {"TEA:KEYTEACHERNUMBER", {{"TEA:NUMBER"}}, Unique, Primary::Yes, CaseRule::Insensitive, Dynamic::No},
                {"TEA:KEYLASTNAME", {{"TEA:LASTNAME"}}, Dups, Primary::No, CaseRule::Insensitive, Dynamic::No},
                {"TEA:KEYDEPARTMENT", {{"TEA:DEPARTMENT"}}, Dups, Primary::No, CaseRule::Insensitive, Dynamic::No},
            }};
}

FileLayout classLayout()
{
    // clang-format off
    return {"CLASSES",
            {
                {"CLA:CLASSNUMBER", offsetof(ClassRecord, CLASSNUMBER), Long, 4},
                {"CLA:COURSENUMBER", offsetof(ClassRecord, COURSENUMBER), Long, 4},
                {"CLA:TEACHERNUMBER", offsetof(ClassRecord, TEACHERNUMBER), Long, 4},
                {"CLA:ROOMNUMBER", offsetof(ClassRecord, ROOMNUMBER), Long, 4},
                {"CLA:SCHEDULEDTIME", offsetof(ClassRecord, SCHEDULEDTIME), Txt, 20},
            },
            {
                {"CLA:KEYCLASSNUMBER", {{"CLA:CLASSNUMBER"}}, Unique, Primary::Yes, CaseRule::Insensitive, Dynamic::No},
                {"CLA:KEYCOURSENUMBER", {{"CLA:COURSENUMBER"}, {"CLA:CLASSNUMBER"}}, Dups, Primary::No,
                 CaseRule::Insensitive, Dynamic::No},
                {"CLA:KEYTEACHERNUMBER", {{"CLA:TEACHERNUMBER"}}, Dups, Primary::No, CaseRule::Insensitive,
                 Dynamic::No},
            }};
    // clang-format on
}

} // namespace

fw::data::DataFile CUSTOMER(customerLayout(), &CUS);
fw::data::DataFile STUDENTS(studentLayout(), &STU);
fw::data::DataFile TEACHERS(teacherLayout(), &TEA);
fw::data::DataFile CLASSES(classLayout(), &CLA);

const fw::data::Key& CUS_ByName = CUSTOMER.key(0);
const fw::data::Key& CUS_ByEmail = CUSTOMER.key(1);
const fw::data::Key& CUS_ByPhone = CUSTOMER.key(2);
const fw::data::Key& CUS_BySuburb = CUSTOMER.key(3);
const fw::data::Key& CUS_ByID = CUSTOMER.key(4);

const fw::data::Key& STU_KEYSTUDENTNUMBER = STUDENTS.key(0);
const fw::data::Key& STU_MAJORKEY = STUDENTS.key(1);
const fw::data::Key& STU_KEYLASTNAME = STUDENTS.key(2);
const fw::data::Key& STU_KEYGRADYEAR = STUDENTS.key(3);
const fw::data::Key& STU_DynoKey = STUDENTS.key(4);

const fw::data::Key& TEA_KEYTEACHERNUMBER = TEACHERS.key(0);
const fw::data::Key& TEA_KEYLASTNAME = TEACHERS.key(1);
const fw::data::Key& TEA_KEYDEPARTMENT = TEACHERS.key(2);

const fw::data::Key& CLA_KEYCLASSNUMBER = CLASSES.key(0);
const fw::data::Key& CLA_KEYCOURSENUMBER = CLASSES.key(1);
const fw::data::Key& CLA_KEYTEACHERNUMBER = CLASSES.key(2);

std::vector<fw::data::FieldBinding> fieldBindings(CustomerRecord& r)
{
    return {{"CUS:CUSID", Binding::of(r.CUSID)},         {"CUS:NAME", Binding::of(r.NAME)},
            {"CUS:FIRSTDATE", Binding::of(r.FIRSTDATE)}, {"CUS:FIRSTTIME", Binding::of(r.FIRSTTIME)},
            {"CUS:SUBURB", Binding::of(r.SUBURB)},       {"CUS:PHONE", Binding::of(r.PHONE)},
            {"CUS:EMAIL", Binding::of(r.EMAIL)},         {"CUS:WEBSITE", Binding::of(r.WEBSITE)}};
}

std::vector<fw::data::FieldBinding> fieldBindings(StudentRecord& r)
{
    return {{"STU:NUMBER", Binding::of(r.NUMBER)},       {"STU:FIRSTNAME", Binding::of(r.FIRSTNAME)},
            {"STU:LASTNAME", Binding::of(r.LASTNAME)},   {"STU:ADDRESS", Binding::of(r.ADDRESS)},
            {"STU:ADDRESS2", Binding::of(r.ADDRESS2)},   {"STU:CITY", Binding::of(r.CITY)},
            {"STU:STATE", Binding::of(r.STATE)},         {"STU:ZIP", Binding::of(r.ZIP)},
            {"STU:TELEPHONE", Binding::of(r.TELEPHONE)}, {"STU:MAJOR", Binding::of(r.MAJOR)},
            {"STU:GRADYEAR", Binding::of(r.GRADYEAR)}};
}

std::vector<fw::data::FieldBinding> fieldBindings(TeacherRecord& r)
{
    // clang-format off
    return {{"TEA:NUMBER", Binding::of(r.NUMBER)},       {"TEA:FIRSTNAME", Binding::of(r.FIRSTNAME)},
            {"TEA:LASTNAME", Binding::of(r.LASTNAME)},   {"TEA:ADDRESS", Binding::of(r.ADDRESS)},
            {"TEA:CITY", Binding::of(r.CITY)},           {"TEA:STATE", Binding::of(r.STATE)},
            {"TEA:ZIP", Binding::of(r.ZIP)},             {"TEA:TELEPHONE", Binding::of(r.TELEPHONE)},
            {"TEA:DEPARTMENT", Binding::of(r.DEPARTMENT)}};
    // clang-format on
}

std::vector<fw::data::FieldBinding> fieldBindings(ClassRecord& r)
{
    return {{"CLA:CLASSNUMBER", Binding::of(r.CLASSNUMBER)},
            {"CLA:COURSENUMBER", Binding::of(r.COURSENUMBER)},
            {"CLA:TEACHERNUMBER", Binding::of(r.TEACHERNUMBER)},
            {"CLA:ROOMNUMBER", Binding::of(r.ROOMNUMBER)},
            {"CLA:SCHEDULEDTIME", Binding::of(r.SCHEDULEDTIME)}};
}

} // namespace zorvane

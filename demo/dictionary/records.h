#pragma once
// The demonstration's four data files: their record buffers (one global each,
// read as CUS.NAME for the field CUS:NAME), the files and their keys in
// declaration order.
//
// A record holds exactly the bytes of its fields (CUSTOMER 372, STUDENTS 130,
// TEACHERS 106, CLASSES 36); where a long follows a two-character text the
// compiler aligns it, so the struct can be larger than the record, which is
// what the file driver counts.

#include <cstdint>
#include <vector>

#include "framework/core/text.h"
#include "framework/data/data_file.h"
#include "framework/data/field_binding.h"

namespace zorvane {

using fw::core::Text;

struct CustomerRecord {
    std::int32_t CUSID = 0;
    Text<20> NAME;
    std::int32_t FIRSTDATE = 0; // date serial, 0 = none
    std::int32_t FIRSTTIME = 0; // time value, 0 = none
    Text<20> SUBURB;
    Text<20> PHONE;
    Text<100> EMAIL;
    Text<200> WEBSITE;
};

struct StudentRecord {
    std::int32_t NUMBER = 0;
    Text<20> FIRSTNAME;
    Text<20> LASTNAME;
    Text<20> ADDRESS;
    Text<20> ADDRESS2;
    Text<20> CITY;
    Text<2> STATE;
    std::int32_t ZIP = 0;
    Text<12> TELEPHONE;
    std::int32_t MAJOR = 0;
    std::int32_t GRADYEAR = 0;
};

struct TeacherRecord {
    std::int32_t NUMBER = 0;
    Text<20> FIRSTNAME;
    Text<20> LASTNAME;
    Text<20> ADDRESS;
    Text<20> CITY;
    Text<2> STATE;
    std::int32_t ZIP = 0;
    Text<12> TELEPHONE;
    std::int32_t DEPARTMENT = 0;
};

struct ClassRecord {
    std::int32_t CLASSNUMBER = 0;
    std::int32_t COURSENUMBER = 0;
    std::int32_t TEACHERNUMBER = 0;
    std::int32_t ROOMNUMBER = 0;
    Text<20> SCHEDULEDTIME;
};

extern CustomerRecord CUS;
extern StudentRecord STU;
extern TeacherRecord TEA;
extern ClassRecord CLA;

// Blanks the four record buffers: every text blank and every number 0, the
// state the program starts in.
void clearRecordBuffers();

extern fw::data::DataFile CUSTOMER;
extern fw::data::DataFile STUDENTS;
extern fw::data::DataFile TEACHERS;
extern fw::data::DataFile CLASSES;

extern const fw::data::Key& CUS_ByName;
extern const fw::data::Key& CUS_ByEmail;
extern const fw::data::Key& CUS_ByPhone;
extern const fw::data::Key& CUS_BySuburb;
extern const fw::data::Key& CUS_ByID;

extern const fw::data::Key& STU_KEYSTUDENTNUMBER;
extern const fw::data::Key& STU_MAJORKEY;
extern const fw::data::Key& STU_KEYLASTNAME;
extern const fw::data::Key& STU_KEYGRADYEAR;
extern const fw::data::Key& STU_DynoKey;

extern const fw::data::Key& TEA_KEYTEACHERNUMBER;
extern const fw::data::Key& TEA_KEYLASTNAME;
extern const fw::data::Key& TEA_KEYDEPARTMENT;

extern const fw::data::Key& CLA_KEYCLASSNUMBER;
extern const fw::data::Key& CLA_KEYCOURSENUMBER;
extern const fw::data::Key& CLA_KEYTEACHERNUMBER;

// Every field of a record buffer bound by its name, in field order.
std::vector<fw::data::FieldBinding> fieldBindings(CustomerRecord& record);
std::vector<fw::data::FieldBinding> fieldBindings(StudentRecord& record);
std::vector<fw::data::FieldBinding> fieldBindings(TeacherRecord& record);
std::vector<fw::data::FieldBinding> fieldBindings(ClassRecord& record);

} // namespace zorvane

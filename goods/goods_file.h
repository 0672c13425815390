#pragma once
// The goods file: one record per item of goods a customer has (24 bytes),
// named "GOODS" in the current folder, with the key GOD:BYID (customer number,
// then goods; duplicates allowed, text without regard to case).
//
// vextrel's goods report reads it and the demonstration folder maker
// (demo/sample_data) writes it; it lives in a folder of its own below both
// programs so that neither reaches into the other for it.

#include <cstdint>
#include <vector>

#include "framework/core/text.h"
#include "framework/data/data_file.h"
#include "framework/data/field_binding.h"

namespace goods {

struct GoodsRecord {
    std::int32_t CUSID = 0;
    fw::core::Text<20> GOODS;
};

extern GoodsRecord GOD;
extern fw::data::DataFile GOODS;
extern const fw::data::Key& GOD_BYID;

// How many users have GOODS open: the goods report opens the file only when
// this is 0 and closes it when it comes back to 0.
extern std::int32_t GOODSUseCount;

// GOD:CUSID and GOD:GOODS bound by name.
std::vector<fw::data::FieldBinding> fieldBindings(GoodsRecord& record);

} // namespace goods

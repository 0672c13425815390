#include "goods/goods_file.h"

#include <cstddef>

namespace goods {

using fw::data::FieldType;

GoodsRecord GOD;
std::int32_t GOODSUseCount = 0;

namespace {

fw::data::FileLayout goodsLayout()
{
    // clang-format off
    return {"GOODS",
            {
                {"GOD:CUSID", offsetof(GoodsRecord, CUSID), FieldType::Long, 4},
                {"GOD:GOODS", offsetof(GoodsRecord, GOODS), FieldType::Text, 20},
            },
            {
                {"GOD:BYID", {{"GOD:CUSID"}, {"GOD:GOODS"}}, fw::data::Duplicates::Allowed, fw::data::Primary::No,
                 fw::data::CaseRule::Insensitive, fw::data::Dynamic::No},
            }};
    // clang-format on
}

} // namespace

fw::data::DataFile GOODS(goodsLayout(), &GOD);
const fw::data::Key& GOD_BYID = GOODS.key(0);

std::vector<fw::data::FieldBinding> fieldBindings(GoodsRecord& record)
{
    return {{"GOD:CUSID", fw::core::Binding::of(record.CUSID)}, {"GOD:GOODS", fw::core::Binding::of(record.GOODS)}};
}

} // namespace goods

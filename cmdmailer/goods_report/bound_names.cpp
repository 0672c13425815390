#include "cmdmailer/goods_report/bound_names.h"

namespace vextrel {

fw::expr::Evaluator& boundNames()
{
    static fw::expr::Evaluator names;
    return names;
}

} // namespace vextrel

#include "cmdmailer/goods_report/bound_names.h"

namespace cmdmailer::goods_report {

fw::expr::Evaluator& boundNames()
{
    static fw::expr::Evaluator names;
    return names;
}

} // namespace cmdmailer::goods_report
